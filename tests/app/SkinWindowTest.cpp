// The main window under its skins: a skin that cannot be loaded, a broken skin beside the
// program, and what the window's controls and adapters are bound to.
#include "ErrorBox.h"
#include "FileSystem.h"
#include "MorvaneMain.h"
#include "TRichEdit.h"
#include "TempDir.h"
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsGauge.h"
#include "TsSkinManager.h"
#include "TsSkinProvider.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class SkinWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorBoxPresenter([this](const QString&, const QString& text) { errors << text; });
        fs::create_directories(SkinFolder());
    }
    void TearDown() override {
        SetErrorBoxPresenter({});
        fs::remove_all(SkinFolder());
    }
    static std::string SkinFolder() { return ProgramFolder() + "Skin"; }
    static void Choose(TMorvaneMainForm& form, const char* skin) {
        form.sComboBox1->SetItemIndex(form.sComboBox1->findText(QString::fromLatin1(skin)));
        form.sComboBox1Change();
    }

    QStringList errors;
};

// Records each native window a widget is given, and whether it had the system's frame.
class NativeWindowWatch : public QObject {
public:
    explicit NativeWindowWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
    int Made = 0;
    int MadeFramed = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WinIdChange && widget_->internalWinId() != 0) {
            ++Made;
            if (!widget_->windowHandle()->flags().testFlag(Qt::FramelessWindowHint))
                ++MadeFramed;
        }
        return false;
    }

private:
    QWidget* widget_;
};

} // namespace

TEST_F(SkinWindowTest, APackageFileWithAWrongMagicShowsItsErrorAndTheWindowKeepsItsSkin) {
    std::ofstream(SkinFolder() + "/DarkGlass (internal).ktz", std::ios::binary) << "ktzf\x01\x00\x00\x00";
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    const SkinTablesPtr before = form.sSkinManager->Skin();
    Choose(form, "DarkGlass");
    // The manager's own box: the message as it stands, no full stop added.
    EXPECT_EQ(errors, QStringList{QStringLiteral("Loaded data is not a packed Kestrane file")});
    EXPECT_EQ(form.sSkinManager->SkinName(), "NextAlpha (internal)");
    EXPECT_EQ(form.sSkinManager->Skin(), before);
    EXPECT_EQ(form.sComboBox1->currentText(), "NextAlpha") << "the choice shows the skin in use";
    EXPECT_TRUE(form.sButton1->SkinData.Skinned());
    EXPECT_TRUE(TsSkinProvider::Of(&form)->FrameApplied());
    // The window goes on: another skin loads.
    Choose(form, "LongHorn");
    EXPECT_EQ(form.sSkinManager->SkinName(), "LongHorn (internal)");
    EXPECT_EQ(form.sSkinManager->SkinInfo(), "6.4");
    EXPECT_EQ(errors.size(), 1);
}

// Stepping through the skin box with the arrow keys: the box shows the skin in use when the
// error comes, and then passes over the skin that could not be loaded instead of trying it
// again (and going back) at every press.
TEST_F(SkinWindowTest, TheArrowKeysPassOverASkinThatCouldNotBeLoaded) {
    std::ofstream(SkinFolder() + "/DarkGlass (internal).ktz", std::ios::binary) << "ktzf\x01\x00\x00\x00";
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    QStringList shownAtTheError;
    SetErrorBoxPresenter([&](const QString&, const QString& text) {
        errors << text;
        shownAtTheError << form.sComboBox1->currentText();
    });
    Choose(form, "LongHorn");
    form.sComboBox1->setFocus();
    const auto press = [&](int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(form.sComboBox1, &down);
        QCoreApplication::processEvents();
    };
    press(Qt::Key_Up); // to DarkGlass, which fails
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(shownAtTheError, QStringList{"LongHorn"}) << "the box shows the skin in use";
    EXPECT_EQ(form.sComboBox1->currentText(), "LongHorn");
    press(Qt::Key_Up); // past DarkGlass
    EXPECT_EQ(form.sComboBox1->currentText(), "BluePlastic");
    EXPECT_EQ(form.sSkinManager->SkinName(), "BluePlastic (internal)");
    EXPECT_EQ(errors.size(), 1) << "the broken skin is not tried again";
}

// A broken package standing in for the window's own start skin, NextAlpha. Chosen, it gives way
// to the built-in NextAlpha with one error box, so the window is never without a skin. Not
// chosen (the stored choice is another skin), it is never reported: the window loads the start
// skin while its components are made, before the choice is read.
TEST_F(SkinWindowTest, ABrokenStartSkinGivesWayToTheBuiltInOneAndIsReportedOnlyWhenChosen) {
    std::ofstream(SkinFolder() + "/NextAlpha (internal).ktz", std::ios::binary) << "ktzf\x01\x00\x00\x00";
    const std::string choiceFile = ProgramFolder() + "kvSkinNumber.ini";
    const bool hadChoice = fs::exists(choiceFile);
    const std::string savedChoice = hadChoice ? ReadFileBytes(choiceFile) : std::string();
    for (const int stored : {4, 2}) {
        SCOPED_TRACE(stored);
        errors.clear();
        std::ofstream(choiceFile, std::ios::binary | std::ios::trunc) << "[SkinNumber]\nNumber=" << stored << "\n";
        TMorvaneMainForm form;
        form.show();
        QCoreApplication::processEvents();
        const char* chosen = stored == 4 ? "NextAlpha" : "LongHorn";
        EXPECT_EQ(errors.size(), stored == 4 ? 1 : 0) << errors.join(" | ").toStdString();
        EXPECT_EQ(form.sSkinManager->SkinName(), QString::fromLatin1(chosen) + " (internal)");
        EXPECT_EQ(form.sComboBox1->currentText(), chosen);
        EXPECT_TRUE(form.sButton1->SkinData.Skinned());
        EXPECT_TRUE(TsSkinProvider::Of(&form)->FrameApplied());
    }
    if (hadChoice)
        std::ofstream(choiceFile, std::ios::binary | std::ios::trunc) << savedChoice;
    else
        fs::remove(choiceFile);
}

