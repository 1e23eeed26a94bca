#include "IBBackupRestoreService.h"

#include <ibase.h>

void TIBBackupRestoreService::AddVerboseFlag() {
    if (Verbose)
        AddStartFlag(isc_spb_verbose);
}

void TIBBackupRestoreService::AddFileList(const TStringList& lines, unsigned char textCode,
                                          unsigned char lengthCode) {
    if (!LiteralFileNames) {
        AddStartFileLines(lines, textCode, lengthCode);
        return;
    }
    for (const std::string& line : lines)
        AddStartText(textCode, line);
}
