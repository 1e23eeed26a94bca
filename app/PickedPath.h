#pragma once
// From the name the file dialog hands over to the bytes of the file meant. The dialog speaks
// text: a name whose bytes are not UTF-8 reaches it with U+FFFD in their place, so such a name
// is looked up again among the bytes of the folder's entries. A picked link stands for the
// file it points to.

#include <QString>
#include <string>

struct TPickedPath {
    std::string Path; // bytes of the file to work on; empty when the pick cannot be used
    QString Problem;  // why not, for the status line (after the shown path)
};

TPickedPath ResolvePickedPath(const QString& chosen);

// How a path is shown: its bytes read as UTF-8, U+FFFD for bytes that are not.
QString ShownPath(const std::string& path);
