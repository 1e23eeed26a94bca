// Skinned windows under a window manager that frames the windows it manages (openbox), on a
// real X server: the window must know where it is on the screen, or the lists of its combo
// boxes and the dialogs centred over it open somewhere else.
#include "ControlsSkinFixture.h"
#include "TsSkinProvider.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << '(' << p.x() << ", " << p.y() << ')';
}

namespace {

using FramedDesktopTest = ControlsSkinFixture;

// Where the X server has the window: its top left corner on the screen, in Qt's (scaled)
// coordinates.
QPoint PlaceOnDisplay(const QWidget& window) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window.winId())});
    if (!xdotool.waitForFinished(5000))
        return {-1, -1};
    QPointF place(-1, -1);
    for (const QByteArray& line : xdotool.readAllStandardOutput().split('\n')) {
        if (line.startsWith("X="))
            place.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            place.setY(line.mid(2).toInt());
    }
    return (place / window.devicePixelRatioF()).toPoint();
}

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void ShowAndSettle(QWidget& window) {
    window.show();
    for (int i = 0; i < 200 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++i)
        Wait(10);
    // The window manager's answers to the mapping and to any move come after the exposure.
    Wait(150);
}

// A dialog centres itself over its parent as it is shown, after its native window is made and
// before it is mapped; it went wrong about one show in five.
TEST_F(FramedDesktopTest, ASkinnedDialogCentredAsItIsShownKnowsItsPlace) {
    QWidget form(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form.setGeometry(300, 200, 600, 400);
    ShowAndSettle(form);
    ASSERT_TRUE(form.windowFlags() & Qt::FramelessWindowHint) << "the form is skinned";
    for (int show = 0; show < 15; ++show) {
        QDialog dialog(&form);
        dialog.resize(320, 200);
        ShowAndSettle(dialog);
        ASSERT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint) << "the dialog is skinned";
        const QPoint onDisplay = PlaceOnDisplay(dialog);
        EXPECT_NE(onDisplay, QPoint(0, 0)) << "centred over the form, away from the corner";
        EXPECT_EQ(dialog.mapToGlobal(QPoint(0, 0)), onDisplay) << "show " << show;
        EXPECT_EQ(form.mapToGlobal(QPoint(0, 0)), PlaceOnDisplay(form)) << "show " << show;
    }
}

// A move the program makes right after the show may reach the display after the window's first
// paint: the place the display still reports then must not undo it.
TEST_F(FramedDesktopTest, AMoveRightAfterTheShowIsKept) {
    QWidget form(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form.setGeometry(300, 200, 600, 400);
    ShowAndSettle(form);
    for (int show = 0; show < 10; ++show) {
        QDialog dialog(&form);
        dialog.resize(320, 200);
        dialog.show();
        const QPoint asked(700 + show, 500);
        dialog.move(asked);
        Wait(400);
        EXPECT_EQ(PlaceOnDisplay(dialog), asked) << "show " << show;
        EXPECT_EQ(dialog.mapToGlobal(QPoint(0, 0)), asked) << "show " << show;
    }
}

// Real pointer input through the X server's test extension, as a mouse or touchpad gives it.
void Pointer(const QStringList& actions) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), actions);
    ASSERT_TRUE(xdotool.waitForFinished(5000));
    Wait(300);
}

QStringList PointAt(const QPoint& global, qreal ratio) {
    return {QStringLiteral("mousemove"), QString::number(qRound(global.x() * ratio)),
            QString::number(qRound(global.y() * ratio))};
}

