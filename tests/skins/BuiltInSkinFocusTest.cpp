// Keyboard focus under each built-in skin: the file dialog's combo boxes and tool buttons show
// where Tab went, and a focused button keeps showing its focus under the mouse and held down,
// told apart from a button that is only under the mouse or held down.
#include "BuiltInSkinManagerFixture.h"
#include "ReadableColors.h"
#include "HoverFade.h"
#include "TsButton.h"
#include "TsComboBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace {

using BuiltInSkinFocusTest = BuiltInSkinManagerTest;

// How much one picture shows beyond another: the pixels that clearly changed, and the contrast
// of the most changed one with what was there.
struct Difference {
    int Pixels = 0;
    double Strongest = 1;
};

Difference Between(const QImage& a, const QImage& b) {
    Difference d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))}) < 16)
                continue;
            ++d.Pixels;
            d.Strongest = std::max(d.Strongest, ContrastRatio(QColor(p), QColor(q)));
        }
    return d;
}

// A mark that can be seen: along a good part of the control's edges, darker or lighter than
// what was there by as much as the skins' own focus pictures are.
void ExpectVisible(const Difference& d, const QSize& size, const std::string& what) {
    EXPECT_GE(d.Pixels, size.width() + size.height()) << what;
    EXPECT_GE(d.Strongest, 1.3) << what;
}

enum class Control { ComboBox, ToolButton, PushButton };

// The control as the application style draws it for the file dialog, on the window's colour.
QImage StyleDrawn(Control control, QStyle::State state) {
    QStyle* style = QApplication::style();
    const QSize size = control == Control::ToolButton ? QSize(26, 24) : QSize(120, 23);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QApplication::palette().color(QPalette::Window));
    QPainter painter(&image);
    state |= QStyle::State_Enabled;
    switch (control) {
    case Control::ComboBox: {
        QStyleOptionComboBox option;
        option.rect = image.rect();
        option.state = state;
        option.palette = QApplication::palette();
        option.subControls = QStyle::SC_All;
        option.frame = true;
        style->drawComplexControl(QStyle::CC_ComboBox, &option, &painter);
        break;
    }
    case Control::ToolButton: {
        QStyleOptionToolButton option;
        option.rect = image.rect();
        // As the tool button sets it: raised while the mouse is over it.
        option.state = state | QStyle::State_AutoRaise |
                       (state & QStyle::State_MouseOver ? QStyle::State_Raised : QStyle::State_None);
        option.palette = QApplication::palette();
        option.subControls = QStyle::SC_ToolButton;
        option.toolButtonStyle = Qt::ToolButtonIconOnly;
        style->drawComplexControl(QStyle::CC_ToolButton, &option, &painter);
        break;
    }
    case Control::PushButton: {
        QStyleOptionButton option;
        option.rect = image.rect();
        option.state = state;
        option.palette = QApplication::palette();
        style->drawControl(QStyle::CE_PushButton, &option, &painter);
        break;
    }
    }
    return image;
}

const char* NameOf(Control control) {
    return control == Control::ComboBox ? "combo box" : control == Control::ToolButton ? "tool button" : "button";
}

} // namespace

// Tab onto any of the file dialog's controls marks it, whether the mouse is over it or not.
TEST_P(BuiltInSkinFocusTest, FocusShowsOnTheFileDialogsControlsWithAndWithoutTheMouse) {
    for (const Control control : {Control::ComboBox, Control::ToolButton, Control::PushButton})
        for (const QStyle::State mouse : {QStyle::State_None, QStyle::State_MouseOver}) {
            const std::string what = std::string(GetParam()) + " " + NameOf(control) +
                                     (mouse ? " under the mouse" : "");
            const QImage unfocused = StyleDrawn(control, mouse);
            const QImage focused = StyleDrawn(control, mouse | QStyle::State_HasFocus);
            ExpectVisible(Between(unfocused, focused), focused.size(), what);
        }
}

