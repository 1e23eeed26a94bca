// The package reader: entry order, name lookups, magic, and damaged or hostile packages.
#include "SkinPackage.h"

#include "MemorySource.h"
#include "SkinTestPictures.h"
#include "TempDir.h"
#include "ZlibInflater.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(count);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Offset of the first entry's name length, name and unpacked size in a package.
constexpr std::size_t FirstEntry = 8;

TacSkinConvertor Read(const std::vector<std::uint8_t>& bytes) {
    TacSkinConvertor package;
    package.ReadPackage(bytes);
    return package;
}

std::string MessageOf(const std::vector<std::uint8_t>& bytes) {
    try {
        Read(bytes);
    } catch (const Exception& error) {
        return error.Message;
    }
    return "loaded";
}

} // namespace

TEST(SkinPackage, OptionsEntryMayStandAnywhereAndImagesKeepPackageOrder) {
    const std::vector<std::uint8_t> big = RandomBytes(200000, 1); // spans several 64 KiB blocks
    const PackageEntry options{"options.DAT", Bytes("[GLOBALINFO]\r\nVERSION=6.5\r\n")};
    const PackageEntry a{"ButtonHuge.bmp", big};
    const PackageEntry b{"GlowBlue.png", Bytes("png bytes")};
    const PackageEntry c{"Bkgnd.jpg", {}};
    for (const auto& entries :
         {std::vector{options, a, b, c}, std::vector{a, b, options, c}, std::vector{a, b, c, options}}) {
        const TacSkinConvertor package = Read(WritePackage(entries));
        EXPECT_EQ(package.Options, "[GLOBALINFO]\r\nVERSION=6.5\r\n");
        ASSERT_EQ(package.ImageCount(), 3);
        EXPECT_EQ(package.Images[0].Name, "ButtonHuge.bmp");
        EXPECT_TRUE(package.Images[0].IsBitmap);
        EXPECT_EQ(package.Images[0].Data, big);
        EXPECT_EQ(package.Images[1].Name, "GlowBlue.png");
        EXPECT_FALSE(package.Images[1].IsBitmap);
        EXPECT_EQ(package.Images[1].Data, Bytes("png bytes"));
        EXPECT_TRUE(package.Images[2].Data.empty());
    }
}

TEST(SkinPackage, LookupIsByUpperCasedNameAndTheFirstOfCaseTwinsWins) {
    const TacSkinConvertor package = Read(WritePackage({{"Options.dat", Bytes("[A]")},
                                                        {"Master.bmp", Bytes("first")},
                                                        {"MASTER.BMP", Bytes("second")},
                                                        {"x.Bmp", Bytes("x")}}));
    ASSERT_NE(package.FindImage("MASTER.BMP"), nullptr);
    EXPECT_EQ(package.FindImage("MASTER.BMP")->Data, Bytes("first"));
    EXPECT_EQ(package.FindImage("Master.bmp"), nullptr); // the wanted name is not upper-cased
    EXPECT_TRUE(package.FindImage("X.BMP")->IsBitmap);
    EXPECT_EQ(package.FindImage("NONE.BMP"), nullptr);
}

TEST(SkinPackage, WriterUsesOneDefaultZlibStreamPerEntry) {
    const std::vector<std::uint8_t> bytes = WritePackage({{"Options.dat", Bytes("[A]")}});
    ASSERT_GE(bytes.size(), FirstEntry + 4 + 11 + 4 + 2);
    EXPECT_EQ(std::memcmp(bytes.data(), "KTzf\x01\x00\x00\x00", 8), 0);
    EXPECT_EQ(bytes[FirstEntry + 4 + 11 + 4], 0x78);
    EXPECT_EQ(bytes[FirstEntry + 4 + 11 + 5], 0x9C);
}

TEST(SkinPackage, MagicMustBeExactlyKTzf) {
    for (const char* magic : {"ktzf", "KTZF", "KtZf", "KTzF", "PK\x03\x04"}) {
        std::vector<std::uint8_t> bytes = WritePackage({{"Options.dat", Bytes("[A]")}});
        std::memcpy(bytes.data(), magic, 4);
        EXPECT_EQ(MessageOf(bytes), "Loaded data is not a packed Kestrane file") << magic;
    }
    EXPECT_EQ(MessageOf(Bytes("KT")), "Loaded data is not a packed Kestrane file");
    EXPECT_EQ(MessageOf({}), "Loaded data is not a packed Kestrane file");
}

TEST(SkinPackage, EveryCutShortPackageIsALoadErrorAndLeavesTheObjectEmpty) {
    const std::vector<std::uint8_t> whole =
        WritePackage({{"Options.dat", Bytes("[A]\r\nB=C\r\n")}, {"M.BMP", RandomBytes(3000, 2)}});
    for (std::size_t length = 4; length < whole.size(); ++length) {
        TacSkinConvertor package;
        package.Images.push_back(TacImageItem{"OLD", false, {}});
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(package.ReadPackage(cut), Exception) << length;
        EXPECT_TRUE(package.Images.empty());
        EXPECT_TRUE(package.Options.empty());
    }
}

TEST(SkinPackage, DamagedStreamsReportZlibsMessage) {
    std::vector<std::uint8_t> bytes = WritePackage({{"Options.dat", RandomBytes(500, 3)}});
    const std::size_t stream = FirstEntry + 4 + 11 + 4;
    std::vector<std::uint8_t> header = bytes;
    header[stream + 1] ^= 0x01; // header check fails
    EXPECT_EQ(MessageOf(header), "data error");
    std::vector<std::uint8_t> trailer = bytes;
    trailer.back() ^= 0xFF; // Adler-32 differs
    EXPECT_EQ(MessageOf(trailer), "data error");
    std::vector<std::uint8_t> dictionary = bytes;
    dictionary[stream] = 0x78;
    dictionary[stream + 1] = 0xBB; // asks for a preset dictionary
    EXPECT_EQ(MessageOf(dictionary), "data error");
}

