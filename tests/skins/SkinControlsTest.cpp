// Providers and adapters on real widgets: a skinned window keeps its client area's size, its
// title buttons sit where the skin puts them and work, edits take the skin's colours and keep
// coloured text readable, and removing the skin gives every control its standard look back.
#include "ControlsSkinFixture.h"
#include "KeyboardWindowDrag.h"
#include "ReadableColors.h"
#include "ShownToolTip.h"
#include "SkinAttachments.h"
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsSkinManager.h"
#include "TsSkinProvider.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QApplication>
#include <QCursor>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QDialog>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>
#include <QStyleOptionSlider>
#include <QTextEdit>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

using SkinControlsTest = ControlsSkinFixture;

// A window built like the main window: a client area of a fixed size in a margin-free layout.
struct TestWindow {
    TestWindow()
        : form(nullptr,
               Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
        auto* layout = new QVBoxLayout(&form);
        layout->setContentsMargins(0, 0, 0, 0);
        client = new QWidget(&form);
        layout->addWidget(client);
        edit = new QTextEdit(client);
        button = new TsButton(client);
        button->SetSkinSection(QStringLiteral("SPEEDBUTTON"));
        form.resize(734, 414);
    }
    void Show() {
        form.show();
        for (int i = 0; i < 100 && !(form.windowHandle() && form.windowHandle()->isExposed()); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
    }
    QWidget form;
    QWidget* client;
    QTextEdit* edit;
    TsButton* button;
};

// A skin box of one item in the window, and the window shown.
TsComboBox* ShownComboBox(TestWindow& window) {
    auto* combo = new TsComboBox(window.client);
    combo->addItem(QStringLiteral("item"));
    combo->setGeometry(10, 10, 120, 22);
    window.Show();
    return combo;
}

void Click(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

} // namespace

TEST_F(SkinControlsTest, TheClientAreaKeepsItsSizeInsideTheSkinsFrame) {
    TestWindow window;
    window.Show();
    const TsSkinProvider* provider = TsSkinProvider::Of(&window.form);
    ASSERT_NE(provider, nullptr);
    EXPECT_TRUE(provider->FrameApplied());
    EXPECT_TRUE(window.form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.client->size(), QSize(734, 414));
    EXPECT_EQ(window.form.size(), QSize(734 + 3 + 3, 414 + 24 + 3));
    EXPECT_EQ(window.client->pos(), QPoint(3, 24));
}

TEST_F(SkinControlsTest, TitleButtonsSitRightToLeftAndWork) {
    TestWindow window;
    window.Show();
    const TsSkinProvider* provider = TsSkinProvider::Of(&window.form);
    const FrameGeometry& g = provider->Geometry();
    const int width = window.form.width();
    const QRect close = g.Buttons[static_cast<int>(TitleButton::Close)];
    const QRect minimise = g.Buttons[static_cast<int>(TitleButton::Minimize)];
    EXPECT_EQ(close, QRect(width - 3 - 2 - 16, 3 + (21 - 16) / 2, 16, 16));
    EXPECT_EQ(minimise.right() + 1 + 1, close.left());
    EXPECT_TRUE(g.Buttons[static_cast<int>(TitleButton::Maximize)].isEmpty()) << "the window has no maximise";
    EXPECT_EQ(provider->ButtonAt(close.center()), TitleButton::Close);
    EXPECT_EQ(provider->ButtonAt(close.topLeft() - QPoint(1, 0)), std::nullopt);
    EXPECT_EQ(provider->ButtonAt(QPoint(40, 10)), std::nullopt);

    Click(&window.form, close.center());
    EXPECT_FALSE(window.form.isVisible()) << "the close button closed the window";
}

// Each title button says what it does in its tool tip; the rest of the title has none.
TEST_F(SkinControlsTest, ATitleButtonsToolTipSaysWhatItDoes) {
    TestWindow window;
    window.Show();
    const FrameGeometry& g = TsSkinProvider::Of(&window.form)->Geometry();
    const auto tipAt = [&](QPoint at) { return ShownToolTip(&window.form, at); };
    EXPECT_EQ(tipAt(g.Buttons[static_cast<int>(TitleButton::Close)].center()), QStringLiteral("닫기"));
    EXPECT_EQ(tipAt(g.Buttons[static_cast<int>(TitleButton::Minimize)].center()), QStringLiteral("최소화"));
    EXPECT_EQ(tipAt(g.TitleStrip.center() - QPoint(80, 0)), QString());
    QToolTip::hideText();
}

void MovePointer(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// The pointer can leave a hot title button straight for a control (a quick move down from the
// close button): the button is drawn cold again all the same.
TEST_F(SkinControlsTest, ATitleButtonIsColdAgainOnceThePointerIsOverAControl) {
    TestWindow window;
    window.button->setGeometry(10, 10, 80, 24);
    window.Show();
    const QRect close = TsSkinProvider::Of(&window.form)->Geometry().Buttons[static_cast<int>(TitleButton::Close)];
    const QImage cold = window.form.grab(close).toImage();
    MovePointer(&window.form, close.center());
    ASSERT_NE(window.form.grab(close).toImage(), cold) << "the close button is drawn hot under the pointer";
    MovePointer(window.button, window.button->rect().center());
    EXPECT_EQ(window.form.grab(close).toImage(), cold);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A title button held and dragged off pops back up (and goes down again when the pointer comes
// back); released away from it, it is drawn cold, not hot; a drag that began elsewhere lights
// none up on its way.
TEST_F(SkinControlsTest, ATitleButtonLooksAsThePointerAndTheHeldButtonSay) {
    TestWindow window;
    window.Show();
    const FrameGeometry& g = TsSkinProvider::Of(&window.form)->Geometry();
    const QRect close = g.Buttons[static_cast<int>(TitleButton::Close)];
    const QPoint onTitle(g.Caption.center());
    const auto look = [&] { return window.form.grab(close).toImage(); };
    const QImage cold = look();
    MovePointer(&window.form, close.center());
    const QImage hot = look();
    SendMouse(&window.form, QEvent::MouseButtonPress, close.center(), Qt::LeftButton);
    const QImage pressed = look();
    ASSERT_NE(hot, cold);
    ASSERT_NE(pressed, hot);

    SendMouse(&window.form, QEvent::MouseMove, onTitle, Qt::LeftButton);
    EXPECT_EQ(look(), hot) << "dragged off, the button pops back up";
    SendMouse(&window.form, QEvent::MouseMove, close.center(), Qt::LeftButton);
    EXPECT_EQ(look(), pressed) << "back on it, it is down again";
    SendMouse(&window.form, QEvent::MouseMove, onTitle, Qt::LeftButton);
    SendMouse(&window.form, QEvent::MouseButtonRelease, onTitle, Qt::NoButton);
    EXPECT_EQ(look(), cold) << "released away from it";
    EXPECT_TRUE(window.form.isVisible()) << "a release away from the button does not close";

    SendMouse(&window.form, QEvent::MouseMove, close.center(), Qt::LeftButton);
    EXPECT_EQ(look(), cold) << "a drag from elsewhere passing over it";
    SendMouse(&window.form, QEvent::MouseButtonRelease, close.center(), Qt::NoButton);
    EXPECT_EQ(look(), hot) << "that drag ending on it";
    EXPECT_TRUE(window.form.isVisible()) << "which is no click on it";
}

// A press on the border resizes; a press beside it on the client area, which shows no resize
// cursor there, does not.
TEST_F(SkinControlsTest, OnlyThePressesWhereTheResizeCursorShowsResize) {
    TestWindow window;
    window.form.setMinimumSize(0, 0);
    window.Show();
    const int border = TsSkinProvider::Of(&window.form)->Geometry().Frame.left();
    const int middle = window.form.height() / 2;
    for (const int x : {0, border - 1, border, border + 1}) {
        const QRect before = window.form.geometry();
        SendMouse(&window.form, QEvent::MouseButtonPress, QPoint(x, middle), Qt::LeftButton);
        SendMouse(&window.form, QEvent::MouseMove, QPoint(x + 40, middle), Qt::LeftButton);
        SendMouse(&window.form, QEvent::MouseButtonRelease, QPoint(x + 40, middle), Qt::NoButton);
        const bool onBorder = x < border;
        EXPECT_EQ(window.form.width() != before.width(), onBorder) << "press at x " << x;
        window.form.setGeometry(before);
    }
}

// Dragged inward as far as it goes, an edge stops at the window's smallest size exactly, so a
// drag can bring the window back to it.
TEST_F(SkinControlsTest, AnEdgeDraggedAllTheWayInStopsAtTheSmallestSize) {
    TestWindow window;
    window.form.setMinimumSize(400, 300);
    window.Show();
    window.form.resize(700, 500);
    QCoreApplication::processEvents();
    const auto drag = [&](QPoint from, QPoint by) {
        SendMouse(&window.form, QEvent::MouseButtonPress, from, Qt::LeftButton);
        SendMouse(&window.form, QEvent::MouseMove, from + by, Qt::LeftButton);
        SendMouse(&window.form, QEvent::MouseButtonRelease, from + by, Qt::NoButton);
    };
    drag(QPoint(0, window.form.height() / 2), QPoint(2000, 0));
    EXPECT_EQ(window.form.width(), 400) << "left edge";
    window.form.resize(700, 500);
    drag(QPoint(window.form.width() - 1, window.form.height() / 2), QPoint(-2000, 0));
    EXPECT_EQ(window.form.width(), 400) << "right edge";
    window.form.resize(700, 500);
    drag(QPoint(window.form.width() / 2, window.form.height() - 1), QPoint(0, -2000));
    EXPECT_EQ(window.form.height(), 300) << "bottom edge";
    window.form.resize(700, 500);
    drag(QPoint(window.form.width() / 2, 0), QPoint(0, 2000));
    EXPECT_EQ(window.form.height(), 300) << "top edge";
}

// The window manager is told the skinned window's smallest size (the title's buttons stay
// usable however it is resized), and the window's own smallest size comes back with the
// system's frame.
TEST_F(SkinControlsTest, TheWindowManagerIsToldTheSkinnedWindowsSmallestSize) {
    TestWindow window;
    window.Show();
    ASSERT_NE(window.form.windowHandle(), nullptr);
    const QSize told = window.form.windowHandle()->minimumSize();
    EXPECT_GE(told.width(), 120);
    EXPECT_GE(told.height(), 60);
    manager->SetActive(false);
    QCoreApplication::processEvents();
    const QSize unskinned = window.form.windowHandle()->minimumSize();
    EXPECT_LT(unskinned.width(), 120);
    EXPECT_LT(unskinned.height(), 60);
    manager->SetActive(true);

    // A window whose layout asks for more keeps what its layout asks for.
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* content = new QWidget(&dialog);
    content->setMinimumSize(300, 200);
    layout->addWidget(content);
    dialog.show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint) << "the dialog is skinned";
    const QSize dialogTold = dialog.windowHandle()->minimumSize();
    EXPECT_GE(dialogTold.width(), 300);
    EXPECT_GE(dialogTold.height(), 200);
}

// The window manager can maximise a window that has no maximise button; a double-click on the
// title gives the window its size back, and a second one does nothing more.
TEST_F(SkinControlsTest, ADoubleClickOnTheTitleRestoresAWindowWithoutAMaximiseButton) {
    TestWindow window;
    window.Show();
    const QPoint onTitle = TsSkinProvider::Of(&window.form)->Geometry().TitleStrip.center() - QPoint(80, 0);
    auto doubleClick = [&] {
        QMouseEvent event(QEvent::MouseButtonDblClick, onTitle, window.form.mapToGlobal(onTitle), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window.form, &event);
    };
    window.form.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.form.isMaximized());
    doubleClick();
    EXPECT_FALSE(window.form.isMaximized());
    doubleClick();
    EXPECT_FALSE(window.form.isMaximized()) << "a window without the button is not maximised by the title";
}

namespace {

void Key(QWidget* receiver, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(receiver, &press);
    QApplication::sendEvent(receiver, &release);
}

// Alt+Space, as the window's shortcut for its menu takes it.
void PressMenuKey(QWidget& window) {
    QShortcut* menuKey = nullptr;
    for (QShortcut* shortcut : window.findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(Qt::ALT | Qt::Key_Space))
            menuKey = shortcut;
    ASSERT_NE(menuKey, nullptr);
    emit menuKey->activated();
}

// Opens the window's menu as Alt+Space does and picks an item by its underlined letter.
void PickFromWindowMenu(QWidget& window, int letterKey, const QString& letter) {
    QTimer::singleShot(0, [letterKey, letter] {
        if (QWidget* menu = QApplication::activePopupWidget())
            Key(menu, letterKey, Qt::NoModifier, letter);
    });
    PressMenuKey(window);
}

} // namespace

// The window menu opens from the keyboard with its first item lit, and from the title too:
// where the title is right-clicked, and below the icon when that is clicked. A right click
// elsewhere opens no menu.
TEST_F(SkinControlsTest, TheWindowMenuOpensFromTheKeyboardTheTitleAndTheIcon) {
    TestWindow window;
    window.Show();
    const FrameGeometry& g = TsSkinProvider::Of(&window.form)->Geometry();
    ASSERT_FALSE(g.Icon.isEmpty());
    const QPoint onTitle = g.TitleStrip.center() - QPoint(80, 0);
    struct Opened {
        bool Seen = false;
        QPoint At;
        QStringList Items;
        QString Lit;
    };
    const auto open = [](const std::function<void()>& click) {
        Opened opened;
        QTimer::singleShot(0, [&opened] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                opened = {true, menu->pos(), {}, menu->activeAction() ? menu->activeAction()->text() : QString()};
                for (const QAction* action : menu->actions())
                    opened.Items << action->text();
                menu->close();
            }
        });
        click();
        QCoreApplication::processEvents();
        return opened;
    };
    const auto rightClick = [&](QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, window.form.mapToGlobal(at));
        QApplication::sendEvent(&window.form, &event);
    };

    const Opened fromKeyboard = open([&] { PressMenuKey(window.form); });
    EXPECT_TRUE(fromKeyboard.Seen);
    EXPECT_EQ(fromKeyboard.At, window.form.mapToGlobal(QPoint(g.Frame.left(), g.Frame.top())));
    EXPECT_EQ(fromKeyboard.Lit, QStringLiteral("이동(&M)"));

    const Opened fromTitle = open([&] { rightClick(onTitle); });
    EXPECT_TRUE(fromTitle.Seen);
    EXPECT_EQ(fromTitle.At, window.form.mapToGlobal(onTitle));
    EXPECT_TRUE(fromTitle.Items.contains(QStringLiteral("이동(&M)")));
    EXPECT_TRUE(fromTitle.Lit.isEmpty()) << "lit for the pointer";

    const Opened fromIcon = open([&] {
        QMouseEvent press(QEvent::MouseButtonPress, g.Icon.center(), window.form.mapToGlobal(g.Icon.center()),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window.form, &press);
    });
    EXPECT_TRUE(fromIcon.Seen);
    EXPECT_EQ(fromIcon.At, window.form.mapToGlobal(QPoint(g.Icon.left(), g.TitleStrip.bottom() + 1)));

    const QPoint onClient = g.Client(window.form.size()).center();
    EXPECT_FALSE(open([&] { rightClick(onClient); }).Seen);
    const QRect close = g.Buttons[static_cast<int>(TitleButton::Close)];
    EXPECT_FALSE(open([&] { rightClick(close.center()); }).Seen) << "a title button opens no menu";
}

