#include "Exceptions.h"
#include "FormPosition.h"
#include "IniFile.h"
#include "PlacementFixture.h"
#include "PlacementKeys.h"
#include "ScreenFit.h"
#include "ScreenMetrics.h"
#include "TempDir.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

void RunPendingEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

using Placement = TPlacementFixture;

TEST_F(Placement, SectionAndFileNames) {
    auto form = NewForm();
    EXPECT_EQ(form->FormPct->DefaultPlacementSection(), "TPlacementTestForm");
    form->FormPct->IniSection = "Mine";
    EXPECT_EQ(form->FormPct->DefaultPlacementSection(), "Mine");
    form->FormPct->IniFileName.clear();
    EXPECT_EQ(form->FormPct->EffectiveIniFileName(), "settings_placement_tests.INI")
        << "the program file's name with .INI, without a folder";
}

TEST_F(Placement, OptionsDefaultByKindOfOwner) {
    QWidget window;
    auto* child = new QWidget(&window);
    const TFormPlacement onForm(&window);
    const TFormPlacement onChild(child);
    EXPECT_EQ(onForm.Options, (TPlacementOptions{TPlacementOption::fpState, TPlacementOption::fpPosition}));
    EXPECT_EQ(onChild.Options, TPlacementOptions{});
    EXPECT_EQ(onChild.DefaultPlacementSection(), "");
    EXPECT_TRUE(onForm.Active);
    EXPECT_EQ(onForm.Version, 0);
    EXPECT_EQ(onForm.RegistryRoot, TPlacementRegRoot::prCurrentUser);
    EXPECT_TRUE(onForm.MinMaxInfo.DefaultMinMaxInfo());
}

TEST_F(Placement, SaveWritesEveryKeyInOrder) {
    auto form = NewForm();
    form->setGeometry(100, 120, 400, 300);
    form->sButton3->setFocus();
    form->FormPct->Active = false; // a save before any restore runs only while inactive
    form->FormPct->StorePlacement();
    const std::string minMax = "-1,-1,-1,-1";
    EXPECT_EQ(folder.Read("kvFormPct.ini"),
              "[TPlacementTestForm]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\n"
              "PixelsPerInch=" +
                  Ppi() + "\r\nMinMaxPos" + Suffix() + "=" + minMax + "\r\nMinMaxPos=" + minMax +
                  "\r\nNormPos" + Suffix() +
                  "=100,120,500,420\r\nNormPos=100,120,500,420\r\n"
                  "Visible=0\r\nActiveControl=sButton3\r\n");
    EXPECT_TRUE(form->FormPct->IsSaved());
}

TEST_F(Placement, WindowNeverShownLeavesTheFileAlone) {
    WriteSection("NormPos=1,2,3,4\r\n");
    {
        auto form = NewForm();
        EXPECT_TRUE(form->FormPct->CloseQueryHook());
    } // destroy hook
    EXPECT_EQ(folder.Read("kvFormPct.ini"), "[TPlacementTestForm]\r\nNormPos=1,2,3,4\r\n");
    EXPECT_TRUE(errors.empty());
}

TEST_F(Placement, InactiveComponentNeitherRestoresNorSaves) {
    WriteSection("NormPos=10,20,410,320\r\nShowCmd=3\r\n");
    auto form = NewForm();
    form->FormPct->Active = false;
    form->show();
    EXPECT_FALSE(form->FormPct->IsRestored());
    EXPECT_FALSE(form->isMaximized());
    form->close();
    form.reset();
    EXPECT_EQ(folder.Read("kvFormPct.ini"), "[TPlacementTestForm]\r\nNormPos=10,20,410,320\r\nShowCmd=3\r\n");
}

TEST_F(Placement, DestroyHookSavesOnlyWhenNoSaveCompleted) {
    auto form = NewForm();
    form->show();
    ASSERT_TRUE(form->FormPct->IsRestored());
    form.reset(); // destroyed without a close
    EXPECT_EQ(Key("Visible"), "1");
    EXPECT_EQ(Key("FormVersion"), "0");

    auto second = NewForm();
    second->show();
    second->close();
    EXPECT_EQ(Key("Visible"), "0");
    folder.Write("kvFormPct.ini", "untouched");
    second.reset();
    EXPECT_EQ(folder.Read("kvFormPct.ini"), "untouched") << "the close already saved";
}

