#include "RunJournal.h"

#include "DatabasePaths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char* kMagic = "morvane-run 1";
// A record holds three paths; anything larger is not one of ours.
constexpr std::size_t kMaxRecordBytes = 64 * 1024;

struct TStateName {
    TRunState State;
    const char* Name;
};
constexpr std::array<TStateName, 5> kStateNames{{
    {TRunState::BackupStarted, "backup-started"},
    {TRunState::BackedUp, "backed-up"},
    {TRunState::RestoreStarted, "restore-started"},
    {TRunState::RestoreFinished, "restore-finished"},
    {TRunState::Optimised, "optimised"},
}};

std::string Hidden(const std::string& database, const char* suffix) {
    std::string name = ".";
    name += NameOf(database);
    name += suffix;
    return PathBeside(database, name);
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::optional<std::string> FromHex(const std::string& text) {
    if (text == "-")
        return std::string();
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (error != std::errc() || end != text.data() + i + 2)
            return std::nullopt;
        bytes += static_cast<char>(value);
    }
    return bytes;
}

std::string HexOrDash(const std::string& bytes) {
    return bytes.empty() ? "-" : Hex(bytes);
}

template <typename T> bool ParseNumber(std::istringstream& in, T& value) {
    std::string word;
    if (!(in >> word))
        return false;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

bool ParseId(std::istringstream& in, TFileId& id) {
    return ParseNumber(in, id.Device) && ParseNumber(in, id.Inode) && ParseNumber(in, id.BornNs);
}

bool ParseFacts(std::istringstream& in, TFileFacts& facts) {
    return ParseId(in, facts.Id) && ParseNumber(in, facts.Size) && ParseNumber(in, facts.ModifiedNs) &&
           ParseNumber(in, facts.Uid) && ParseNumber(in, facts.Gid) && ParseNumber(in, facts.Mode);
}

bool ParsePath(std::istringstream& in, std::string& path) {
    std::string word;
    if (!(in >> word))
        return false;
    const auto bytes = FromHex(word);
    if (!bytes)
        return false;
    path = *bytes;
    return true;
}

bool ParseState(std::istringstream& in, TRunState& state) {
    std::string word;
    if (!(in >> word))
        return false;
    for (const TStateName& entry : kStateNames)
        if (word == entry.Name) {
            state = entry.State;
            return true;
        }
    return false;
}

// One key per line; every key must come exactly once.
bool ParseLine(const std::string& key, std::istringstream& in, TRunRecord& record) {
    if (key == "id")
        return static_cast<bool>(in >> record.RunId);
    if (key == "state")
        return ParseState(in, record.State);
    if (key == "database")
        return ParsePath(in, record.Database);
    if (key == "backup")
        return ParsePath(in, record.Backup) && ParseId(in, record.BackupId);
    if (key == "aside")
        return ParsePath(in, record.Aside) && ParseFacts(in, record.Original);
    if (key == "rebuilt")
        return ParseId(in, record.RebuiltId);
    if (key == "backed-up-header") {
        std::string word;
        std::uint64_t digest = 0;
        if (!(in >> word) || word.size() != 16)
            return false;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), digest, 16);
        if (error != std::errc() || end != word.data() + word.size())
            return false;
        record.BackedUpHeader = digest;
        return true;
    }
    if (key == "backed-up-database") {
        TFileFacts facts;
        if (!ParseFacts(in, facts))
            return false;
        record.BackedUpDatabase = facts;
        return true;
    }
    return false;
}

bool WriteFlushed(const std::string& path, const std::string& bytes) {
    // Whatever stands at the temporary name (a leftover, a FIFO, a link to another file) is
    // replaced, never opened.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return false;
    const bool ok = WriteAllBytes(fd, bytes) && ::fsync(fd) == 0;
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    errno = saved;
    return ok && closed;
}

} // namespace

std::string PathBeside(const std::string& path, const std::string& name) {
    if (path.find('/') == std::string::npos)
        return name;
    std::string beside = FolderOf(path);
    if (beside != "/")
        beside += '/';
    beside += name;
    return beside;
}

const char* RunStateName(TRunState state) {
    for (const TStateName& entry : kStateNames)
        if (entry.State == state)
            return entry.Name;
    return "?";
}

bool TRunRecord::operator==(const TRunRecord& other) const {
    return EncodeRunRecord(*this) == EncodeRunRecord(other);
}

std::size_t LongestRunFileName(const std::string& database) {
    std::size_t longest = 0;
    for (const std::string& path : {RunRecordPathFor(database) + ".new", RunLockPathFor(database),
                                    AsidePathFor(database, kAsideAttempts - 1), BackupPathFor(database)}) {
        const std::size_t slash = path.rfind('/');
        longest = std::max(longest, slash == std::string::npos ? path.size() : path.size() - slash - 1);
    }
    return longest;
}