// Move and Size in the window's menu: the arrow keys move the window or the chosen edges, Ctrl
// by a pixel; Enter keeps the place, Esc goes back; no key reaches the controls meanwhile.
TEST_F(SkinControlsTest, TheWindowMenuMovesAndSizesTheWindowFromTheKeyboard) {
    using K = std::pair<int, Qt::KeyboardModifiers>;
    const K right{Qt::Key_Right, {}}, left{Qt::Key_Left, {}}, up{Qt::Key_Up, {}}, down{Qt::Key_Down, {}};
    const K ctrlLeft{Qt::Key_Left, Qt::ControlModifier}, ctrlUp{Qt::Key_Up, Qt::ControlModifier};
    const struct {
        const char* Name;
        int Item;
        std::vector<K> Keys;
        int End;
        QRect Change; // of x, y, width and height
    } cases[] = {
        {"a move", Qt::Key_M, {right, right, down, ctrlLeft}, Qt::Key_Return, QRect(15, 8, 0, 0)},
        {"a move taken back", Qt::Key_M, {up, left}, Qt::Key_Escape, QRect()},
        // The first arrow picks the right edge, an arrow across it the bottom one.
        {"a resize", Qt::Key_S, {right, right, right, down, down}, Qt::Key_Enter, QRect(0, 0, 16, 8)},
        {"the left and top edges", Qt::Key_S, {up, left, left, ctrlUp}, Qt::Key_Return, QRect(-8, -1, 8, 1)},
        {"a resize taken back", Qt::Key_S, {down, down}, Qt::Key_Escape, QRect()},
    };
    for (const auto& c : cases) {
        TestWindow window;
        window.Show();
        window.edit->setFocus();
        const QRect start = window.form.geometry();
        const QString letter = c.Item == Qt::Key_M ? QStringLiteral("m") : QStringLiteral("s");
        PickFromWindowMenu(window.form, c.Item, letter);
        ASSERT_NE(KeyboardWindowDrag::Of(&window.form), nullptr) << c.Name;
        for (const auto& [key, modifiers] : c.Keys)
            Key(window.edit, key, modifiers);
        Key(window.edit, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        Key(window.edit, c.End);
        EXPECT_EQ(KeyboardWindowDrag::Of(&window.form), nullptr) << c.Name;
        const QRect g = window.form.geometry();
        EXPECT_EQ(QRect(g.x() - start.x(), g.y() - start.y(), g.width() - start.width(), g.height() - start.height()),
                  c.Change)
            << c.Name;
        EXPECT_TRUE(window.edit->toPlainText().isEmpty()) << c.Name << ": a key reached the text box";
        Key(window.edit, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        EXPECT_EQ(window.edit->toPlainText(), QStringLiteral("x")) << c.Name << ": the keyboard is back";
    }
}

// An edge pushed in past the smallest size stops there, and the first press back moves it out.
// A click ends the drag, and so does the end of the skin's frame.
TEST_F(SkinControlsTest, AKeyboardDragStopsAtTheSmallestSizeAndEndsWithTheSkin) {
    TestWindow window;
    window.Show();
    const QRect start = window.form.geometry();
    PickFromWindowMenu(window.form, Qt::Key_S, QStringLiteral("s"));
    Key(&window.form, Qt::Key_Left);
    for (int i = 0; i < 200; ++i)
        Key(&window.form, Qt::Key_Right);
    const QRect smallest = window.form.geometry();
    EXPECT_LT(smallest.width(), start.width() / 2);
    EXPECT_EQ(smallest.right(), start.right());
    Key(&window.form, Qt::Key_Left);
    EXPECT_EQ(window.form.width(), smallest.width() + KeyboardWindowDrag::Step);
    EXPECT_EQ(window.form.geometry().right(), start.right());
    // A click ends it where it is.
    Click(&window.form, QPoint(5, 5));
    EXPECT_EQ(KeyboardWindowDrag::Of(&window.form), nullptr);
    EXPECT_EQ(window.form.width(), smallest.width() + KeyboardWindowDrag::Step);

    // Removing the skin takes the window's provider, and the drag that asks it with it.
    PickFromWindowMenu(window.form, Qt::Key_M, QStringLiteral("m"));
    ASSERT_NE(KeyboardWindowDrag::Of(&window.form), nullptr);
    manager->SetActive(false);
    EXPECT_EQ(KeyboardWindowDrag::Of(&window.form), nullptr);
    const QRect unskinned = window.form.geometry();
    Key(&window.form, Qt::Key_Right);
    EXPECT_EQ(window.form.geometry(), unskinned);
}

// A dialog is centred over its parent's window, each time it is shown, unless it was given a
// place of its own.
TEST_F(SkinControlsTest, ADialogOpensCentredOverItsWindow) {
    TestWindow window;
    window.Show();
    QDialog dialog(&window.form);
    dialog.resize(320, 200);
    // Places where the window lies wholly on the screen (800 x 600 here).
    for (const QPoint parentAt : {QPoint(20, 30), QPoint(50, 120)}) {
        window.form.move(parentAt);
        dialog.show();
        QCoreApplication::processEvents();
        ASSERT_NE(TsSkinProvider::Of(&dialog), nullptr) << "the dialog is skinned";
        EXPECT_EQ(dialog.frameGeometry().center(), window.form.frameGeometry().center());
        dialog.hide();
    }
    // Asked to minimise with no window manager to carry it out, the window stays on the screen.
    window.form.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.form.windowHandle()->isExposed());
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.frameGeometry().center(), window.form.frameGeometry().center()) << "minimise asked";
    dialog.hide();
    window.form.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    QDialog placed(&window.form);
    placed.resize(320, 200);
    placed.move(40, 30);
    placed.show();
    QCoreApplication::processEvents();
    // (Give or take the frame the platform had counted before the skin took it away.)
    EXPECT_LE((placed.pos() - QPoint(40, 30)).manhattanLength(), 4) << "a place of its own is kept";
}

