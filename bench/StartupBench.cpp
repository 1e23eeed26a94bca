// Start-up of the program to its first painted frame, against a bare Qt program that shows an
// empty window of the same size: each started many times, alternating, on the offscreen
// platform; the median wall time from the start of the process to its "painted" line.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double StartOnce(const QString& probe, const QString& kind) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The offscreen platform unless the caller chose one (xcb under xvfb-run, for a real X server).
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(probe, {kind});
    if (!process.waitForReadyRead(30000))
        return -1;
    const double elapsed = clock.nsecsElapsed() / 1e6;
    const bool painted = process.readAllStandardOutput().contains("painted");
    process.waitForFinished(30000);
    return painted ? elapsed : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const QString probe = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("./startup_probe");
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
    std::vector<double> program, bare;
    StartOnce(probe, QStringLiteral("morvane")); // warm the file cache
    StartOnce(probe, QStringLiteral("bare"));
    for (int i = 0; i < rounds; ++i) {
        program.push_back(StartOnce(probe, QStringLiteral("morvane")));
        bare.push_back(StartOnce(probe, QStringLiteral("bare")));
    }
    if (std::ranges::count(program, -1.0) + std::ranges::count(bare, -1.0) > 0) {
        std::fprintf(stderr, "a start did not reach its first paint\n");
        return 1;
    }
    const double p = Median(program), b = Median(bare);
    std::printf("start-up to first paint, median of %d: morvane %.1f ms, bare Qt window %.1f ms, ratio %.2f\n",
                rounds, p, b, p / b);
    return 0;
}
