// One start of a program up to its first painted frame, for startup_bench: either Morvane, started
// as its main() starts it ("morvane"), or a bare Qt window ("bare WIDTHxHEIGHT", by default the
// size of Morvane's client area). Prints "painted WIDTHxHEIGHT" (the window's size) on standard
// output when the window's first paint has ended, then quits.
#include "FileNameCharacters.h"
#include "MorvaneMain.h"
#include "ProgramEntry.h"
#include "StandardInput.h"
#include "StartupWarmUp.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    // On the application, so it sees the window's paint before any filter of the window's own.
    explicit FirstPaint(QWidget* window) : QObject(window), window_(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // After this paint has been drawn and flushed.
            const QSize size = window_->size();
            QTimer::singleShot(0, [size] {
                std::printf("painted %dx%d\n", size.width(), size.height());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* window_;
    bool done_ = false;
};

int Bare(int argc, char** argv) {
    int width = 734, height = 414;
    if (argc > 2)
        std::sscanf(argv[2], "%dx%d", &width, &height);
    QApplication app(argc, argv);
    QWidget window;
    window.resize(width, height);
    new FirstPaint(&window);
    window.show();
    return app.exec();
}

int Morvane(int argc, char** argv) {
    DetachStandardInput();
    QApplication app(argc, argv);
    ReadFileNamesAsUtf8UnderThePosixLocale();
    TStartupWarmUp warmUp;
    return RunMorvane(app, [](TMorvaneMainForm& window) { new FirstPaint(&window); });
}

} // namespace

int main(int argc, char** argv) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    return bare ? Bare(argc, argv) : Morvane(argc, argv);
}
