#pragma once
// Providers and adapters are not children of the widget they skin: a child is deleted while its
// parent is half destroyed, when nothing may be put back on it. Instead they go as soon as the
// widget announces its end (forgetting it first, so they put nothing back), and put things back
// only when they are removed from a living widget.

#include <QObject>
#include <QPointer>
#include <QWidget>

inline void DeleteWith(QWidget* owner, QObject* attached, QPointer<QWidget>& pointer) {
    QObject::connect(owner, &QObject::destroyed, attached, [attached, &pointer] {
        pointer = nullptr;
        delete attached;
    });
}
