#pragma once
// The intermediate service classes between the control service and the two jobs.

#include "IBControlService.h"

class TIBControlAndQueryService : public TIBControlService {
public:
    using TIBControlService::TIBControlService;

    // Size of the buffer for reading the server's output; stored only.
    int BufferSize = 32000;
};

class TIBBackupRestoreService : public TIBControlAndQueryService {
public:
    using TIBControlAndQueryService::TIBControlAndQueryService;

    bool Verbose = false;

protected:
    void AddVerboseFlag();
};
