#pragma once
// The program's standard error box: every error that escapes an event handler ends up here,
// is shown, and the program goes on. Exceptions must never cross Qt's event loop, so every
// handler is run through Guarded().

#include <QString>
#include <exception>
#include <functional>

// Title of the application: the executable's file name up to its first full stop, the first
// letter as it is upper-cased and every later letter in lower case ("morvane" gives "Morvane").
QString ApplicationTitle();
QString ApplicationTitleFor(const QString& executablePath);

// Adds a full stop when the message's last character sorts after the full stop.
QString WithFullStop(const QString& message);

// Shows the error box (error icon, OK, the application title as caption).
void ShowStandardErrorBox(const QString& message);
// The same box with the text exactly as given, without the full-stop rule (the skin manager's
// load errors).
void ShowErrorBox(const QString& text);

// A box that tells rather than warns of an error (the skin engine's version, a skin newer than
// the engine): the same caption and owner as the error box, and wide enough for its caption.
void ShowNoticeBox(const QString& text, bool informationIcon);

// Tests replace the modal box with a recorder; pass an empty function to restore the box.
using ErrorBoxPresenter = std::function<void(const QString& title, const QString& text)>;
void SetErrorBoxPresenter(ErrorBoxPresenter presenter);

// The message of any error, as the box shows it before the full-stop rule.
QString ErrorMessage(const std::exception_ptr& error);

// Runs a handler; an error that escapes it goes to the standard error box.
// Returns false when the handler failed.
bool Guarded(const std::function<void()>& handler);