TEST_F(SkinControlsTest, EditsTakeTheSkinsColoursAndKeepColouredTextReadable) {
    TestWindow window;
    QTextCursor cursor(window.edit->document());
    for (const QColor& written : {QColor(Qt::black), QColor(0, 0, 255)}) {
        QTextCharFormat format;
        format.setProperty(WrittenColorProperty, written);
        format.setForeground(written);
        cursor.insertText(QStringLiteral("line "), format);
    }
    QTextDocument& document = *window.edit->document();
    document.clearUndoRedoStacks();
    document.setModified(false);
    window.Show();
    const QColor base = window.edit->palette().color(QPalette::Base);
    EXPECT_EQ(base, QColor(0x20, 0x20, 0x20));
    const auto shown = [&](int position) {
        QTextCursor at(window.edit->document());
        at.setPosition(position + 1);
        return at.charFormat().foreground().color();
    };
    EXPECT_EQ(shown(0), QColor(0xF0, 0xF0, 0xF0)) << "black text takes the section's font colour";
    EXPECT_GE(ContrastRatio(shown(5), base), 4.5);
    EXPECT_GT(shown(5).blue(), shown(5).red()) << "blue stays blue";
    EXPECT_FALSE(document.isModified()) << "showing other colours is no edit";
    EXPECT_FALSE(document.isUndoAvailable());

    manager->SetActive(false);
    QCoreApplication::processEvents(); // the application's palette reaches widgets as posted events
    EXPECT_NE(window.edit->palette().color(QPalette::Base), base);
    EXPECT_EQ(shown(0), QColor(Qt::black));
    EXPECT_EQ(shown(5), QColor(0, 0, 255));
    EXPECT_FALSE(document.isModified());

    // Text the user has edited keeps its history and its modified mark through a change.
    cursor.insertText(QStringLiteral("typed"));
    manager->SetActive(true);
    QCoreApplication::processEvents();
    EXPECT_NE(shown(0), QColor(Qt::black));
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(document.isUndoAvailable());
}

