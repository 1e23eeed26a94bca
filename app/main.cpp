#include "ErrorBox.h"
#include "MorvaneMain.h"
#include "ProgramEntry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return RunMorvane(app);
}
