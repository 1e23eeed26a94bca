#pragma once
// A short cross-fade between two pictures of a control, in a few steps, when its state changes
// under the mouse. The control paints Current() while Running().

#include <QObject>
#include <QPixmap>
#include <QTimer>

class QWidget;

class HoverFade : public QObject {
    Q_OBJECT
public:
    explicit HoverFade(QWidget* control);

    // Starts from `from` toward `to` in `steps` steps; a running fade starts over from what it
    // shows now.
    void Start(const QPixmap& from, const QPixmap& to, int steps);
    void Stop();
    bool Running() const { return timer_.isActive(); }
    // The picture of the current step.
    QPixmap Current() const;

    static constexpr int StepMilliseconds = 16;

private:
    void Step();

    QWidget* control_;
    QTimer timer_;
    QPixmap from_;
    QPixmap to_;
    int steps_ = 1;
    int step_ = 0;
};
