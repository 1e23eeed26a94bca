#include "MorvaneMain.h"
#include "ProgramIcon.h"
#include "TsSkinManager.h"
#include "QtPrinters.h"
#include "ShownToolTip.h"
#include "TRichEdit.h"
#include "TStatusBar.h"
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsGauge.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QFontMetrics>
#include <QLabel>
#include <QRawFont>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* name;
    QRect geometry;
    const char* caption;
    bool enabled;
    Qt::CursorShape cursor;
};

// Left, top, width, height in client pixels, as the window must show them.
const Expected kControls[] = {
    {"sButton1", {16, 16, 80, 21}, "원본파일", true, Qt::PointingHandCursor},
    {"RichEdit1", {104, 16, 615, 21}, "", false, Qt::IBeamCursor},
    {"sButton6", {16, 48, 80, 21}, "백업파일", false, Qt::ArrowCursor},
    {"RichEdit2", {104, 48, 615, 21}, "", false, Qt::IBeamCursor},
    {"sButton2", {16, 80, 80, 80}, "백업", false, Qt::PointingHandCursor},
    {"RichEdit3", {104, 80, 615, 80}, "", true, Qt::IBeamCursor},
    {"sButton3", {16, 173, 80, 125}, "최적화", false, Qt::PointingHandCursor},
    {"RichEdit4", {104, 173, 615, 125}, "", true, Qt::IBeamCursor},
    {"sButton4", {16, 310, 80, 21}, "확인", false, Qt::PointingHandCursor},
    {"RichEdit5", {104, 310, 615, 21}, "", false, Qt::IBeamCursor},
    {"sButton5", {16, 342, 80, 21}, "종료", true, Qt::PointingHandCursor},
    {"sComboBox1", {619, 342, 100, 21}, "NextAlpha", true, Qt::ArrowCursor},
    {"Label1", {0, 367, 734, 13}, "Size", true, Qt::ArrowCursor},
    {"MyGauge", {0, 380, 734, 12}, "", true, Qt::ArrowCursor},
    {"StatusBar1", {0, 392, 734, 22}, "", true, Qt::ArrowCursor},
};

QString CaptionOf(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* e = qobject_cast<TRichEdit*>(w))
        return e->Text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    return {};
}

TEST(MainForm, WindowFrameCaptionAndButtons) {
    TMorvaneMainForm form;
    EXPECT_EQ(form.objectName(), "MorvaneMainForm");
    EXPECT_STREQ(form.metaObject()->className(), "TMorvaneMainForm");
    EXPECT_EQ(form.windowTitle(), "Quellmark v0.0.2");
    EXPECT_EQ(form.ClientArea->size(), QSize(734, 414));
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST(MainForm, ControlsTable) {
    TMorvaneMainForm form;
    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.name);
        auto* w = form.findChild<QWidget*>(e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), e.geometry);
        EXPECT_EQ(CaptionOf(w), QString::fromUtf8(e.caption));
        EXPECT_EQ(w->isEnabled(), e.enabled);
        if (qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(w->cursor().shape(), e.cursor);
        }
    }
}

TEST(MainForm, TabOrderRunsButtonsThenBoxesThenCombo) {
    TMorvaneMainForm form;
    const char* order[] = {"sButton1",  "sButton6",  "sButton2",  "sButton3",  "sButton4",  "sButton5",
                           "RichEdit1", "RichEdit2", "RichEdit3", "RichEdit4", "RichEdit5", "sComboBox1"};
    QWidget* w = form.sButton1;
    for (std::size_t i = 1; i < std::size(order); ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty())
            w = w->nextInFocusChain();
        EXPECT_EQ(w->objectName(), order[i]) << "after " << order[i - 1];
    }
}

