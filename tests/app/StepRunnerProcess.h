#pragma once
// The test's side of step_runner: starts it (as another user when asked), reads what it says,
// and kills it with SIGKILL - nothing of the program runs after that, as after a crash.

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <string>
#include <vector>

class TStepRunner {
public:
    struct TOptions {
        std::string Steps = "pick,backup,optimise,confirm";
        std::string StopAt{};            // a recorded state to hang at
        std::vector<std::string> User{}; // e.g. {"runuser", "-u", "nobody", "--", "env", "X=y"}
    };

    TStepRunner(const std::string& database, const TOptions& options) {
        QStringList arguments;
        for (std::size_t i = 1; i < options.User.size(); ++i)
            arguments << QString::fromStdString(options.User[i]);
        arguments << QStringLiteral(STEP_RUNNER_PATH)
                  << QString::fromLatin1(QByteArray::fromStdString(database).toHex())
                  << QString::fromStdString(options.Steps);
        if (!options.StopAt.empty())
            arguments << QString::fromStdString(options.StopAt);
        const QString program =
            options.User.empty() ? arguments.takeFirst() : QString::fromStdString(options.User.front());
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program, arguments);
    }
    ~TStepRunner() { Kill(); }

    // Reads lines until one starts with `prefix`; false after the time is up or at the end.
    bool WaitFor(const std::string& prefix, int milliseconds = 60000) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            while (next_ < lines_.size())
                if (lines_[next_++].rfind(prefix, 0) == 0)
                    return true;
            if (clock.elapsed() > milliseconds)
                return false;
            if (!ReadSome(50) && process_.state() == QProcess::NotRunning && !ReadSome(0))
                return false;
        }
    }

    // Waits for the end and returns every line said.
    const std::vector<std::string>& Finish(int milliseconds = 120000) {
        WaitFor("end", milliseconds);
        process_.waitForFinished(milliseconds);
        return lines_;
    }

    void Kill() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    // The text after "<prefix> " of every line that starts so.
    std::vector<std::string> Said(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : lines_)
            if (line.rfind(prefix + " ", 0) == 0)
                found.push_back(line.substr(prefix.size() + 1));
        return found;
    }

private:
    bool ReadSome(int milliseconds) {
        if (!process_.canReadLine())
            process_.waitForReadyRead(milliseconds);
        bool any = false;
        while (process_.canReadLine()) {
            QByteArray line = process_.readLine();
            line.chop(1);
            lines_.push_back(line.toStdString());
            any = true;
        }
        return any;
    }

    QProcess process_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};
