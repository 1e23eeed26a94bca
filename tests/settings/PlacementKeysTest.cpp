#include "PlacementKeys.h"

#include "FileSystem.h"

#include <gtest/gtest.h>

namespace {

struct FourCase {
    const char* Text;
    TFourNumbers Expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const FourCase& c, std::ostream* os) {
    *os << c.Text;
}

class FourNumbers : public ::testing::TestWithParam<FourCase> {};

TEST_P(FourNumbers, WordsByCommasAndBlanks) {
    EXPECT_EQ(ParseFourNumbers(GetParam().Text, {1, 2, 3, 4}), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Cases, FourNumbers,
                         ::testing::Values(FourCase{"10,20,800,500", {10, 20, 800, 500}},
                                           FourCase{"10 20 800 500", {10, 20, 800, 500}},
                                           FourCase{",10,,20, 800,500", {10, 20, 800, 500}},
                                           FourCase{"  , ,10 ,  20,800 , 500 ,", {10, 20, 800, 500}},
                                           FourCase{"10,20", {10, 20, 3, 4}}, FourCase{"", {1, 2, 3, 4}},
                                           FourCase{"a,20,3x,-5", {1, 20, 3, -5}},
                                           FourCase{"-1,-1,-4,-4", {-1, -1, -4, -4}},
                                           FourCase{"$10,0x20,+7,99999999999", {16, 32, 7, 4}},
                                           FourCase{"5,6,7,8,9", {5, 6, 7, 8}}));

TEST(PlacementKeys, FormatsAndSuffix) {
    EXPECT_EQ(FormatFourNumbers({-1, -1, -4, -4}), "-1,-1,-4,-4");
    EXPECT_EQ(FormatFourNumbers({192, 122, 942, 572}), "192,122,942,572");
    EXPECT_EQ(ResolutionSuffix(1920, 1080), "(1920x1080)");
    EXPECT_EQ(PlacementKey::NormPos + ResolutionSuffix(1920, 1080), "NormPos(1920x1080)");
    EXPECT_EQ(PlacementFilePath(), ProgramFolder() + "kvFormPct.ini");
}

TEST(PlacementKeys, QuotedValuesGetOneMorePair) {
    EXPECT_EQ(QuoteForProfile("10,20,30,40"), "10,20,30,40");
    EXPECT_EQ(QuoteForProfile("\"a\""), "\"\"a\"\"");
    EXPECT_EQ(QuoteForProfile("'a'"), "\"'a'\"");
    EXPECT_EQ(QuoteForProfile("\"a'"), "\"a'");
    EXPECT_EQ(QuoteForProfile("\""), "\"");
}

} // namespace
