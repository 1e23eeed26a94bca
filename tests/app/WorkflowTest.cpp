// The whole compaction driven through the window's handlers, on real databases, with the
// Firebird engine embedded in this process (service "service_mgr").
#include "FileSystem.h"
#include "IBServices.h"
#include "MorvaneMain.h"
#include "QtPrinters.h"
#include "RunJournal.h"
#include "SizeText.h"
#include "TRichEdit.h"
#include "TempDir.h"
#include "TestDatabase.h"
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsGauge.h"
#include "WorkflowFixture.h"

#include "HeldFile.h"

#include <optional>

#include <QLabel>
#include <QProcess>
#include <QWindow>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

using WorkflowTest = WorkflowFixture;

TEST_F(WorkflowTest, FullRunCompactsTheDatabaseAndReportsTheSizes) {
    const std::string db = MakeDatabase(dir.File("SHOP.FDB"), 6000);
    const std::string bak = dir.File("SHOP.BAK");
    const std::int64_t before = FileSizeOf(db);
    const QString path = QString::fromStdString(db);

    // Whatever the user tries while the server works is refused.
    int waits = 0;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        ++waits;
        EXPECT_TRUE(form.JobRunning());
        EXPECT_FALSE(form.close()) << "the window must not close during a job";
        const auto lines = form.RichEdit4->Text().size();
        form.sButton3Click();
        EXPECT_EQ(form.RichEdit4->Text().size(), lines) << "a second job must not start";
    });

    Pick(db);
    ExpectButtons({true, false, false}, form.sButton2);
    EXPECT_EQ(form.SizeBefore, before);

    form.sButton2Click();
    ExpectLines(form.RichEdit3, BackupLines(path));
    ExpectButtons({false, true, false}, form.sButton3);
    EXPECT_TRUE(fs::exists(bak));
    EXPECT_EQ(form.RichEdit5->Text(), "");

    form.sButton3Click();
    ExpectLines(form.RichEdit4, OptimiseLines(path));
    ExpectButtons({false, false, true}, form.sButton4);

    form.sButton4Click();
    ExpectButtons({false, false, false}, form.sButton5);
    EXPECT_EQ(form.RichEdit5->Text(), path + " 최적화 완료.");
    EXPECT_EQ(gauge, std::vector<int>({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(waits, 2);

    const std::int64_t after = FileSizeOf(db);
    EXPECT_LT(after, before);
    EXPECT_EQ(form.SizeAfter, after);
    EXPECT_EQ(form.Label1->text(),
              Grouped(before) + " - " + Grouped(after) + " = " + Grouped(before - after));
    EXPECT_FALSE(fs::exists(bak)) << "the confirm step removes the backup";
    EXPECT_EQ(CountRows(db), 3000) << "the rebuilt database keeps every row";
    EXPECT_EQ(dir.Listing(), "SHOP.FDB;") << "nothing else may be left behind";
}

// Picked while another program held it open, the database shows the size -1; let go before the
// backup, it is compacted, and the report compares with the size it had when it was replaced.
TEST_F(WorkflowTest, ASizeUnreadableAtThePickIsTakenWhenTheOriginalIsReplaced) {
    const std::string db = MakeDatabase(dir.File("held.fdb"));
    {
        THeldFile holder(db);
        Pick(db);
        ASSERT_EQ(form.Label1->text(), "-1");
    }
    form.sButton2Click();
    const std::int64_t before = FileSizeOf(db);
    form.sButton3Click();
    form.sButton4Click();
    const std::int64_t after = FileSizeOf(db);
    ASSERT_EQ(form.RichEdit5->Text(), Shown(db) + " 최적화 완료.");
    EXPECT_EQ(form.Label1->text(), Grouped(before) + " - " + Grouped(after) + " = " + Grouped(before - after));
}

TEST_F(WorkflowTest, FileThatIsNotADatabaseFailsTheBackupAndIsLeftAlone) {
    const std::string junk = dir.File("notes.fdb");
    std::ofstream(junk, std::ios::binary) << std::string(100000, 'j');
    Pick(junk);
    form.sButton2Click();
    const QString path = QString::fromStdString(junk);
    const auto lines = LinesOf(form.RichEdit3);
    ASSERT_EQ(lines.size(), 4u) << form.RichEdit3->Text().toStdString();
    ExpectLines(form.RichEdit3, {{path + " 연결성공.", kBlue},
                                 {path + " 백업파일 만드는 중...", kBlack},
                                 {path + " 백업진행 오류.", kRed},
                                 lines[3]});
    // The engine's own reason follows the error line.
    EXPECT_TRUE(lines[3].text.contains("is not a valid database")) << lines[3].text.toStdString();
    EXPECT_EQ(lines[3].color, kRed);
    ExpectButtons({true, false, false}, form.sButton2);
    EXPECT_EQ(ReadFileBytes(junk), std::string(100000, 'j'));
    EXPECT_EQ(form.MyGauge->Progress(), 30);
}

// The engine says why in English in the pane; the status line says what it means in Korean.
TEST_F(WorkflowTest, AnEngineFailureWithACommonCauseIsExplainedInTheStatusLine) {
    const std::string junk = dir.File("junk.fdb");
    std::ofstream(junk, std::ios::binary) << std::string(100000, 'j');
    Pick(junk);
    form.sButton2Click();
    EXPECT_EQ(form.RichEdit5->Text(), Shown(junk) + " 데이터베이스 파일이 아닙니다.");
}

TEST_F(WorkflowTest, OptimiseWithoutABackupFileIsNotReady) {
    const std::string db = MakeDatabase(dir.File("a.fdb"), 100);
    Pick(db);
    form.sButton2Click();
    const std::string bak = dir.File("a.BAK");
    fs::rename(bak, dir.File("elsewhere"));
    const std::string bytes = ReadFileBytes(db);
    form.sButton3Click();
    ExpectLines(form.RichEdit4, {{"아직 준비가 되지않았습니다.", kRed}});
    ExpectButtons({false, true, false}, form.sButton3);
    EXPECT_EQ(form.MyGauge->Progress(), 50);
    EXPECT_TRUE(ReadFileBytes(db) == bytes);

    // Once the file is there, the same button runs the step.
    fs::rename(dir.File("elsewhere"), bak);
    form.sButton3Click();
    EXPECT_EQ(LinesOf(form.RichEdit4).size(), 8u);
    ExpectButtons({false, false, true}, form.sButton4);
}

TEST_F(WorkflowTest, FailedRestorePutsTheOriginalBackAndKeepsTheBackup) {
    const std::string db = MakeDatabase(dir.File("b.fdb"), 2000);
    const std::string bak = dir.File("b.BAK");
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(fs::exists(bak));
    const std::string original = ReadFileBytes(db);
    // A backup damaged as a failing disk damages it, with no write the file system records.
    const std::string damaged = DamageSecondHalfUnseen(bak);

    form.sButton3Click();
    const auto lines = LinesOf(form.RichEdit4);
    ASSERT_GE(lines.size(), 3u);
    const QString path = QString::fromStdString(db);
    // The error line, the engine's reason, and the word that the original is back.
    EXPECT_EQ(lines[lines.size() - 3].text, path + " 최적화 진행 오류.");
    EXPECT_EQ(lines[lines.size() - 3].color, kRed);
    EXPECT_FALSE(lines[lines.size() - 2].text.isEmpty());
    EXPECT_FALSE(lines[lines.size() - 2].text.startsWith(path + " "));
    EXPECT_EQ(lines[lines.size() - 2].color, kRed);
    EXPECT_EQ(lines.back().text, path + " 기존파일 복원.");
    EXPECT_EQ(lines.back().color, kBlue);
    ExpectButtons({false, true, false}, form.sButton3);
    EXPECT_TRUE(ReadFileBytes(db) == original) << "the original database must be back, byte for byte";
    EXPECT_TRUE(ReadFileBytes(bak) == damaged);
    EXPECT_EQ(CountRows(db), 1000);

    form.sButton5Click();
    EXPECT_TRUE(fs::exists(bak)) << "exit keeps the backup after a failed optimise";
    EXPECT_EQ(dir.Listing(), "b.BAK;b.fdb;") << "no set-aside copy may be left behind";
}

// The engine can end a restore without an error and still leave its database shut down: an
// index it could not activate (here a unique index whose expression reads a session value that
// the restore does not have). That database is no replacement for the original.
TEST_F(WorkflowTest, ARestoreThatLeavesTheDatabaseShutDownPutsTheOriginalBack) {
    const std::string db = dir.File("OFFL.FDB");
    const std::string bak = dir.File("OFFL.BAK");
    RunIsql("create database '" + db + "';\n"
            "create table T (V integer);\ncommit;\n"
            "insert into T values (1);\ninsert into T values (2);\ninsert into T values (3);\ncommit;\n"
            "select rdb$set_context('USER_SESSION', 'K', '1') from rdb$database;\n"
            "create unique index UX on T computed by "
            "(V * coalesce(cast(rdb$get_context('USER_SESSION', 'K') as integer), 0));\ncommit;\n");
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
    const std::string original = ReadFileBytes(db);
    form.sButton3Click();

    const QString path = Shown(db);
    const QString log = form.RichEdit4->Text();
    EXPECT_TRUE(log.contains(path + " 최적화 진행 오류.")) << log.toStdString();
    EXPECT_TRUE(log.contains("shutdown")) << log.toStdString();
    EXPECT_TRUE(log.contains("index")) << "the restore's own words say which index failed";
    EXPECT_FALSE(log.contains(" 데이터베이스 최적화 완료.")) << log.toStdString();
    EXPECT_EQ(LinesOf(form.RichEdit4).back().text, path + " 기존파일 복원.");
    EXPECT_FALSE(form.sButton4->isEnabled());
    EXPECT_TRUE(ReadFileBytes(db) == original) << "the original database is back, byte for byte";
    form.sButton5Click();
    EXPECT_TRUE(fs::exists(bak)) << "exit keeps the backup after a failed optimise";
    EXPECT_EQ(dir.Listing(), "OFFL.BAK;OFFL.FDB;");
}

// An optimise refused before anything moved (the database held open by another program, or
// written to since its backup) leaves the run's backup in its care: the exit removes it as after
// a backup alone, and the next run of the same database backs up again without a word about a
// file it did not make.
TEST_F(WorkflowTest, ABackupLeftByARefusedOptimiseGoesWithTheRun) {
    for (const bool heldOpen : {true, false}) {
        SCOPED_TRACE(heldOpen ? "held open" : "written to");
        const std::string db = MakeDatabase(dir.File(heldOpen ? "held.fdb" : "written.fdb"), 1000);
        const std::string bak = dir.File(heldOpen ? "held.BAK" : "written.BAK");
        Pick(db);
        form.sButton2Click();
        ASSERT_TRUE(fs::exists(bak));
        {
            std::optional<THeldFile> holder;
            if (heldOpen)
                holder.emplace(db);
            else
                RunIsql("connect '" + db + "';\ninsert into ROWS_T (ID, PAD) values (-1, 'late');\ncommit;\n");
            form.sButton3Click();
        }
        ASSERT_TRUE(form.RichEdit4->Text().contains(Shown(db) + " 최적화 진행 오류."));
        ASSERT_TRUE(fs::exists(db)) << "nothing may have moved";
        form.sButton5Click();
        EXPECT_FALSE(fs::exists(bak)) << "the run's own backup is left behind with no record of it";
        Pick(db);
        form.sButton2Click();
        EXPECT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
        form.sButton5Click();
        EXPECT_EQ(CountRows(db), heldOpen ? 500 : 501);
    }
}

// Between the backup and the optimise, another program changes what the restore would rest on:
// it commits rows to the database, which are not in the backup, or writes over the backup file
// in place (the same file, so the check that the backup is this run's own holds). The engine
// would end a restore from a cut-off backup without an error, and would rebuild another
// database from another database's backup. Each time the optimise refuses before anything
// moves, and a new backup compacts the database.
TEST_F(WorkflowTest, AChangeSinceTheBackupRefusesTheOptimiseUntilANewBackup) {
    const std::string other = MakeDatabase(dir.File("other.fdb"), 100);
    Pick(other);
    form.sButton2Click();
    const std::string otherBackup = ReadFileBytes(dir.File("other.BAK"));
    ASSERT_FALSE(otherBackup.empty());

    enum class TChange { DatabaseWritten, BackupCutShort, BackupOfAnotherDatabase };
    for (const TChange change : {TChange::DatabaseWritten, TChange::BackupCutShort, TChange::BackupOfAnotherDatabase}) {
        const std::string name = change == TChange::DatabaseWritten  ? "written"
                                 : change == TChange::BackupCutShort ? "cut"
                                                                     : "swapped";
        SCOPED_TRACE(name);
        const std::string db = MakeDatabase(dir.File(name + ".fdb"), 2000);
        const std::string bak = dir.File(name + ".BAK");
        // Counted before the backup: any attachment after it counts as a change to the database.
        ASSERT_EQ(CountRows(db), 1000);
        Pick(db);
        form.sButton2Click();
        ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
        const std::string written = ReadFileBytes(bak);
        if (change == TChange::DatabaseWritten)
            RunIsql("connect '" + db + "';\ninsert into ROWS_T (ID, PAD) select ID + 100000, PAD from ROWS_T;\ncommit;\n");
        else
            std::ofstream(bak, std::ios::binary | std::ios::trunc)
                << (change == TChange::BackupCutShort ? written.substr(0, written.size() / 2) : otherBackup);
        const int rows = change == TChange::DatabaseWritten ? 2000 : 1000;
        const ino_t before = InodeOf(db);

        form.sButton3Click();
        EXPECT_EQ(InodeOf(db), before) << "nothing may have moved";
        EXPECT_TRUE(form.RichEdit5->Text().contains("다시 백업하십시오")) << form.RichEdit5->Text().toStdString();
        EXPECT_FALSE(form.RichEdit4->Text().contains(Shown(db) + " 기존파일 삭제.")) << form.RichEdit4->Text().toStdString();
        ExpectButtons({true, false, false}, form.sButton2);
        EXPECT_EQ(CountRows(db), rows);

        form.sButton2Click();
        form.sButton3Click();
        form.sButton4Click();
        EXPECT_NE(InodeOf(db), before) << "rebuilt from the new backup";
        EXPECT_EQ(CountRows(db), rows);
        EXPECT_FALSE(fs::exists(bak));
    }
}

TEST_F(WorkflowTest, SecondRunAppendsBelowTheFirst) {
    const std::string db = MakeDatabase(dir.File("c.fdb"), 500);
    const QString path = QString::fromStdString(db);
    for (int run = 0; run < 2; ++run) {
        Pick(db);
        form.sButton2Click();
        form.sButton3Click();
        form.sButton4Click();
        EXPECT_EQ(form.RichEdit5->Text(), path + " 최적화 완료.");
    }
    ExpectLines(form.RichEdit3, BackupLines(path) + BackupLines(path), LinesWithoutBackupRetry);
    ExpectLines(form.RichEdit4, OptimiseLines(path) + OptimiseLines(path));
    EXPECT_EQ(CountRows(db), 250);
}

TEST_F(WorkflowTest, FailedBackupCanBeRetried) {
    const std::string db = dir.File("later.fdb");
    Pick(db); // typed name, no file yet
    form.sButton2Click();
    ExpectButtons({true, false, false}, form.sButton2);
    EXPECT_FALSE(fs::exists(dir.File("later.BAK"))) << "a failed backup leaves no backup file";
    MakeDatabase(db, 200);
    form.sButton2Click();
    const auto lines = LinesOf(form.RichEdit3);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2].text, QString::fromStdString(db) + " 백업진행 오류.");
    EXPECT_TRUE(lines[3].text.contains("later.fdb")) << "the engine names the missing file";
    EXPECT_EQ(lines[7].text, QString::fromStdString(db) + " 백업작업 완료.");
    EXPECT_EQ(VisibleNames(dir.Path()), (std::vector<std::string>{"later.BAK", "later.fdb"}));
    ExpectButtons({false, true, false}, form.sButton3);
}