std::string RunRecordPathFor(const std::string& database) {
    return Hidden(database, ".morvane-run");
}

std::string RunLockPathFor(const std::string& database) {
    return Hidden(database, ".morvane-lock");
}

std::string AsidePathFor(const std::string& database, int attempt) {
    std::string path = Hidden(database, ".morvane-original");
    if (attempt > 0) {
        path += '.';
        path += std::to_string(attempt);
    }
    return path;
}

bool IsAsideNameOf(const std::string& name, const std::string& database) {
    const std::string stem = NameOf(AsidePathFor(database, 0));
    if (name.compare(0, stem.size(), stem) != 0)
        return false;
    if (name.size() == stem.size())
        return true;
    if (name[stem.size()] != '.' || name.size() == stem.size() + 1)
        return false;
    for (std::size_t i = stem.size() + 1; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

std::string EncodeRunRecord(const TRunRecord& r) {
    const auto id = [](const TFileId& i) {
        return std::to_string(i.Device) + " " + std::to_string(i.Inode) + " " + std::to_string(i.BornNs);
    };
    std::ostringstream out;
    out << kMagic << "\n";
    out << "id " << r.RunId << "\n";
    out << "state " << RunStateName(r.State) << "\n";
    out << "database " << HexOrDash(r.Database) << "\n";
    out << "backup " << HexOrDash(r.Backup) << " " << id(r.BackupId) << "\n";
    const auto facts = [&](const TFileFacts& f) {
        return id(f.Id) + " " + std::to_string(f.Size) + " " + std::to_string(f.ModifiedNs) + " " +
               std::to_string(f.Uid) + " " + std::to_string(f.Gid) + " " + std::to_string(f.Mode);
    };
    out << "aside " << HexOrDash(r.Aside) << " " << facts(r.Original) << "\n";
    out << "rebuilt " << id(r.RebuiltId) << "\n";
    if (r.BackedUpDatabase)
        out << "backed-up-database " << facts(*r.BackedUpDatabase) << "\n";
    if (r.BackedUpHeader) {
        char digest[17];
        std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(*r.BackedUpHeader));
        out << "backed-up-header " << digest << "\n";
    }
    out << "end\n";
    return out.str();
}

std::optional<TRunRecord> DecodeRunRecord(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kMagic)
        return std::nullopt;
    TRunRecord record;
    std::map<std::string, int> seen;
    bool ended = false;
    while (std::getline(lines, line)) {
        if (ended)
            return std::nullopt;
        if (line == "end") {
            ended = true;
            continue;
        }
        std::istringstream in(line);
        std::string key, rest;
        if (!(in >> key) || ++seen[key] > 1 || !ParseLine(key, in, record) || (in >> rest))
            return std::nullopt;
    }
    // Six keys are always there; the database after the backup and its header's digest only in
    // records that have them.
    const std::size_t expected = 6 + (record.BackedUpDatabase ? 1 : 0) + (record.BackedUpHeader ? 1 : 0);
    if (!ended || seen.size() != expected || record.RunId.empty() || record.Database.empty())
        return std::nullopt;
    return record;
}

bool WriteRunRecord(const TRunRecord& record) {
    const std::string path = RunRecordPathFor(record.Database);
    const std::string temp = path + ".new";
    if (!WriteFlushed(temp, EncodeRunRecord(record))) {
        // A full disk, say: the half-written copy goes, the record before it stays whole.
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return false;
    }
    if (!RenameFileReplacing(temp, path)) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return false;
    }
    return SyncFolderOf(path);
}

TRunRecordRead ReadRunRecord(const std::string& database, TRunRecord& record) {
    const std::string path = RunRecordPathFor(database);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? TRunRecordRead::Missing : TRunRecordRead::Unreadable;
    std::string text(kMaxRecordBytes + 1, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > kMaxRecordBytes)
        return TRunRecordRead::Unreadable;
    text.resize(got);
    auto decoded = DecodeRunRecord(text);
    if (!decoded || NameOf(decoded->Database) != NameOf(database))
        return TRunRecordRead::Unreadable;
    // A run of this database makes only its own backup and set-aside names; a record naming
    // any other file of the folder is not one of ours.
    if (NameOf(decoded->Backup) != NameOf(BackupPathFor(database)) ||
        (!decoded->Aside.empty() && !IsAsideNameOf(NameOf(decoded->Aside), database)))
        return TRunRecordRead::Unreadable;
    // The record lies beside the database, and so do the files it names; the folder may have
    // been reached through another path (a linked folder) when it was written.
    for (std::string* path : {&decoded->Backup, &decoded->Aside})
        if (!path->empty())
            *path = PathBeside(database, NameOf(*path));
    decoded->Database = database;
    record = *decoded;
    return TRunRecordRead::Read;
}

bool RemoveRunRecord(const std::string& database) {
    const std::string path = RunRecordPathFor(database);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return false;
    return SyncFolderOf(path);
}
