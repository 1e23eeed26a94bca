// Picking the database: the dialog's choice becomes the bytes of one file, an earlier run's
// leftovers beside it are settled, and the window moves to the backup step.

#include "CompactionRun.h"
#include "DatabaseHeader.h"
#include "DatabasePaths.h"
#include "FileSystem.h"
#include "MorvaneMain.h"
#include "PickedPath.h"
#include "RunMessages.h"
#include "SizeText.h"
#include "TRichEdit.h"
#include "TsButton.h"

#include <QLabel>
#include <sys/stat.h>

namespace {

// Why a picked file cannot be worked on, after its shown path; empty when it can.
QString Refusal(const TPickedPath& picked) {
    if (!picked.Problem.isEmpty())
        return picked.Problem;
    if (IsOwnBackupName(picked.Path))
        // Its backup path would be the file itself: the backup would overwrite the database.
        return QStringLiteral(" 백업파일과 이름이 같아 선택할 수 없습니다.");
    if (!picked.Path.empty() && picked.Path.back() == ' ')
        // The engine drops trailing blanks: it would read and write another file.
        return QStringLiteral(" 이름이 공백으로 끝나 선택할 수 없습니다.");
    struct stat st {};
    const bool exists = ::lstat(picked.Path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        // A device, a pipe or a folder: no database file, and the run would make its files
        // beside it (in /dev, say).
        return QStringLiteral(" 보통 파일이 아니라 선택할 수 없습니다.");
    if (exists && st.st_nlink > 1)
        // Rebuilt as a new file, the database would leave its other names on the old one.
        return QStringLiteral(" 이 파일에 다른 이름(하드 링크)이 있어 선택할 수 없습니다.");
    if (IsNameTooShortForBackup(picked.Path))
        // The backup rule would reach past the file name into its folder's path.
        return QStringLiteral(" 이름이 세 글자 이하라 선택할 수 없습니다.");
    if (HasSecondaryFiles(picked.Path))
        // Rebuilt, it would be one file, its secondary files left behind as if they still
        // belonged to it, and the sizes reported would leave them out.
        return QStringLiteral(" 보조 파일로 나뉜 데이터베이스라 선택할 수 없습니다 (다시 만들면 한 파일이 되고 보조 "
                              "파일은 남습니다).");
    if (picked.Path.size() > kLongestBackupPath)
        // The engine writes the backup's path into the backup with a one-byte length: a longer
        // one is cut, and the backup cannot be restored ("Expected database description record").
        return QStringLiteral(" 경로가 너무 길어 선택할 수 없습니다 (백업파일의 경로는 %1바이트까지만 됩니다).")
            .arg(kLongestBackupPath);
    if (const std::size_t limit = LongestNameInFolderOf(picked.Path);
        !picked.Path.empty() && LongestRunFileName(picked.Path) > limit)
        // Found out only halfway otherwise: the record or the set-aside name cannot be made.
        return QStringLiteral(" 이름이 너무 길어 선택할 수 없습니다 (옆에 만드는 작업 파일의 이름이 %1바이트를 넘습니다).")
            .arg(limit);
    return {};
}

} // namespace

void TMorvaneMainForm::sButton1Click() {
    if (jobRunning_)
        return;
    if (!OpenDialog.Execute(this)) {
        sButton1->setFocus();
        RichEdit5->SetText(QString());
        return;
    }
    const TPickedPath picked = ResolvePickedPath(OpenDialog.FileName);
    const QString refusal = Refusal(picked);
    if (!refusal.isEmpty()) {
        sButton1->setFocus();
        ShowStatusMessage((picked.Path.empty() ? OpenDialog.FileName : ShownPath(picked.Path)) + refusal, RichEdit3);
        return;
    }
    StartRun(picked.Path);
    PrepareRun(true);
    RichEdit1->SetText(ShownDatabase());
    RichEdit2->SetText(ShownPath(run_->Backup()));
    EnterPickedState();
    ShowStatusMessage(statusAfterStep_, RichEdit3);
}

void TMorvaneMainForm::StartRun(const std::string& database) {
    if (run_) {
        // The earlier pick's run ends as the exit button ends it.
        run_->End(optimiseFailed_ || !FileExists(run_->Database()));
    }
    run_ = std::make_unique<TCompactionRun>(database);
    run_->OnRecorded = [this](TRunState state) {
        emit runRecorded(QString::fromLatin1(RunStateName(state)));
    };
    restoreSucceeded_ = false;
    optimiseFailed_ = false;
}

bool TMorvaneMainForm::PrepareRun(bool atPick) {
    const TCompactionRun::TPreparation preparation = run_->Prepare();
    statusAfterStep_ = PreparationMessage(*run_, preparation);
    if (statusAfterStep_.isEmpty())
        return true;
    if (!atPick) {
        // The files are not what the step expected: back to the start of the run, with the
        // database measured again.
        EnterPickedState();
        ShowStatusMessage(statusAfterStep_, RichEdit3);
    }
    return false;
}

void TMorvaneMainForm::EnterPickedState() {
    restoreSucceeded_ = false;
    steps_.SetEnabled(sButton3, false);
    steps_.SetEnabled(sButton4, false);
    const bool mayStart = run_->MayStart();
    steps_.SetEnabled(sButton2, mayStart);
    FocusAndRepaint(mayStart ? sButton2 : sButton1);
    AdvanceGauge(10);
    SizeBefore = ReadFileSize(run_->Database());
    Label1->setText(SizeText(SizeBefore));
}

QString TMorvaneMainForm::ShownDatabase() const {
    return run_ ? ShownPath(run_->Database()) : QString();
}

std::string TMorvaneMainForm::DatabasePath() const {
    return run_ ? run_->Database() : std::string();
}

std::string TMorvaneMainForm::BackupPath() const {
    return run_ ? run_->Backup() : std::string();
}
