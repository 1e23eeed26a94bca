// Every input of the fuzzer's seed corpus goes through the fuzzed entry point: each must either
// load or be rejected with a load error, never crash or throw anything else.
#include "SkinFuzzInput.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

TEST(SkinCorpusReplay, EveryInputLoadsOrIsRejectedCleanly) {
    int files = 0;
    int loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MORVANE_SKIN_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        bool ok = false;
        EXPECT_NO_THROW(ok = RunSkinFuzzInput(bytes.data(), bytes.size()));
        loaded += ok ? 1 : 0;
        ++files;
    }
    EXPECT_GE(files, 3);
    // The seeds are meant to reach the whole load, so most of them must load.
    EXPECT_GE(loaded, 2);
}
