#pragma once
// Program entry: sets up fonts and icon, creates the main window and runs the event loop.
// An error while the window is being created (the database client library cannot be loaded)
// ends the program with the "Application Error" box and exit code 1.

#include <QString>
#include <exception>
#include <functional>

class QApplication;
class TMorvaneMainForm;
class QCoreApplication;
class QLocale;
class QTranslator;

// A SIGTERM, SIGINT or SIGHUP closes the window as a close does and ends the program with exit
// code 0, at any time: at once when idle, once the job and its step have ended during a job.
// beforeShow, when given, gets the window after its creation, before it is shown.
using TBeforeShow = std::function<void(TMorvaneMainForm& window)>;
int RunMorvane(QApplication& app, const TBeforeShow& beforeShow = {});

// "Exception %s in module %s at %p.\r\n%s%s\r\n" for an error that left the program entry.
QString ApplicationErrorText(const std::exception& error, const QString& moduleName, quintptr offset);

// Makes the Windows font names of the window resolve to installed Hangul-capable fonts.
void InstallFontSubstitutes();

// Qt's own texts (file dialog, message box buttons) in the language of the locale, from the
// translations Qt ships (Debian: qt6-translations-l10n). The installed translator, owned by the
// application; nullptr when Qt has none for that language.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& locale);
