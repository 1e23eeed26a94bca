#pragma once
// Whole-file reads and crash-safe whole-file replacement, for small settings files.

#include <cstdint>
#include <string>
#include <vector>

enum class TFileRead { Read, Missing, Failed };

// Reads every byte of a regular file of at most 1 MiB. Missing when nothing exists at the path;
// Failed when something is there that cannot be read as such a file (a folder, a FIFO, a device,
// no permission, a larger file). Never blocks: a FIFO is refused without waiting for a writer.
TFileRead ReadWholeFile(const std::string& path, std::string& contents);

// The same for a file of at most `limit` bytes: a larger one fails with EFBIG.
TFileRead ReadRegularFile(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes);

// The largest file ReadWholeFile reads, and so the largest ReplaceFileContents writes.
inline constexpr std::uint64_t MaxSettingsFileBytes = 1 << 20;

// Gives the file exactly these bytes, or leaves it as it was; bytes its reader would refuse (over
// MaxSettingsFileBytes) are refused with EFBIG, so a write never leaves a file nobody can read. The bytes go to a new file in
// the same folder, are flushed to the disk, and the new file is renamed over the old one; the
// old file's permission bits (and, where allowed, its owner) carry over. Anything at the path
// that is not a regular file is refused, and so is a file whose mode bits do not let the caller
// write it; root is held to the owner's write bit rather than allowed everything. A symbolic link is
// followed, so the link stays a link. False on failure, with errno set.
bool ReplaceFileContents(const std::string& path, const std::string& contents);