// Small text is drawn in strokes whose edges blend into the background, so a colour that has to
// change for the skin's dark background goes well past the least readable contrast: as drawn,
// the strongest tenth of each line's stroke pixels reach 4.5:1.
TEST_F(SkinControlsTest, ColouredLinesOnADarkBackgroundReadAsDrawn) {
    TestWindow window;
    QTextCursor cursor(window.edit->document());
    const QList<QColor> written{QColor(0, 128, 0), QColor(255, 0, 0), QColor(0, 0, 255)};
    for (const QColor& color : written) {
        QTextCharFormat format;
        format.setProperty(WrittenColorProperty, color);
        format.setForeground(color);
        if (color != written.first())
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("/home/data/shop.fdb 데이터베이스 최적화 완료."), format);
    }
    window.Show();
    const QColor base = window.edit->palette().color(QPalette::Base);
    const QImage drawn = window.edit->viewport()->grab().toImage();
    const qreal ratio = drawn.devicePixelRatio();
    QTextBlock block = window.edit->document()->begin();
    for (const QColor& color : written) {
        const QRect line =
            window.edit->document()->documentLayout()->blockBoundingRect(block).toAlignedRect();
        std::vector<double> strokes;
        for (int y = int(line.top() * ratio); y < int((line.bottom() + 1) * ratio) && y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (const QColor pixel = drawn.pixelColor(x, y); pixel != base)
                    strokes.push_back(ContrastRatio(pixel, base));
        ASSERT_GT(strokes.size(), 100u) << qPrintable(color.name());
        std::sort(strokes.rbegin(), strokes.rend());
        EXPECT_GE(strokes[strokes.size() / 10], 4.5) << qPrintable(color.name());
        block = block.next();
    }
}

