#pragma once
// Asks the server to back a database up into one or more backup files.

#include "EnumSet.h"
#include "IBBackupRestoreService.h"

#include <cstdint>

enum class TBackupOption {
    IgnoreChecksums,
    IgnoreLimbo,
    MetadataOnly,
    NoGarbageCollection,
    OldMetadataDesc,
    NonTransportable,
    ConvertExtTables
};
using TBackupOptions = TEnumSet<TBackupOption>;

// The options item's value: the OR of the options' bits.
std::int32_t BackupOptionsValue(TBackupOptions options);

class TIBBackupService : public TIBBackupRestoreService {
public:
    using TIBBackupRestoreService::TIBBackupRestoreService;

    // Raises client error 94 when DatabaseName is empty.
    void BuildStartParams() override;

    TStringList BackupFile; // one file per line; a line may be path=length
    int BlockingFactor = 0; // sent only when greater than 0
    std::string DatabaseName;
    TBackupOptions Options;
};
