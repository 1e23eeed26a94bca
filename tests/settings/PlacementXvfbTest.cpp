// Positions on a real X server (no window manager, so a window's frame is its client area).
#include "IniFile.h"
#include "PlacementFixture.h"
#include "PlacementKeys.h"
#include "ScreenMetrics.h"
#include "TempDir.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    QApplication::processEvents();
}

std::string Bounds(const QRect& r) {
    return FormatFourNumbers({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

QRect Centred(QSize size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QRect(QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2), size);
}

class PlacementOnScreen : public TPlacementFixture {
protected:
    std::unique_ptr<TPlacementTestForm> Open() {
        auto form = NewForm();
        form->show();
        Settle();
        return form;
    }
};

TEST_F(PlacementOnScreen, FirstStartOpensCentredAndTheCloseWritesTheSection) {
    auto form = Open();
    const QRect frame = form->frameGeometry();
    EXPECT_EQ(frame, Centred(QSize(400, 300)));
    form->sButton3->setFocus();
    form->close();
    const std::string bounds = Bounds(frame);
    EXPECT_EQ(folder.Read("kvFormPct.ini"),
              "[TPlacementTestForm]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\n"
              "PixelsPerInch=" +
                  Ppi() + "\r\nMinMaxPos" + Suffix() + "=-1,-1,-4,-4\r\nMinMaxPos=-1,-1,-4,-4\r\nNormPos" +
                  Suffix() + "=" + bounds + "\r\nNormPos=" + bounds +
                  "\r\nVisible=0\r\nActiveControl=sButton3\r\n");
    form.reset();
    EXPECT_TRUE(errors.empty());
}

TEST_F(PlacementOnScreen, MovedAndResizedWindowComesBackThere) {
    auto form = Open();
    form->move(200, 150);
    form->resize(500, 350);
    Settle();
    ASSERT_EQ(form->frameGeometry(), QRect(200, 150, 500, 350));
    form->close();
    form.reset();

    auto again = Open();
    EXPECT_EQ(again->frameGeometry(), QRect(200, 150, 500, 350));
    EXPECT_FALSE(again->isMaximized());
    EXPECT_FALSE(again->isMinimized());
}

TEST_F(PlacementOnScreen, PlainKeysServeANewResolutionAndOldKeysStay) {
    WriteSection("PixelsPerInch=" + Ppi() +
                 "\r\nNormPos(1024x768)=10,10,300,300\r\nNormPos=300,200,800,600\r\n");
    auto form = Open();
    EXPECT_EQ(form->frameGeometry(), QRect(300, 200, 500, 400));
    form->move(320, 220);
    Settle();
    form->close();
    EXPECT_EQ(Key("NormPos" + Suffix()), "320,220,820,620");
    EXPECT_EQ(Key("NormPos"), "320,220,820,620");
    EXPECT_EQ(Key("NormPos(1024x768)"), "10,10,300,300");
}

TEST_F(PlacementOnScreen, KeyOfTheCurrentResolutionWins) {
    WriteSection("PixelsPerInch=" + Ppi() + "\r\nNormPos" + Suffix() +
                 "=100,110,400,410\r\nNormPos=300,200,800,600\r\n");
    auto form = Open();
    EXPECT_EQ(form->frameGeometry(), QRect(100, 110, 300, 300));
}

struct CentredCase {
    const char* Name;
    std::string Keys;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const CentredCase& c, std::ostream* os) {
    *os << c.Name;
}

class PlacementOpensCentred : public PlacementOnScreen, public ::testing::WithParamInterface<CentredCase> {};

TEST_P(PlacementOpensCentred, NothingOfThePositionIsApplied) {
    WriteSection(GetParam().Keys);
    auto form = Open();
    EXPECT_EQ(form->frameGeometry(), Centred(QSize(400, 300)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementOpensCentred,
    ::testing::Values(CentredCase{"other_pixel_density", "PixelsPerInch=120\r\nNormPos=10,20,310,220\r\n"},
                      CentredCase{"right_not_above_left", "NormPos=500,300,400,700\r\n"},
                      CentredCase{"older_version", "FormVersion=-1\r\nNormPos=10,20,310,220\r\n"},
                      CentredCase{"no_position_keys", "ShowCmd=1\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

class PlacementLooseNumbers : public PlacementOnScreen, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlacementLooseNumbers, ReadLikeCommaSeparatedOnes) {
    WriteSection(std::string("NormPos=") + GetParam() + "\r\n");
    auto form = Open();
    EXPECT_EQ(form->frameGeometry(), QRect(10, 20, 790, 480));
}

INSTANTIATE_TEST_SUITE_P(Cases, PlacementLooseNumbers,
                         ::testing::Values("10,20,800,500", "10 20 800 500", ",10,,20, 800,500"));

TEST_F(PlacementOnScreen, MaximisedStateComesBackWithItsNormalBounds) {
    WriteSection("ShowCmd=3\r\nNormPos=100,110,400,410\r\n");
    auto form = Open();
    EXPECT_TRUE(form->isMaximized());
    form->showNormal();
    Settle();
    EXPECT_EQ(form->frameGeometry(), QRect(100, 110, 300, 300));
}

TEST_F(PlacementOnScreen, MinimisedStateMinimisesOnceTheEventLoopRuns) {
    WriteSection("ShowCmd=2\r\nNormPos=100,110,400,410\r\n");
    auto form = std::make_unique<TPlacementTestForm>(IniPath());
    form->show();
    EXPECT_FALSE(form->isMinimized()) << "shown normally first";
    Settle();
    EXPECT_TRUE(form->isMinimized());
    EXPECT_EQ(GetWindowPlacement(form.get()).NormalPosition, (TPlacementRect{100, 110, 400, 410}));
}

// Closed while minimised from maximised, the window starts minimised and restores to maximised
// again, so the next close writes the same placement.
TEST_F(PlacementOnScreen, AWindowMinimisedFromMaximisedComesBackToRestoreMaximised) {
    WriteSection("Flags=2\r\nShowCmd=2\r\nNormPos=100,110,400,410\r\n");
    auto form = std::make_unique<TPlacementTestForm>(IniPath());
    form->show();
    Settle();
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized) << "restores to maximised";
    form->close();
    const TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadInteger("TPlacementTestForm", PlacementKey::Flags, -1), 2);
    EXPECT_EQ(ini.ReadInteger("TPlacementTestForm", PlacementKey::ShowCmd, -1), 2);
    EXPECT_EQ(ini.ReadString("TPlacementTestForm", PlacementKey::NormPos, ""), "100,110,400,410");
}

TEST_F(PlacementOnScreen, UnwritableFileKeepsTheWindowClosingAndReportsTwice) {
    std::filesystem::create_directory(IniPath());
    auto form = Open();
    EXPECT_EQ(form->frameGeometry(), Centred(QSize(400, 300)));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    form.reset();
    EXPECT_EQ(errors, std::vector<std::string>(2, "Unable to write to " + IniPath()));
    EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
}

} // namespace
