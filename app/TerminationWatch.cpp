#include "TerminationWatch.h"

#include "IBIntf.h"
#include "MorvaneMain.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>

namespace {

// Non-zero cancels the shutdown.
int RefuseShutdownOnSignal(const int reason, const int, void*) {
    if (reason != fb_shutrsn_signal)
        return 0;
    // The client passes the signal on to our own handler too; this covers a client that does not.
    PostTerminationRequest(SIGTERM);
    return 1;
}

} // namespace

TTerminationWatch::TTerminationWatch() {
    const int fd = InstallTerminationSignals();
    if (fd < 0)
        return;
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { TakeRequests(); });
}

void TTerminationWatch::DeliverTo(TMorvaneMainForm* window) {
    window_ = window;
    // One that came before waits for the event loop: only a running loop ends when the
    // window closes.
    if (requested_)
        QTimer::singleShot(0, this, [this] {
            if (window_)
                window_->RequestTermination();
        });
}

void TTerminationWatch::TakeRequests() {
    if (TakeTerminationRequests() == 0)
        return;
    requested_ = true;
    if (window_)
        window_->RequestTermination();
    else
        CloseModalWindows();
}

void CloseModalWindows() {
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            return; // it refused to go
    }
}

void KeepClientEngineThroughSignals() {
    static bool registered = false;
    if (registered || !ClientLibraryLoaded() || ClientLibrary().fb_shutdown_callback == nullptr)
        return;
    registered = true;
    ClientLibrary().fb_shutdown_callback(StatusVector(), RefuseShutdownOnSignal, fb_shut_confirmation,
                                         nullptr);
}
