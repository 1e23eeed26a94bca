#include "SkinVersionMessage.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <algorithm>

bool SkinVersionAsked(const QStringList& arguments) {
    return std::ranges::any_of(arguments,
                               [](const QString& a) { return a.toLower() == QStringLiteral("/acver"); });
}

void ShowSkinVersionIfAsked(const QStringList& arguments, const std::function<void(const QString&)>& show) {
    if (!SkinVersionAsked(arguments))
        return;
    const QString text = QString::fromLatin1(SkinEngineVersionText);
    if (show) {
        show(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}
