#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

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