TEST_F(Placement, EventsNameTheComponent) {
    auto form = NewForm();
    std::vector<std::string> calls;
    form->FormPct->OnRestorePlacement = [&](TFormPlacement* sender) {
        EXPECT_EQ(sender, form->FormPct);
        calls.push_back("restore");
    };
    form->FormPct->OnSavePlacement = [&](TFormPlacement* sender) {
        EXPECT_EQ(sender, form->FormPct);
        calls.push_back("save");
    };
    form->show();
    form->close();
    EXPECT_EQ(calls, (std::vector<std::string>{"restore", "save"}));
}

TEST_F(Placement, StoredVersionBelowOursCancelsTheWholeRestore) {
    WriteSection("FormVersion=-1\r\nShowCmd=3\r\nPixelsPerInch=" + Ppi() +
                 "\r\nNormPos=10,20,410,320\r\nActiveControl=sButton3\r\n");
    auto form = NewForm();
    form->setGeometry(50, 60, 400, 300);
    form->FormPct->LoadPlacement();
    EXPECT_EQ(form->geometry(), QRect(50, 60, 400, 300));
    EXPECT_FALSE(form->isMaximized());
    EXPECT_EQ(form->focusWidget(), nullptr);
    EXPECT_TRUE(form->FormPct->IsRestored());
    form->FormPct->StorePlacement();
    EXPECT_EQ(Key("FormVersion"), "0");
    EXPECT_EQ(Key("NormPos"), "50,60,450,360");
}

TEST_F(Placement, OwnVersionAboveTheStoredOne) {
    WriteSection("FormVersion=1\r\nPixelsPerInch=" + Ppi() + "\r\nNormPos=10,20,410,320\r\n");
    auto form = NewForm();
    form->setGeometry(50, 60, 400, 300);
    form->FormPct->Version = 2;
    form->FormPct->LoadPlacement();
    EXPECT_EQ(form->geometry(), QRect(50, 60, 400, 300));
    form->FormPct->StorePlacement();
    EXPECT_EQ(Key("FormVersion"), "2");
}

struct ActiveControlCase {
    const char* Name;
    const char* Stored;
    const char* Expected; // nullptr: the focus is left alone
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ActiveControlCase& c, std::ostream* os) {
    *os << c.Name;
}

class PlacementActiveControl : public Placement, public ::testing::WithParamInterface<ActiveControlCase> {};

TEST_P(PlacementActiveControl, FocusesOnlyAControlThatCanTakeIt) {
    WriteSection(std::string("ActiveControl=") + GetParam().Stored + "\r\n");
    auto form = NewForm();
    auto* hidden = new QPushButton("hidden", form.get());
    hidden->setObjectName("HiddenButton");
    hidden->hide();
    form->FormPct->LoadPlacement();
    const QWidget* focus = form->focusWidget();
    const std::string focused = focus ? focus->objectName().toStdString() : "(none)";
    EXPECT_EQ(focused, GetParam().Expected ? GetParam().Expected : "(none)");
}

