// step_runner <database path in hex> <steps> [<state to stop at>]
//
// The window in a process of its own, for tests that kill it at a chosen point or run it as
// another user. It picks the database (the dialog handing over the path as text, as the real
// one does) and clicks the named buttons in order ("pick,backup,optimise,confirm,exit"). On
// stdout, one line each: "recorded <state>" after the run records its state, "waiting" when a
// step waits for a job, "step <name>" after each click, and at the end the status line and both
// log panes. When the run records <state to stop at>, it says "stopped <state>" and hangs there
// until it is killed.

#include "ErrorBox.h"
#include "MorvaneMain.h"
#include "PickedPath.h"
#include "ProgramEntry.h"
#include "TRichEdit.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

void Say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void SayPane(const char* name, const TRichEdit* pane) {
    if (pane->Text().isEmpty())
        return;
    for (const QString& line : pane->Text().split(QLatin1Char('\n')))
        Say(QString::fromLatin1(name) + QLatin1Char(' ') + line);
}

bool Click(TMorvaneMainForm& form, const QString& step) {
    if (step == QLatin1String("pick"))
        form.sButton1Click();
    else if (step == QLatin1String("backup"))
        form.sButton2Click();
    else if (step == QLatin1String("optimise"))
        form.sButton3Click();
    else if (step == QLatin1String("confirm"))
        form.sButton4Click();
    else if (step == QLatin1String("exit"))
        form.sButton5Click();
    else
        return false;
    Say(QStringLiteral("step ") + step);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: step_runner <database hex> <steps> [<state to stop at>]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    // A settings file the user may not write must not open a modal box nobody can close.
    SetErrorBoxPresenter([](const QString&, const QString& text) { Say(QStringLiteral("error ") + text); });
    const std::string database = FromHex(argv[1]);
    const QString stopAt = argc > 3 ? QString::fromLatin1(argv[3]) : QString();

    TMorvaneMainForm form;
    form.OpenDialog.SetChooser([&](TOpenDialog& dialog, QWidget*) {
        dialog.FileName = ShownPath(database);
        return true;
    });
    QObject::connect(&form, &TMorvaneMainForm::runRecorded, [&](const QString& state) {
        Say(QStringLiteral("recorded ") + state);
        if (state == stopAt) {
            Say(QStringLiteral("stopped ") + state);
            for (;;)
                pause();
        }
    });
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [] { Say(QStringLiteral("waiting")); });
    for (const QString& step : QString::fromLatin1(argv[2]).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!Click(form, step))
            return 2;
    Say(QStringLiteral("status ") + form.RichEdit5->Text());
    SayPane("backup", form.RichEdit3);
    SayPane("optimise", form.RichEdit4);
    Say(QStringLiteral("end"));
    return 0;
}