TEST(SkinPackage, ClaimsLargerThanTheDataAreLoadErrorsNotAllocations) {
    const std::vector<std::uint8_t> good = WritePackage({{"Options.dat", Bytes("[A]")}});
    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        const char* message;
    } cases[] = {
        {"entry count", 4, 0x7FFFFFFF, "Skin package is damaged: it cannot hold 2147483647 entries"},
        {"negative count", 4, 0xFFFFFFFF, "Skin package is damaged: it cannot hold -1 entries"},
        {"no entries", 4, 0, "Skin package is damaged: it cannot hold 0 entries"},
        {"name length", FirstEntry, 0x7FFFFFF0,
         "Skin package is cut short: an entry name of 2147483632 bytes does not fit"},
        {"unpacked size", FirstEntry + 4 + 11, 0x7FFFFFFF,
         "Skin package is damaged: entry \"Options.dat\" claims 2147483647 unpacked bytes"},
        {"negative size", FirstEntry + 4 + 11, 0x80000000,
         "Skin package is damaged: entry \"Options.dat\" claims -2147483648 unpacked bytes"},
        {"size beyond the stream", FirstEntry + 4 + 11, 4, "Stream read error"},
        {"size short of the stream", FirstEntry + 4 + 11, 2,
         "Package entry holds more data than its unpacked size"},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        PutInt32(bytes, c.at, c.value);
        EXPECT_EQ(MessageOf(bytes), c.message) << c.what;
    }
}

TEST(SkinPackage, OptionsDatMustBeThereExactlyOnce) {
    EXPECT_EQ(MessageOf(WritePackage({{"Master.bmp", Bytes("x")}})), "Skin package has no Options.dat");
    EXPECT_EQ(MessageOf(WritePackage({{"Options.dat", Bytes("[A]")}, {"OPTIONS.DAT", Bytes("[B]")}})),
              "Skin package is damaged: it holds more than one Options.dat");
}

TEST(ZlibInflater, LeavesTheSourceOnTheFirstByteAfterTheStream) {
    for (const std::size_t size :
         {std::size_t(0), std::size_t(10), std::size_t(70000), std::size_t(300000)}) {
        const std::vector<std::uint8_t> data = RandomBytes(size, 4);
        std::vector<std::uint8_t> source = CompressZlib(data);
        const std::size_t streamEnd = source.size();
        source.insert(source.end(), {'N', 'E', 'X', 'T'});
        MemorySource stream(source);
        EXPECT_EQ(ZlibInflater(stream).ReadExactly(size), data);
        EXPECT_EQ(stream.Position(), streamEnd) << size;
    }
}

TEST(SkinPackage, ALastEntryMuchLargerThanItsStreamInflatesToTheEndOfThePackage) {
    // A megabyte of zeros packs into about a kilobyte: zlib takes in the whole stream long
    // before it has handed out all the bytes, with nothing left in the package to read.
    const std::vector<std::uint8_t> zeros(1 << 20, 0);
    const TacSkinConvertor package = Read(WritePackage({{"Options.dat", Bytes("[A]")}, {"Big.bmp", zeros}}));
    ASSERT_EQ(package.ImageCount(), 1);
    EXPECT_EQ(package.Images[0].Data, zeros);
}

TEST(SkinPackage, LoadPackageFileReadsAFileAndIgnoresAMissingOne) {
    const std::string path = (std::filesystem::temp_directory_path() / "morvane-skin-test.ktz").string();
    WritePackageFile(path, {{"Options.dat", Bytes("[A]")}, {"M.bmp", Bytes("m")}});
    TacSkinConvertor package;
    EXPECT_TRUE(package.LoadPackageFile(path));
    EXPECT_EQ(package.Options, "[A]");
    EXPECT_TRUE(package.OwnedSource.empty());
    EXPECT_TRUE(package.LoadPackageFile(path, false));
    EXPECT_FALSE(package.OwnedSource.empty());
    std::filesystem::remove(path);
    EXPECT_FALSE(package.LoadPackageFile(path));
    EXPECT_EQ(package.Options, "[A]"); // unchanged
}

namespace {

// The message LoadPackageFile gives for `path`, read by a user who may not read it: root reads
// every file, so as root the reading runs in a child process that has become "nobody".
std::string MessageReadingUnprivileged(const std::string& path) {
    const auto read = [&path]() -> std::string {
        try {
            TacSkinConvertor package;
            package.LoadPackageFile(path);
        } catch (const Exception& error) {
            return error.Message;
        }
        return "loaded";
    };
    if (geteuid() != 0) {
        std::filesystem::permissions(path, std::filesystem::perms::none);
        return read();
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string message = setgid(65534) == 0 && setuid(65534) == 0 ? read() : "still root";
        (void)!write(pipeEnds[1], message.data(), message.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return message;
}

} // namespace

TEST(SkinPackage, AnExistingFileThatCannotBeReadSaysSo) {
    const TTempDir dir;
    std::filesystem::permissions(dir.Path(),
                                 std::filesystem::perms::owner_all | std::filesystem::perms::others_exec);
    const std::string path = dir.File("Locked.ktz");
    WritePackageFile(path, {{"Options.dat", Bytes("[A]")}});
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(MessageReadingUnprivileged(path), "Skin package " + path + " cannot be read");
}
