#pragma once
// Progress gauge: a bar from MinValue to MaxValue with the percentage written on it.

#include <QWidget>

class TsGauge : public QWidget {
    Q_OBJECT
public:
    explicit TsGauge(QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Progress() const { return progress_; }
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // Clamped to MinValue..MaxValue; repaints at once when the shown percentage changes.
    void SetProgress(int value);
    int PercentDone() const;

    QString SkinSection() const { return skinSection_; }

signals:
    void progressChanged(int progress);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Changed(int oldPercent);

    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    QString skinSection_ = QStringLiteral("GAUGE");
};
