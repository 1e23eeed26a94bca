// The compaction steps behind the backup, optimise, confirm and exit buttons.
//
// The server does the backup and the restore; every step waits until the server's job has
// really ended before it reports success or touches a file, and the original database is only
// removed once its replacement exists. A user may run this on the only copy of a database.

#include "FileSystem.h"
#include "IBServices.h"
#include "MorvaneMain.h"
#include "SizeText.h"
#include "TRichEdit.h"
#include "TsButton.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
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

// How often the window looks at a running job while it goes on with its events.
constexpr int kJobPollMilliseconds = 20;

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A hidden name beside the database, so the move is a rename within one folder. A name left
// by an earlier, interrupted run is never reused or overwritten.
QString AsideCandidate(const QString& databasePath, int attempt) {
    const QFileInfo info(databasePath);
    QString name = QLatin1Char('.') + info.fileName() + QStringLiteral(".morvane-original");
    if (attempt > 0)
        name += QLatin1Char('.') + QString::number(attempt);
    return info.dir().filePath(name);
}

// Refuses a step that would pull a database from under the server that has it open.
void RequireDatabaseNotHeldOpen(const QString& databasePath) {
    if (FileExists(LocalPath(databasePath)) && IsFileHeldOpen(LocalPath(databasePath)))
        throw Exception("The database is open in another process");
}

} // namespace

void TMorvaneMainForm::LogLine(TRichEdit* pane, const QString& message, const QColor& color, bool withPath) {
    pane->AppendLine(withPath ? RichEdit1->Text() + message : message, color);
}

void TMorvaneMainForm::FocusAndRepaint(TsButton* button) {
    button->setFocus();
    button->repaint();
}

void TMorvaneMainForm::WaitForServiceJob(TIBControlService& service) {
    // The job runs in the server (or the embedded engine); its output is read on a worker
    // thread while this thread goes on painting. Step buttons and closing are refused meanwhile.
    TServiceJobWatcher watcher;
    jobRunning_ = true;
    watcher.Start(service);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        watcher.TakeLines();
        if (watcher.Finished())
            loop.quit();
    });
    poll.start(kJobPollMilliseconds);
    emit serviceJobWaiting();
    if (!watcher.Finished())
        loop.exec();
    poll.stop();
    jobRunning_ = false;
    watcher.RethrowIfFailed();
}

void TMorvaneMainForm::sButton2Click() {
    if (jobRunning_)
        return;
    restoreSucceeded_ = false;
    try {
        IBBackupService->SetActive(false);
        IBBackupService->DatabaseName = LocalPath(RichEdit1->Text());
        AdvanceGauge(20);
        IBBackupService->BackupFile.Clear();
        IBBackupService->BackupFile.Add(LocalPath(RichEdit2->Text()));
        SetServiceParams(*IBBackupService);
        if (!IBBackupService->Active())
            IBBackupService->SetActive(true);
        AdvanceGauge(30);
        RichEdit3->setFocus();
        LogLine(RichEdit3, QStringLiteral(" 연결성공."), kBlue);
        LogLine(RichEdit3, QStringLiteral(" 백업파일 만드는 중..."), kBlack);
        IBBackupService->ServiceStart();
        WaitForServiceJob(*IBBackupService);
        AdvanceGauge(40);
        IBBackupService->SetActive(false);
        LogLine(RichEdit3, QStringLiteral(" 백업파일 만들기 완료."), kGreen);
        LogLine(RichEdit3, QStringLiteral(" 백업작업 완료."), kGreen);
        sButton2->setEnabled(false);
        sButton3->setEnabled(true);
        FocusAndRepaint(sButton3);
        AdvanceGauge(50);
        QCoreApplication::processEvents();
    } catch (...) {
        LogLine(RichEdit3, QStringLiteral(" 백업진행 오류."), kRed);
        FocusAndRepaint(sButton2);
    }
    RichEdit5->SetText(QString());
}

void TMorvaneMainForm::MoveDatabaseAside() {
    const std::string database = LocalPath(RichEdit1->Text());
    if (!FileExists(database))
        return; // nothing to keep; the restore creates the file
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = AsideCandidate(RichEdit1->Text(), attempt);
        if (QFileInfo::exists(candidate))
            continue;
        if (!RenameFileNoReplace(database, LocalPath(candidate)))
            throw Exception("The database file could not be moved aside");
        asidePath_ = candidate;
        return;
    }
    throw Exception("No free name to move the database file aside");
}

