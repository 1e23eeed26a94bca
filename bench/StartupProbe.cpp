// One start of a program up to its first painted frame, for startup_bench: either the Morvane
// window ("morvane") or a bare Qt window of the same size ("bare"). Prints "painted" on standard
// output when the window's first paint has ended, then quits.
#include "MorvaneMain.h"
#include "ProgramEntry.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // After this paint has been drawn and flushed.
            QTimer::singleShot(0, [] {
                std::puts("painted");
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

} // namespace

int main(int argc, char** argv) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(734, 414);
    } else {
        InstallFontSubstitutes();
        window = std::make_unique<TMorvaneMainForm>();
    }
    FirstPaint probe(window.get());
    window->show();
    return app.exec();
}
