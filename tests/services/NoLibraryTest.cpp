// No client library at first; one installed while the program runs is picked up.

#include "IBServices.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(MissingLibrary, RaisesCode1UntilALibraryAppears) {
    // Files that are not libraries stop the loader's search before the system's own client.
    fs::create_directories(LATE_LIBRARY_DIR);
    for (const char* name : {"libfbclient.so.2", "libfbclient.so"})
        std::ofstream(fs::path(LATE_LIBRARY_DIR) / name, std::ios::trunc) << "not a library";

    // Mapping ahead finds nothing and says nothing; the component still reports the missing library.
    PreloadClientLibrary();
    EXPECT_FALSE(ClientLibraryLoaded());
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            TIBRestoreService restore("IBRestoreService");
            FAIL() << "a component was created without a library";
        } catch (const EIBClientError& error) {
            EXPECT_EQ(error.SQLCode, 1);
            EXPECT_EQ(error.Message,
                      "InterBase library gds32.dll not found in the path. Please install InterBase "
                      "to use this functionality");
        }
    }

    fs::copy_file(FULL_FAKE_LIBRARY, fs::path(LATE_LIBRARY_DIR) / "libfbclient.so.2",
                  fs::copy_options::overwrite_existing);
    TIBRestoreService restore("IBRestoreService");
    EXPECT_TRUE(ClientLibraryLoaded());
    EXPECT_EQ(restore.PageSize, 4096);
}