TEST_F(SkinControlsTest, RemovingTheSkinGivesEveryWindowAndControlItsStandardLookBack) {
    TestWindow window;
    window.Show();
    ASSERT_TRUE(window.button->SkinData.Skinned());
    EXPECT_TRUE(window.form.windowHandle()->flags() & Qt::FramelessWindowHint);
    manager->SetActive(false);
    EXPECT_FALSE(window.form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(window.form.windowHandle()->flags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.form.size(), QSize(734, 414));
    EXPECT_EQ(window.form.contentsMargins(), QMargins());
    EXPECT_FALSE(window.button->SkinData.Skinned());
    EXPECT_EQ(TsSkinProvider::Of(&window.form), nullptr) << "the hook's providers are freed";

    manager->SetActive(true);
    EXPECT_TRUE(window.button->SkinData.Skinned());
    EXPECT_NE(TsSkinProvider::Of(&window.form), nullptr) << "a window on the screen is skinned again";
    EXPECT_TRUE(window.form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.form.windowHandle()->flags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.client->size(), QSize(734, 414));
    EXPECT_TRUE(window.form.isVisible());
}

// A window shown without being polished first is polished after its native window is made,
// in the middle of its show: the frame the skin gives it must not cost it its native window,
// or the window could never be hidden or closed again.
TEST_F(SkinControlsTest, AWindowSkinnedInTheMiddleOfItsShowCanStillBeHiddenAndClosed) {
    QWidget form;
    form.resize(200, 100);
    form.show();
    ASSERT_NE(TsSkinProvider::Of(&form), nullptr);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.testAttribute(Qt::WA_WState_Created));
    form.hide();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.windowHandle() && form.windowHandle()->isVisible()) << "its native window went too";
    form.show();
    EXPECT_TRUE(form.windowHandle()->isVisible());
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());

    QDialog dialog;
    dialog.resize(200, 100);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.accept(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.windowHandle() && dialog.windowHandle()->isVisible()) << "accepted, it leaves the screen";
}

