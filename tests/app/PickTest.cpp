#include "HeldFile.h"
#include "MorvaneMain.h"
#include "QtPrinters.h"
#include "TRichEdit.h"
#include "TsButton.h"
#include "TsGauge.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <QDateTime>
#include <QSettings>
#include <QHeaderView>
#include <QListView>
#include <QLocale>
#include <QTreeView>
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

// The names the dialog offers (those that can be picked), once they are the expected ones or
// five seconds have passed: the dialog's model reads and filters its folder in the background.
QStringList OfferedNames(QFileDialog& dialog, const QStringList& expected) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr)
        return {"(no model)"};
    QStringList shown;
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
        shown.clear();
        const QModelIndex root = model->index(dialog.directory().absolutePath());
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (model->flags(index) & Qt::ItemIsEnabled)
                shown << model->fileName(index);
        }
        shown.sort();
    } while (shown != expected && clock.elapsed() < 5000);
    return shown;
}

// "*.*" lists every file on the platform the filter comes from; Qt's own wildcard would want a
// dot in the name.
TEST_F(PickTest, AllFilesEntryListsNamesWithoutADot) {
    for (const char* name : {"shop.fdb", "README", "noext", "notes.txt"})
        Make(name, 1);
    form.OpenDialog.FileName = dir.filePath("shop.fdb");
    form.OpenDialog.FilterIndex = 2;
    QFileDialog dialog;
    form.OpenDialog.PrepareQtFileDialog(dialog);
    const QStringList every{"README", "noext", "notes.txt", "shop.fdb"};
    EXPECT_EQ(OfferedNames(dialog, every), every);

    // The user goes to the database entry and back, through the list of entries.
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    for (int entry : {0, 1}) {
        // What the list sends when the user picks an entry, in its order.
        types->setCurrentIndex(entry);
        emit types->activated(entry);
        emit types->textActivated(types->currentText());
        const QStringList expected = entry == 0 ? QStringList{"shop.fdb"} : every;
        EXPECT_EQ(OfferedNames(dialog, expected), expected) << "entry " << entry;
    }
}

// The dialog opens wide enough for what it lists: whole sizes and dates, the sidebar's place
// names, and every column without scrolling, at the window's font size and at a large one.
TEST_F(PickTest, DialogShowsWholeDatesAndPlaceNames) {
    Make("shop.fdb", 1);
    form.OpenDialog.FileName = dir.filePath("shop.fdb");
    for (const int points : {9, 16}) {
        // As on the first run: no column widths kept from an earlier dialog.
        QSettings(QSettings::UserScope, QStringLiteral("QtProject")).remove(QStringLiteral("FileDialog"));
        TPathMustExistDialog dialog;
        QFont font = dialog.font();
        font.setPointSize(points);
        dialog.setFont(font);
        form.OpenDialog.PrepareQtFileDialog(dialog);
        dialog.show();
        QCoreApplication::processEvents();
        auto* list = dialog.findChild<QTreeView*>("treeView");
        auto* sidebar = dialog.findChild<QListView*>("sidebar");
        ASSERT_TRUE(list != nullptr && sidebar != nullptr);
        const QString date =
            QLocale::system().toString(QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
        EXPECT_GT(list->header()->sectionSize(3), list->fontMetrics().horizontalAdvance(date)) << points << " pt";
        for (const qint64 bytes : {qint64(1023), qint64(462422016), (qint64(1) << 40) - (qint64(1) << 29)}) {
            const QString size = QLocale::system().formattedDataSize(bytes);
            EXPECT_GT(list->header()->sectionSize(1), list->fontMetrics().horizontalAdvance(size))
                << points << " pt: " << size.toStdString();
        }
        EXPECT_GE(sidebar->viewport()->width(), sidebar->sizeHintForColumn(0)) << points << " pt";
        EXPECT_GE(list->viewport()->width(), list->header()->length()) << points << " pt: no column cut off";
        dialog.close();
    }
}

struct TypedCase {
    const char* Name;
    QString Typed; // relative to the dialog's folder
    bool Accepted;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.Name;
}

class TypedPath : public ::testing::TestWithParam<TypedCase> {};

// A typed path must lie in a folder that exists; the file itself need not exist.
TEST_P(TypedPath, MustBeInAnExistingFolder) {
    QTemporaryDir dir;
    std::ofstream(dir.filePath("shop.fdb").toStdString()) << "x";
    std::ofstream(dir.filePath("notes.txt").toStdString()) << "x";
    QDir(dir.path()).mkdir("sub");
    TOpenDialog openDialog;
    openDialog.Filter = QString::fromUtf8("Firebird, Interbase|*.FDB;*.GDB|모든파일|*.*");
    openDialog.FileName = dir.filePath("shop.fdb");
    TPathMustExistDialog dialog;
    openDialog.PrepareQtFileDialog(dialog);
    dialog.open();
    QCoreApplication::processEvents();
    auto* nameEdit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(nameEdit, nullptr);
    nameEdit->setText(GetParam().Typed);

    // The refusal is a message box of its own; the test answers it.
    QString refusal;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            refusal = box->text();
            box->accept();
        }
    });
    dialog.accept();
    QCoreApplication::processEvents();

    EXPECT_EQ(dialog.result() == QDialog::Accepted, GetParam().Accepted);
    if (GetParam().Accepted) {
        EXPECT_TRUE(refusal.isEmpty());
        EXPECT_EQ(dialog.selectedFiles(), QStringList{dir.filePath(GetParam().Typed)});
    } else if (GetParam().Typed != "sub") {
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for another try";
        EXPECT_TRUE(refusal.contains(QString::fromUtf8("경로가 없습니다"))) << refusal.toStdString();
    }
    dialog.reject();
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedPath,
                         ::testing::Values(TypedCase{"existing_file", "shop.fdb", true},
                                           TypedCase{"new_name_in_an_existing_folder", "new.fdb", true},
                                           TypedCase{"new_name_in_a_subfolder", "sub/new.fdb", true},
                                           TypedCase{"folder_that_does_not_exist", "missing/new.fdb", false},
                                           TypedCase{"folders_that_do_not_exist", "missing/deeper/new.fdb",
                                                     false},
                                           TypedCase{"file_taken_for_a_folder", "notes.txt/new.fdb", false},
                                           // An existing folder is opened, not picked.
                                           TypedCase{"existing_folder", "sub", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
