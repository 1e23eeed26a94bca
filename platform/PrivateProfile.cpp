#include "PrivateProfile.h"

#include "AtomicFile.h"
#include "FileSystem.h"
#include "ProfileLines.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

std::string WithoutTrailingSpaces(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return text.substr(0, end);
}

std::string WithoutLeadingBlanks(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    return text.substr(begin);
}

std::string JoinWithCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

// A new key goes after the section's last line that is not blank, so that blank lines
// separating it from the next section stay where they are.
std::size_t InsertionPoint(const std::vector<std::string>& lines, TProfileSection section) {
    std::size_t at = section.End;
    while (at > section.Header + 1 && ParseProfileLine(lines[at - 1]).Kind == TProfileLineKind::Blank)
        --at;
    return at;
}

void SetKey(std::vector<std::string>& lines, const std::string& section, const std::string& key,
            const std::string& value) {
    const auto found = FindProfileSection(lines, section);
    if (!found) {
        lines.push_back("[" + section + "]");
        lines.push_back(key + "=" + value);
        return;
    }
    if (const auto at = FindProfileKey(lines, *found, key)) {
        lines[*at] = ParseProfileLine(lines[*at]).Name + "=" + value;
        return;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(InsertionPoint(lines, *found)),
                 key + "=" + value);
}

// Two programs changing the same file at once would each write back what they read, and one
// would lose the other's key: a change holds an exclusive lock on the file's folder (the
// folder of the file a link leads to) while it reads, changes and replaces the file. The lock
// only orders writers. Where the folder cannot be locked, or another holds it for more than
// two seconds, the change goes ahead unlocked, as a change always could before.
class TFolderWriteLock {
public:
    explicit TFolderWriteLock(const std::string& file) {
        const std::string target = ResolveLinks(file).value_or(file);
        fd_ = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0)
            return;
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    TFolderWriteLock(const TFolderWriteLock&) = delete;
    TFolderWriteLock& operator=(const TFolderWriteLock&) = delete;
    ~TFolderWriteLock() {
        const int saved = errno;
        if (fd_ >= 0)
            ::close(fd_); // the lock goes with the descriptor
        errno = saved;
    }

private:
    int fd_ = -1;
};

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& fileName) {
    const std::string sectionName = TrimProfileBlanks(section);
    const std::string keyName = TrimProfileBlanks(key);
    std::string contents;
    if (sectionName.empty() || keyName.empty() || ReadWholeFile(fileName, contents) != TFileRead::Read)
        return WithoutTrailingSpaces(defaultValue);
    const std::vector<std::string> lines = SplitProfileLines(contents);
    if (const auto found = FindProfileSection(lines, sectionName))
        if (const auto at = FindProfileKey(lines, *found, keyName))
            return UnquoteProfileValue(ParseProfileLine(lines[*at]).Value);
    return WithoutTrailingSpaces(defaultValue);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& fileName) {
    const std::string sectionName = TrimProfileBlanks(section);
    const std::string keyName = TrimProfileBlanks(key);
    if (sectionName.empty() || keyName.empty() || fileName.empty()) {
        errno = EINVAL;
        return false;
    }
    const TFolderWriteLock lock(fileName);
    std::string contents;
    if (ReadWholeFile(fileName, contents) == TFileRead::Failed)
        return false;
    std::vector<std::string> lines = SplitProfileLines(contents);
    SetKey(lines, sectionName, keyName, WithoutLeadingBlanks(value));
    return ReplaceFileContents(fileName, JoinWithCrLf(lines));
}
