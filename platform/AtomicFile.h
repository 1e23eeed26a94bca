#pragma once
// Whole-file reads and crash-safe whole-file replacement, for small settings files.

#include <string>

enum class TFileRead { Read, Missing, Failed };

// Reads every byte of a regular file of at most 1 MiB. Missing when nothing exists at the path;
// Failed when something is there that cannot be read as such a file (a folder, a FIFO, a device,
// no permission, a larger file). Never blocks: a FIFO is refused without waiting for a writer.
TFileRead ReadWholeFile(const std::string& path, std::string& contents);

// Gives the file exactly these bytes, or leaves it as it was. The bytes go to a new file in
// the same folder, are flushed to the disk, and the new file is renamed over the old one; the
// old file's permission bits (and, where allowed, its owner) carry over. Anything at the path
// that is not a regular file is refused, and so is a file whose mode bits do not let the caller
// write it; root is held to the owner's write bit rather than allowed everything. A symbolic link is
// followed, so the link stays a link. False on failure, with errno set.
bool ReplaceFileContents(const std::string& path, const std::string& contents);
