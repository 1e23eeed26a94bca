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
    // Every line of the file lists is one whole path, sent as it is: a file name may hold "=",
    // which would otherwise start a length.
    bool LiteralFileNames = false;

protected:
    void AddVerboseFlag();
    void AddFileList(const TStringList& lines, unsigned char textCode, unsigned char lengthCode);
};