// A click on the title with no time between press and release (a tap on a touchpad) is not
// the start of a drag: the window must not follow the pointer afterwards. A drag still moves it,
// and the window keeps its active title while the window manager moves it.
TEST_F(FramedDesktopTest, TheTitleMovesTheWindowOnlyWhenDragged) {
    QWidget form(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form.setGeometry(300, 200, 600, 400);
    ShowAndSettle(form);
    ASSERT_TRUE(form.windowFlags() & Qt::FramelessWindowHint) << "the form is skinned";
    const qreal ratio = form.devicePixelRatioF();
    const TsSkinProvider* provider = TsSkinProvider::Of(&form);
    ASSERT_NE(provider, nullptr);
    const QPoint onTitle = form.mapToGlobal(provider->Geometry().TitleStrip.center() - QPoint(60, 0));
    const QPoint before = PlaceOnDisplay(form);

    Pointer(PointAt(onTitle, ratio) + QStringList{QStringLiteral("click"), QStringLiteral("1")});
    Pointer(PointAt(onTitle + QPoint(150, 120), ratio));
    EXPECT_EQ(PlaceOnDisplay(form), before) << "the window stays where it was";
    Pointer(PointAt(onTitle + QPoint(-40, 60), ratio));
    EXPECT_EQ(PlaceOnDisplay(form), before) << "the window stays where it was";

    form.setWindowTitle(QStringLiteral("Morvane")); // an inactive title shows its caption dimmed
    form.activateWindow();
    Wait(200);
    const auto titleLook = [&] { return form.grab(provider->Geometry().TitleStrip).toImage(); };
    const QImage active = titleLook();
    Pointer(PointAt(onTitle, ratio) + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")});
    Pointer(PointAt(onTitle + QPoint(3, 0), ratio));
    Pointer(PointAt(onTitle + QPoint(40, 25), ratio));
    // The window manager holds the keyboard while it moves the window; the title stays active.
    EXPECT_TRUE(titleLook() == active) << "the title looks active during the drag";
    Pointer(PointAt(onTitle + QPoint(80, 50), ratio) + QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
    // The window manager follows the pointer from where the drag began, a few pixels on.
    const QPoint dragged = PlaceOnDisplay(form);
    EXPECT_LE((dragged - (before + QPoint(80, 50))).manhattanLength(), 4) << "a drag moves the window";
    EXPECT_EQ(form.mapToGlobal(QPoint(0, 0)), dragged);
    Pointer(PointAt(onTitle + QPoint(200, 150), ratio));
    EXPECT_EQ(PlaceOnDisplay(form), dragged) << "and the drag ends with the release";

    // A flick: the first report of the pointer is far on already; the window keeps up.
    const QPoint grab = form.mapToGlobal(provider->Geometry().TitleStrip.center() - QPoint(60, 0));
    Pointer(PointAt(grab, ratio) + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")});
    Pointer(PointAt(grab + QPoint(60, 40), ratio));
    Pointer(PointAt(grab + QPoint(100, 70), ratio) + QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_EQ(PlaceOnDisplay(form), dragged + QPoint(100, 70)) << "the grabbed point stays under the pointer";
    Pointer(PointAt(grab + QPoint(150, 120), ratio));
    EXPECT_EQ(PlaceOnDisplay(form), dragged + QPoint(100, 70)) << "and the drag ends with the release";
    EXPECT_TRUE(form.isActiveWindow());
    EXPECT_TRUE(titleLook() == active);
}

// A press, a move just past the drag threshold and the release, all at once (a quick tap that
// slides): the release comes before the window manager has taken the pointer for the move it
// was asked for. The window must not follow the pointer afterwards.
TEST_F(FramedDesktopTest, ATapThatSlidesDoesNotLeaveTheWindowFollowingThePointer) {
    QWidget form(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form.setGeometry(300, 200, 600, 400);
    ShowAndSettle(form);
    const qreal ratio = form.devicePixelRatioF();
    const TsSkinProvider* provider = TsSkinProvider::Of(&form);
    ASSERT_NE(provider, nullptr);
    for (int tap = 0; tap < 3; ++tap) {
        const QPoint before = PlaceOnDisplay(form);
        const QPoint onTitle = form.mapToGlobal(provider->Geometry().TitleStrip.center() - QPoint(60, 0));
        Pointer(PointAt(onTitle, ratio) +
                QStringList{QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove_relative"),
                            QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("mouseup"), QStringLiteral("1")});
        Pointer(PointAt(onTitle + QPoint(60, 50), ratio));
        Pointer(PointAt(onTitle + QPoint(120, 100), ratio));
        EXPECT_LE((PlaceOnDisplay(form) - before).manhattanLength(), 4) << "tap " << tap;
        Pointer({QStringLiteral("click"), QStringLiteral("1")}); // ends a move left waiting, if any
    }
}

} // namespace
