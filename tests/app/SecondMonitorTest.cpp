// The main window placed on the second of two monitors, under a window manager that frames
// windows (openbox), on a real X server. The monitors are set up through RandR before Qt
// connects; the X libraries are loaded at run time, as the X server's own packages bring them.
#include "MorvaneMain.h"
#include "PlacementKeys.h"
#include "TempDir.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// RandR 1.5's description of a monitor, as libXrandr lays it out.
struct MonitorInfo {
    unsigned long Name;
    int Primary;
    int Automatic;
    int OutputCount;
    int X, Y, Width, Height, WidthMm, HeightMm;
    unsigned long* Outputs;
};

// Splits the X server's screen into two monitors, one above the other: the primary one on top
// (holding the screen's output) and a second one below it from y = split. The connection stays
// open for the whole test program, so the server keeps them.
bool SplitScreenIntoTwoMonitors(int split) {
    void* x11 = dlopen("libX11.so.6", RTLD_NOW);
    void* xrandr = dlopen("libXrandr.so.2", RTLD_NOW);
    if (x11 == nullptr || xrandr == nullptr)
        return false;
    const auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
    const auto root = reinterpret_cast<unsigned long (*)(void*)>(dlsym(x11, "XDefaultRootWindow"));
    const auto atom = reinterpret_cast<unsigned long (*)(void*, const char*, int)>(dlsym(x11, "XInternAtom"));
    const auto sync = reinterpret_cast<int (*)(void*, int)>(dlsym(x11, "XSync"));
    const auto allocate = reinterpret_cast<MonitorInfo* (*)(void*, int)>(dlsym(xrandr, "XRRAllocateMonitor"));
    const auto set = reinterpret_cast<void (*)(void*, unsigned long, MonitorInfo*)>(dlsym(xrandr, "XRRSetMonitor"));
    const auto get =
        reinterpret_cast<MonitorInfo* (*)(void*, unsigned long, int, int*)>(dlsym(xrandr, "XRRGetMonitors"));
    if (!open || !root || !atom || !sync || !allocate || !set || !get)
        return false;
    void* display = open(nullptr);
    if (display == nullptr)
        return false;
    int count = 0;
    MonitorInfo* existing = get(display, root(display), 0, &count);
    if (existing == nullptr || count < 1 || existing[0].OutputCount < 1)
        return false;
    const MonitorInfo whole = existing[0];
    MonitorInfo* first = allocate(display, 1);
    *first = {atom(display, "FIRST", 0), 1, 0, 1, 0, 0, whole.Width, split, whole.WidthMm,
              whole.HeightMm * split / whole.Height, first->Outputs};
    first->Outputs[0] = whole.Outputs[0];
    set(display, root(display), first);
    MonitorInfo* second = allocate(display, 0);
    *second = {atom(display, "SECOND", 0), 0, 0, 0, 0, split, whole.Width, whole.Height - split, whole.WidthMm,
               whole.HeightMm * (whole.Height - split) / whole.Height, second->Outputs};
    set(display, root(display), second);
    sync(display, 0);
    return true;
}

constexpr int kSplit = 512;

QStringList* warnings = nullptr;

void KeepWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (warnings != nullptr && type >= QtWarningMsg)
        *warnings << message;
}

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window comes back on the second monitor, where it was closed. Its first paint confirms
// its place with the display; that must not move it to the other screen from inside the paint,
// which would paint it again there and then (Qt warns of a recursive repaint, and that inner
// paint draws nothing).
TEST(SecondMonitor, TheWindowComesBackOnTheSecondMonitorAndPaintsOnceAtATime) {
    ASSERT_GE(QGuiApplication::screens().size(), 2) << "the second monitor was not set up";
    const std::string placement = PlacementFilePath();
    WriteFileBytes(placement, "[TMorvaneMainForm]\r\nShowCmd=1\r\nNormPos=200,560,942,1009\r\n");
    QStringList seen;
    warnings = &seen;
    qInstallMessageHandler(KeepWarnings);
    {
        TMorvaneMainForm form;
        form.show();
        for (int i = 0; i < 200 && !(form.windowHandle() && form.windowHandle()->isExposed()); ++i)
            Wait(10);
        Wait(300);
        EXPECT_EQ(form.screen()->geometry().top(), kSplit) << "on the second monitor";
        EXPECT_EQ(form.geometry().topLeft(), QPoint(200, 560));
    }
    qInstallMessageHandler(nullptr);
    warnings = nullptr;
    std::filesystem::remove(placement);
    const QStringList painting = seen.filter(QRegularExpression(QStringLiteral("repaint|[Pp]aint")));
    EXPECT_TRUE(painting.isEmpty()) << painting.join(QStringLiteral(" | ")).toStdString();
}

} // namespace

int main(int argc, char** argv) {
    const bool split = SplitScreenIntoTwoMonitors(kSplit);
    if (!split)
        std::fprintf(stderr, "could not set up the second monitor\n");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
