#pragma once
// The program's one window: six buttons down the left, the path, log and status boxes beside
// them, the skin list, and the size label, gauge and status bar along the bottom.

#include "StepButtons.h"
#include "TOpenDialog.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class TCompactionRun;
class TFormPlacement;
class TIniFile;
class TIBBackupService;
class TIBControlService;
class TIBRestoreService;
class TRichEdit;
class TStatusBar;
class TsButton;
class TsComboBox;
class TsGauge;
class TsSkinManager;

class TMorvaneMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMorvaneMainForm(QWidget* parent = nullptr);
    ~TMorvaneMainForm() override;

    // The window's client area: every control sits on it. Under a skin the window draws its own
    // frame around it, and the client area keeps its size whatever that frame is.
    QWidget* ClientArea = nullptr;

    // Controls, under the names the window stores them by.
    TsButton* sButton1 = nullptr;
    TsButton* sButton2 = nullptr;
    TsButton* sButton3 = nullptr;
    TsButton* sButton4 = nullptr;
    TsButton* sButton5 = nullptr;
    TsButton* sButton6 = nullptr;
    TRichEdit* RichEdit1 = nullptr; // database path
    TRichEdit* RichEdit2 = nullptr; // backup path
    TRichEdit* RichEdit3 = nullptr; // backup log
    TRichEdit* RichEdit4 = nullptr; // optimise log
    TRichEdit* RichEdit5 = nullptr; // status line
    TsComboBox* sComboBox1 = nullptr;
    QLabel* Label1 = nullptr;
    TsGauge* MyGauge = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    TOpenDialog OpenDialog;
    std::unique_ptr<TIBBackupService> IBBackupService;
    std::unique_ptr<TIBRestoreService> IBRestoreService;
    TFormPlacement* FormPct = nullptr;     // remembers the window's place, size, state and focus
    TsSkinManager* sSkinManager = nullptr; // the program's skin, and the process's default manager

    // The skin choice file, opened at creation and kept until the program ends.
    std::string SkinIniPath;
    std::unique_ptr<TIniFile> SkinIni;

    // Sizes of the database file when picked and after the run (64-bit: files of 2 GiB and
    // more show their true size).
    std::int64_t SizeBefore = 0;
    std::int64_t SizeAfter = 0;

    // Event handlers.
    void FormCreate();
    void FormActivate();
    void FormClose();
    void ApplySkinFromCombo();
    void sComboBox1Change();
    void sButton1Click();
    void sButton2Click(); // backup
    void sButton3Click(); // optimise
    void sButton4Click(); // confirm
    void sButton5Click(); // exit

    // True while a step waits for the server to finish a job.
    bool JobRunning() const { return jobRunning_; }

    // The program has been told to end (a termination signal): modal windows are closed at
    // once, the window closes as a close does (at once, or once a running job and its step have
    // ended), and no error box is shown any more: errors go to the standard error stream, and a
    // settings file that cannot be written no longer keeps the window open.
    void RequestTermination();
    bool Terminating() const { return terminating_; }

    // The picked database and its backup file as the bytes every system call and service
    // request gets; the two path boxes only show them. Empty before the first pick.
    std::string DatabasePath() const;
    std::string BackupPath() const;

    // Size of a file in bytes, -1 when it cannot be opened (missing, or held by another process).
    std::int64_t ReadFileSize(const std::string& fileName) const;

    // Sleeps 100 ms, then moves the gauge.
    void AdvanceGauge(int progress);

    // Polishes the window before its first show makes its native window: the skin's frame is
    // put on as it is polished, so the native window is made once, already without the
    // system's frame, instead of being made framed and made again at once.
    void setVisible(bool visible) override;

signals:
    // A step has handed a job to the server and now waits for its end.
    void serviceJobWaiting();
    // The run has durably recorded how far it got, before its next irreversible move.
    void runRecorded(const QString& state);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateServiceComponents();
    void CreatePlacement();
    void CreateSkinManager();
    void BuildControls();
    void ConnectHandlers();
    void LayOutBottomStack();

    // Closing (MorvaneClosing.cpp). A close that comes while a handler runs (a step waiting for
    // its job, a dialog it opened) waits for that handler to return: closing in the middle
    // would end the event loop the step waits in.
    enum class TPendingClose { None, Close, Exit };
    void RunHandler(const std::function<void()>& handler);
    void ExitClicked();
    bool Busy() const { return jobRunning_ || handlersRunning_ > 0; }
    void DeferClose(TPendingClose close);
    void CloseIfPending();
    bool GuardedHere(const std::function<void()>& handler);
    // The standard error box (with the full-stop rule), or the skin manager's box (without it).
    void ReportError(const QString& message, bool fullStop = true);

    // Workflow helpers (MorvaneSteps.cpp, MorvanePick.cpp).
    void LogLine(TRichEdit* pane, const QString& message, const QColor& color, bool withPath = true);
    void LogFailure(TRichEdit* pane, const QString& errorLine, const QString& reason);
    // Starts the service's job and waits for it while the status line shows how far the file
    // it writes has grown.
    void RunServiceJob(TIBControlService& service, const std::string& growingFile, const QString& doing);
    void FocusAndRepaint(TsButton* button);
    // Shows a message in the status line. One too long for that line is also logged in `pane`,
    // where it wraps and can be read whole.
    void ShowStatusMessage(const QString& message, TRichEdit* pane);
    QString ShownDatabase() const;
    // The status line after a failed step: the database and our own reason, or what a common
    // engine failure means; empty for any other engine failure (its words are in the pane).
    QString FailureStatus(const std::exception_ptr& error) const;
    void StartRun(const std::string& database);
    bool PrepareRun(bool atPick);
    void EnterPickedState();
    void BackupStep();
    void OptimiseStep();
    void PutOriginalBackAfterFailure();

    std::unique_ptr<TCompactionRun> run_; // the picked database's run; none before the first pick
    bool jobRunning_ = false;
    TStepButtons steps_; // pick, backup, optimise and confirm
    std::vector<std::string> jobLines_; // what the last server job wrote
    int handlersRunning_ = 0;
    // A step of the handler now running logged a failure: a close asked for meanwhile is
    // called off, so the user sees what went wrong.
    bool stepFailed_ = false;
    TPendingClose pendingClose_ = TPendingClose::None;
    bool terminating_ = false;
    bool closed_ = false;
    bool restoreSucceeded_ = false; // the restore of this run has ended successfully
    bool optimiseFailed_ = false;   // the last optimise of this run failed
    QString statusAfterStep_;       // what the status line says when the step is over

    bool activated_ = false;
    bool skinLoadFailed_ = false; // the manager reported a load error since the last choice
    bool applyingSkinChoice_ = false;
    QString skinLoadError_; // the load error of the skin box's choice, shown after it is undone
};
