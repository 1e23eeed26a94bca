// The window told to end (what a termination signal does, without the signal): modal windows
// in the way are closed, and no settings file can keep the window open.
#include "ErrorBox.h"
#include "FileSystem.h"
#include "MorvaneMain.h"
#include "TRichEdit.h"
#include "TempDir.h"
#include "TsButton.h"
#include "TsComboBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string SkinFile() {
    return ProgramFolder() + "kvSkinNumber.ini";
}

class Termination : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorBoxPresenter([this](const QString&, const QString& text) { boxes << text; });
        form.show();
        QApplication::setActiveWindow(&form);
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        SetErrorBoxPresenter({});
        ::chmod(SkinFile().c_str(), 0644);
    }

    QStringList boxes;
    TMorvaneMainForm form;
};

TEST_F(Termination, ClosesTheOpenFileDialogAndThenTheWindow) {
    bool dialogWasOpen = false;
    QTimer::singleShot(100, [&] {
        dialogWasOpen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr;
        form.RequestTermination();
    });
    form.sComboBox1->SetItemIndex(3);
    form.sButton1->click(); // opens Qt's file dialog, which nobody answers
    EXPECT_TRUE(dialogWasOpen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.RichEdit1->Text(), "") << "the cancelled dialog picked nothing";
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=3\r\n");
}

TEST_F(Termination, EndsEvenWhenTheSkinChoiceCannotBeSaved) {
    ASSERT_EQ(::chmod(SkinFile().c_str(), 0444), 0);
    form.sComboBox1->SetItemIndex(3);
    form.RequestTermination();
    EXPECT_FALSE(form.isVisible()) << "nobody may be there to fix the file";
    EXPECT_TRUE(boxes.isEmpty()) << "no box waits for an answer: " << boxes.join('|').toStdString();
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=4\r\n");
}

TEST_F(Termination, AnOrdinaryCloseShowsTheSameErrorAndCloses) {
    ASSERT_EQ(::chmod(SkinFile().c_str(), 0444), 0);
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(boxes.size(), 1);
}

} // namespace
