#include "world/park.h"
#include <gtest/gtest.h>

#include "combat/arena.h"
#include "core/random.h"
#include "render/clouds.h"

namespace {

class Clouds : public ::testing::Test {
protected:
    void SetUp() override {
        (parkBuilt.clouds = 0, cloudClock = 0.0f);
        seedRandomForRun(77);
        buildClouds();
    }
    void TearDown() override { (parkBuilt.clouds = 0, cloudClock = 0.0f); }
};

}  // namespace

TEST_F(Clouds, WeatherDecidesCountColourAndAlphaAndNightDarkens) {
    CloudLook clear = cloudLook(WEATHER_CLEAR, 0.0f);
    EXPECT_EQ(clear.count, 6);
    EXPECT_FLOAT_EQ(clear.red, 0.95f);
    EXPECT_FLOAT_EQ(clear.blue, 0.97f);
    EXPECT_FLOAT_EQ(clear.alpha, 0.55f);
    CloudLook clearNight = cloudLook(WEATHER_CLEAR, 1.0f);
    EXPECT_NEAR(clearNight.red, 0.75f, 1e-6f);
    EXPECT_NEAR(clearNight.green, 0.75f, 1e-6f);
    EXPECT_NEAR(clearNight.blue, 0.82f, 1e-6f);
    CloudLook rainNight = cloudLook(WEATHER_RAIN, 1.0f);
    EXPECT_EQ(rainNight.count, 20);
    EXPECT_NEAR(rainNight.red, 0.1f, 1e-6f);
    EXPECT_NEAR(rainNight.blue, 0.2f, 1e-6f);
    EXPECT_FLOAT_EQ(rainNight.alpha, 0.8f);
    CloudLook snow = cloudLook(WEATHER_SNOW, 0.0f);
    EXPECT_EQ(snow.count, 22);
    EXPECT_FLOAT_EQ(snow.green, 0.5f);
    EXPECT_FLOAT_EQ(snow.alpha, 0.7f);
    // Anything that is not rain or snow is clear.
    EXPECT_EQ(cloudLook(7, 0.0f).count, 6);
}

TEST_F(Clouds, ASlotPastTheBandShowsOnceMoreThenStepsBack) {
    cloudClock = 10.0f;
    cloudField.speed[3] = 2.0f;
    cloudField.driftBase[3] = 115.0f;  // d = 135
    EXPECT_FLOAT_EQ(cloudDrift(3), 135.0f);
    EXPECT_FLOAT_EQ(cloudDrift(3), -125.0f);
    EXPECT_FLOAT_EQ(cloudDrift(3), -125.0f);

    cloudField.driftBase[4] = -150.5f;  // d = -130.5 with the speed below
    cloudField.speed[4] = 2.0f;
    EXPECT_FLOAT_EQ(cloudDrift(4), -130.5f);
    EXPECT_FLOAT_EQ(cloudDrift(4), 129.5f);

    // The band's edges themselves are inside.
    cloudField.driftBase[5] = 110.0f;
    cloudField.speed[5] = 2.0f;
    EXPECT_FLOAT_EQ(cloudDrift(5), 130.0f);
    EXPECT_FLOAT_EQ(cloudDrift(5), 130.0f);
}
