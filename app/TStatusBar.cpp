#include "TStatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

void TStatusBar::SetPanels(const QList<TStatusPanel>& panels) {
    for (qsizetype i = 0; i < panels.size(); ++i) {
        const bool last = i + 1 == panels.size();
        auto* panel = new QLabel(panels[i].Text, this);
        panel->setAlignment(Qt::AlignCenter);
        if (last)
            panel->setMinimumWidth(panels[i].Width);
        else
            panel->setFixedWidth(panels[i].Width);
        addWidget(panel, last ? 1 : 0);
        panels_.append(panel);
    }
}
