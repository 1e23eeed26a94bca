#include "PrivateProfile.h"

#include "FifoWatchdog.h"
#include "TempDir.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ReadCase {
    const char* Name;
    std::string File;
    std::string Section;
    std::string Key;
    std::string Default;
    std::string Expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.Name;
}

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, ReturnsTheValueOrTheDefault) {
    const ReadCase& c = GetParam();
    TTempDir folder;
    folder.Write("test.ini", c.File);
    EXPECT_EQ(GetPrivateProfileString(c.Section, c.Key, c.Default, folder.File("test.ini")), c.Expected);
    EXPECT_EQ(folder.Read("test.ini"), c.File) << "reading must not touch the file";
}

const ReadCase ReadCases[] = {
    {"plain", "[s]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"names_ignore_case", "[SeCtIoN]\r\nMyKEY=v\r\n", "section", "mykey", "d", "v"},
    {"names_passed_are_trimmed", "[s]\r\nk=v\r\n", "  s \t", " k  ", "d", "v"},
    {"header_text_is_trimmed", "[ section1 ]\r\nk=v\r\n", "section1", "k", "d", "v"},
    {"header_up_to_last_bracket", "[a]b] tail\r\nk=v\r\n", "a]b", "k", "d", "v"},
    {"indented_lines", "   [s]  \r\n\t k \t=  v v \t\r\n", "s", "k", "d", "v v"},
    {"value_with_equals", "[s]\r\nk=a=b\r\n", "s", "k", "d", "a=b"},
    {"name_with_inner_blank", "[s]\r\nmy key = v\r\n", "s", "my key", "d", "v"},
    {"double_quotes_removed", "[s]\r\nname2=\"val2\"\r\n", "s", "name2", "d", "val2"},
    {"single_quotes_removed", "[s]\r\nk='val'\r\n", "s", "k", "d", "val"},
    {"blanks_inside_quotes_stay", "[s]\r\nk=\" a b \"\r\n", "s", "k", "d", " a b "},
    {"only_one_pair_removed", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", "d", "\"x\""},
    {"unmatched_quotes_stay", "[s]\r\nk=\"val'\r\n", "s", "k", "d", "\"val'"},
    {"opening_quote_only_stays", "[s]\r\nk=\"val\r\n", "s", "k", "d", "\"val"},
    {"lone_quote_stays", "[s]\r\nk=\"\r\n", "s", "k", "d", "\""},
    {"empty_quotes_give_empty", "[s]\r\nk=\"\"\r\n", "s", "k", "d", ""},
    {"empty_value_is_a_value", "[s]\r\nk=\r\n", "s", "k", "d", ""},
    {"comment_never_matches", "[s]\r\n;k=v\r\n", "s", "k", "d", "d"},
    {"line_without_equals_never_matches", "[s]\r\nk\r\n", "s", "k", "d", "d"},
    {"first_section_of_a_name_wins", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", "b", "d", "d"},
    {"first_section_still_read", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", "a", "d", "1"},
    {"first_key_wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "d", "1"},
    {"key_of_another_section", "[s]\r\na=1\r\n[t]\r\nk=2\r\n", "s", "k", "d", "d"},
    {"key_before_any_section", "k=v\r\n[s]\r\n", "s", "k", "d", "d"},
    {"bracket_without_close_is_ordinary", "[s]\r\n[t\r\nk=v\r\n", "s", "k", "d", "v"},
    {"missing_section", "[s]\r\nk=v\r\n", "x", "k", "d", "d"},
    {"missing_key", "[s]\r\nk=v\r\n", "s", "x", "d", "d"},
    {"default_loses_trailing_spaces_only", "", "s", "k", "  d  ", "  d"},
    {"default_keeps_trailing_tab", "", "s", "k", "d\t", "d\t"},
    {"empty_section_name", "[]\r\nk=v\r\n", "", "k", "d", "d"},
    {"empty_key_name", "[s]\r\n=v\r\n", "s", " ", "d", "d"},
    {"lone_cr_ends_lines", "[s]\rk=v\rj=w", "s", "j", "d", "w"},
    {"lone_lf_ends_lines", "[s]\nk=v\n", "s", "k", "d", "v"},
    {"mixed_line_ends", "[t]\r\n\n[s]\rk=v\r\n", "s", "k", "d", "v"},
    {"last_line_without_break", "[s]\r\nk=v", "s", "k", "d", "v"},
    {"eight_bit_text", "[\xEC\x84\xB9\xEC\x85\x98]\r\n\xED\x82\xA4=\xEA\xB0\x92\r\n",
     "\xEC\x84\xB9\xEC\x85\x98", "\xED\x82\xA4", "d", "\xEA\xB0\x92"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, ::testing::ValuesIn(ReadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ProfileReadFile, MissingFileOrFolderGivesTheDefault) {
    TTempDir folder;
    EXPECT_EQ(GetPrivateProfileString("s", "k", "d ", folder.File("none.ini")), "d");
    EXPECT_EQ(GetPrivateProfileString("s", "k", "d", folder.Path()), "d") << "a folder is no file";
    EXPECT_FALSE(std::filesystem::exists(folder.File("none.ini")));
}

struct WriteCase {
    const char* Name;
    std::optional<std::string> Before; // nullopt: no file
    std::string Section;
    std::string Key;
    std::string Value;
    std::string After;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.Name;
}

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, RewritesTheFileExactly) {
    const WriteCase& c = GetParam();
    TTempDir folder;
    if (c.Before)
        folder.Write("test.ini", *c.Before);
    ASSERT_TRUE(WritePrivateProfileString(c.Section, c.Key, c.Value, folder.File("test.ini")));
    EXPECT_EQ(folder.Read("test.ini"), c.After);
    EXPECT_EQ(folder.Listing(), "test.ini;") << "no temporary file may be left behind";
}

const WriteCase WriteCases[] = {
    {"creates_missing_file", std::nullopt, "s", "k", "v", "[s]\r\nk=v\r\n"},
    {"fills_empty_file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
    {"new_section_at_end_without_blank_line", "[s]\r\na=1\r\n", "t", "b", "2",
     "[s]\r\na=1\r\n[t]\r\nb=2\r\n"},
    {"line_break_added_before_new_section", "[s]\r\na=1", "t", "b", "2", "[s]\r\na=1\r\n[t]\r\nb=2\r\n"},
    {"new_key_at_end_of_its_section", "[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "c", "3",
     "[s]\r\na=1\r\nc=3\r\n[t]\r\nb=2\r\n"},
    {"new_key_before_blank_separator", "[s]\r\na=1\r\n\r\n[t]\r\n", "s", "c", "3",
     "[s]\r\na=1\r\nc=3\r\n\r\n[t]\r\n"},
    {"new_key_before_trailing_blank_lines", "[s]\r\na=1\r\n\r\n\r\n", "s", "c", "3",
     "[s]\r\na=1\r\nc=3\r\n\r\n\r\n"},
    {"new_key_in_header_only_section", "[s]\r\n[t]\r\n", "s", "k", "v", "[s]\r\nk=v\r\n[t]\r\n"},
    {"new_key_in_first_section_of_name", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", "c", "3",
     "[s]\r\na=1\r\nc=3\r\n[t]\r\n[S]\r\nb=2\r\n"},
    {"new_key_after_comment_in_section", "[s]\r\na=1\r\n; note\r\n", "s", "c", "3",
     "[s]\r\na=1\r\n; note\r\nc=3\r\n"},
    {"replace_keeps_spelling_and_position", "[S]\r\n  MyKey = old  \r\nz=1\r\n", "s", "MYKEY", "new",
     "[S]\r\nMyKey=new\r\nz=1\r\n"},
    {"replace_first_occurrence_only", "[s]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\n", "s", "k", "9",
     "[s]\r\nk=9\r\nk=2\r\n[s]\r\nk=3\r\n"},
    {"leading_blanks_of_value_dropped", "[s]\r\nk=1\r\n", "s", "k", " \t v ", "[s]\r\nk=v \r\n"},
    {"empty_value_writes_key_and_equals", "[s]\r\nk=1\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
    {"names_trimmed_before_use", "[s]\r\n", "  s ", " k ", "v", "[s]\r\nk=v\r\n"},
    {"comments_and_other_lines_kept", "; top\r\n[s]\r\nno equals here\r\n;k=c\r\nk=1\r\n", "s", "k", "2",
     "; top\r\n[s]\r\nno equals here\r\n;k=c\r\nk=2\r\n"},
    {"lf_lines_written_with_cr_lf", "[s]\na=1\n  ; c\n", "s", "a", "9", "[s]\r\na=9\r\n  ; c\r\n"},
    {"lone_cr_lines_written_with_cr_lf", "[s]\ra=1\r", "s", "b", "2", "[s]\r\na=1\r\nb=2\r\n"},
    {"quoted_value_written_as_given", "[s]\r\n", "s", "k", "\"x\"", "[s]\r\nk=\"x\"\r\n"},
    {"eight_bit_text", "", "\xEC\x84\xB9", "\xED\x82\xA4", "\xEA\xB0\x92",
     "[\xEC\x84\xB9]\r\n\xED\x82\xA4=\xEA\xB0\x92\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, ::testing::ValuesIn(WriteCases),
                         [](const auto& info) { return std::string(info.param.Name); });

class ProfileFile : public ::testing::Test {
protected:
    TTempDir folder;
};

TEST_F(ProfileFile, WrittenValuesReadBack) {
    const std::string path = folder.File("a.ini");
    ASSERT_TRUE(WritePrivateProfileString("Main", "Left", "10", path));
    ASSERT_TRUE(WritePrivateProfileString("Main", "Name", "'quoted'", path));
    ASSERT_TRUE(WritePrivateProfileString("Other", "Left", "20", path));
    ASSERT_TRUE(WritePrivateProfileString("main", "left", "11", path));
    EXPECT_EQ(GetPrivateProfileString("MAIN", "LEFT", "", path), "11");
    EXPECT_EQ(GetPrivateProfileString("Main", "Name", "", path), "quoted");
    EXPECT_EQ(GetPrivateProfileString("Other", "Left", "", path), "20");
}

TEST_F(ProfileFile, FolderAtThePathIsAFailedWrite) {
    std::filesystem::create_directory(folder.File("a.ini"));
    errno = 0;
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", folder.File("a.ini")));
    EXPECT_NE(errno, 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("a.ini")));
    EXPECT_EQ(folder.Listing(), "a.ini;");
}

TEST_F(ProfileFile, MissingFolderIsAFailedWrite) {
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", folder.File("none/a.ini")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("none")));
}

TEST_F(ProfileFile, EmptyNamesWriteNothing) {
    folder.Write("a.ini", "[s]\r\n");
    EXPECT_FALSE(WritePrivateProfileString(" ", "k", "v", folder.File("a.ini")));
    EXPECT_FALSE(WritePrivateProfileString("s", "", "v", folder.File("a.ini")));
    EXPECT_EQ(folder.Read("a.ini"), "[s]\r\n");
}

TEST_F(ProfileFile, PermissionBitsSurviveTheRewrite) {
    folder.Write("a.ini", "[s]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(folder.File("a.ini").c_str(), 0640), 0);
    ASSERT_TRUE(WritePrivateProfileString("s", "k", "2", folder.File("a.ini")));
    struct stat st {};
    ASSERT_EQ(::stat(folder.File("a.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ProfileFile, NewFileFollowsTheUmask) {
    const mode_t old = ::umask(027);
    const bool written = WritePrivateProfileString("s", "k", "v", folder.File("a.ini"));
    ::umask(old);
    ASSERT_TRUE(written);
    struct stat st {};
    ASSERT_EQ(::stat(folder.File("a.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ProfileFile, LinkStaysALinkAndItsTargetChanges) {
    folder.Write("target.ini", "[s]\r\nk=1\r\n");
    std::filesystem::create_symlink(folder.File("target.ini"), folder.File("link.ini"));
    ASSERT_TRUE(WritePrivateProfileString("s", "k", "2", folder.File("link.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("target.ini"), "[s]\r\nk=2\r\n");
}

// Who writes the file, and whose it is.
enum class TWho { Root, Nobody };

struct ModeCase {
    const char* Name;
    mode_t Mode;
    TWho Owner;
    TWho Writer;
    bool Written;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.Name;
}

constexpr uid_t NobodyId = 65534;

// Runs the write in a child process with the writer's identity; true when it succeeded.
bool WriteAs(TWho writer, const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (writer == TWho::Nobody &&
            (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
            ::_exit(2);
        ::_exit(WritePrivateProfileString("s", "k", "2", path) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not become the writer";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ProfileFileMode : public ::testing::TestWithParam<ModeCase> {};

// The mode bits decide, for root too: the kernel lets root write any file, so a settings file
// made read-only would otherwise be overwritten whenever the program runs as root.
TEST_P(ProfileFileMode, WriteBitOfTheWriterDecides) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give files away and to write as another user";
    const ModeCase& c = GetParam();
    TTempDir folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0) << "the rename needs a writable folder";
    const std::string path = folder.File("a.ini");
    folder.Write("a.ini", "[s]\r\nk=1\r\n");
    const uid_t owner = c.Owner == TWho::Root ? 0 : NobodyId;
    ASSERT_EQ(::chown(path.c_str(), owner, owner), 0);
    ASSERT_EQ(::chmod(path.c_str(), c.Mode), 0);

    EXPECT_EQ(WriteAs(c.Writer, path), c.Written);
    EXPECT_EQ(folder.Read("a.ini"), c.Written ? "[s]\r\nk=2\r\n" : "[s]\r\nk=1\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.Mode) << "the file keeps its protection";
    // A user who may not give files away makes the new file its own.
    const uid_t newOwner = c.Written && c.Writer == TWho::Nobody ? NobodyId : owner;
    EXPECT_EQ(st.st_uid, newOwner);
    EXPECT_EQ(folder.Listing(), "a.ini;");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileFileMode,
    ::testing::Values(ModeCase{"root_writes_its_own", 0644, TWho::Root, TWho::Root, true},
                      ModeCase{"root_refused_read_only", 0444, TWho::Root, TWho::Root, false},
                      ModeCase{"root_refused_without_owner_bit", 0466, TWho::Root, TWho::Root, false},
                      ModeCase{"root_writes_for_the_owner", 0644, TWho::Nobody, TWho::Root, true},
                      ModeCase{"root_refused_read_only_of_another", 0444, TWho::Nobody, TWho::Root, false},
                      ModeCase{"user_writes_its_own", 0644, TWho::Nobody, TWho::Nobody, true},
                      ModeCase{"user_refused_read_only", 0444, TWho::Nobody, TWho::Nobody, false},
                      ModeCase{"user_writes_through_other_bit", 0646, TWho::Root, TWho::Nobody, true},
                      ModeCase{"user_refused_without_other_bit", 0664, TWho::Root, TWho::Nobody, false}),
    [](const auto& info) { return std::string(info.param.Name); });

// Things that can stand at a settings file's path instead of a file.
struct NotAFileCase {
    const char* Name;
    const char* FifoName; // a FIFO of that name in the folder, watched, or nullptr
    std::function<void(const TTempDir& folder, const std::string& path)> Make;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const NotAFileCase& c, std::ostream* os) {
    *os << c.Name;
}

void BindSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

class ProfileNotAFile : public ::testing::TestWithParam<NotAFileCase> {};

// Refused at once with the write error, never read from and never blocking: a FIFO would hold
// the program's start forever, a device would be read without end.
TEST_P(ProfileNotAFile, IsRefusedWithoutBlocking) {
    TTempDir folder;
    const std::string path = folder.File("a.ini");
    std::unique_ptr<TFifoWatchdog> watchdog;
    if (GetParam().FifoName != nullptr)
        watchdog = std::make_unique<TFifoWatchdog>(folder.File(GetParam().FifoName));
    GetParam().Make(folder, path);
    struct stat before {};
    ASSERT_EQ(::lstat(path.c_str(), &before), 0);
    const std::string listing = folder.Listing();

    EXPECT_EQ(GetPrivateProfileString("s", "k", "default", path), "default");
    errno = 0;
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", path));
    EXPECT_NE(errno, 0);

    if (watchdog) {
        EXPECT_EQ(watchdog->Rescues(), 0) << "an open() blocked on the FIFO";
    }
    struct stat after {};
    ASSERT_EQ(::lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "nothing replaced it";
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(folder.Listing(), listing) << "no temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileNotAFile,
    ::testing::Values(NotAFileCase{"fifo", "a.ini",
                                   [](const TTempDir&, const std::string&) {
                                   }},
                      NotAFileCase{"link_to_fifo", "elsewhere",
                                   [](const TTempDir& folder, const std::string& path) {
                                       std::filesystem::create_symlink(folder.File("elsewhere"), path);
                                   }},
                      NotAFileCase{"link_to_endless_device", nullptr,
                                   [](const TTempDir&, const std::string& path) {
                                       std::filesystem::create_symlink("/dev/zero", path);
                                   }},
                      NotAFileCase{"socket", nullptr,
                                   [](const TTempDir&, const std::string& path) {
                                       BindSocket(path);
                                   }},
                      NotAFileCase{"folder", nullptr,
                                   [](const TTempDir&, const std::string& path) {
                                       std::filesystem::create_directory(path);
                                   }},
                      NotAFileCase{"oversized_file", nullptr,
                                   [](const TTempDir& folder, const std::string& path) {
                                       folder.Write("a.ini", "[s]\r\nk=1\r\n");
                                       std::filesystem::resize_file(path, 2 * 1024 * 1024);
                                   }}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
