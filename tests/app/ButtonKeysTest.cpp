// Keys on a focused push button of the window: Enter clicks it, as Space does.
#include "KeyRepeatGuard.h"
#include "MorvaneMain.h"
#include "TsButton.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    bool AutoRepeat;
    int Clicks;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.Name;
}

void Type(QWidget* target, const KeyCase& c) {
    QKeyEvent press(QEvent::KeyPress, c.Key, c.Modifiers, QString(), c.AutoRepeat);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, c.Key, c.Modifiers, QString(), c.AutoRepeat);
    QApplication::sendEvent(target, &release);
}

class ButtonKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ButtonKeys, ClickTheFocusedButton) {
    QWidget window;
    auto* button = new TsButton(&window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    QApplication::setActiveWindow(&window);
    button->setFocus();
    QCoreApplication::processEvents();
    Type(button, GetParam());
    EXPECT_EQ(clicks, GetParam().Clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonKeys,
    ::testing::Values(KeyCase{"space", Qt::Key_Space, Qt::NoModifier, false, 1},
                      KeyCase{"return", Qt::Key_Return, Qt::NoModifier, false, 1},
                      KeyCase{"keypad_enter", Qt::Key_Enter, Qt::KeypadModifier, false, 1},
                      // Holding the key down must not run a step over and over.
                      KeyCase{"return_held_down", Qt::Key_Return, Qt::NoModifier, true, 0},
                      KeyCase{"ctrl_return", Qt::Key_Return, Qt::ControlModifier, false, 0},
                      KeyCase{"alt_return", Qt::Key_Return, Qt::AltModifier, false, 0},
                      KeyCase{"letter", Qt::Key_A, Qt::NoModifier, false, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// On the real window: Enter on the focused exit button closes it, the way a click does.
TEST(ButtonKeysOnTheWindow, EnterOnTheExitButtonRunsTheExitStep) {
    TMorvaneMainForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();
    form.sButton5->setFocus();
    Type(form.sButton5, KeyCase{"return", Qt::Key_Return, Qt::NoModifier, false, 1});
    EXPECT_FALSE(form.isVisible());
}

// Enter held down: the first press clicks the focused button, whose step moves the focus on
// (or opens a dialog); what the keyboard repeats then must click nothing, however the X server
// and Qt report the repeats, until the key has really been let go.
struct HeldEnter : ::testing::Test {
    HeldEnter() {
        auto* layout = new QVBoxLayout(&window);
        first = new TsButton(&window);
        next = new TsButton(&window);
        layout->addWidget(first);
        layout->addWidget(next);
        QObject::connect(first, &QPushButton::clicked, [this] { ++firstClicks, next->setFocus(); });
        QObject::connect(next, &QPushButton::clicked, [this] { ++nextClicks; });
        window.show();
        QApplication::setActiveWindow(&window);
        first->setFocus();
        QCoreApplication::processEvents();
    }
    static void Send(QWidget* target, QEvent::Type type, quint64 time, bool autoRepeat = false,
                     Qt::Key which = Qt::Key_Return) {
        QKeyEvent key(type, which, Qt::NoModifier, which == Qt::Key_Space ? QStringLiteral(" ") : QString(),
                      autoRepeat);
        key.setTimestamp(time);
        QApplication::sendEvent(target, &key);
    }
    QWidget window;
    TKeyRepeatGuard guard;
    TsButton* first;
    TsButton* next;
    int firstClicks = 0;
    int nextClicks = 0;
};

TEST_F(HeldEnter, RepeatsNeverReachTheNextButton) {
    Send(first, QEvent::KeyPress, 100);
    ASSERT_EQ(firstClicks, 1);
    ASSERT_TRUE(next->hasFocus());
    Send(next, QEvent::KeyPress, 760);                         // a repeat without a release
    Send(next, QEvent::KeyPress, 800, true);                   // a repeat Qt marked
    Send(next, QEvent::KeyRelease, 840), Send(next, QEvent::KeyPress, 840); // an unpaired repeat
    EXPECT_EQ(nextClicks, 0);
    Send(next, QEvent::KeyRelease, 900);
    Send(next, QEvent::KeyPress, 1200);
    EXPECT_EQ(nextClicks, 1) << "a new press after the release clicks";
}

// Space clicks on its release. Held, the X server may repeat it as release and press pairs that
// Qt does not pair: the first lone release clicks the button the key went down on, and what
// follows must not put the next step down and click it.
TEST_F(HeldEnter, HeldSpaceNeverClicksTheNextButton) {
    const auto space = [](QWidget* target, QEvent::Type type, quint64 time, bool autoRepeat = false) {
        Send(target, type, time, autoRepeat, Qt::Key_Space);
    };
    space(first, QEvent::KeyPress, 100);
    space(first, QEvent::KeyRelease, 600); // a repeat's release, taken for the key going up
    ASSERT_EQ(firstClicks, 1);
    ASSERT_TRUE(next->hasFocus());
    space(next, QEvent::KeyPress, 600);                                   // its twin press
    space(next, QEvent::KeyRelease, 640), space(next, QEvent::KeyPress, 640); // the next pair
    space(next, QEvent::KeyPress, 680, true);                             // a repeat Qt marked
    space(next, QEvent::KeyRelease, 2000);                                // the key goes up
    EXPECT_EQ(nextClicks, 0);
    space(next, QEvent::KeyPress, 2500);
    space(next, QEvent::KeyRelease, 2600);
    EXPECT_EQ(nextClicks, 1) << "a new press and release click";
}

// A release that never arrives (the window that had the focus went away on the press) does not
// swallow the next real press.
TEST_F(HeldEnter, APressLongAfterALostReleaseClicks) {
    Send(first, QEvent::KeyPress, 100);
    ASSERT_EQ(firstClicks, 1);
    Send(next, QEvent::KeyPress, 3000);
    EXPECT_EQ(nextClicks, 1);
}

TEST_F(HeldEnter, RepeatsNeverAcceptADialogTheClickOpened) {
    QDialog dialog(&window);
    auto* name = new QLineEdit(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(name);
    layout->addWidget(ok);
    QObject::connect(first, &QPushButton::clicked, [&] {
        dialog.show();
        name->setFocus();
    });
    Send(first, QEvent::KeyPress, 100);
    ASSERT_TRUE(dialog.isVisible());
    Send(name, QEvent::KeyPress, 760);
    Send(name, QEvent::KeyPress, 800, true);
    EXPECT_TRUE(dialog.isVisible()) << "the held key accepted the dialog";
    Send(name, QEvent::KeyRelease, 900);
    // A real press in the name box goes on to the dialog, which takes it for its OK button.
    Send(name, QEvent::KeyPress, 1200);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Its release went nowhere, the dialog being gone; the next press, soon after, still clicks
    // once the window has the focus again.
    window.activateWindow();
    QCoreApplication::processEvents();
    next->setFocus();
    Send(next, QEvent::KeyPress, 1500);
    EXPECT_EQ(nextClicks, 1);
}

} // namespace
