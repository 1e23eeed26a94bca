// The compaction steps behind the backup, optimise, confirm and exit buttons.
//
// The server does the backup and the restore; every step waits until the server's job has
// really ended before it reports success or touches a file, and the original database is only
// removed once its replacement exists. A user may run this on the only copy of a database, so
// the run (CompactionRun.h) records every move before it makes it, and touches no file it did
// not make itself.

#include "CompactionRun.h"
#include "FileSystem.h"
#include "IBServices.h"
#include "JobProgress.h"
#include "MorvaneMain.h"
#include "PickedPath.h"
#include "RunMessages.h"
#include "SizeText.h"
#include "TRichEdit.h"
#include "TsButton.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// Both steps attach as the database administrator.
void SetServiceParams(TIBCustomService& service) {
    service.Params().Clear();
    service.Params().Add("user_name=SYSDBA");
    service.Params().Add("password=plumbtide");
}

// Every line of a file list is one whole path: a path may hold "=".
void SetFileList(TStringList& list, const std::string& path) {
    list.Clear();
    list.Add(path);
}

// How often the window looks at a running job while it goes on with its events.
constexpr int kJobPollMilliseconds = 20;

// Refuses a step that would pull a database from under the server that has it open.
void RequireDatabaseNotHeldOpen(const std::string& database) {
    if (FileExists(database) && IsFileHeldOpen(database))
        throw ERunError(
            "다른 프로그램이 데이터베이스 파일을 열고 있습니다. 그 프로그램(서버)의 연결을 끊은 뒤 "
            "다시 하십시오");
}

QString ReasonOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return OneLine(e.what());
    } catch (...) {
        return QStringLiteral("알 수 없는 오류");
    }
}

template <typename TError> bool Is(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const TError&) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

QString TMorvaneMainForm::FailureStatus(const std::exception_ptr& error) const {
    const QString reason = ReasonOf(error);
    const QString said = Is<ERunError>(error) ? reason : EngineFailureHint(reason);
    return said.isEmpty() ? QString() : ShownDatabase() + QLatin1Char(' ') + said;
}

namespace {

// Enough of a job's output to say why it failed.
constexpr std::size_t kShownJobLines = 20;

std::vector<std::string> LastLines(const std::vector<std::string>& lines, std::size_t count) {
    const std::size_t from = lines.size() > count ? lines.size() - count : 0;
    return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()};
}

} // namespace

void TMorvaneMainForm::LogLine(TRichEdit* pane, const QString& message, const QColor& color, bool withPath) {
    pane->AppendLine(withPath ? ShownDatabase() + message : message, color);
}

void TMorvaneMainForm::LogFailure(TRichEdit* pane, const QString& errorLine, const QString& reason) {
    stepFailed_ = true;
    LogLine(pane, errorLine, kRed);
    LogLine(pane, reason, kRed, false);
}

void TMorvaneMainForm::ShowStatusMessage(const QString& message, TRichEdit* pane) {
    RichEdit5->SetText(message);
    if (!RichEdit5->ShowsWholeText())
        LogLine(pane, message, kBlack, false);
}

void TMorvaneMainForm::FocusAndRepaint(TsButton* button) {
    steps_.FocusAndRepaint(button);
}

void TMorvaneMainForm::RunServiceJob(TIBControlService& service, const std::string& growingFile,
                                     const QString& doing) {
    // The job runs in the server (or the embedded engine); its output is read on a worker
    // thread while this thread goes on painting. Step buttons and closing are refused meanwhile.
    // The status line shows the job from the moment it is asked for: a job the engine refuses
    // at once (a file that is no database) shows and clears the line like any other.
    QElapsedTimer clock;
    clock.start();
    const auto showProgress = [&] {
        // A close asked for meanwhile stays in view until the job is over.
        const QString shown = pendingClose_ == TPendingClose::None
                                  ? ShownDatabase()
                                  : ShownDatabase() + QStringLiteral(" 작업이 끝나면 창이 닫힙니다.");
        RichEdit5->SetText(JobProgressText(shown, doing, BytesWritten(growingFile), clock.elapsed()));
    };
    jobRunning_ = true;
    jobLines_.clear();
    // The steps look as closed as they are from here until the step has ended.
    steps_.Hold();
    showProgress();
    // However the job ends, even refused at its start, the line is cleared.
    const auto jobEnded = qScopeGuard([this] {
        jobRunning_ = false;
        RichEdit5->SetText(QString());
    });
    service.ServiceStart();
    TServiceJobWatcher watcher;
    watcher.Start(service);
    QEventLoop loop;
    QTimer poll, progress;
    const auto keepLines = [&] {
        for (std::string& line : watcher.TakeLines())
            jobLines_.push_back(std::move(line));
    };
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        keepLines();
        if (watcher.Finished())
            loop.quit();
    });
    QObject::connect(&progress, &QTimer::timeout, &loop, showProgress);
    poll.start(kJobPollMilliseconds);
    progress.start(kJobProgressMilliseconds);
    emit serviceJobWaiting();
    if (!watcher.Finished())
        loop.exec();
    poll.stop();
    progress.stop();
    keepLines();
    watcher.RethrowIfFailed();
}

