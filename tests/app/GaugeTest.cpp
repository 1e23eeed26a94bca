#include "TsGauge.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Counts the paints the gauge really carries out.
class CountingGauge : public TsGauge {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        TsGauge::paintEvent(event);
    }
};

TEST(Gauge, ProgressIsClampedToItsRange) {
    TsGauge gauge;
    const std::pair<int, int> cases[] = {{30, 30}, {150, 100}, {-5, 0}, {100, 100}, {0, 0}, {INT32_MIN, 0}};
    for (const auto& [set, shown] : cases) {
        gauge.SetProgress(set);
        EXPECT_EQ(gauge.Progress(), shown) << set;
        EXPECT_EQ(gauge.PercentDone(), shown) << set;
    }
    gauge.SetMinValue(50);
    EXPECT_EQ(gauge.Progress(), 50) << "a new minimum pulls the progress along";
    gauge.SetProgress(75);
    EXPECT_EQ(gauge.PercentDone(), 50);
}

TEST(Gauge, RepaintsAtOnceOnlyWhenThePercentageChanges) {
    CountingGauge gauge;
    gauge.resize(200, 12);
    gauge.show();
    for (int i = 0; i < 100 && !(gauge.windowHandle() && gauge.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    gauge.repaint();
    ASSERT_GT(gauge.paints, 0) << "the gauge never became visible";
    const int before = gauge.paints;
    gauge.SetProgress(10);
    EXPECT_EQ(gauge.paints, before + 1) << "painted before SetProgress returned";
    gauge.SetProgress(10);
    EXPECT_EQ(gauge.paints, before + 1);
    gauge.SetProgress(20);
    EXPECT_EQ(gauge.paints, before + 2);
}

} // namespace