TEST(MainForm, ControlDetails) {
    TMorvaneMainForm form;
    for (TRichEdit* log : {form.RichEdit3, form.RichEdit4}) {
        EXPECT_TRUE(log->isReadOnly());
        EXPECT_EQ(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(log->palette().color(QPalette::Text), QColor(Qt::black));
    }
    for (TRichEdit* box : {form.RichEdit1, form.RichEdit2, form.RichEdit3, form.RichEdit4, form.RichEdit5})
        EXPECT_DOUBLE_EQ(box->FirstLineIndent(), 3.0);
    QStringList items;
    for (int i = 0; i < form.sComboBox1->count(); ++i)
        items << form.sComboBox1->itemText(i);
    EXPECT_EQ(items, QStringList({"BluePlastic", "DarkGlass", "LongHorn", "Neutral2", "NextAlpha"}));
    EXPECT_EQ(form.sComboBox1->toolTip(), "Skin");
    EXPECT_FALSE(form.sComboBox1->isEditable());
    EXPECT_EQ(form.MyGauge->MinValue(), 0);
    EXPECT_EQ(form.MyGauge->MaxValue(), 100);
    EXPECT_EQ(form.MyGauge->Progress(), 0);
    ASSERT_EQ(form.StatusBar1->PanelCount(), 2);
    EXPECT_EQ(form.StatusBar1->Panel(0)->text(), "원본파일은 미리 복사해두시기 바랍니다.");
    EXPECT_EQ(form.StatusBar1->Panel(0)->width(), 250);
    EXPECT_EQ(form.StatusBar1->Panel(0)->alignment(), Qt::AlignCenter);
    EXPECT_EQ(form.Label1->alignment(), Qt::AlignCenter);
    EXPECT_EQ(form.font().pixelSize(), 11);
}

TEST(MainForm, HangulRendersWithTheWindowFont) {
    TMorvaneMainForm form;
    const QFontMetrics metrics(form.sButton1->font());
    for (QChar c : QStringLiteral("원본파일백업최적화확인종료"))
        EXPECT_TRUE(metrics.inFont(c)) << "no glyph for U+" << std::hex << static_cast<int>(c.unicode());
    EXPECT_EQ(QFontInfo(form.font()).pixelSize(), 11);
    // The Windows name stands for an installed font, asked for by its own name: a name Qt does not
    // know sends it searching every installed font for the nearest one first.
    EXPECT_EQ(form.font().family(), QFontInfo(form.font()).family());
    // The first installed stand-in, whatever language the font list names it in: Latin text
    // too is in the Korean font, not in a later stand-in with the Hangul taken from another.
    EXPECT_EQ(QFontInfo(form.font()).family(), QFontInfo(QFont(QStringLiteral("NanumGothic"))).family());
}

TEST(MainForm, ProgramIconIsTheStoredPicture) {
    // Compared as painted, premultiplied, pixel by pixel (Qt's reader adds a colour space the
    // painting never uses).
    const auto painted = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage stored = painted(QImage(QStringLiteral(":/morvane/MAINICON.png")));
    const QImage icon = painted(ProgramIcon().pixmap(QSize(64, 64)).toImage());
    ASSERT_EQ(stored.size(), QSize(64, 64));
    ASSERT_EQ(icon.size(), stored.size());
    int differing = 0;
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width(); ++x)
            differing += icon.pixel(x, y) != stored.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST(MainForm, ComboSelectionAppliesTheSkinName) {
    TMorvaneMainForm form;
    EXPECT_EQ(form.sComboBox1->ItemIndex(), 4);
    EXPECT_EQ(form.sSkinManager->SkinName(), "NextAlpha (internal)");
    form.sComboBox1->SetItemIndex(7);
    EXPECT_EQ(form.sComboBox1->ItemIndex(), -1);
    form.ApplySkinFromCombo();
    EXPECT_EQ(form.sSkinManager->SkinName(), "DarkGlass (internal)") << "no entry: the first built-in skin";
    form.sComboBox1->SetItemIndex(2);
    form.sComboBox1Change();
    EXPECT_EQ(form.sSkinManager->SkinName(), "LongHorn (internal)");
}

TEST(MainForm, BottomStackFollowsTheBottomEdgeAndWidthOnly) {
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.ClientArea->size(), QSize(734, 414)) << "whatever frame the skin draws around it";
    // The client area grows with the window, by as much as the window does.
    form.resize(form.size() + QSize(900 - 734, 500 - 414));
    QCoreApplication::processEvents();
    EXPECT_EQ(form.ClientArea->size(), QSize(900, 500));
    EXPECT_EQ(form.StatusBar1->geometry(), QRect(0, 478, 900, 22));
    EXPECT_EQ(form.MyGauge->geometry(), QRect(0, 466, 900, 12));
    EXPECT_EQ(form.Label1->geometry(), QRect(0, 453, 900, 13));
    for (const Expected& e : kControls) {
        if (QString(e.name).startsWith("sButton") || QString(e.name).startsWith("RichEdit") ||
            QString(e.name) == "sComboBox1") {
            EXPECT_EQ(form.findChild<QWidget*>(e.name)->geometry(), e.geometry) << e.name;
        }
    }
}

