#include "IBRestoreService.h"

#include <ibase.h>

std::int32_t RestoreOptionsValue(TRestoreOptions options) {
    struct TBit {
        TRestoreOption Option;
        std::int32_t Bit;
    };
    static const TBit bits[] = {
        {TRestoreOption::DeactivateIndexes, isc_spb_res_deactivate_idx},
        {TRestoreOption::NoShadow, isc_spb_res_no_shadow},
        {TRestoreOption::NoValidityCheck, isc_spb_res_no_validity},
        {TRestoreOption::OneRelationAtATime, isc_spb_res_one_at_a_time},
        {TRestoreOption::Replace, isc_spb_res_replace},
        {TRestoreOption::CreateNewDB, isc_spb_res_create},
        {TRestoreOption::UseAllSpace, isc_spb_res_use_all_space},
    };
    std::int32_t value = 0;
    for (const TBit& entry : bits)
        if (options.Contains(entry.Option))
            value |= entry.Bit;
    return value;
}

void TIBRestoreService::BuildStartParams() {
    ResetStartParams(isc_action_svc_restore);
    AddStartInteger(isc_spb_options, RestoreOptionsValue(Options));
    AddVerboseFlag();
    if (PageSize > 0)
        AddStartInteger(isc_spb_res_page_size, PageSize);
    if (PageBuffers > 0)
        AddStartInteger(isc_spb_res_buffers, PageBuffers);
    AddFileList(BackupFile, isc_spb_bkp_file, isc_spb_bkp_length);
    AddFileList(DatabaseName, isc_spb_dbname, isc_spb_res_length);
}