// A combo box draws its button and arrow from the tables it is bound to, not the manager's: a
// window the broadcast never reaches (a tool window) keeps its skin after the manager has gone.
TEST_F(SkinControlsTest, AComboBoxPaintsFromItsOwnTablesAfterItsManagerHasGone) {
    QWidget tool(nullptr, Qt::Tool);
    auto* combo = new TsComboBox(&tool);
    combo->addItem(QStringLiteral("item"));
    combo->resize(120, 22);
    ASSERT_TRUE(combo->SkinData.Skinned());
    const QImage before = combo->grab().toImage();
    manager.reset();
    ASSERT_TRUE(combo->SkinData.Skinned()) << "nothing told the tool window";
    EXPECT_EQ(combo->grab().toImage(), before);
}

TEST_F(SkinControlsTest, AControlWhoseSectionIsMissingDrawsAsAStandardControl) {
    TestWindow window;
    window.button->SetSkinSection(QStringLiteral("NOSUCHBUTTON"));
    EXPECT_FALSE(window.button->SkinData.Skinned());
    window.button->SetSkinSection(QString());
    EXPECT_EQ(window.button->SkinSection(), "UNKNOWN");
    EXPECT_FALSE(window.button->SkinData.Skinned());
    window.button->SetSkinSection(QStringLiteral("speedbutton"));
    EXPECT_TRUE(window.button->SkinData.Skinned());
}

// Right to left, a horizontal scroll bar starts at its right end: the slider of a bar at its
// start is drawn at the right, where clicks find it, and each end keeps the button that points
// out of it.
TEST_F(SkinControlsTest, RightToLeftScrollBarsAreDrawnWhereTheyAreClicked) {
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        SCOPED_TRACE(direction);
        QWidget parent;
        QScrollBar& bar = *new QScrollBar(Qt::Horizontal, &parent);
        bar.setLayoutDirection(direction);
        bar.setRange(0, 100);
        bar.setPageStep(20);
        bar.setValue(0);
        bar.resize(200, 17);
        const QImage picture = bar.grab().toImage();
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.orientation = Qt::Horizontal;
        option.minimum = bar.minimum();
        option.maximum = bar.maximum();
        option.pageStep = bar.pageStep();
        option.sliderPosition = bar.sliderPosition();
        const QRect slider = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
        ASSERT_FALSE(slider.isEmpty());
        EXPECT_EQ(slider.center().x() > 100, direction == Qt::RightToLeft);
        EXPECT_EQ(QColor(picture.pixel(slider.center())), QColor(0, 255, 0)) << "the slider where clicks find it";
        EXPECT_EQ(QColor(picture.pixel(3, 8)), QColor(255, 0, 0)) << "the left button";
        EXPECT_EQ(QColor(picture.pixel(196, 8)), QColor(0, 0, 255)) << "the right button";
    }
}

