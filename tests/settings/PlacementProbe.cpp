// A program that opens the placement test window on a placement file, as the real program
// opens its window, at whatever scale factor its environment sets (QT_SCALE_FACTOR).
//
//   placement_probe INI                       prints where the window opened, then closes it
//   placement_probe INI LEFT TOP WIDTH HEIGHT moves the window there first
//
// Output: "frame L T W H area L T W H", the window's outer bounds and the screen's available
// area. Closing saves the placement; the exit code is the number of errors reported.
#include "PlacementTestForm.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
}

void Print(const char* name, const QRect& r) {
    std::printf("%s %d %d %d %d", name, r.left(), r.top(), r.width(), r.height());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: placement_probe INI [LEFT TOP WIDTH HEIGHT]\n");
        return 100;
    }
    TPlacementTestForm form(argv[1]);
    form.show();
    Settle();
    if (argc == 6) {
        form.move(std::atoi(argv[2]), std::atoi(argv[3]));
        form.resize(std::atoi(argv[4]), std::atoi(argv[5]));
        Settle();
    }
    Print("frame", form.frameGeometry());
    Print(" area", form.screen()->availableGeometry());
    std::printf("\n");
    form.close();
    return static_cast<int>(form.Errors.size());
}
