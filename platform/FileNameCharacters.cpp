#include "FileNameCharacters.h"

#ifndef _WIN32
#include <clocale>
#include <cstring>
#include <langinfo.h>
#endif

void ReadFileNamesAsUtf8UnderThePosixLocale() {
#ifndef _WIN32
    const char* codeset = nl_langinfo(CODESET);
    if (codeset == nullptr || (std::strcmp(codeset, "ANSI_X3.4-1968") != 0 && std::strcmp(codeset, "ASCII") != 0))
        return;
    // C.UTF-8 is built into the C library (glibc 2.35 and Debian's since long before); where it
    // is missing the locale simply stays as it was.
    std::setlocale(LC_CTYPE, "C.UTF-8");
#endif
    // Windows hands file names to the engine in the ANSI code page, as its design expects.
}
