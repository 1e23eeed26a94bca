#pragma once
// Ending the program cleanly when a signal tells it to (SIGTERM, SIGINT, SIGHUP), at any time:
// the request reaches the main window through the event loop, which closes as a close does.

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class TMorvaneMainForm;

class TTerminationWatch : public QObject {
public:
    // Installs the signal handlers and starts watching for requests.
    TTerminationWatch();

    // From now on requests go to the window; one that came before is handed over as soon as
    // the event loop runs. Until then a request only closes the modal windows in the way (an
    // error box) and is kept.
    void DeliverTo(TMorvaneMainForm* window);
    bool Requested() const { return requested_; }

private:
    void TakeRequests();

    QSocketNotifier* notifier_ = nullptr;
    QPointer<TMorvaneMainForm> window_;
    bool requested_ = false;
};

// Closes the modal windows (dialogs, message boxes) from the top down. Each holds the code
// that opened it, and with it any close, until someone answers it.
void CloseModalWindows();

// Keeps the Firebird client's engine running through a termination signal. Once it has
// worked, the client catches SIGTERM and SIGINT and shuts its engine down: the running job
// fails and every later request with it, while the program goes on. Its shutdown is refused
// on a signal, and the request goes to the window instead. Call once the library is loaded.
void KeepClientEngineThroughSignals();