// Removing the skin, or putting it on, while a dialog runs changes the dialog's frame where it
// stands: the dialog stays open and its answer is the user's.
TEST_F(SkinControlsTest, ASkinChangeWhileADialogRunsLeavesItOpen) {
    QDialog dialog;
    dialog.resize(200, 100);
    std::vector<bool> framelessWhileOpen;
    QTimer::singleShot(0, &dialog, [&] {
        framelessWhileOpen.push_back(dialog.windowFlags() & Qt::FramelessWindowHint);
        manager->SetActive(false);
        framelessWhileOpen.push_back(dialog.windowHandle()->flags() & Qt::FramelessWindowHint);
        manager->SetActive(true);
        framelessWhileOpen.push_back(dialog.windowHandle()->flags() & Qt::FramelessWindowHint);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_TRUE(dialog.windowHandle()->isVisible());
            dialog.accept();
        });
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(framelessWhileOpen, std::vector<bool>({true, false, true}));
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(dialog.isVisible());
}

// The skin box with the keyboard's focus marks its item in the skin's selection colours, so
// focus can be seen before an arrow key changes the item.
TEST_F(SkinControlsTest, AFocusedComboBoxMarksItsItemInTheSelectionColours) {
    TestWindow window;
    TsComboBox* combo = ShownComboBox(window);
    window.edit->setFocus();
    QCoreApplication::processEvents();
    const QImage unfocused = combo->grab().toImage();
    combo->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(combo->hasFocus());
    const QImage focused = combo->grab().toImage();
    EXPECT_EQ(QColor(unfocused.pixel(6, 11)), QColor(Qt::white)) << "the field";
    EXPECT_EQ(QColor(focused.pixel(6, 11)), QColor(0, 0, 128)) << "the selection's colour";
}

// Painting a closed skin box does not make its list (a view with its frame and scrollers, most
// of the box's cost at start-up); an open list still draws the box pressed.
TEST_F(SkinControlsTest, AClosedComboBoxPaintsWithoutMakingItsList) {
    TestWindow window;
    TsComboBox* combo = ShownComboBox(window);
    combo->grab();
    EXPECT_EQ(combo->findChild<QAbstractItemView*>(), nullptr);
    EXPECT_NE(combo->State(), TsState::Pressed);
    combo->showPopup();
    EXPECT_EQ(combo->State(), TsState::Pressed);
    combo->hidePopup();
    EXPECT_NE(combo->State(), TsState::Pressed);
}

// The open list has the pointer to itself, so the box hears nothing of it leaving: once the list
// closes with the pointer elsewhere, the box is no longer drawn hot, however the list was closed.
TEST_F(SkinControlsTest, AComboBoxIsNotHotAfterItsListClosesWithThePointerElsewhere) {
    const struct {
        const char* Name;
        std::function<void(TsComboBox*)> Close;
    } closings[] = {
        {"Escape",
         [](TsComboBox* combo) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(combo->view(), &escape);
         }},
        {"an item picked", [](TsComboBox* combo) { combo->hidePopup(); }},
    };
    for (const auto& closing : closings) {
        TestWindow window;
        TsComboBox* combo = ShownComboBox(window);
        QCursor::setPos(combo->mapToGlobal(combo->rect().center()));
        combo->setAttribute(Qt::WA_UnderMouse); // as Qt marks it when the pointer enters
        ASSERT_EQ(combo->State(), TsState::Hot);
        combo->showPopup();
        ASSERT_TRUE(combo->PopupOpen());
        QCursor::setPos(window.edit->mapToGlobal(window.edit->rect().center()));
        closing.Close(combo);
        ASSERT_FALSE(combo->PopupOpen()) << closing.Name;
        EXPECT_NE(combo->State(), TsState::Hot) << closing.Name;
    }
}

// A skin change can move the box out from under a pointer that stays where it is (another
// frame moves the client area), and nothing tells the box: it is not left drawn hot.
TEST_F(SkinControlsTest, AComboBoxIsNotHotAfterASkinChangeLeavesThePointerOutsideIt) {
    TestWindow window;
    TsComboBox* combo = ShownComboBox(window);
    QCursor::setPos(combo->mapToGlobal(QPoint(combo->width() / 2, -3)));
    QCoreApplication::processEvents();
    combo->setAttribute(Qt::WA_UnderMouse); // as the box was marked before it moved
    ASSERT_EQ(combo->State(), TsState::Hot);
    manager->SetSkinName(QStringLiteral("Test"));
    QCoreApplication::processEvents();
    EXPECT_NE(combo->State(), TsState::Hot);
}

