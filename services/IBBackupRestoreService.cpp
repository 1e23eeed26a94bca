#include "IBBackupRestoreService.h"

#include <ibase.h>

void TIBBackupRestoreService::AddVerboseFlag() {
    if (Verbose)
        AddStartFlag(isc_spb_verbose);
}
