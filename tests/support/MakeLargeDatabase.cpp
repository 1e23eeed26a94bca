// make_large_database <path>: the shared large test database, for the CTest fixture.
#include "LargeDatabase.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_large_database <path>\n");
        return 2;
    }
    try {
        std::filesystem::remove(argv[1]);
        std::filesystem::create_directories(std::filesystem::path(argv[1]).parent_path());
        CreateLargeTestDatabase(argv[1], kLargeDatabaseRows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
