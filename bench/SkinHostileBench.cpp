// Time and peak memory of loading the hostile skins of tests/skins/HostileSkins.h, each in a
// fresh process so that its peak resident memory is its own. Sizes double along each row to
// show the time growing linearly (or the load being refused at once).
//
//   skin_hostile_bench            every case, one line each
//   skin_hostile_bench CASE N     one load, run by the bench itself in a child process
#include "Exceptions.h"
#include "HostileSkins.h"
#include "SkinLoader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Case {
    const char* Name;
    std::vector<int> Sizes;
    std::function<std::vector<std::uint8_t>(int)> Make;
    const char* Unit;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"baseline", {63}, [](int n) { return ParentChainSkin(n); }, "sections"},
        {"parent-chain", {1250, 2500, 5000, 10000}, [](int n) { return ParentChainSkin(n); }, "sections"},
        {"colliding-keys", {16384, 32768, 65536}, [](int n) { return CollidingKeysSkin(n); }, "keys"},
        {"inherited-gradient",
         {125, 250, 500},
         [](int n) { return InheritedGradientSkin(n, 1 << 20); },
         "children"},
        {"progressive-jpeg-30-scans", {1}, [](int n) { return ProgressiveJpegSkin(n, 4); }, "pictures"},
        {"progressive-jpeg-246-scans", {6}, [](int n) { return ProgressiveJpegSkin(n, 40); }, "pictures"},
        {"large-jpeg-patterns", {1, 6}, [](int n) { return LargeJpegSkin(n); }, "pictures"},
        {"huge-entries", {8}, [](int) { return HugeEntriesSkin(); }, "entries"},
        {"whole-master-masks", {2, 4}, [](int n) { return WholeMasterMasksSkin(n); }, "masks"},
        {"png-text-chunks", {48, 200, 999}, [](int n) { return PngTextChunksSkin(n); }, "chunks"},
        {"tiny-entries", {120000, 130000, 3400000}, [](int n) { return TinyEntriesSkin(n); }, "entries"},
    };
    return cases;
}

// Every lookup a painter makes per section, for every section.
void LookUpEverySection(const SkinTables& tables) {
    for (std::size_t i = 0; i < tables.GeneralData.size(); ++i) {
        const std::string& name = tables.GeneralData[i].SectionName;
        const int index = static_cast<int>(i);
        tables.FindMask(index, name, "BORDERSMASK");
        tables.FindTexture(index, name, "PATTERN");
        tables.FindPattern(index, name, "PATTERN");
    }
}

// In the child: package in a file written by the parent, so the child's memory is the load's.
int RunOne(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    std::vector<std::uint8_t> package;
    for (int c; file != nullptr && (c = std::fgetc(file)) != EOF;)
        package.push_back(static_cast<std::uint8_t>(c));
    if (file != nullptr)
        std::fclose(file);
    const auto start = std::chrono::steady_clock::now();
    std::string outcome = "loaded";
    try {
        const SkinTablesPtr tables = LoadSkinPackage(package, nullptr);
        LookUpEverySection(*tables);
    } catch (const Exception& error) {
        outcome = error.Message;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f\t%s\n", seconds, outcome.c_str());
    return 0;
}

struct Result {
    std::string Output; // seconds, tab, outcome
    long PeakKb = 0;
};

Result RunChild(const char* self, const std::string& path, int timeoutSeconds) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        alarm(static_cast<unsigned>(timeoutSeconds)); // a stalled load is reported, not waited for
        execl(self, self, "--one", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    Result result;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.Output.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    result.PeakKb = usage.ru_maxrss;
    if (WIFSIGNALED(status))
        result.Output = WTERMSIG(status) == SIGALRM
                            ? "stopped after " + std::to_string(timeoutSeconds) + " s\t-\n"
                            : "killed by signal " + std::to_string(WTERMSIG(status)) + "\t-\n";
    if (!result.Output.empty() && result.Output.back() == '\n')
        result.Output.pop_back();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--one") == 0)
        return RunOne(argv[2]);
    const int timeout =
        std::getenv("SKIN_BENCH_TIMEOUT") ? std::atoi(std::getenv("SKIN_BENCH_TIMEOUT")) : 300;
    const std::string path = "/tmp/skin_hostile_bench_" + std::to_string(getpid()) + ".ktz";
    std::printf("case\tsize\tpackage bytes\tseconds\tpeak RSS MB\toutcome\n");
    for (const Case& c : Cases())
        for (const int size : c.Sizes) {
            const std::vector<std::uint8_t> package = c.Make(size);
            std::FILE* file = std::fopen(path.c_str(), "wb");
            std::fwrite(package.data(), 1, package.size(), file);
            std::fclose(file);
            const Result result = RunChild(argv[0], path, timeout);
            std::printf("%s\t%d %s\t%zu\t%s\t%.1f\n", c.Name, size, c.Unit, package.size(),
                        result.Output.substr(0, result.Output.find('\t')).c_str(), result.PeakKb / 1024.0);
            std::printf("\t\t\t\t\t%s\n", result.Output.substr(result.Output.find('\t') + 1).c_str());
            std::fflush(stdout);
        }
    std::remove(path.c_str());
    return 0;
}
