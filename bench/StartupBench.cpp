// Start-up of the program to its first painted frame, against a bare Qt program that shows an
// empty window of the same size: each started many times, alternating, and the median wall time
// from the start of the process to its "painted" line. On the offscreen platform, and on the X
// server of $DISPLAY when there is one (xvfb-run gives one); QT_QPA_PLATFORM picks a single one.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct Start {
    double Milliseconds;
    QByteArray Size; // "WIDTHxHEIGHT" of the painted window
};

std::optional<Start> StartOnce(const QString& probe, const QString& platform, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(probe, arguments);
    if (!process.waitForReadyRead(30000))
        return std::nullopt;
    const double elapsed = clock.nsecsElapsed() / 1e6;
    const QByteArray line = process.readAllStandardOutput().trimmed();
    process.waitForFinished(30000);
    if (!line.startsWith("painted "))
        return std::nullopt;
    return Start{elapsed, line.mid(8)};
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * (values.size() - 1) + 0.5)];
}

bool Measure(const QString& probe, const QString& platform, int rounds) {
    // The first start warms the file cache and tells the size the bare window gets.
    const std::optional<Start> first = StartOnce(probe, platform, {QStringLiteral("morvane")});
    if (!first) {
        std::fprintf(stderr, "%s: the program did not reach its first paint\n", qPrintable(platform));
        return false;
    }
    const QStringList bareArguments{QStringLiteral("bare"), QString::fromLatin1(first->Size)};
    StartOnce(probe, platform, bareArguments);
    std::vector<double> program, bare;
    for (int i = 0; i < rounds; ++i) {
        const std::optional<Start> p = StartOnce(probe, platform, {QStringLiteral("morvane")});
        const std::optional<Start> b = StartOnce(probe, platform, bareArguments);
        if (!p || !b) {
            std::fprintf(stderr, "%s: a start did not reach its first paint\n", qPrintable(platform));
            return false;
        }
        program.push_back(p->Milliseconds);
        bare.push_back(b->Milliseconds);
    }
    const double p = Quantile(program, 0.5), b = Quantile(bare, 0.5);
    std::printf("%-9s start-up to first paint (%s window), median of %d: morvane %.1f ms (quartiles %.1f-%.1f), "
                "bare Qt window %.1f ms (%.1f-%.1f), ratio %.2f\n",
                qPrintable(platform), first->Size.constData(), rounds, p, Quantile(program, 0.25),
                Quantile(program, 0.75), b, Quantile(bare, 0.25), Quantile(bare, 0.75), p / b);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const QString probe = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("./startup_probe");
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    QStringList platforms;
    if (const char* chosen = std::getenv("QT_QPA_PLATFORM"); chosen && *chosen)
        platforms << QString::fromLocal8Bit(chosen);
    else {
        platforms << QStringLiteral("offscreen");
        if (const char* display = std::getenv("DISPLAY"); display && *display)
            platforms << QStringLiteral("xcb");
    }
    bool measured = true;
    for (const QString& platform : platforms)
        measured = Measure(probe, platform, rounds) && measured;
    return measured ? 0 : 1;
}
