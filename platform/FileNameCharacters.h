#pragma once
// File names are bytes, and on this system as good as always UTF-8; the dialog and the window
// take them as such. The database engine and its client library instead read a file name in
// the character set of the process's locale. Under the plain C (POSIX) locale, which is what a
// process gets when LANG is unset or names a locale that is not installed, that set is ASCII,
// and the engine refuses every name with any other character ("Cannot transliterate character
// between character sets").

// Under a locale whose character set is ASCII, switches the character classification
// (LC_CTYPE only: messages, numbers and dates stay as they are) to C.UTF-8, so that the engine
// reads names in the encoding they are in. Nothing changes under any other locale, where the
// engine reads names as the locale says. To be called on the main thread after the
// application object has set the locale from the environment, and before the client library
// is loaded: the library takes the character set once, when it is loaded.
void ReadFileNamesAsUtf8UnderThePosixLocale();
