#pragma once
// Asks the server to build a database from backup files.

#include "EnumSet.h"
#include "IBBackupRestoreService.h"

#include <cstdint>

enum class TRestoreOption {
    DeactivateIndexes,
    NoShadow,
    NoValidityCheck,
    OneRelationAtATime,
    Replace,
    CreateNewDB,
    UseAllSpace
};
using TRestoreOptions = TEnumSet<TRestoreOption>;

// The options item's value: the OR of the options' bits.
std::int32_t RestoreOptionsValue(TRestoreOptions options);

class TIBRestoreService : public TIBBackupRestoreService {
public:
    using TIBBackupRestoreService::TIBBackupRestoreService;

    // Has no check of its own: the request goes out even with both lists empty.
    void BuildStartParams() override;

    TStringList DatabaseName; // one file per line; a line may be path=length
    TStringList BackupFile;   // one file per line; a line may be path=length
    int PageSize = 4096;      // sent only when greater than 0
    int PageBuffers = 0;      // sent only when greater than 0
    TRestoreOptions Options{TRestoreOption::CreateNewDB};
};
