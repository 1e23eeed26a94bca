#include "HeldFile.h"
#include "MorvaneMain.h"
#include "QtPrinters.h"
#include "TRichEdit.h"
#include "TsButton.h"
#include "TsGauge.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form.show();
        QApplication::setActiveWindow(&form);
        QCoreApplication::processEvents();
    }

    QString Make(const QString& name, std::size_t bytes) {
        const QString path = dir.filePath(name);
        std::ofstream(path.toStdString(), std::ios::binary) << std::string(bytes, 'x');
        return path;
    }

    // The user picks this path in the dialog (nullopt: the user cancels).
    void Pick(std::optional<QString> path) {
        form.OpenDialog.SetChooser([path](TOpenDialog& dialog, QWidget*) {
            if (!path)
                return false;
            dialog.FileName = *path;
            return true;
        });
        form.sButton1Click();
    }

    QTemporaryDir dir;
    TMorvaneMainForm form;
};

TEST_F(PickTest, ConfirmedPickShowsPathsSizeAndEnablesBackup) {
    const QString db = Make("SHOP.FDB", 1234567);
    form.RichEdit5->SetText("old status");
    Pick(db);
    EXPECT_EQ(form.RichEdit1->Text(), db);
    EXPECT_EQ(form.RichEdit2->Text(), dir.filePath("SHOP.BAK"));
    EXPECT_TRUE(form.sButton2->isEnabled());
    EXPECT_FALSE(form.sButton3->isEnabled());
    EXPECT_FALSE(form.sButton4->isEnabled());
    EXPECT_TRUE(form.sButton2->hasFocus());
    EXPECT_EQ(form.MyGauge->Progress(), 10);
    EXPECT_EQ(form.SizeBefore, 1234567);
    EXPECT_EQ(form.Label1->text(), "1,234,567");
    EXPECT_EQ(form.RichEdit5->Text(), "");
}

TEST_F(PickTest, CancelAfterAnEarlierPickKeepsEverythingButTheStatusLine) {
    const QString db = Make("a.fdb", 10);
    Pick(db);
    form.RichEdit5->SetText("status");
    Pick(std::nullopt);
    EXPECT_EQ(form.RichEdit1->Text(), db);
    EXPECT_EQ(form.RichEdit2->Text(), dir.filePath("a.BAK"));
    EXPECT_EQ(form.Label1->text(), "10");
    EXPECT_EQ(form.MyGauge->Progress(), 10);
    EXPECT_TRUE(form.sButton2->isEnabled());
    EXPECT_TRUE(form.sButton1->hasFocus());
    EXPECT_EQ(form.RichEdit5->Text(), "");
}

TEST_F(PickTest, TypedNameThatDoesNotExistShowsMinusOne) {
    const QString missing = dir.filePath("new.fdb");
    Pick(missing);
    EXPECT_EQ(form.RichEdit1->Text(), missing);
    EXPECT_EQ(form.RichEdit2->Text(), dir.filePath("new.BAK"));
    EXPECT_TRUE(form.sButton2->isEnabled());
    EXPECT_EQ(form.Label1->text(), "-1");
    EXPECT_FALSE(QFileInfo::exists(missing)) << "measuring must not create the file";
}

TEST_F(PickTest, EmptyAndLockedFiles) {
    Pick(Make("empty.fdb", 0));
    EXPECT_EQ(form.Label1->text(), "0");

    const QString held = Make("held.fdb", 100);
    THeldFile holder(held.toStdString());
    Pick(held);
    EXPECT_EQ(form.Label1->text(), "-1");
    EXPECT_EQ(form.SizeBefore, -1);
}

TEST_F(PickTest, FileNamedLikeItsOwnBackupIsRefused) {
    const QString db = Make("first.fdb", 5);
    Pick(db);
    for (const char* name : {"shop.BAK", "shop.bak", "shopbAk"}) {
        SCOPED_TRACE(name);
        const QString bak = Make(name, 77);
        Pick(bak);
        EXPECT_EQ(form.RichEdit1->Text(), db);
        EXPECT_EQ(form.RichEdit2->Text(), dir.filePath("first.BAK"));
        EXPECT_EQ(form.Label1->text(), "5");
        EXPECT_EQ(form.SizeBefore, 5);
        EXPECT_TRUE(form.sButton1->hasFocus());
        EXPECT_EQ(form.RichEdit5->Text(), bak + " 백업파일과 이름이 같아 선택할 수 없습니다.");
    }
}

TEST_F(PickTest, PickAfterACompletedRunStartsOver) {
    // The state a completed run leaves behind.
    form.MyGauge->SetProgress(100);
    form.sButton2->setEnabled(false);
    form.sButton3->setEnabled(false);
    form.sButton4->setEnabled(false);
    form.Label1->setText("1,000 - 500 = 500");
    form.RichEdit3->AppendLine("old line", Qt::green);
    Pick(Make("next.gdb", 2048));
    EXPECT_EQ(form.MyGauge->Progress(), 10);
    EXPECT_TRUE(form.sButton2->isEnabled());
    EXPECT_FALSE(form.sButton3->isEnabled());
    EXPECT_FALSE(form.sButton4->isEnabled());
    EXPECT_EQ(form.Label1->text(), "2,048");
    EXPECT_EQ(form.RichEdit3->Text(), "old line");
}

TEST_F(PickTest, DialogRemembersLastChoiceAndShowsLowerCaseDatabases) {
    Make("shop.fdb", 1);
    Make("OTHER.GDB", 1);
    Make("notes.txt", 1);
    form.OpenDialog.FileName = dir.filePath("shop.fdb");
    QFileDialog dialog;
    form.OpenDialog.PrepareQtFileDialog(dialog);
    EXPECT_EQ(dialog.nameFilters(),
              QStringList({"Firebird, Interbase (*.FDB *.GDB)", QString::fromUtf8("모든파일 (*.*)")}));
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));

    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    QStringList shown;
    // The dialog's model reads the folder on a thread of its own.
    QElapsedTimer clock;
    clock.start();
    while (shown.size() < 2 && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
        shown.clear();
        const QModelIndex root = model->index(dialog.directory().absolutePath());
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (model->flags(index) & Qt::ItemIsEnabled)
                shown << model->fileName(index);
        }
    }
    shown.sort();
    EXPECT_EQ(shown, QStringList({"OTHER.GDB", "shop.fdb"}));
}

} // namespace