void TMorvaneMainForm::sButton2Click() {
    if (jobRunning_ || !run_ || !PrepareRun(false))
        return;
    const auto stepEnded = qScopeGuard([this] { steps_.Release(); });
    BackupStep();
    RichEdit5->SetText(statusAfterStep_);
}

void TMorvaneMainForm::BackupStep() {
    restoreSucceeded_ = false;
    statusAfterStep_.clear();
    bool claimed = false;
    try {
        IBBackupService->SetActive(false);
        // Claims the backup path first: a file there that this run did not make stops the step.
        run_->StartBackup();
        claimed = true;
        IBBackupService->DatabaseName = run_->Database();
        AdvanceGauge(20);
        IBBackupService->LiteralFileNames = true;
        SetFileList(IBBackupService->BackupFile, run_->Backup());
        SetServiceParams(*IBBackupService);
        if (!IBBackupService->Active())
            IBBackupService->SetActive(true);
        AdvanceGauge(30);
        RichEdit3->setFocus();
        LogLine(RichEdit3, QStringLiteral(" 연결성공."), kBlue);
        LogLine(RichEdit3, QStringLiteral(" 백업파일 만드는 중..."), kBlack);
        RunServiceJob(*IBBackupService, run_->Backup(), QStringLiteral(" 백업 중... "));
        try {
            run_->BackupWritten();
        } catch (const EWorkedOnDuringBackup&) {
            // Most often the engine's own garbage collection on a database made or rebuilt
            // since it was last read: a second backup tells it from another program's work,
            // which refuses that one too. Nobody waits for it on the way out.
            if (terminating_ || pendingClose_ != TPendingClose::None)
                throw;
            run_->BackupFailed();
            claimed = false;
            LogLine(RichEdit3, QStringLiteral(" 백업하는 동안 다른 트랜잭션이 있어 다시 백업합니다."),
                    kBlack);
            IBBackupService->SetActive(false);
            run_->StartBackup();
            claimed = true;
            IBBackupService->SetActive(true);
            RunServiceJob(*IBBackupService, run_->Backup(), QStringLiteral(" 다시 백업 중... "));
            run_->BackupWritten();
        }
        AdvanceGauge(40);
        IBBackupService->SetActive(false);
        LogLine(RichEdit3, QStringLiteral(" 백업파일 만들기 완료."), kGreen);
        LogLine(RichEdit3, QStringLiteral(" 백업작업 완료."), kGreen);
        steps_.SetEnabled(sButton2, false);
        steps_.SetEnabled(sButton3, true);
        FocusAndRepaint(sButton3);
        AdvanceGauge(50);
        QCoreApplication::processEvents();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (claimed)
            run_->BackupFailed();
        LogFailure(RichEdit3, QStringLiteral(" 백업진행 오류."), ReasonOf(error));
        statusAfterStep_ = FailureStatus(error);
        FocusAndRepaint(sButton2);
    }
}

void TMorvaneMainForm::sButton3Click() {
    if (jobRunning_)
        return;
    const auto stepEnded = qScopeGuard([this] { steps_.Release(); });
    statusAfterStep_.clear();
    if (!run_ || !FileExists(run_->Backup())) {
        LogLine(RichEdit4, QStringLiteral("아직 준비가 되지않았습니다."), kRed, false);
        FocusAndRepaint(sButton3);
    } else if (PrepareRun(false)) {
        OptimiseStep();
    }
    RichEdit5->SetText(statusAfterStep_);
}

