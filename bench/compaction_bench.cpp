// Compacts one generated database of about 200 MB twice: once through the window's own steps
// (pick, backup, optimise, confirm) and once with fbsvcmgr doing the same backup and restore
// through the same embedded engine. Prints both wall times and their ratio, with the window's
// fixed gauge pauses (ten of 100 ms) taken out of its time.
//
//   build/bench/compaction_bench [rows] [rounds]     (QT_QPA_PLATFORM=offscreen is set here)

#include "MorvaneMain.h"
#include "ProgramEntry.h"
#include "TRichEdit.h"
#include "TempDir.h"
#include "TestDatabase.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kGaugePausesSeconds = 1.0;

// Rows of 200 bytes of incompressible text (Firebird packs repeated characters), half of them
// deleted afterwards so there is something to compact.
void GenerateDatabase(const std::string& path, int rows) {
    RunIsql("create database '" + path +
            "' page_size 4096;\n"
            "create table ROWS_T (ID integer not null primary key, PAD varchar(200));\n"
            "commit;\n"
            "set term ^;\n"
            "execute block as declare i integer = 0; begin\n"
            "  while (i < " +
            std::to_string(rows) +
            ") do begin\n"
            "    insert into ROWS_T (ID, PAD) values (:i, substring(uuid_to_char(gen_uuid()) ||\n"
            "      uuid_to_char(gen_uuid()) || uuid_to_char(gen_uuid()) || uuid_to_char(gen_uuid()) ||\n"
            "      uuid_to_char(gen_uuid()) || uuid_to_char(gen_uuid()) from 1 for 200));\n"
            "    i = i + 1;\n"
            "  end\n"
            "end^\n"
            "set term ;^\n"
            "commit;\n"
            "delete from ROWS_T where mod(ID, 2) = 0;\n"
            "commit;\n");
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// fbsvcmgr from Debian's Firebird 3 often dies with SIGSEGV while it exits, after its job has
// ended (an engine thread outlives the engine's unloading). Such a run counts; the database
// it leaves is checked afterwards.
void Run(const std::string& command) {
    const int status = std::system(command.c_str());
    const bool crashedAtExit = WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGSEGV;
    if (status != 0 && !crashedAtExit)
        throw std::runtime_error("failed: " + command);
}

double CompactWithWindow(const std::string& db) {
    TMorvaneMainForm form;
    form.OpenDialog.SetChooser([&](TOpenDialog& dialog, QWidget*) {
        dialog.FileName = QString::fromStdString(db);
        return true;
    });
    const auto start = Clock::now();
    form.sButton1Click();
    const auto picked = Clock::now();
    form.sButton2Click();
    const auto backedUp = Clock::now();
    form.sButton3Click();
    const auto optimised = Clock::now();
    form.sButton4Click();
    const double seconds = Seconds(Clock::now() - start) - kGaugePausesSeconds;
    std::printf("  window: pick %.3f s, backup %.3f s, optimise %.3f s, confirm %.3f s (with pauses)\n",
                Seconds(picked - start), Seconds(backedUp - picked), Seconds(optimised - backedUp),
                Seconds(Clock::now() - optimised));
    if (!form.RichEdit5->Text().endsWith(QStringLiteral(" 최적화 완료.")) ||
        fs::exists(db.substr(0, db.size() - 3) + "BAK"))
        throw std::runtime_error("the window's compaction did not complete");
    return seconds;
}

double CompactWithFbsvcmgr(const std::string& db) {
    const std::string bak = db + ".fbk";
    const std::string auth = " -user SYSDBA -password plumbtide ";
    const auto start = Clock::now();
    Run("fbsvcmgr service_mgr" + auth + "action_backup dbname '" + db + "' bkp_file '" + bak + "'");
    const auto backedUp = Clock::now();
    fs::remove(db);
    Run("fbsvcmgr service_mgr" + auth + "action_restore bkp_file '" + bak + "' dbname '" + db +
        "' res_page_size 4096 res_create");
    fs::remove(bak);
    std::printf("  fbsvcmgr: backup %.3f s, restore %.3f s\n", Seconds(backedUp - start),
                Seconds(Clock::now() - backedUp));
    return Seconds(Clock::now() - start);
}

// The machine's load, printed with the figures: the benchmark is sensitive to other work.
std::string LoadAverage() {
    return ReadFileBytes("/proc/loadavg").substr(0, 14);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;

    TTempDir dir;
    const std::string source = dir.File("source.fdb");
    std::printf("generating %d rows...\n", rows);
    GenerateDatabase(source, rows);
    std::printf("database: %.1f MB; load average %s\n", FileSizeOf(source) / 1e6, LoadAverage().c_str());

    std::vector<double> window, tool;
    for (int round = 0; round < rounds; ++round) {
        // Alternate the order so neither side always runs on a warmer cache.
        const std::string a = dir.File("window.fdb"), b = dir.File("tool.fdb");
        fs::copy_file(source, a, fs::copy_options::overwrite_existing);
        fs::copy_file(source, b, fs::copy_options::overwrite_existing);
        // Dirty pages of the copies (and of the other side's run) must not be written back
        // during a timed run.
        ::sync();
        if (round % 2 == 0) {
            window.push_back(CompactWithWindow(a));
            ::sync();
            tool.push_back(CompactWithFbsvcmgr(b));
        } else {
            tool.push_back(CompactWithFbsvcmgr(b));
            ::sync();
            window.push_back(CompactWithWindow(a));
        }
        if (CountRows(a) != CountRows(source) || CountRows(b) != CountRows(source))
            throw std::runtime_error("a compacted database lost rows");
        std::printf("round %d: window %.2f s (pauses excluded), fbsvcmgr %.2f s, after %.1f MB\n", round + 1,
                    window.back(), tool.back(), FileSizeOf(a) / 1e6);
    }
    const double ratio = Median(window) / Median(tool);
    std::printf("median: window %.2f s, fbsvcmgr %.2f s, ratio %.3f (target <= 1.05); load average %s\n",
                Median(window), Median(tool), ratio, LoadAverage().c_str());
    return 0;
}
