#include "TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

TTempDir::TTempDir() {
    char pattern[] = "/tmp/morvane-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void TTempDir::Write(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(File(name), bytes);
}

std::string TTempDir::Read(const std::string& name) const {
    return ReadFileBytes(File(name));
}

std::string TTempDir::Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names)
        listing += name + ";";
    return listing;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string DamageSecondHalfUnseen(const std::string& path) {
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0)
        throw std::runtime_error("cannot stat " + path);
    std::string bytes = ReadFileBytes(path);
    std::fill(bytes.begin() + static_cast<long>(bytes.size() / 2), bytes.end(), '\x5a');
    WriteFileBytes(path, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
        throw std::runtime_error("cannot set the times of " + path);
    return bytes;
}