TEST_F(WorkflowTest, DatabaseInAFolderWithAKoreanName) {
    fs::create_directory(dir.File("데이터베이스"));
    const std::string db = MakeDatabase(dir.File("데이터베이스/가게.fdb"), 1000);
    Pick(db);
    form.sButton2Click();
    form.sButton3Click();
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), QString::fromStdString(db) + " 최적화 완료.");
    EXPECT_EQ(CountRows(db), 500);
    EXPECT_FALSE(fs::exists(dir.File("데이터베이스/가게.BAK")));
}

TEST_F(WorkflowTest, ConfirmWithoutADatabaseKeepsTheBackup) {
    const std::string db = MakeDatabase(dir.File("d.fdb"), 100);
    Pick(db);
    form.sButton2Click();
    fs::remove(db);
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), QString::fromStdString(db) + " 최적화 오류.");
    EXPECT_TRUE(fs::exists(dir.File("d.BAK")));
    form.sButton5Click();
    EXPECT_TRUE(fs::exists(dir.File("d.BAK"))) << "with no database the backup is the only copy";
}

// A set-aside original with no record of the run that made it cannot be judged: it stays as it
// is, and no step runs on that database until the user has looked at it.
TEST_F(WorkflowTest, SetAsideFileWithoutARecordStopsTheSteps) {
    const std::string db = MakeDatabase(dir.File("e.fdb"), 200);
    const std::string leftover = dir.File(".e.fdb.morvane-original");
    std::ofstream(leftover, std::ios::binary) << "left by a crash";
    const std::string bytes = ReadFileBytes(db);
    Pick(db);
    EXPECT_EQ(form.RichEdit1->Text(), QString::fromStdString(db));
    EXPECT_TRUE(form.RichEdit5->Text().contains(QString::fromStdString(leftover)))
        << form.RichEdit5->Text().toStdString();
    ExpectButtons({false, false, false}, form.sButton1);
    form.sButton2Click();
    EXPECT_FALSE(fs::exists(dir.File("e.BAK")));
    EXPECT_EQ(ReadFileBytes(leftover), "left by a crash");
    EXPECT_TRUE(ReadFileBytes(db) == bytes);

    fs::remove(leftover); // once the user has dealt with it, the run goes ahead
    RunAllSteps(db);
    EXPECT_EQ(form.RichEdit5->Text(), QString::fromStdString(db) + " 최적화 완료.");
    EXPECT_EQ(CountRows(db), 100);
}

