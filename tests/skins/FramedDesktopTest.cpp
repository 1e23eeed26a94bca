// Skinned windows under a window manager that frames the windows it manages (openbox), on a
// real X server: the window must know where it is on the screen, or the lists of its combo
// boxes and the dialogs centred over it open somewhere else.
#include "ControlsSkinFixture.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QProcess>
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

} // namespace
