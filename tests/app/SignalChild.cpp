// The program as it runs for a user (RunMorvane), with the database picked from the command
// line and the steps clicked by a script, for the tests that signal it. It reports on its
// standard output, one line each, what the tests wait for:
//
//   qt-cancel <text>  Qt's own text for "Cancel" in the system's language, at start
//   ready             the window is up and idle (script "idle", or after the backup of
//                     script "after-backup")
//   about to back up  the backup button is clicked next; the step pauses at its gauge
//   about to restore  milestones before its job starts, without running any events, so a
//                     request sent now waits for the job's own event loop
//   job <n>           the n-th job has been handed to the engine and the window waits for it
//   status <text>     the status line changed
//   closed <backup log's last line> | <optimise log's last line>
//
// usage: signal_child DATABASE idle|after-backup|backup|restore|failing-restore
// (failing-restore damages the backup file before the restore, as a failing disk would, so that
// the restore fails)
#include "MorvaneMain.h"
#include "ProgramEntry.h"
#include "TRichEdit.h"
#include "TempDir.h"
#include "TsButton.h"
#include "TsComboBox.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

void Report(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString LastLine(const TRichEdit* pane) {
    return pane->Text().section(QLatin1Char('\n'), -1);
}

void RunScript(TMorvaneMainForm& window, const QString& script) {
    window.sButton1->click();
    if (script == QLatin1String("idle")) {
        Report(QStringLiteral("ready"));
        return;
    }
    Report(QStringLiteral("about to back up"));
    window.sButton2->click();
    if (script == QLatin1String("after-backup")) {
        Report(QStringLiteral("ready"));
    } else if (script.endsWith(QLatin1String("restore"))) {
        if (script == QLatin1String("failing-restore"))
            DamageSecondHalfUnseen(window.RichEdit2->Text().toStdString());
        Report(QStringLiteral("about to restore"));
        window.sButton3->click();
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: signal_child DATABASE idle|after-backup|backup|restore|failing-restore\n");
        return 100;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    const QString script = QString::fromLocal8Bit(argv[2]);
    int jobs = 0;
    return RunMorvane(app, [&](TMorvaneMainForm& window) {
        Report(QStringLiteral("qt-cancel ") + QCoreApplication::translate("QPlatformTheme", "Cancel"));
        window.OpenDialog.SetChooser([database](TOpenDialog& dialog, QWidget*) {
            dialog.FileName = database;
            return true;
        });
        window.sComboBox1->SetItemIndex(1); // saved only if the close handler runs
        QObject::connect(&window, &TMorvaneMainForm::serviceJobWaiting,
                         [&jobs] { Report(QStringLiteral("job %1").arg(++jobs)); });
        QObject::connect(window.RichEdit5, &QTextEdit::textChanged,
                         [&window] { Report(QStringLiteral("status ") + window.RichEdit5->Text()); });
        QObject::connect(&app, &QGuiApplication::lastWindowClosed, [&window] {
            Report(QStringLiteral("closed ") + LastLine(window.RichEdit3) + QStringLiteral(" | ") +
                   LastLine(window.RichEdit4));
        });
        QTimer::singleShot(0, &window, [&window, script] { RunScript(window, script); });
    });
}
