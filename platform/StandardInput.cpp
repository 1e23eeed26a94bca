#include "StandardInput.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

bool DetachStandardInput() {
#ifndef _WIN32
    const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (null < 0)
        return false;
    bool done = true;
    if (null != STDIN_FILENO) {
        // dup2 leaves the new descriptor without close-on-exec, as a standard input should be.
        done = ::dup2(null, STDIN_FILENO) == STDIN_FILENO;
        ::close(null);
    } else {
        // It took the free slot 0 itself: children should still inherit it.
        ::fcntl(STDIN_FILENO, F_SETFD, 0);
    }
    return done;
#else
    // A window program there has no console to read from.
    return true;
#endif
}
