#include "world/park.h"
#include <gtest/gtest.h>

#include "core/random.h"
#include "support/within.h"
#include "fakes/platform_fake.h"
#include "render/sky.h"

namespace {

int phaseOn(int year, int month, int day) {
    fakePlatform.year = year;
    fakePlatform.month = month;
    fakePlatform.day = day;
    return moonPhase();
}

class MoonPhase : public ::testing::Test {
protected:
    void TearDown() override { resetFakePlatform(); }
};

}  // namespace

// Day numbers N = trunc(365.25 (Y + 4716)) + trunc(30.6001 (M + 1)) + D - 1524 and
// p = (N - 2423196) mod 29, worked out by hand for each date below.
TEST_F(MoonPhase, FollowsTheDayCountThroughTheCycle) {
    // 1 Dec 2026: 2462515 + 397 + 1 - 1524 = 2461389, 38193 = 29 x 1317, p = 0.
    EXPECT_EQ(phaseOn(2026, 12, 1), 0);
    // 5 Dec: p = 4; 7 Dec: p = 6; 8 Dec: p = 7.
    EXPECT_EQ(phaseOn(2026, 12, 5), 2);
    EXPECT_EQ(phaseOn(2026, 12, 7), 2);
    EXPECT_EQ(phaseOn(2026, 12, 8), 3);
    // 12 to 15 Dec: p = 11 .. 14, the dark moon; 16 Dec: p = 15.
    for (int day = 12; day <= 15; ++day) EXPECT_EQ(phaseOn(2026, 12, day), 4) << day;
    EXPECT_EQ(phaseOn(2026, 12, 16), 5);
    // 27 to 29 Dec: p = 26 .. 28, full again; 30 Dec starts the next cycle at p = 0.
    for (int day = 27; day <= 29; ++day) EXPECT_EQ(phaseOn(2026, 12, day), 8) << day;
    EXPECT_EQ(phaseOn(2026, 12, 30), 0);
}

TEST_F(MoonPhase, JanuaryAndFebruaryCountFromThePreviousYear) {
    // 1 Jan 2027 is month 13 of 2026: 2462515 + trunc(30.6001 x 14 = 428.4) + 1 - 1524
    // = 2461420, p = 2. Counted as month 1 of 2027 it would give p = 0, a full moon.
    EXPECT_EQ(phaseOn(2027, 1, 1), 1);
    // 28 Feb 2027 is month 14: 2462515 + 459 + 28 - 1524 = 2461478, p = 2.
    EXPECT_EQ(phaseOn(2027, 2, 28), 1);
    // Across a leap day the count runs on without a gap: 28 Feb, 29 Feb, 1 Mar and
    // 2 Mar 2028 are p = 19, 20, 21, 22.
    EXPECT_EQ(phaseOn(2028, 2, 28), 6);
    EXPECT_EQ(phaseOn(2028, 2, 29), 6);
    EXPECT_EQ(phaseOn(2028, 3, 1), 6);
    EXPECT_EQ(phaseOn(2028, 3, 2), 7);
}

TEST_F(MoonPhase, DatesBeforeTheReferenceDayWrapIntoTheCycle) {
    // 1 Jan 1900: N = 2415033, N - 2423196 = -8163, remainder -14, raised to p = 15.
    EXPECT_EQ(phaseOn(1900, 1, 1), 5);
}

TEST(MoonShadow, SitsToTheLeftAndCoversTheDarkMoon) {
    const float expected[8] = {0.0f, -7.5f, -5.0f, -2.5f, 0.0f, -2.5f, -5.0f, -7.5f};
    for (int phase = 1; phase <= 7; ++phase) {
        float offset = 99.0f;
        ASSERT_TRUE(moonShadowOffset(phase, &offset)) << phase;
        EXPECT_FLOAT_EQ(offset, expected[phase]) << phase;
    }
    float untouched = 99.0f;
    EXPECT_FALSE(moonShadowOffset(0, &untouched));
    EXPECT_FALSE(moonShadowOffset(8, &untouched));
    EXPECT_EQ(untouched, 99.0f);
}

TEST(Stars, FieldStaysAboveTheHorizon) {
    (parkBuilt.stars = 0);
    seedRandomForRun(5);
    buildStars();
    ASSERT_TRUE(parkBuilt.stars);
    for (int i = 0; i < STAR_COUNT; ++i) {
        EXPECT_TRUE(within(starField.azimuth[i], 0.0f, 6.28318f));
        EXPECT_TRUE(within(starField.elevation[i], 0.1f, 1.5f));
        EXPECT_TRUE(within(starField.brightness[i], 0.4f, 1.0f));
        EXPECT_TRUE(within(starField.twinkle[i], 0.0f, 6.28f));
    }
    (parkBuilt.stars = 0);
}
