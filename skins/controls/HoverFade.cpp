#include "HoverFade.h"

#include <QPainter>
#include <QWidget>

HoverFade::HoverFade(QWidget* control) : QObject(control), control_(control) {
    timer_.setInterval(StepMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &HoverFade::Step);
}

void HoverFade::Start(const QPixmap& from, const QPixmap& to, int steps) {
    from_ = Running() ? Current() : from;
    to_ = to;
    steps_ = std::max(1, steps);
    step_ = 0;
    timer_.start();
}

void HoverFade::Stop() {
    if (!Running())
        return;
    timer_.stop();
    from_ = to_ = QPixmap();
    control_->update();
}

QPixmap HoverFade::Current() const {
    if (from_.isNull() || from_.size() != to_.size())
        return to_;
    QPixmap blend = from_;
    QPainter painter(&blend);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, from_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(static_cast<qreal>(step_) / steps_);
    painter.drawPixmap(0, 0, to_);
    return blend;
}

void HoverFade::Step() {
    if (++step_ >= steps_) {
        timer_.stop();
        from_ = to_ = QPixmap();
    }
    control_->update();
}
