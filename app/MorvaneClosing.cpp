// Closing the main window: a close that comes while a handler runs waits for it, and a request
// to end the program closes whatever modal window stands in the way.

#include "ErrorBox.h"
#include "MorvaneMain.h"
#include "TRichEdit.h"
#include "TerminationWatch.h"

#include <iostream>

void TMorvaneMainForm::RunHandler(const std::function<void()>& handler) {
    if (handlersRunning_ == 0)
        stepFailed_ = false;
    ++handlersRunning_;
    GuardedHere(handler);
    --handlersRunning_;
    if (Busy())
        return;
    // A close that waited for a step that failed would take the failure out of sight, and the
    // user would take the run for done. The window stays; an end the system asks for does not.
    if (stepFailed_ && pendingClose_ != TPendingClose::None && !terminating_) {
        pendingClose_ = TPendingClose::None;
        const QString status = RichEdit5->Text().isEmpty() ? RichEdit1->Text() : RichEdit5->Text();
        RichEdit5->SetText(status + QStringLiteral(" 작업이 실패하여 창을 닫지 않았습니다."));
        return;
    }
    CloseIfPending();
}

void TMorvaneMainForm::ExitClicked() {
    // During a job the exit waits like any close, and then runs as a click would.
    if (Busy()) {
        DeferClose(TPendingClose::Exit);
        return;
    }
    RunHandler([this] { sButton5Click(); });
}

void TMorvaneMainForm::DeferClose(TPendingClose close) {
    if (close == TPendingClose::Exit || pendingClose_ == TPendingClose::None)
        pendingClose_ = close;
    if (jobRunning_)
        RichEdit5->SetText(RichEdit1->Text() + QStringLiteral(" 작업이 끝나면 창이 닫힙니다."));
}

void TMorvaneMainForm::CloseIfPending() {
    const TPendingClose pending = pendingClose_;
    pendingClose_ = TPendingClose::None;
    if (pending == TPendingClose::Exit)
        RunHandler([this] { sButton5Click(); });
    else if (pending == TPendingClose::Close)
        close();
}

void TMorvaneMainForm::RequestTermination() {
    if (closed_)
        return;
    terminating_ = true;
    CloseModalWindows();
    close();
}

bool TMorvaneMainForm::GuardedHere(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        ReportError(ErrorMessage(std::current_exception()));
        return false;
    }
}

void TMorvaneMainForm::ReportError(const QString& message, bool fullStop) {
    const QString text = fullStop ? WithFullStop(message) : message;
    // While the program ends, a box would wait for a user who may not be there.
    if (terminating_)
        std::cerr << ApplicationTitle().toStdString() << ": " << text.toStdString() << '\n';
    else
        ShowErrorBox(text);
}
