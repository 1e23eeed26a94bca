// The program told to end by SIGTERM, SIGINT or SIGHUP: idle, after the Firebird client has
// worked, and in the middle of a backup or a restore. It must close its window as a close
// does (both settings files written), let a running job end and finish its step first, exit
// with code 0, and never lose the database.
#include "FileSystem.h"
#include "TempDir.h"
#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr int Rows = 20000; // half of them deleted: enough work for the engine to be caught at it

std::string ChildFolder() {
    return QFileInfo(QStringLiteral(MORVANE_SIGNAL_CHILD)).absolutePath().toStdString() + "/";
}

struct SignalCase {
    const char* Name;
    const char* Script; // what the child does before it waits (see SignalChild.cpp)
    int Signal;
    const char* WaitFor; // the child's line after which the signal is sent
    bool SeenDuringJob;  // the request is sure to reach the window while the job runs
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const SignalCase& c, std::ostream* os) {
    *os << c.Name;
}

class SignalledProgram : public ::testing::TestWithParam<SignalCase> {
protected:
    static void SetUpTestSuite() {
        templateDir = new TTempDir;
        CreateTestDatabase({.Path = templateDir->File("template.fdb"), .Rows = Rows, .DeleteHalf = true});
    }
    static void TearDownTestSuite() {
        delete templateDir;
        templateDir = nullptr;
    }
    void SetUp() override {
        for (const char* name : {"kvSkinNumber.ini", "kvFormPct.ini"})
            fs::remove(ChildFolder() + name);
        fs::copy_file(templateDir->File("template.fdb"), db);
    }

    void Start(const char* script) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LC_ALL");
        environment.remove("LC_MESSAGES");
        environment.insert("LANG", "ko_KR.UTF-8"); // a Korean desktop
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(MORVANE_SIGNAL_CHILD), {QString::fromStdString(db), script});
        ASSERT_TRUE(child.waitForStarted(10000));
    }

    // Reads the child's lines until one equals `line`; false after 60 seconds or when it ended.
    bool WaitForLine(const QString& line) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60000) {
            while (child.canReadLine()) {
                lines << QString::fromUtf8(child.readLine()).chopped(1);
                if (lines.back() == line)
                    return true;
            }
            if (!child.waitForReadyRead(1000) && child.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }

    void ReadRest() {
        for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                lines << QString::fromUtf8(line);
    }

    QString LineStartingWith(const QString& start) const {
        for (const QString& line : lines)
            if (line.startsWith(start))
                return line;
        return QStringLiteral("(none)");
    }

    static TTempDir* templateDir;
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    QProcess child;
    QStringList lines;
};

TTempDir* SignalledProgram::templateDir = nullptr;

TEST_P(SignalledProgram, ClosesLikeACloseAndKeepsTheDatabase) {
    const SignalCase& c = GetParam();
    const QString path = QString::fromStdString(db);
    Start(c.Script);
    ASSERT_TRUE(WaitForLine(QString::fromUtf8(c.WaitFor))) << lines.join('\n').toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), c.Signal), 0);

    const bool ended = child.waitForFinished(60000);
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    ReadRest();
    const std::string output = lines.join('\n').toStdString();
    ASSERT_TRUE(ended) << "the program did not end on the signal\n" << output;
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(child.exitCode(), 0) << output;

    EXPECT_EQ(LineStartingWith("qt-cancel"), QString::fromUtf8("qt-cancel 취소")) << "Qt speaks Korean here";
    if (c.SeenDuringJob) {
        EXPECT_TRUE(lines.contains(QStringLiteral("status ") + path + " 작업이 끝나면 창이 닫힙니다."))
            << "the close waited for the job\n"
            << output;
    }
    // Every job ran to its end: the client did not shut its engine down under it.
    const std::string script = c.Script;
    const QString backedUp = path + " 백업작업 완료.";
    const QString optimised = path + " 데이터베이스 최적화 완료.";
    // A failed restore ends with the error line, the engine's reason and the original put back.
    const QString failed = path + " 기존파일 복원.";
    const QString closed = script == "idle"              ? QStringLiteral("closed  | ")
                           : script == "restore"         ? "closed " + backedUp + " | " + optimised
                           : script == "failing-restore" ? "closed " + backedUp + " | " + failed
                                                         : "closed " + backedUp + " | ";
    EXPECT_EQ(LineStartingWith("closed"), closed) << output;

    EXPECT_EQ(CountRows(db), Rows / 2) << "the database, intact, rebuilt or put back";
    // Besides the database and its backup only the run's record and lock may stay: the record
    // keeps track of the backup a close leaves, for the next pick of the database.
    const std::set<std::string> allowed{"shop.fdb", "shop.BAK", ".shop.fdb.morvane-run",
                                        ".shop.fdb.morvane-lock"};
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        EXPECT_TRUE(allowed.contains(entry.path().filename().string())) << "left behind: " << entry.path();
    EXPECT_EQ(ReadFileBytes(ChildFolder() + "kvSkinNumber.ini"), "[SkinNumber]\r\nNumber=1\r\n")
        << "the close handler saved the skin choice";
    EXPECT_NE(ReadFileBytes(ChildFolder() + "kvFormPct.ini").find("\r\nNormPos="), std::string::npos)
        << "the placement was saved";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SignalledProgram,
    ::testing::Values(SignalCase{"idle_sigterm", "idle", SIGTERM, "ready", false},
                      SignalCase{"idle_sigint", "idle", SIGINT, "ready", false},
                      SignalCase{"idle_sighup", "idle", SIGHUP, "ready", false},
                      // Once the client library has worked, it catches SIGTERM and SIGINT itself.
                      SignalCase{"idle_after_a_backup_sigterm", "after-backup", SIGTERM, "ready", false},
                      SignalCase{"idle_after_a_backup_sigint", "after-backup", SIGINT, "ready", false},
                      // Sent as the step starts: handled in the job's own event loop.
                      SignalCase{"backup_sigterm", "backup", SIGTERM, "about to back up", true},
                      SignalCase{"restore_sigint", "restore", SIGINT, "about to restore", true},
                      SignalCase{"restore_sighup", "restore", SIGHUP, "about to restore", true},
                      // The restore fails: the original is put back before the window closes.
                      SignalCase{"failing_restore_sigterm", "failing-restore", SIGTERM, "about to restore",
                                 true},
                      // Sent while the engine works: the client library gets it too.
                      SignalCase{"backup_engine_at_work_sighup", "backup", SIGHUP, "job 1", false},
                      SignalCase{"restore_engine_at_work_sigterm", "restore", SIGTERM, "job 2", false},
                      SignalCase{"restore_engine_at_work_sigint", "restore", SIGINT, "job 2", false}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