void TMorvaneMainForm::PutDatabaseBack() {
    if (asidePath_.isEmpty())
        return;
    // Whatever the failed restore left at the path goes; the original takes its place again.
    const std::string database = LocalPath(RichEdit1->Text());
    if (FileExists(database))
        DeleteFile(database);
    if (RenameFileNoReplace(LocalPath(asidePath_), database))
        asidePath_.clear();
}

void TMorvaneMainForm::sButton3Click() {
    if (jobRunning_)
        return;
    try {
        if (!FileExists(LocalPath(RichEdit2->Text()))) {
            LogLine(RichEdit4, QStringLiteral("아직 준비가 되지않았습니다."), kRed, false);
            FocusAndRepaint(sButton3);
        } else {
            RequireDatabaseNotHeldOpen(RichEdit1->Text());
            restoreSucceeded_ = false;
            IBBackupService->SetActive(false);
            MoveDatabaseAside();
            RichEdit4->setFocus();
            LogLine(RichEdit4, QStringLiteral(" 기존파일 삭제."), kRed);
            AdvanceGauge(60);
            IBRestoreService->SetActive(false);
            IBRestoreService->DatabaseName.Clear();
            IBRestoreService->DatabaseName.Add(LocalPath(RichEdit1->Text()));
            IBRestoreService->BackupFile.Clear();
            IBRestoreService->BackupFile.Add(LocalPath(RichEdit2->Text()));
            SetServiceParams(*IBRestoreService);
            AdvanceGauge(70);
            if (!IBRestoreService->Active())
                IBRestoreService->SetActive(true);
            LogLine(RichEdit4, QStringLiteral(" 연결성공."), kBlue);
            LogLine(RichEdit4, QStringLiteral(" 최적화 수행시작."), kGreen);
            LogLine(RichEdit4, QStringLiteral(" 데이터베이스파일 만드는 중..."), kBlack);
            IBRestoreService->ServiceStart();
            WaitForServiceJob(*IBRestoreService);
            if (!FileExists(LocalPath(RichEdit1->Text())))
                throw Exception("The restore reported success but left no database file");
            // The rebuilt database is in place: only now may the original go.
            if (!asidePath_.isEmpty() && DeleteFile(LocalPath(asidePath_)))
                asidePath_.clear();
            restoreSucceeded_ = true;
            optimiseFailed_ = false;
            LogLine(RichEdit4, QStringLiteral(" 데이터베이스파일 만들기 완료."), kGreen);
            AdvanceGauge(80);
            LogLine(RichEdit4, QStringLiteral(" 데이터베이스파일 최적화 중..."), kBlack);
            IBRestoreService->SetActive(false);
            LogLine(RichEdit4, QStringLiteral(" 데이터베이스 최적화 완료."), kGreen);
            sButton3->setEnabled(false);
            sButton4->setEnabled(true);
            FocusAndRepaint(sButton4);
            AdvanceGauge(90);
            QCoreApplication::processEvents();
        }
    } catch (...) {
        if (!restoreSucceeded_) {
            optimiseFailed_ = true;
            PutDatabaseBack();
        }
        LogLine(RichEdit4, QStringLiteral(" 최적화 진행 오류."), kRed);
        FocusAndRepaint(sButton3);
    }
    RichEdit5->SetText(QString());
}

void TMorvaneMainForm::sButton4Click() {
    const QString database = RichEdit1->Text();
    if (jobRunning_) {
        RichEdit5->SetText(database + QStringLiteral(" 최적화 중..."));
        return;
    }
    if (!FileExists(LocalPath(database)) || !restoreSucceeded_) {
        RichEdit5->SetText(database + QStringLiteral(" 최적화 오류."));
        return;
    }
    if (IBBackupService->Active())
        IBBackupService->SetActive(false);
    if (IBRestoreService->Active())
        IBRestoreService->SetActive(false);
    DeleteFile(LocalPath(RichEdit2->Text()));
    RichEdit5->SetText(database + QStringLiteral(" 최적화 완료."));
    AdvanceGauge(100);
    sButton4->setEnabled(false);
    FocusAndRepaint(sButton5);
    SizeAfter = ReadFileSize(database);
    Label1->setText(SizeReport(SizeBefore, SizeAfter));
    QCoreApplication::processEvents();
}

void TMorvaneMainForm::sButton5Click() {
    if (jobRunning_)
        return;
    // The backup may be the only copy of the data: keep it while no database stands at the
    // path, and after a failed optimise of this run.
    const std::string backup = LocalPath(RichEdit2->Text());
    if (FileExists(backup) && FileExists(LocalPath(RichEdit1->Text())) && !optimiseFailed_)
        DeleteFile(backup);
    close();
}