INSTANTIATE_TEST_SUITE_P(Cases, PlacementActiveControl,
                         ::testing::Values(ActiveControlCase{"exact", "sButton3", "sButton3"},
                                           ActiveControlCase{"other_case", "SBUTTON3", "sButton3"},
                                           ActiveControlCase{"disabled", "sButton2", nullptr},
                                           ActiveControlCase{"hidden", "HiddenButton", nullptr},
                                           ActiveControlCase{"not_a_control", "FormPct", nullptr},
                                           ActiveControlCase{"unknown", "sButton9", nullptr},
                                           ActiveControlCase{"empty", "", nullptr}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct ShowCmdCase {
    int Stored;
    Qt::WindowState AfterShow;
    Qt::WindowState AfterEvents;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ShowCmdCase& c, std::ostream* os) {
    *os << "ShowCmd=" << c.Stored;
}

class PlacementShowCmd : public Placement, public ::testing::WithParamInterface<ShowCmdCase> {};

TEST_P(PlacementShowCmd, MapsToAWindowState) {
    WriteSection("ShowCmd=" + std::to_string(GetParam().Stored) + "\r\n");
    auto form = NewForm();
    form->show();
    EXPECT_EQ(form->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), GetParam().AfterShow);
    RunPendingEvents();
    EXPECT_EQ(form->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), GetParam().AfterEvents);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlacementShowCmd,
                         ::testing::Values(ShowCmdCase{1, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{5, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{9, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{0, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{4, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{8, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{-1, Qt::WindowNoState, Qt::WindowNoState},
                                           ShowCmdCase{3, Qt::WindowMaximized, Qt::WindowMaximized},
                                           ShowCmdCase{2, Qt::WindowNoState, Qt::WindowMinimized},
                                           ShowCmdCase{6, Qt::WindowNoState, Qt::WindowMinimized},
                                           ShowCmdCase{7, Qt::WindowNoState, Qt::WindowMinimized}));

TEST_F(Placement, StateIsSavedAsAShowCommand) {
    auto form = NewForm();
    form->show();
    form->setGeometry(30, 40, 400, 300);
    RunPendingEvents();
    const QRect normal = form->frameGeometry();
    form->showMaximized();
    RunPendingEvents();
    ASSERT_NE(form->frameGeometry(), normal);
    form->close();
    EXPECT_EQ(Key("ShowCmd"), "3");
    EXPECT_EQ(Key("NormPos"), FormatFourNumbers({normal.left(), normal.top(), normal.left() + normal.width(),
                                                 normal.top() + normal.height()}))
        << "the outer bounds the window goes back to";

    auto second = NewForm();
    second->show();
    second->showMinimized();
    RunPendingEvents();
    second->close();
    EXPECT_EQ(Key("ShowCmd"), "2");
}

struct NormPosCase {
    const char* Name;
    std::string Keys;
    QRect Expected; // the window starts hidden at 100,120 sized 400x300
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const NormPosCase& c, std::ostream* os) {
    *os << c.Name;
}

class PlacementNormPos : public Placement, public ::testing::WithParamInterface<NormPosCase> {};

TEST_P(PlacementNormPos, ReadsAndAppliesTheRectangle) {
    WriteSection(GetParam().Keys);
    auto form = NewForm();
    form->setGeometry(100, 120, 400, 300);
    ReadWindowPlacement(form.get(), TIniFile(IniPath()), "TPlacementTestForm", {true, true});
    EXPECT_EQ(form->geometry(), GetParam().Expected);
}

const QRect Unchanged(100, 120, 400, 300);

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementNormPos,
    ::testing::Values(
        NormPosCase{"commas", "NormPos=10,20,310,220\r\n", QRect(10, 20, 300, 200)},
        NormPosCase{"blanks", "NormPos=10 20 310 220\r\n", QRect(10, 20, 300, 200)},
        NormPosCase{"doubled_commas", "NormPos=,10,,20, 310,220\r\n", QRect(10, 20, 300, 200)},
        NormPosCase{"two_numbers", "NormPos=10,20\r\n", QRect(10, 20, 490, 400)},
        NormPosCase{"bad_word_takes_its_default", "NormPos=10,x,310,220\r\n", QRect(10, 120, 300, 100)},
        NormPosCase{"right_not_above_left", "NormPos=500,300,400,700\r\n", Unchanged},
        NormPosCase{"right_equal_to_left", "NormPos=300,20,300,220\r\n", Unchanged},
        NormPosCase{"empty", "NormPos=\r\n", Unchanged},
        NormPosCase{"other_pixel_density", "PixelsPerInch=144\r\nNormPos=10,20,310,220\r\n", Unchanged},
        NormPosCase{"same_pixel_density", "PixelsPerInch=" + Ppi() + "\r\nNormPos=10,20,310,220\r\n",
                    QRect(10, 20, 300, 200)},
        NormPosCase{"bad_pixel_density_is_the_current", "PixelsPerInch=x\r\nNormPos=10,20,310,220\r\n",
                    QRect(10, 20, 300, 200)},
        NormPosCase{"suffixed_key_first", "NormPos=1,2,201,202\r\nNormPos" + Suffix() + "=10,20,310,220\r\n",
                    QRect(10, 20, 300, 200)},
        NormPosCase{"plain_key_for_another_resolution",
                    "NormPos(1x1)=1,2,201,202\r\nNormPos=10,20,310,220\r\n", QRect(10, 20, 300, 200)},
        NormPosCase{"empty_suffixed_key_falls_back", "NormPos" + Suffix() + "=\r\nNormPos=10,20,310,220\r\n",
                    QRect(10, 20, 300, 200)},
        NormPosCase{"min_max_alone_applies_current_bounds", "MinMaxPos=1,2,3,4\r\n", Unchanged}),
    [](const auto& info) { return std::string(info.param.Name); });

struct StoredNumbersCase {
    const char* Name;
    std::string NormPos;
    std::function<QRect(const QRect& area)> Expected; // from the screen's available area
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const StoredNumbersCase& c, std::ostream* os) {
    *os << c.Name;
}

class PlacementStoredNumbers : public Placement, public ::testing::WithParamInterface<StoredNumbersCase> {};

// Whatever a hand-made file holds, the window is visible and no larger than the screen.
TEST_P(PlacementStoredNumbers, GiveAWindowOnTheScreen) {
    WriteSection("NormPos=" + GetParam().NormPos + "\r\n");
    auto form = NewForm();
    form->setGeometry(100, 120, 400, 300);
    ReadWindowPlacement(form.get(), TIniFile(IniPath()), "TPlacementTestForm", {true, true});
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form->geometry(), GetParam().Expected(area));
}

QRect NotApplied(const QRect&) {
    return QRect(100, 120, 400, 300);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementStoredNumbers,
    ::testing::Values(StoredNumbersCase{"bottom_not_below_top", "100,100,900,50", NotApplied},
                      StoredNumbersCase{"bottom_equal_to_top", "10,20,310,20", NotApplied},
                      StoredNumbersCase{"no_size_at_all", "10,20,10,20", NotApplied},
                      StoredNumbersCase{"whole_32_bit_range", "0,0,2147483647,2147483647",
                                        [](const QRect& a) {
                                            return a;
                                        }},
                      StoredNumbersCase{"width_overflows_32_bits", "-2147483648,10,2147483647,310",
                                        [](const QRect& a) {
                                            return QRect(a.left(), 10, a.width(), 300);
                                        }},
                      StoredNumbersCase{"height_overflows_32_bits", "10,-2147483648,310,2147483647",
                                        [](const QRect& a) {
                                            return QRect(10, a.top(), 300, a.height());
                                        }},
                      StoredNumbersCase{"far_beyond_the_bottom_right",
                                        "2147483000,2147483000,2147483300,2147483200",
                                        [](const QRect& a) {
                                            return QRect(a.right() + 1 - 300, a.bottom() + 1 - 200, 300, 200);
                                        }},
                      StoredNumbersCase{"far_beyond_the_top_left",
                                        "-2147483648,-2147483648,-2147483348,-2147483448",
                                        [](const QRect& a) {
                                            return QRect(a.left(), a.top(), 300, 200);
                                        }},
                      StoredNumbersCase{"partly_off_the_right", "700,100,1000,400",
                                        [](const QRect& a) {
                                            return QRect(std::min(700, a.right() + 1 - 300), 100, 300, 300);
                                        }},
                      StoredNumbersCase{"larger_than_the_screen", "10,10,40000,30000",
                                        [](const QRect& a) {
                                            return a;
                                        }},
                      StoredNumbersCase{"too_small_to_see", "10,20,11,21",
                                        [](const QRect&) {
                                            return QRect(QPoint(10, 20), SmallestWindowSize);
                                        }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Placement, FixedSizeWindowAtTheEndOfTheRangeComesOnScreen) {
    WriteSection("NormPos=2147483647,2147483647,0,0\r\n");
    auto form = NewForm();
    form->setGeometry(100, 120, 400, 300);
    form->setFixedSize(400, 300);
    ReadWindowPlacement(form.get(), TIniFile(IniPath()), "TPlacementTestForm", {false, true});
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form->geometry(), QRect(area.right() + 1 - 400, area.bottom() + 1 - 300, 400, 300));
}

TEST_F(Placement, WindowOfFixedSizeKeepsItsSize) {
    WriteSection("NormPos=10,20,900,900\r\n");
    auto form = NewForm();
    form->setGeometry(100, 120, 400, 300);
    form->setFixedSize(400, 300);
    ReadWindowPlacement(form.get(), TIniFile(IniPath()), "TPlacementTestForm", {false, true});
    EXPECT_EQ(form->geometry(), QRect(10, 20, 400, 300));
}

TEST_F(Placement, RectangleOffEveryScreenIsBroughtBack) {
    WriteSection("NormPos=50000,50000,50400,50300\r\n");
    auto form = NewForm();
    ReadWindowPlacement(form.get(), TIniFile(IniPath()), "TPlacementTestForm", {false, true});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(form->geometry())) << form->geometry().x() << "," << form->geometry().y();
    EXPECT_EQ(form->size(), QSize(400, 300));
}

TEST_F(Placement, PlacedWindowIsNoLongerCentred) {
    WriteSection("NormPos=10,20,310,220\r\n");
    auto form = NewForm();
    ASSERT_EQ(FormPosition(form.get()), TPosition::poScreenCenter);
    form->show();
    EXPECT_EQ(FormPosition(form.get()), TPosition::poDesigned);
    EXPECT_EQ(form->frameGeometry(), QRect(10, 20, 300, 200)) << "the stored bounds are the outer ones";
}

struct MaxPositionCase {
    const char* Name;
    Qt::WindowFlags Flags;
    bool FixedSize;
    TPlacementPoint Expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const MaxPositionCase& c, std::ostream* os) {
    *os << c.Name;
}

class PlacementMaxPosition : public Placement, public ::testing::WithParamInterface<MaxPositionCase> {};

TEST_P(PlacementMaxPosition, FollowsTheBorderStyle) {
    WriteSection("MinMaxPos=7,8,9,10\r\n");
    auto form = std::make_unique<TPlacementTestForm>(IniPath(), GetParam().Flags);
    if (GetParam().FixedSize)
        form->setFixedSize(400, 300);
    form->show();
    const TWindowPlacement placement = GetWindowPlacement(form.get());
    EXPECT_EQ(placement.MinPosition, (TPlacementPoint{7, 8}));
    EXPECT_EQ(placement.MaxPosition, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementMaxPosition,
    ::testing::Values(MaxPositionCase{"sizeable", Qt::Window, false, {-4, -4}},
                      MaxPositionCase{"single", Qt::Window, true, {-1, -1}},
                      MaxPositionCase{"dialog", Qt::Dialog, true, {-3, -3}},
                      MaxPositionCase{
                          "frameless_sizeable", Qt::Window | Qt::FramelessWindowHint, false, {-4, -4}},
                      MaxPositionCase{"frameless_fixed", Qt::Window | Qt::FramelessWindowHint, true, {0, 0}},
                      MaxPositionCase{"tool", Qt::Tool, true, {-1, -1}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Placement, UnwritableFileIsReportedByCloseAndDestroy) {
    std::filesystem::create_directory(IniPath());
    auto form = NewForm();
    form->show();
    EXPECT_TRUE(form->close()) << "the close goes on";
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unable to write to " + IniPath());
    EXPECT_FALSE(form->FormPct->IsSaved());
    EXPECT_EQ(form->CloseHandlerRuns, 1);
    form.reset();
    ASSERT_EQ(errors.size(), 2u) << "the destroy hook tries again";
    EXPECT_EQ(errors[1], errors[0]);
    EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
    EXPECT_EQ(folder.Listing(), "kvFormPct.ini;");
}

TEST_F(Placement, SaveComesBeforeTheWindowsOwnCloseHandler) {
    auto form = NewForm();
    form->show();
    form->RefuseClose = true;
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Key("FormVersion"), "0") << "saved although the window refused to close";
    folder.Write("kvFormPct.ini", "");
    EXPECT_FALSE(form->close());
    EXPECT_EQ(Key("FormVersion"), "0") << "every close attempt saves again";
    EXPECT_EQ(form->CloseHandlerRuns, 2);
}

TEST_F(Placement, RestoreErrorGoesToTheReporterAndTheShowGoesOn) {
    auto form = NewForm();
    form->FormPct->OnRestorePlacement = [](TFormPlacement*) {
        throw Exception("broken restore");
    };
    form->show();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(errors, (std::vector<std::string>{"broken restore"}));
}

} // namespace
