#include "RunMessages.h"

#include "PickedPath.h"

#include <utility>

namespace {

const QString kNoStepsUntil =
    QStringLiteral(" 확인하고 정리한 뒤 다시 선택하십시오. 그때까지 백업과 최적화는 하지 않습니다.");

QString Quoted(const std::string& path) {
    return QStringLiteral("'") + ShownPath(path) + QStringLiteral("'");
}

QString Interrupted(TRunState state) {
    switch (state) {
    case TRunState::BackupStarted:
        return QStringLiteral(" 이전 작업이 백업 중에 중단되었습니다.");
    case TRunState::BackedUp:
        return QStringLiteral(" 이전 작업이 백업을 마친 뒤 끝나지 않았습니다.");
    case TRunState::RestoreStarted:
        return QStringLiteral(" 이전 작업이 최적화(복원) 중에 중단되었습니다.");
    case TRunState::RestoreFinished:
    case TRunState::Optimised:
        return QStringLiteral(" 이전 작업이 최적화를 마친 뒤 중단되었습니다.");
    }
    return {};
}

QString Done(TSettleOutcome outcome, bool originalRemoved, const TCompactionRun& run) {
    switch (outcome) {
    case TSettleOutcome::DatabaseUntouched:
        return QStringLiteral(" 데이터베이스는 그대로입니다.");
    case TSettleOutcome::DatabaseGone:
        return QStringLiteral(" 백업한 데이터베이스 파일이 제자리에 없습니다. 백업파일 ") + Quoted(run.Backup()) +
               QStringLiteral("이(가) 유일한 사본일 수 있어 남겨 두었습니다.");
    case TSettleOutcome::OriginalInPlace:
        return QStringLiteral(" 기존파일은 옮겨지기 전이라 그대로입니다.");
    case TSettleOutcome::OriginalReturned:
        return QStringLiteral(" 옮겨 두었던 기존파일이 이미 제자리에 돌아와 있어 그대로 두었습니다.");
    case TSettleOutcome::OriginalPutBack:
        return QStringLiteral(" 복원하다 만 파일을 지우고 옮겨 두었던 기존파일을 제자리로 되돌렸습니다.");
    case TSettleOutcome::NoOriginal:
        return QStringLiteral(" 복원하다 만 파일을 지웠습니다. 백업파일 ") + Quoted(run.Backup()) +
               QStringLiteral("이(가) 유일한 사본이라 남겨 두었습니다.");
    case TSettleOutcome::RebuildKept:
        return originalRemoved ? QStringLiteral(" 최적화된 데이터베이스를 두고 옮겨 두었던 기존파일을 지웠습니다.")
                               : QStringLiteral(" 최적화된 데이터베이스는 그대로입니다.");
    default:
        return {};
    }
}

QString Backup(const TSettleReport& report, const TCompactionRun& run) {
    if (report.BackupRemoved)
        return QStringLiteral(" 그 작업의 백업파일도 지웠습니다.");
    if (report.BackupLeft && report.Outcome != TSettleOutcome::NoOriginal &&
        report.Outcome != TSettleOutcome::DatabaseGone)
        return QStringLiteral(" 백업파일 ") + Quoted(run.Backup()) +
               QStringLiteral("은(는) 그 작업이 만든 파일이 아니어서 남겨 두었습니다.");
    return {};
}

QString Open(const TCompactionRun::TPreparation& preparation, const TCompactionRun& run) {
    const TSettleReport& report = preparation.Recovery;
    const QString record = Quoted(RunRecordPathFor(run.Database()));
    if (preparation.Lock == TCompactionRun::TLockState::Failed)
        return QStringLiteral(" 이전 작업의 파일이 남아 있으나 이 폴더에 쓸 수 없어 정리하지 못했습니다 (") +
               QString::fromStdString(preparation.LockError) + QStringLiteral(").") + kNoStepsUntil;
    if (report.Outcome == TSettleOutcome::Unreadable)
        return QStringLiteral(" 이전 작업의 기록 ") + record +
               QStringLiteral("을(를) 읽을 수 없어 남은 파일이 무엇인지 알 수 없습니다.") + kNoStepsUntil;
    if (report.Outcome == TSettleOutcome::Unresolved)
        return Interrupted(report.State) + QStringLiteral(" 그러나 남은 파일이 기록 ") + record +
               QStringLiteral("과(와) 맞지 않아 되돌리지 못했습니다 (") +
               QString::fromStdString(report.Reason) + QStringLiteral(").") + kNoStepsUntil;
    return QStringLiteral(" 이전 작업이 옮겨 둔 것으로 보이는 원본 ") + Quoted(report.Stray) +
           QStringLiteral("이(가) 있으나 그 작업의 기록이 없어 손대지 않았습니다.") + kNoStepsUntil;
}

} // namespace

QString PreparationMessage(const TCompactionRun& run, const TCompactionRun::TPreparation& preparation) {
    if (!preparation.FoundSomething())
        return {};
    const QString database = ShownPath(run.Database());
    if (preparation.Lock == TCompactionRun::TLockState::Busy)
        return database +
               QStringLiteral(" 다른 창에서 이 데이터베이스를 다루고 있습니다. 그 작업이 끝난 뒤 다시 "
                              "선택하십시오.");
    const TSettleReport& report = preparation.Recovery;
    QString settled;
    if (report.Outcome != TSettleOutcome::Nothing && report.Outcome != TSettleOutcome::Unresolved &&
        report.Outcome != TSettleOutcome::Unreadable)
        settled = Interrupted(report.State) + Done(report.Outcome, report.OriginalRemoved, run) + Backup(report, run);
    if (!report.QuestionOpen())
        return database + settled;
    return database + settled + Open(preparation, run);
}

QString FinishMessage(const TCompactionRun& run, const TSettleReport& report) {
    const QString database = ShownPath(run.Database());
    if (!report.QuestionOpen())
        return database + QStringLiteral(" 최적화 완료.");
    return database + QStringLiteral(" 최적화는 끝났으나 남은 파일이 기록 ") +
           Quoted(RunRecordPathFor(run.Database())) +
           QStringLiteral("과(와) 맞지 않아 옮겨 둔 기존파일과 백업파일을 정리하지 못했습니다 (") +
           QString::fromStdString(report.Reason) + QStringLiteral(").") + kNoStepsUntil;
}

QString OneLine(const char* reason) {
    QString text = QString::fromUtf8(reason);
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    return text.trimmed();
}

QString EngineFailureHint(const QString& engineText) {
    const char* const inUse =
        "다른 프로그램(Firebird 서버 등)이 데이터베이스를 쓰고 있습니다. 그 프로그램을 끝낸 뒤 다시 하십시오.";
    const char* const noRoom = "디스크에 남은 공간이 모자랍니다.";
    const char* const noPermission = "파일이나 폴더에 접근할 권한이 없습니다.";
    // The engine's message texts are stable from release to release; the first match wins.
    static const std::pair<const char*, const char*> hints[] = {
        {"is not a valid database", "데이터베이스 파일이 아닙니다."},
        {"No space left on device", noRoom},
        {"free disk space exhausted", noRoom},
        {"Database already opened with engine instance", inUse},
        {"lock time-out", inUse},
        {"object in use", inUse},
        {"no permission for", noPermission},
        {"Permission denied", noPermission},
    };
    for (const auto& [phrase, hint] : hints)
        if (engineText.contains(QLatin1String(phrase), Qt::CaseInsensitive))
            return QString::fromUtf8(hint);
    return {};
}
