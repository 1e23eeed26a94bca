// The backup and restore requests the window's steps send, byte for byte, recorded by the fake
// client library: the picked path's exact bytes, and the page size the database was made with.
// (The fake runs no job: the "restored" database never appears, so the optimise ends by putting
// the original back - the requests are what is looked at here.)
#include "FakeControl.h"
#include "WorkflowFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Enough of a database file for the window: a first page with the page size at offset 16.
void WriteHeader(const std::string& path, int pageSize) {
    std::string page(1024, '\0');
    page[16] = static_cast<char>(pageSize & 0xFF);
    page[17] = static_cast<char>(pageSize >> 8);
    WriteFileBytes(path, page);
}

std::string Text(unsigned char code, const std::string& text) {
    std::string item;
    item += static_cast<char>(code);
    item += static_cast<char>(text.size() & 0xFF);
    item += static_cast<char>(text.size() >> 8);
    item += text;
    return item;
}

struct TRequestCase {
    const char* Label;
    std::string Name;
    int HeaderPageSize;
    std::string PageSizeItem; // as the restore request carries it
};

class WindowRequests : public WorkflowFixture, public ::testing::WithParamInterface<TRequestCase> {
protected:
    void SetUp() override {
        WorkflowFixture::SetUp();
        FakeClient::Reset();
    }
};

TEST_P(WindowRequests, CarryThePickedPathAndPageSizeByteForByte) {
    const TRequestCase& c = GetParam();
    const std::string db = dir.File(c.Name);
    const std::string bak = db.substr(0, db.size() - 3) + "BAK";
    WriteHeader(db, c.HeaderPageSize);
    Pick(db);
    ASSERT_EQ(form.DatabasePath(), db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
    form.sButton3Click();

    const auto starts = FakeClient::Requests("start");
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_TRUE(starts[0].Bytes ==
                Bytes({0x01}) + Text(0x6A, db) + Bytes({0x6C, 0, 0, 0, 0}) + Text(0x05, bak));
    EXPECT_TRUE(starts[1].Bytes == Bytes({0x02, 0x6C, 0x00, 0x20, 0x00, 0x00}) + c.PageSizeItem +
                                       Text(0x05, bak) + Text(0x6A, db));
    // The attach request: the administrator and the password.
    const auto attaches = FakeClient::Requests("attach");
    ASSERT_EQ(attaches.size(), 2u);
    EXPECT_EQ(attaches[1].Name, "service_mgr");
    EXPECT_EQ(attaches[1].Bytes, Bytes({2, 2, 0x1C, 6}) + "SYSDBA" + Bytes({0x1D, 9}) + "plumbtide");
    EXPECT_EQ(fs::file_size(db), 1024u) << "the original is back after the fake restore made nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowRequests,
    ::testing::Values(
        TRequestCase{"Page4096", "SHOP.FDB", 4096, Bytes({0x0A, 0x00, 0x10, 0x00, 0x00})},
        TRequestCase{"Page8192", "SHOP.FDB", 8192, Bytes({0x0A, 0x00, 0x20, 0x00, 0x00})},
        TRequestCase{"Page16384", "SHOP.FDB", 16384, Bytes({0x0A, 0x00, 0x40, 0x00, 0x00})},
        TRequestCase{"Page32768", "SHOP.FDB", 32768, Bytes({0x0A, 0x00, 0x80, 0x00, 0x00})},
        TRequestCase{"UnreadableHeader", "SHOP.FDB", 3000, Bytes({0x0A, 0x00, 0x10, 0x00, 0x00})},
        TRequestCase{"NotUtf8", "sh\xff\xfe=1.fdb", 8192, Bytes({0x0A, 0x00, 0x20, 0x00, 0x00})},
        TRequestCase{"NoBreakSpaceAndLineSeparator", "a\u00A0b\u2028c.fdb", 4096,
                     Bytes({0x0A, 0x00, 0x10, 0x00, 0x00})}),
    [](const auto& info) { return std::string(info.param.Label); });

} // namespace