namespace {

enum class Pointer { Away, Over, Holding };

// A skinned button, focused or not, with the pointer away, over it or holding it down.
QImage PaintedButton(bool focus, Pointer pointer) {
    QWidget window;
    window.resize(120, 40);
    auto* button = new TsButton(&window);
    button->setGeometry(10, 8, 75, 23);
    auto* other = new TsButton(&window);
    other->setGeometry(90, 8, 20, 23);
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
    (focus ? button : other)->setFocus();
    if (pointer != Pointer::Away) {
        button->setAttribute(Qt::WA_UnderMouse);
        const QPointF middle(37, 11);
        QHoverEvent enter(QEvent::HoverEnter, middle, button->mapToGlobal(middle), QPointF(-1, -1));
        QApplication::sendEvent(button, &enter);
        if (pointer == Pointer::Holding) {
            QMouseEvent press(QEvent::MouseButtonPress, middle, button->mapToGlobal(middle), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(button, &press);
            EXPECT_TRUE(button->isDown());
        }
    }
    EXPECT_EQ(button->hasFocus(), focus);
    // A fade between states (at most 20 steps of 16 ms) runs to its end.
    QElapsedTimer fade;
    fade.start();
    while (fade.elapsed() < 20 * HoverFade::StepMilliseconds + 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return button->grab().toImage();
}

} // namespace

TEST_P(BuiltInSkinFocusTest, AFocusedButtonKeepsItsFocusUnderTheMouseAndHeldDown) {
    for (const auto& [pointer, name] :
         {std::pair{Pointer::Over, "under the mouse"}, {Pointer::Holding, "held down"}}) {
        const QImage unfocused = PaintedButton(false, pointer);
        const QImage focused = PaintedButton(true, pointer);
        ExpectVisible(Between(unfocused, focused), focused.size(),
                      std::string(GetParam()) + ": focus " + name);
    }
}

// The button's face, inside its rim and rings.
QImage FaceOf(const QImage& button) {
    return button.copy(button.rect().adjusted(4, 4, -4, -4));
}

// A button held down looks pushed in: a good part of its face is told apart from the face at
// rest and the face under the mouse. Tab's mark on a button at rest stands at 3:1 from what was
// there, as a state's mark must to be seen.
TEST_P(BuiltInSkinFocusTest, AHeldButtonLooksPushedInAndFocusStandsOut) {
    const QImage held = FaceOf(PaintedButton(false, Pointer::Holding));
    for (const auto& [pointer, name] : {std::pair{Pointer::Away, "at rest"}, {Pointer::Over, "under the mouse"}}) {
        const Difference d = Between(FaceOf(PaintedButton(false, pointer)), held);
        EXPECT_GE(d.Pixels, held.width() * held.height() / 3) << "held down, against " << name;
        EXPECT_GE(d.Strongest, 1.2) << "held down, against " << name;
    }
    const QImage unfocused = PaintedButton(false, Pointer::Away);
    const QImage focused = PaintedButton(true, Pointer::Away);
    const Difference mark = Between(unfocused, focused);
    EXPECT_GE(mark.Pixels, focused.width() + focused.height());
    EXPECT_GE(mark.Strongest, 3.0);
}

// The skin box as the window has it, with the keyboard's focus or without.
QImage PaintedSkinBox(bool focus) {
    QWidget window;
    window.resize(160, 40);
    auto* box = new TsComboBox(&window);
    box->SetSkinSection(QStringLiteral("COMBOBOX"));
    box->setGeometry(10, 8, 121, 22);
    box->addItems({QStringLiteral("Neutral2"), QStringLiteral("NextAlpha")});
    box->SetItemIndex(0);
    auto* other = new TsButton(&window);
    other->setGeometry(135, 8, 20, 22);
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
    (focus ? static_cast<QWidget*>(box) : other)->setFocus();
    QElapsedTimer fade;
    fade.start();
    while (fade.elapsed() < 20 * HoverFade::StepMilliseconds + 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(box->hasFocus(), focus);
    return box->grab().toImage();
}

// A dialog's default button (the one Enter clicks) is marked as a focused button is, and the
// mark stands at 3:1 from a plain button.
TEST_P(BuiltInSkinFocusTest, ADialogsDefaultButtonIsMarked) {
    QStyle* style = QApplication::style();
    const auto drawn = [&](QStyleOptionButton::ButtonFeatures features, QStyle::State focus) {
        QImage image(QSize(90, 23), QImage::Format_ARGB32_Premultiplied);
        image.fill(QApplication::palette().color(QPalette::Window));
        QPainter painter(&image);
        QStyleOptionButton option;
        option.rect = image.rect();
        option.state = QStyle::State_Enabled | focus;
        option.features = features;
        option.palette = QApplication::palette();
        style->drawControl(QStyle::CE_PushButton, &option, &painter);
        return image;
    };
    const QImage plain = drawn(QStyleOptionButton::None, QStyle::State_None);
    const QImage byDefault = drawn(QStyleOptionButton::DefaultButton, QStyle::State_None);
    const Difference mark = Between(plain, byDefault);
    EXPECT_GE(mark.Pixels, plain.width() + plain.height());
    EXPECT_GE(mark.Strongest, 3.0);
    EXPECT_EQ(byDefault, drawn(QStyleOptionButton::None, QStyle::State_HasFocus)) << "marked as focus is";
}

// Tab onto the skin box marks it at 3:1 from what was there.
TEST_P(BuiltInSkinFocusTest, FocusOnTheSkinBoxStandsOut) {
    const QImage unfocused = PaintedSkinBox(false);
    const Difference mark = Between(unfocused, PaintedSkinBox(true));
    EXPECT_GE(mark.Pixels, unfocused.width() + unfocused.height());
    EXPECT_GE(mark.Strongest, 3.0);
}

INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(BuiltInSkinFocusTest);
