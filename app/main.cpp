#include "ErrorBox.h"
#include "MorvaneMain.h"
#include "ProgramEntry.h"
#include "StartupWarmUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Runs beside the making of the window; ends before the program does.
    TStartupWarmUp warmUp;
    return RunMorvane(app);
}
