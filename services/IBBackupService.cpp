#include "IBBackupService.h"

#include "IB.h"
#include "IBConst.h"

#include <ibase.h>

std::int32_t BackupOptionsValue(TBackupOptions options) {
    struct TBit {
        TBackupOption Option;
        std::int32_t Bit;
    };
    static const TBit bits[] = {
        {TBackupOption::IgnoreChecksums, isc_spb_bkp_ignore_checksums},
        {TBackupOption::IgnoreLimbo, isc_spb_bkp_ignore_limbo},
        {TBackupOption::MetadataOnly, isc_spb_bkp_metadata_only},
        {TBackupOption::NoGarbageCollection, isc_spb_bkp_no_garbage_collect},
        {TBackupOption::OldMetadataDesc, isc_spb_bkp_old_descriptions},
        {TBackupOption::NonTransportable, isc_spb_bkp_non_transportable},
        {TBackupOption::ConvertExtTables, isc_spb_bkp_convert},
    };
    std::int32_t value = 0;
    for (const TBit& entry : bits)
        if (options.Contains(entry.Option))
            value |= entry.Bit;
    return value;
}

void TIBBackupService::BuildStartParams() {
    if (DatabaseName.empty())
        RaiseClientError(CLIENT_ERROR_START_PARAMS_MISSING, {});
    ResetStartParams(isc_action_svc_backup);
    AddStartText(isc_spb_dbname, DatabaseName);
    AddStartInteger(isc_spb_options, BackupOptionsValue(Options));
    AddVerboseFlag();
    if (BlockingFactor > 0)
        AddStartInteger(isc_spb_bkp_factor, BlockingFactor);
    AddFileList(BackupFile, isc_spb_bkp_file, isc_spb_bkp_length);
}
