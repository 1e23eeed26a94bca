// A placement saved by a program running at one scale factor and read by one running at
// another: the window must land wholly on the screen, at a size the screen can show.
#include "TempDir.h"

#include <QProcess>
#include <QRect>
#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

namespace {

struct TProbeResult {
    QRect Frame;
    QRect Area;
};

// Runs the probe at a scale factor; moves the window to `moveTo` first when given.
TProbeResult RunProbe(const std::string& ini, const char* scale, std::optional<QRect> moveTo = {}) {
    QStringList arguments{QString::fromStdString(ini)};
    if (moveTo)
        for (int n : {moveTo->left(), moveTo->top(), moveTo->width(), moveTo->height()})
            arguments << QString::number(n);
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", scale);
    probe.setProcessEnvironment(environment);
    probe.start(MORVANE_PLACEMENT_PROBE, arguments);
    EXPECT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    const QStringList words = QString::fromUtf8(probe.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts);
    if (words.size() != 10) {
        ADD_FAILURE() << "unexpected probe output: " << words.join(' ').toStdString();
        return {};
    }
    const auto rect = [&](int at) {
        return QRect(words[at].toInt(), words[at + 1].toInt(), words[at + 2].toInt(), words[at + 3].toInt());
    };
    return {rect(1), rect(6)};
}

std::string Text(const QRect& r) {
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

struct ScaleCase {
    const char* Name;
    const char* SaveScale; // nullptr: nothing saved before
    QRect Saved;           // outer bounds at the save, in that run's pixels
    const char* ReadScale;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.Name;
}

class PlacementScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PlacementScale, WindowLandsOnTheScreen) {
    const ScaleCase& c = GetParam();
    TTempDir folder;
    const std::string ini = folder.File("kvFormPct.ini");
    if (c.SaveScale != nullptr) {
        const TProbeResult saved = RunProbe(ini, c.SaveScale, c.Saved);
        ASSERT_EQ(saved.Frame, c.Saved) << "the window did not go where the case puts it";
    }
    const TProbeResult read = RunProbe(ini, c.ReadScale);
    EXPECT_TRUE(read.Area.contains(read.Frame)) << Text(read.Frame) << " on " << Text(read.Area);
    if (c.SaveScale != nullptr && read.Area.contains(c.Saved)) {
        EXPECT_EQ(read.Frame, c.Saved) << "a placement that fits is kept as it is";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementScale,
    // The X server's screen is 1280x1024: 640x512 at scale 2, 853x683 at 1.5, 426x341 at 3,
    // 320x256 at 4.
    ::testing::Values(ScaleCase{"bottom_right_at_1_read_at_2", "1", QRect(530, 574, 750, 450), "2"},
                      ScaleCase{"whole_screen_at_1_read_at_2", "1", QRect(0, 0, 1280, 1024), "2"},
                      ScaleCase{"bottom_right_at_1_5_read_at_3", "1.5", QRect(400, 300, 453, 383), "3"},
                      ScaleCase{"at_2_read_at_1", "2", QRect(300, 200, 340, 312), "1"},
                      ScaleCase{"nothing_saved_read_at_4", nullptr, QRect(), "4"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
