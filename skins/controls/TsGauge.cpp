#include "TsGauge.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

TsGauge::TsGauge(QWidget* parent) : QWidget(parent) {}

void TsGauge::SetMinValue(int value) {
    const int old = PercentDone();
    minValue_ = value;
    maxValue_ = std::max(maxValue_, minValue_);
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Changed(old);
}

void TsGauge::SetMaxValue(int value) {
    const int old = PercentDone();
    maxValue_ = value;
    minValue_ = std::min(minValue_, maxValue_);
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Changed(old);
}

void TsGauge::SetProgress(int value) {
    const int old = PercentDone();
    progress_ = std::clamp(value, minValue_, maxValue_);
    Changed(old);
    emit progressChanged(progress_);
}

int TsGauge::PercentDone() const {
    const qint64 range = static_cast<qint64>(maxValue_) - minValue_;
    if (range <= 0)
        return 0;
    return static_cast<int>((static_cast<qint64>(progress_) - minValue_) * 100 / range);
}

void TsGauge::Changed(int oldPercent) {
    if (PercentDone() != oldPercent)
        repaint();
}

void TsGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect();
    painter.fillRect(frame, palette().color(QPalette::Base));
    QRect inner = frame.adjusted(1, 1, -1, -1);
    const int filled = inner.width() * PercentDone() / 100;
    painter.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()),
                     palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(frame, Qt::AlignCenter, QString::number(PercentDone()) + QLatin1Char('%'));
}
