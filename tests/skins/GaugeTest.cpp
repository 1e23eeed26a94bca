// The gauge: its value rules, its text and filled length, its range errors, when it repaints,
// and the glow's positions over a sequence of ticks.
#include "ControlsSkin.h"
#include "Exceptions.h"
#include "TsGauge.h"
#include "TsSkinManager.h"

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

void ShowAndWait(QWidget& widget) {
    widget.show();
    for (int i = 0; i < 100 && !(widget.windowHandle() && widget.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

std::unique_ptr<TsSkinManager> ManagerWith(bool glowRegion) {
    auto manager = std::make_unique<TsSkinManager>();
    manager->SetIsDefault(true);
    manager->AnimEffects.SkinChanging.Active = false;
    manager->BeginLoading();
    manager->InternalSkins = {{QStringLiteral("Test"), ControlsSkin(glowRegion)}};
    manager->SetSkinName(QStringLiteral("Test"));
    manager->Loaded();
    return manager;
}

} // namespace

TEST(Gauge, ProgressIsClampedAndAnEqualValueChangesNothing) {
    TsGauge gauge;
    EXPECT_EQ(gauge.Progress(), 47);
    int changes = 0;
    gauge.OnChange = [&changes] {
        ++changes;
    };
    const std::pair<int, int> cases[] = {{30, 30}, {150, 100}, {-5, 0}, {100, 100}, {0, 0}, {INT32_MIN, 0}};
    for (const auto& [set, shown] : cases) {
        gauge.SetProgress(set);
        EXPECT_EQ(gauge.Progress(), shown) << set;
    }
    EXPECT_EQ(changes, 5) << "the last one, clamped to the 0 it already is, changes nothing";
    gauge.SetMinValue(50);
    EXPECT_EQ(gauge.Progress(), 50) << "a new minimum pulls the progress along";
    EXPECT_EQ(changes, 5) << "without a change event";
}

TEST(Gauge, PercentageAndText) {
    struct Case {
        int min, max, progress;
        bool calcPercents;
        int percent;
        const char* text;
    };
    for (const Case c : {Case{0, 100, 47, true, 47, "47%"}, Case{0, 200, 47, true, 23, "23%"},
                         Case{0, 200, 47, false, 23, "47%"}, Case{-100, 100, 0, true, 50, "50%"},
                         Case{5, 5, 5, true, 0, "0%"}, Case{INT32_MIN, INT32_MAX, 0, true, 50, "50%"}}) {
        TsGauge gauge;
        gauge.SetMaxValue(c.max);
        gauge.SetMinValue(c.min);
        gauge.SetProgress(c.progress);
        gauge.SetCalcPercents(c.calcPercents);
        EXPECT_EQ(gauge.PercentDone(), c.percent) << c.text;
        EXPECT_EQ(gauge.Text(), QString::fromLatin1(c.text));
    }
}

TEST(Gauge, RangeErrorsKeepTheOldValues) {
    TsGauge gauge;
    try {
        gauge.SetMinValue(200);
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Value must be between -2147483647 and 99");
    }
    gauge.SetMinValue(10);
    try {
        gauge.SetMaxValue(-5);
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Value must be between 11 and 2147483647");
    }
    EXPECT_EQ(gauge.MinValue(), 10);
    EXPECT_EQ(gauge.MaxValue(), 100);
    gauge.SetMaxValue(10); // an empty range is allowed: the percentage is 0
    EXPECT_EQ(gauge.PercentDone(), 0);
    gauge.BeginLoading();
    gauge.SetMinValue(500); // while the stored layout is read, no check
    EXPECT_EQ(gauge.MinValue(), 500);
}

TEST(Gauge, FilledLengthOfA734PixelBar) {
    TsGauge gauge;
    gauge.resize(734, 12);
    for (const auto& [percent, filled] : {std::pair{10, 73}, {50, 367}, {100, 734}, {0, 0}}) {
        gauge.SetProgress(percent);
        EXPECT_EQ(gauge.FilledLength(), filled) << percent;
    }
}

TEST(Gauge, RepaintsAtOnceOnlyWhenThePercentageChanges) {
    CountingGauge gauge;
    gauge.resize(200, 12);
    ShowAndWait(gauge);
    gauge.repaint();
    ASSERT_GT(gauge.paints, 0) << "the gauge never became visible";
    gauge.SetMaxValue(200);
    const int before = gauge.paints;
    gauge.SetProgress(10);
    EXPECT_EQ(gauge.paints, before + 1) << "painted before SetProgress returned";
    gauge.SetProgress(11); // 5 % either way
    EXPECT_EQ(gauge.paints, before + 1);
    gauge.SetProgress(20);
    EXPECT_EQ(gauge.paints, before + 2);
}

// The skinned picture is drawn again whenever what it shows changes: the state, the font, and
// a value shown as such (not as a percentage) that moves within the same percent.
TEST(Gauge, TheSkinnedPictureFollowsStateFontAndShownValue) {
    const auto manager = ManagerWith(false);
    TsGauge gauge;
    gauge.resize(200, 16);
    gauge.SetProgress(50);
    ASSERT_TRUE(gauge.SkinData.Skinned());
    const QImage enabled = gauge.Picture();
    gauge.setEnabled(false);
    EXPECT_NE(gauge.Picture(), enabled) << "the disabled look";
    gauge.setEnabled(true);
    EXPECT_EQ(gauge.Picture(), enabled);
    QFont larger = gauge.font();
    larger.setPixelSize(16);
    gauge.setFont(larger);
    EXPECT_NE(gauge.Picture(), enabled) << "the text in the new font";

    gauge.SetCalcPercents(false);
    gauge.SetMaxValue(1000);
    gauge.SetProgress(500);
    const QImage at500 = gauge.Picture();
    gauge.SetProgress(504); // still 50 %
    EXPECT_EQ(gauge.Text(), "504%");
    EXPECT_NE(gauge.Picture(), at500);
}

TEST(Gauge, GlowCrossesA734PixelBarIn69TicksThenRestsUntilTheCycleEnds) {
    GaugeGlowState state;
    std::vector<int> drawn;
    for (int tick = 0; tick < 102; ++tick)
        if (const std::optional<int> at = GlowTick(state, 734))
            drawn.push_back(*at);
    ASSERT_EQ(drawn.size(), 69u);
    EXPECT_EQ(drawn.front(), -300);
    EXPECT_EQ(drawn[1], -285);
    EXPECT_EQ(drawn.back(), 720);
    // The 103rd tick starts the next cycle.
    EXPECT_EQ(GlowTick(state, 734), std::optional<int>(-300));
    EXPECT_EQ(GlowStep(734), 15);
    EXPECT_EQ(GlowStep(2222), 44);
    EXPECT_EQ(GlowStep(1500), 30);
}

TEST(Gauge, TheGlowShowsOnlyInTheFilledPartAndOnlyWhereTheSkinHasAGlowRegion) {
    for (const bool region : {true, false}) {
        SCOPED_TRACE(region);
        const auto manager = ManagerWith(region);
        QWidget parent;
        auto* gauge = new TsGauge(&parent);
        gauge->setGeometry(0, 0, 734, 12);
        gauge->SetProgress(50);
        ShowAndWait(parent);
        ASSERT_TRUE(gauge->SkinData.Skinned());
        EXPECT_EQ(gauge->HasGlowRegion(), region);
        const QImage still = gauge->Picture();
        // Into the cycle until the glow's middle is over the filled part.
        while (!gauge->ShownGlow() || *gauge->ShownGlow() < 100)
            gauge->GlowTimerTick();
        const QImage glowing = gauge->Picture();
        bool changedInside = false, changedOutside = false;
        for (int x = 0; x < 734; ++x) {
            const bool changed = glowing.pixel(x, 6) != still.pixel(x, 6);
            (x < 367 ? changedInside : changedOutside) |= changed;
        }
        EXPECT_EQ(changedInside, region);
        EXPECT_FALSE(changedOutside);
    }
}

TEST(Gauge, WithoutASkinTheTextIsInvertedOverTheBar) {
    TsGauge gauge;
    gauge.resize(100, 20);
    gauge.SetProgress(50);
    QFont font = gauge.font();
    font.setPixelSize(16);
    gauge.setFont(font);
    const QImage picture = gauge.Picture();
    EXPECT_EQ(picture.pixel(0, 0), 0xFF000000u) << "the single border";
    EXPECT_EQ(picture.pixel(10, 3), 0xFF000000u) << "the bar in ForeColor";
    EXPECT_EQ(picture.pixel(90, 3), 0xFFFFFFFFu) << "the background in BackColor";
    int whiteOnBar = 0, blackOnBackground = 0;
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 99; ++x) {
            whiteOnBar += x < 50 && picture.pixel(x, y) == 0xFFFFFFFFu;
            blackOnBackground += x >= 50 && picture.pixel(x, y) == 0xFF000000u;
        }
    EXPECT_GT(whiteOnBar, 0);
    EXPECT_GT(blackOnBackground, 0);
}

// The glow's timer runs only while the gauge can be seen, and hiding the window stops it.
TEST(Gauge, TheGlowTimerRunsOnlyWhileTheGaugeIsShown) {
    const auto manager = ManagerWith(true);
    QWidget parent;
    auto* gauge = new TsGauge(&parent);
    gauge->BeginLoading();
    gauge->setGeometry(0, 0, 300, 12);
    gauge->SetProgress(50);
    gauge->Loaded();
    EXPECT_FALSE(gauge->GlowTimerActive()) << "loaded in a window not yet shown";
    ShowAndWait(parent);
    EXPECT_TRUE(gauge->GlowTimerActive());
    parent.hide();
    EXPECT_FALSE(gauge->GlowTimerActive());
    ShowAndWait(parent);
    EXPECT_TRUE(gauge->GlowTimerActive());
    gauge->hide();
    EXPECT_FALSE(gauge->GlowTimerActive());
    gauge->SetAnimated(false);
    gauge->show();
    EXPECT_FALSE(gauge->GlowTimerActive()) << "no glow without animation";
}

// On a dense screen the picture is drawn at the screen's density, not enlarged from a coarse
// one: its text has edges finer than a gauge pixel, and the rest stands where it stood.
TEST(Gauge, OnADenseScreenThePictureIsDrawnAtTheScreensDensity) {
    for (const bool skinned : {true, false}) {
        SCOPED_TRACE(skinned);
        const auto manager = skinned ? ManagerWith(false) : nullptr;
        TsGauge gauge;
        gauge.resize(100, 20);
        gauge.SetProgress(50);
        QFont font = gauge.font();
        font.setPixelSize(14);
        gauge.setFont(font);
        ASSERT_EQ(gauge.SkinData.Skinned(), skinned);
        const QImage coarse = gauge.Picture(1);
        const QImage dense = gauge.Picture(2);
        ASSERT_EQ(dense.size(), QSize(200, 40));
        EXPECT_EQ(dense.devicePixelRatio(), 2);
        EXPECT_EQ(dense.pixel(2 * 10, 2 * 3), coarse.pixel(10, 3)) << "the bar";
        EXPECT_EQ(dense.pixel(2 * 90, 2 * 3), coarse.pixel(90, 3)) << "the background";
        int finerThanAPixel = 0;
        for (int y = 0; y < 40; y += 2)
            for (int x = 0; x < 200; x += 2)
                finerThanAPixel += dense.pixel(x, y) != dense.pixel(x + 1, y) ||
                                   dense.pixel(x, y) != dense.pixel(x, y + 1) ||
                                   dense.pixel(x, y) != dense.pixel(x + 1, y + 1);
        EXPECT_GT(finerThanAPixel, 10);
        EXPECT_EQ(gauge.Picture(1), coarse) << "the coarse picture is made again, not the dense one reused";
    }
}
