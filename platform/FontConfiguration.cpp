#include "FontConfiguration.h"

#ifndef _WIN32
#include <fontconfig/fontconfig.h>
#endif

void ReadFontConfiguration() {
#ifndef _WIN32
    // Loads the default configuration and the font caches; a second call returns at once.
    FcInit();
#endif
    // Windows keeps its font list in the system: nothing to read.
}