TEST_F(SkinWindowTest, TheWindowReachesTheScreenInOneNativeWindowWithoutTheSystemsFrame) {
    TMorvaneMainForm form;
    NativeWindowWatch watch(&form);
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(watch.Made, 1);
    EXPECT_EQ(watch.MadeFramed, 0);
    ASSERT_NE(form.windowHandle(), nullptr);
    EXPECT_TRUE(form.windowHandle()->isVisible());
    form.hide();
    EXPECT_FALSE(form.windowHandle()->isVisible()) << "the window on the screen is the widget's own";
}

// Made smaller than its layout, the bottom strip (size, gauge, status bar), which follows the
// window's bottom edge, would cover the steps and the logs: the window stops at its layout's
// size, with the skin's frame and without.
TEST_F(SkinWindowTest, TheWindowIsNeverMadeSmallerThanItsControls) {
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    for (const bool skinned : {true, false}) {
        SCOPED_TRACE(skinned ? "skinned" : "plain");
        form.sSkinManager->SetActive(skinned);
        form.resize(300, 200);
        QCoreApplication::processEvents();
        EXPECT_GE(form.ClientArea->width(), 734);
        EXPECT_GE(form.ClientArea->height(), 414);
        EXPECT_GE(form.Label1->geometry().top(), form.sButton5->geometry().bottom());
    }
}

TEST_F(SkinWindowTest, EveryControlIsBoundToItsSectionAndTheEditsAndStatusBarGetAdapters) {
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    ASSERT_NE(TsSkinProvider::Of(&form), nullptr) << "the main window is skinned through the hook";
    for (TsButton* button : {form.sButton1, form.sButton2, form.sButton5})
        EXPECT_EQ(button->SkinData.Section()->SectionName, "SPEEDBUTTON");
    EXPECT_EQ(form.sComboBox1->SkinData.Section()->SectionName, "COMBOBOX");
    EXPECT_EQ(form.MyGauge->SkinData.Section()->SectionName, "GAUGE");
    // The edit adapter gives the text boxes the skin's edit colours.
    const TsGeneralData* edit =
        form.sSkinManager->Skin()->Section(form.sSkinManager->Skin()->FindSection("EDIT"));
    const QColor base(edit->Color & 0xFF, (edit->Color >> 8) & 0xFF, (edit->Color >> 16) & 0xFF);
    EXPECT_EQ(form.RichEdit1->palette().color(QPalette::Base), base);
    // Removing skinning gives every control its standard look back.
    form.sSkinManager->SetActive(false);
    QCoreApplication::processEvents(); // the application's palette reaches widgets as posted events
    EXPECT_EQ(TsSkinProvider::Of(&form), nullptr);
    EXPECT_FALSE(form.sButton1->SkinData.Skinned());
    EXPECT_FALSE(form.MyGauge->SkinData.Skinned());
    EXPECT_NE(form.RichEdit1->palette().color(QPalette::Base), base);
    EXPECT_EQ(form.ClientArea->size(), QSize(734, 414));
}

// A screen reader names every control without a caption of its own (the skin box by its
// description), and hears the gauge as a progress bar with its value.
TEST_F(SkinWindowTest, ControlsWithoutACaptionHaveAccessibleNamesAndTheGaugeIsAProgressBar) {
    TMorvaneMainForm form;
    form.show();
    QCoreApplication::processEvents();
    const std::pair<QWidget*, QString> named[] = {
        {form.RichEdit1, "원본파일 경로"}, {form.RichEdit2, "백업파일 경로"}, {form.RichEdit3, "백업 기록"},
        {form.RichEdit4, "최적화 기록"},   {form.RichEdit5, "상태"},          {form.MyGauge, "진행률"},
    };
    for (const auto& [control, name] : named) {
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(heard, nullptr) << control->objectName().toStdString();
        EXPECT_EQ(heard->text(QAccessible::Name), name) << control->objectName().toStdString();
    }
    // A combo box is named by its current item; what it is for is its description.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.sComboBox1)->text(QAccessible::Description), "스킨");
    QAccessibleInterface* gauge = QAccessible::queryAccessibleInterface(form.MyGauge);
    EXPECT_EQ(gauge->role(), QAccessible::ProgressBar);
    ASSERT_NE(gauge->valueInterface(), nullptr);
    form.MyGauge->SetProgress(30);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toInt(), 30);
    EXPECT_EQ(gauge->valueInterface()->maximumValue().toInt(), 100);
    EXPECT_EQ(gauge->text(QAccessible::Value), "30%");
}