// The path and status boxes are one line and disabled: what does not fit shows its end, and can
// be read whole in the box's tool tip; a text that fits has none.
TEST(MainForm, TextCutAtABoxEdgeCanBeReadWholeInItsToolTip) {
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    auto tipOver = [&](TRichEdit* box) {
        return QTextDocumentFragment::fromHtml(ShownToolTip(box->viewport(), QPoint(20, 8))).toPlainText();
    };
    const QString shortPath = QStringLiteral("/data/shop.fdb");
    const QString longMessage = QStringLiteral("/srv/firebird/databases/2026/accounts/shop.fdb 이전 작업이 최적화를 마친 뒤 "
                                               "중단되었습니다. 최적화된 데이터베이스를 두고 옮겨 두었던 기존파일을 "
                                               "지웠습니다. 확인하고 정리한 뒤 다시 선택하십시오.");
    for (TRichEdit* box : {form.RichEdit1, form.RichEdit5}) {
        ASSERT_FALSE(box->isEnabled());
        box->SetText(shortPath);
        EXPECT_TRUE(box->ShowsWholeText());
        EXPECT_EQ(tipOver(box), QString());
        box->SetText(longMessage);
        EXPECT_FALSE(box->ShowsWholeText());
        EXPECT_EQ(tipOver(box), longMessage);
        // The box shows the end of what it cannot show whole: the file name, the news.
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect(end).center()));
        QTextCursor start(box->document());
        EXPECT_FALSE(box->viewport()->rect().contains(box->cursorRect(start).center()));
        // A tip on show follows the text, as a job's progress moves on under it.
        const QString later = longMessage + QStringLiteral(" 0:42");
        box->SetText(later);
        ASSERT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(), later);
    }
    QToolTip::hideText();
}

// A log pane reached with Tab is read and copied from the keyboard, as a read-only edit box on
// Windows is: a caret moves through its lines and selects them, and nothing can be typed in.
TEST(MainForm, ALogPaneIsReadAndCopiedFromTheKeyboard) {
    TMorvaneMainForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    TRichEdit* log = form.RichEdit4;
    log->AppendLine(QStringLiteral("첫 줄"), Qt::black);
    log->AppendLine(QStringLiteral("I/O error for file \"/db/a.fdb\""), Qt::red);
    log->setFocus();
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text), up(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(log, &down);
        QCoreApplication::sendEvent(log, &up);
    };
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Home, Qt::ShiftModifier);
    const QString last = QStringLiteral("I/O error for file \"/db/a.fdb\"");
    EXPECT_EQ(log->textCursor().selectedText(), last);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), last);
    press(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    press(Qt::Key_Delete);
    EXPECT_EQ(log->Text(), QStringLiteral("첫 줄\n") + last);
    EXPECT_TRUE(log->isReadOnly());
    // And Tab leads on out of it, as from any other control.
    press(Qt::Key_Tab);
    EXPECT_FALSE(log->hasFocus());
}

TEST(MainForm, FirstActivationFocusesThePickButton) {
    TMorvaneMainForm form;
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.sButton1->hasFocus());
    form.sButton5->setFocus();
    QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &deactivate);
    QCoreApplication::sendEvent(&form, &activate);
    EXPECT_FALSE(form.sButton1->hasFocus()) << "only the first activation moves the focus";
}

} // namespace