void TMorvaneMainForm::OptimiseStep() {
    // Whether a restore was tried: a refusal before the original moved leaves a backup that is
    // either out of date or still a backup like any other, and the run's end removes it as it
    // would after a backup alone.
    bool restoreTried = false;
    try {
        if (!run_->HasOwnBackup())
            throw ERunError("백업파일 " + run_->Backup() + "이(가) 이 작업의 백업에서 나온 파일이 아닙니다");
        RequireDatabaseNotHeldOpen(run_->Database());
        restoreSucceeded_ = false;
        IBBackupService->SetActive(false);
        run_->SetOriginalAside();
        restoreTried = true;
        RichEdit4->setFocus();
        LogLine(RichEdit4, QStringLiteral(" 기존파일 삭제."), kRed);
        AdvanceGauge(60);
        IBRestoreService->SetActive(false);
        IBRestoreService->LiteralFileNames = true;
        SetFileList(IBRestoreService->DatabaseName, run_->Database());
        SetFileList(IBRestoreService->BackupFile, run_->Backup());
        IBRestoreService->PageSize = run_->PageSize();
        SetServiceParams(*IBRestoreService);
        AdvanceGauge(70);
        if (!IBRestoreService->Active())
            IBRestoreService->SetActive(true);
        LogLine(RichEdit4, QStringLiteral(" 연결성공."), kBlue);
        LogLine(RichEdit4, QStringLiteral(" 최적화 수행시작."), kGreen);
        LogLine(RichEdit4, QStringLiteral(" 데이터베이스파일 만드는 중..."), kBlack);
        RunServiceJob(*IBRestoreService, run_->Database(), QStringLiteral(" 최적화 중... "));
        // The rebuilt database takes the original's owner and mode; only then does the
        // original go.
        run_->RebuildFinished();
        restoreSucceeded_ = true;
        optimiseFailed_ = false;
        LogLine(RichEdit4, QStringLiteral(" 데이터베이스파일 만들기 완료."), kGreen);
        AdvanceGauge(80);
        LogLine(RichEdit4, QStringLiteral(" 데이터베이스파일 최적화 중..."), kBlack);
        IBRestoreService->SetActive(false);
        LogLine(RichEdit4, QStringLiteral(" 데이터베이스 최적화 완료."), kGreen);
        steps_.SetEnabled(sButton3, false);
        steps_.SetEnabled(sButton4, true);
        FocusAndRepaint(sButton4);
        AdvanceGauge(90);
        QCoreApplication::processEvents();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        LogFailure(RichEdit4, QStringLiteral(" 최적화 진행 오류."), ReasonOf(error));
        statusAfterStep_ = FailureStatus(error);
        if (Is<ERunError>(error)) {
            // A restore that ended without an error but left no usable database says why in
            // its output.
            for (const std::string& line : LastLines(jobLines_, kShownJobLines))
                LogLine(RichEdit4, QString::fromUtf8(line), kRed, false);
        }
        if (Is<EChangedSinceBackup>(error)) {
            // Nothing was moved: the backup is taken again, then the optimise.
            steps_.SetEnabled(sButton2, true);
            steps_.SetEnabled(sButton3, false);
        }
        if (!restoreSucceeded_) {
            if (restoreTried)
                optimiseFailed_ = true;
            PutOriginalBackAfterFailure();
        }
        FocusAndRepaint(steps_.IsEnabled(sButton3) ? sButton3 : steps_.IsEnabled(sButton2) ? sButton2 : sButton1);
    }
}

void TMorvaneMainForm::PutOriginalBackAfterFailure() {
    std::string error;
    try {
        switch (run_->PutOriginalBack(error)) {
        case TCompactionRun::TPutBack::NothingMoved:
            return;
        case TCompactionRun::TPutBack::PutBack:
            LogLine(RichEdit4, QStringLiteral(" 기존파일 복원."), kBlue);
            return;
        case TCompactionRun::TPutBack::Failed:
            break;
        }
    } catch (const std::exception& e) {
        error = e.what();
    }
    // The original is still aside and the record says where; the next pick of this database
    // tries again. Until then no step may run on it.
    statusAfterStep_ = ShownDatabase() + QLatin1Char(' ') + OneLine(error.c_str()) +
                       QStringLiteral(" 원본을 확인한 뒤 다시 선택하십시오.");
    LogLine(RichEdit4, OneLine(error.c_str()), kRed, false);
    for (TsButton* step : {sButton2, sButton3, sButton4})
        steps_.SetEnabled(step, false);
}

void TMorvaneMainForm::sButton4Click() {
    const QString database = ShownDatabase();
    if (jobRunning_) {
        RichEdit5->SetText(database + QStringLiteral(" 최적화 중..."));
        return;
    }
    if (!run_ || !FileExists(run_->Database()) || !restoreSucceeded_) {
        RichEdit5->SetText(database + QStringLiteral(" 최적화 오류."));
        return;
    }
    if (!PrepareRun(false))
        return;
    if (IBBackupService->Active())
        IBBackupService->SetActive(false);
    if (IBRestoreService->Active())
        IBRestoreService->SetActive(false);
    // A database another program held open when it was picked had no size then; the size it
    // had when it was replaced is the one the report compares with.
    if (SizeBefore < 0 && run_->ReplacedSize())
        SizeBefore = *run_->ReplacedSize();
    const TSettleReport tidied = run_->Finish();
    ShowStatusMessage(FinishMessage(*run_, tidied), RichEdit4);
    steps_.SetEnabled(sButton4, false);
    if (tidied.QuestionOpen()) {
        // Whatever stands at the path now is not known to be the rebuilt database: no size
        // of it is reported as the result.
        FocusAndRepaint(sButton5);
        return;
    }
    AdvanceGauge(100);
    FocusAndRepaint(sButton5);
    SizeAfter = ReadFileSize(run_->Database());
    Label1->setText(SizeReport(SizeBefore, SizeAfter));
    QCoreApplication::processEvents();
}

void TMorvaneMainForm::sButton5Click() {
    if (jobRunning_)
        return;
    // The backup may be the only copy of the data: it stays while no database stands at the
    // path, and after a failed optimise of this run. Only the run's own backup ever goes.
    if (run_)
        run_->End(optimiseFailed_ || !FileExists(run_->Database()));
    close();
}