// An open skin box's list is a window of its own with nothing under its frame: the frame stands
// on the field's colour to its very edge, never on what the window system leaves there.
TEST_F(SkinControlsTest, AnOpenComboBoxListStandsOnTheFieldColourToItsEdge) {
    TestWindow window;
    TsComboBox* combo = ShownComboBox(window);
    combo->showPopup();
    QWidget* list = combo->view()->window();
    ASSERT_NE(list, combo);
    ASSERT_TRUE(list->isVisible());
    QImage painted(list->size(), QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::transparent);
    list->render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
    combo->hidePopup();
    const int frame = combo->view()->geometry().left();
    ASSERT_GT(frame, 0);
    for (int x = 0; x < frame; ++x)
        EXPECT_EQ(QColor(painted.pixel(x, painted.height() / 2)), QColor(0x20, 0x20, 0x20)) << "at " << x;
}

// The current item of a focused list is framed even when it is not selected, so a keyboard
// user sees where the arrow keys start from.
TEST_F(SkinControlsTest, TheCurrentItemOfAFocusedListIsFramed) {
    QWidget parent;
    auto* list = new QListWidget(&parent);
    list->setGeometry(0, 0, 200, 100);
    list->addItems({QStringLiteral("alpha.fdb"), QStringLiteral("beta.fdb")});
    parent.show();
    QApplication::setActiveWindow(&parent);
    list->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(list->hasFocus());
    const QModelIndex first = list->model()->index(0, 0);
    const auto picture = [&] { return list->viewport()->grab().toImage(); };
    list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    const QImage none = picture();
    list->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(list->selectedItems().isEmpty());
    const QImage current = picture();
    const QRect item = list->visualRect(first);
    const QColor frame(current.pixel(item.left(), item.center().y()));
    EXPECT_EQ(QColor(current.pixel(item.center().x(), item.top())), frame);
    EXPECT_NE(QColor(none.pixel(item.left(), item.center().y())), frame);
    EXPECT_GE(ContrastRatio(frame, list->palette().color(QPalette::Base)), 4.5) << "stands out on the list";
}

// A selected row of several columns (the file dialog's detail view) is one selection, framed at
// the row's ends only: no border runs between its cells.
TEST_F(SkinControlsTest, ASelectedRowIsFramedAsOne) {
    QWidget parent;
    auto* tree = new QTreeWidget(&parent);
    tree->setGeometry(0, 0, 240, 80);
    tree->setColumnCount(2);
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(false);
    tree->setIndentation(0);
    tree->setColumnWidth(0, 100);
    tree->setColumnWidth(1, 100);
    auto* item = new QTreeWidgetItem(tree);
    item->setSelected(true);
    const QImage picture = tree->viewport()->grab().toImage();
    const int middle = tree->visualItemRect(item).center().y();
    const QColor red(200, 0, 0);
    EXPECT_EQ(QColor(picture.pixel(1, middle)), red) << "the row's start is framed";
    const int end = tree->header()->sectionViewportPosition(1) + tree->header()->sectionSize(1) - 1;
    EXPECT_EQ(QColor(picture.pixel(end - 1, middle)), red) << "the row's end is framed";
    for (int x = 90; x < 110; ++x)
        EXPECT_NE(QColor(picture.pixel(x, middle)), red) << "a border between the cells at " << x;
}

// A scroll bar with nothing to scroll (a log pane that shows all its lines) looks disabled.
TEST_F(SkinControlsTest, AScrollBarWithNothingToScrollLooksDisabled) {
    QWidget parent;
    QScrollBar& bar = *new QScrollBar(Qt::Vertical, &parent);
    bar.resize(17, 120);
    bar.setRange(0, 100);
    const QColor normal(10, 10, 200); // the top button's first column
    EXPECT_EQ(QColor(bar.grab().toImage().pixel(1, 1)), normal);
    bar.setRange(0, 0);
    const QImage idle = bar.grab().toImage();
    bar.setEnabled(false);
    EXPECT_EQ(QColor(idle.pixel(1, 1)), QColor(bar.grab().toImage().pixel(1, 1))) << "drawn as a disabled bar";
    EXPECT_NE(QColor(idle.pixel(1, 1)), normal);
}

// A button held down and dragged off shows normal while the pointer is outside and pressed again
// when it comes back, as Qt's own button tracks isDown(); the pointer stays grabbed, so the
// button still counts as under the mouse all the while.
TEST_F(SkinControlsTest, AHeldButtonDraggedOffLooksNormalUntilThePointerComesBack) {
    TsButton button;
    button.resize(80, 24);
    button.setAttribute(Qt::WA_UnderMouse);
    const auto send = [&button](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&button, &event);
    };
    const QPoint inside(40, 12), outside(200, 12);
    send(QEvent::MouseButtonPress, inside, Qt::LeftButton);
    EXPECT_EQ(button.State(), TsState::Pressed);
    send(QEvent::MouseMove, outside, Qt::LeftButton);
    EXPECT_EQ(button.State(), TsState::Normal);
    send(QEvent::MouseMove, inside, Qt::LeftButton);
    EXPECT_EQ(button.State(), TsState::Pressed);
    send(QEvent::MouseButtonRelease, inside, Qt::NoButton);
    EXPECT_EQ(button.State(), TsState::Hot);
}
