#pragma once
// Status bar with fixed panels of centred text; the last panel runs to the right end.

#include <QStatusBar>

class QLabel;

struct TStatusPanel {
    QString Text;
    int Width;
};

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Creates the panels once; every panel but the last keeps its width.
    void SetPanels(const QList<TStatusPanel>& panels);
    QLabel* Panel(int index) const { return panels_.value(index); }
    int PanelCount() const { return static_cast<int>(panels_.size()); }

private:
    QList<QLabel*> panels_;
};