enum class TCloseBy { TitleBar, ExitButton };
enum class TJob { Backup, Restore, FailingRestore };

struct CloseDuringJobCase {
    const char* Name;
    TJob Job;
    TCloseBy By;
    bool BackupKept;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const CloseDuringJobCase& c, std::ostream* os) {
    *os << c.Name;
}

class CloseDuringJob : public WorkflowTest, public ::testing::WithParamInterface<CloseDuringJobCase> {
protected:
    // The user's close while the engine works: the title bar (and Alt+F4, which the window
    // manager turns into the same request) or the exit button.
    void RequestClose(TCloseBy by) {
        if (by == TCloseBy::TitleBar)
            closeReturned = form.windowHandle()->close();
        else
            form.sButton5->click();
    }
    bool closeReturned = true;
};

// The close waits for the job, says so, and happens once the step has ended.
TEST_P(CloseDuringJob, IsDeferredUntilTheStepHasEnded) {
    const CloseDuringJobCase& c = GetParam();
    const std::string db = MakeDatabase(dir.File("g.fdb"), 4000);
    const std::string bak = dir.File("g.BAK");
    const QString path = QString::fromStdString(db);
    form.sComboBox1->SetItemIndex(2);
    Pick(db);
    if (c.Job != TJob::Backup) {
        form.sButton2Click();
        ASSERT_TRUE(fs::exists(bak));
    }
    // After the backup, which collects the garbage of the deleted rows in the database itself.
    const std::string original = ReadFileBytes(db);
    std::string damaged;
    if (c.Job == TJob::FailingRestore)
        damaged = DamageSecondHalfUnseen(bak);
    QString statusDuringJob;
    bool visibleDuringJob = false;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        RequestClose(c.By);
        visibleDuringJob = form.isVisible();
        statusDuringJob = form.RichEdit5->Text();
    });

    (c.Job == TJob::Backup ? form.sButton2 : form.sButton3)->click();

    EXPECT_TRUE(visibleDuringJob) << "the window must not close while the engine works";
    if (c.By == TCloseBy::TitleBar) {
        EXPECT_FALSE(closeReturned);
    }
    EXPECT_EQ(statusDuringJob, path + " 작업이 끝나면 창이 닫힙니다.");
    const bool failed = c.Job == TJob::FailingRestore;
    if (failed) {
        // The user must see the failure, not take the run for done.
        EXPECT_TRUE(form.isVisible()) << "a step that failed does not close the window";
        EXPECT_TRUE(form.RichEdit5->Text().endsWith(" 작업이 실패하여 창을 닫지 않았습니다."))
            << form.RichEdit5->Text().toStdString();
    } else {
        EXPECT_FALSE(form.isVisible()) << "the window closes once the step has ended";
    }
    const auto backupLog = LinesOf(form.RichEdit3);
    const auto optimiseLog = LinesOf(form.RichEdit4);
    if (c.Job == TJob::Backup) {
        ASSERT_FALSE(backupLog.empty());
        EXPECT_EQ(backupLog.back().text, path + " 백업작업 완료.") << "the job ran to its end";
    } else {
        ASSERT_FALSE(optimiseLog.empty());
        // A failed restore: the error line, the engine's reason, and that the original is back.
        EXPECT_EQ(optimiseLog.back().text,
                  path + (c.Job == TJob::Restore ? " 데이터베이스 최적화 완료." : " 기존파일 복원."));
        if (c.Job == TJob::FailingRestore) {
            EXPECT_TRUE(std::ranges::any_of(
                optimiseLog, [&](const auto& line) { return line.text == path + " 최적화 진행 오류."; }));
        }
    }
    EXPECT_EQ(fs::exists(bak), c.BackupKept);
    if (c.Job == TJob::FailingRestore) {
        EXPECT_TRUE(ReadFileBytes(db) == original)
            << "the original is back before the window closes; folder: " << dir.Listing();
        EXPECT_TRUE(ReadFileBytes(bak) == damaged);
    } else {
        EXPECT_EQ(CountRows(db), 2000);
    }
    if (failed)
        return;
    EXPECT_EQ(ReadFileBytes(ProgramFolder() + "kvSkinNumber.ini"), "[SkinNumber]\r\nNumber=2\r\n")
        << "the close handler ran";
    EXPECT_NE(ReadFileBytes(ProgramFolder() + "kvFormPct.ini").find("NormPos="), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseDuringJob,
    ::testing::Values(
        CloseDuringJobCase{"title_bar_during_backup", TJob::Backup, TCloseBy::TitleBar, true},
        CloseDuringJobCase{"title_bar_during_restore", TJob::Restore, TCloseBy::TitleBar, true},
        // The exit button keeps its rule: the backup goes while a database stands
        // at the path and no optimise of this run failed.
        CloseDuringJobCase{"exit_button_during_backup", TJob::Backup, TCloseBy::ExitButton, false},
        CloseDuringJobCase{"exit_button_during_restore", TJob::Restore, TCloseBy::ExitButton, false},
        CloseDuringJobCase{"exit_button_during_failing_restore", TJob::FailingRestore, TCloseBy::ExitButton,
                           true},
        CloseDuringJobCase{"title_bar_during_failing_restore", TJob::FailingRestore, TCloseBy::TitleBar, true}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace

namespace {

// The rebuilt database is swapped for another file before the confirm: the run cannot tell
// which file holds the data, so it tidies nothing away and does not call the run finished.
TEST_F(WorkflowTest, ConfirmThatCannotTidyUpSaysSoAndKeepsEveryFile) {
    const std::string db = MakeDatabase(dir.File("f.fdb"), 300);
    Pick(db);
    form.sButton2Click();
    form.sButton3Click();
    ASSERT_TRUE(form.sButton4->isEnabled());
    fs::copy_file(db, dir.File("f.copy"));
    fs::rename(dir.File("f.copy"), db);
    const std::string before = dir.Listing();
    form.sButton4Click();
    const QString status = form.RichEdit5->Text();
    EXPECT_TRUE(status.contains(" 최적화는 끝났으나 ")) << status.toStdString();
    EXPECT_TRUE(status.contains("정리하지 못했습니다 (복원한 데이터베이스가 그 자리에 없거나 다른 파일로 바뀌었습니다)")) << status.toStdString();
    EXPECT_NE(gauge.back(), 100) << "the run is not shown as complete";
    EXPECT_EQ(form.Label1->text(), SizeText(form.SizeBefore)) << "no size of the file now at the path is reported";
    EXPECT_EQ(dir.Listing(), before) << "nothing may go while the files do not match the record";
    EXPECT_TRUE(fs::exists(dir.File("f.BAK")));
    form.sButton5Click();
    EXPECT_TRUE(fs::exists(dir.File("f.BAK")));
}

} // namespace

namespace {

// The original is gone and the rebuilt database stands; the record on the disk says so. That
// its last update then fails is no failed optimise: the run is reported done and confirmed.
TEST_F(WorkflowTest, ARecordThatCannotTakeItsLastUpdateDoesNotFailADoneOptimise) {
    const std::string db = MakeDatabase(dir.File("h.fdb"), 300);
    const std::string blocker = RunRecordPathFor(db) + ".new";
    QObject::connect(&form, &TMorvaneMainForm::runRecorded, [&](const QString& state) {
        if (state == "restore-finished") {
            // A folder with something in it at the record's temporary name: no write gets past it.
            fs::create_directory(blocker);
            std::ofstream(blocker + "/x") << "x";
        }
    });
    Pick(db);
    form.sButton2Click();
    form.sButton3Click();
    EXPECT_TRUE(form.RichEdit4->Text().endsWith(QString::fromStdString(db) + " 데이터베이스 최적화 완료."))
        << form.RichEdit4->Text().toStdString();
    ASSERT_TRUE(fs::exists(blocker)) << "the record never reached the restore's end";
    EXPECT_TRUE(form.sButton4->isEnabled());
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), QString::fromStdString(db) + " 최적화 완료.");
    EXPECT_EQ(CountRows(db), 150);
    EXPECT_FALSE(fs::exists(dir.File("h.BAK")));
    fs::remove_all(blocker);
}

} // namespace
