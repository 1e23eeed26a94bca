// Keys on a focused push button of the window: Enter clicks it, as Space does.
#include "MorvaneMain.h"
#include "TsButton.h"

#include <QApplication>
#include <QKeyEvent>
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

} // namespace
