// Fitting outer bounds onto one of several screens, in numbers alone.
#include "ScreenFit.h"

#include <gtest/gtest.h>

namespace {

// A primary screen and a second one to its right, each less a panel along its top.
const QList<QRect> Areas{QRect(0, 30, 1000, 770), QRect(1000, 30, 1600, 1170)};

struct AreaCase {
    const char* Name;
    TBounds64 Bounds;
    QRect Expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const AreaCase& c, std::ostream* os) {
    *os << c.Name;
}

class ScreenFitArea : public ::testing::TestWithParam<AreaCase> {};

TEST_P(ScreenFitArea, ScreenShowingMostIsChosen) {
    EXPECT_EQ(AreaShowingMost(GetParam().Bounds, Areas), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreenFitArea,
                         ::testing::Values(AreaCase{"on_the_primary", {10, 40, 500, 400}, Areas[0]},
                                           AreaCase{"mostly_on_the_second", {900, 40, 1500, 400}, Areas[1]},
                                           AreaCase{"mostly_on_the_primary", {600, 40, 1100, 400}, Areas[0]},
                                           AreaCase{"on_no_screen", {-5000, -5000, -4000, -4000}, Areas[0]},
                                           AreaCase{"beyond_32_bits",
                                                    {-(1LL << 40), -(1LL << 40), 1LL << 40, 1LL << 40},
                                                    Areas[1]}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ScreenFit, AreaSmallerThanTheMinimumGivesTheArea) {
    EXPECT_EQ(FitInside({5, 5, 6, 6}, QRect(10, 20, 100, 30), SmallestWindowSize), QRect(10, 20, 100, 30));
}

TEST(ScreenFit, BoundsThatFitStayAsTheyAre) {
    EXPECT_EQ(FitInside({1100, 100, 1700, 500}, Areas[1], SmallestWindowSize), QRect(1100, 100, 600, 400));
}

TEST(ScreenFit, EmptyOrInvertedBoundsHaveNoArea) {
    EXPECT_TRUE(HasArea({0, 0, 1, 1}));
    EXPECT_FALSE(HasArea({100, 100, 900, 50}));
    EXPECT_FALSE(HasArea({100, 100, 50, 900}));
    EXPECT_FALSE(HasArea({100, 100, 100, 900}));
}

} // namespace
