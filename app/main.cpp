#include "ErrorBox.h"
#include "FileNameCharacters.h"
#include "MorvaneMain.h"
#include "ProgramEntry.h"
#include "StandardInput.h"
#include "StartupWarmUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    DetachStandardInput();
    QApplication app(argc, argv);
    ReadFileNamesAsUtf8UnderThePosixLocale();
    // Runs beside the making of the window; ends before the program does.
    TStartupWarmUp warmUp;
    return RunMorvane(app);
}
