#include <gtest/gtest.h>

#include <cmath>

#include "support/world_fixture.h"

namespace {

class Weather : public ::testing::Test {
protected:
    void SetUp() override {
        testworld::buildPark(9090);
        testworld::emptyArena(&theArena);
        resetPlayer(&thePlayer);
        rainDropCount = snowFlakeCount = rainSplashCount = 0;
    }
    void TearDown() override { rainDropCount = snowFlakeCount = rainSplashCount = 0; }
};

}  // namespace

TEST_F(Weather, RainFillsAroundThePlayer) {
    thePlayer.position = makeVec3(50, 5, -20);
    spawnRain();
    ASSERT_EQ(rainDropCount, MAX_RAIN_DROPS);
    for (int i = 0; i < rainDropCount; ++i) {
        const RainDrop& d = rainDrops[i];
        ASSERT_GE(d.x, 20.0f);
        ASSERT_LE(d.x, 80.0f);
        ASSERT_GE(d.y, 15.0f);
        ASSERT_LE(d.y, 30.0f);
        ASSERT_LE(d.fallSpeed, -15.0f);
        ASSERT_LE(d.life, 0.8f);
    }
}

TEST_F(Weather, DropsLandAsSplashesAndRespawnInsideThePark) {
    theArena.weatherMode = WEATHER_RAIN;
    thePlayer.position = makeVec3(120, 1.7f, 0);
    spawnRain();
    rainDrops[0] = RainDrop{1, 0.3f, 2, -15.0f, 0.01f};  // life runs out near the ground
    rainDrops[1] = RainDrop{1, 5.0f, 2, -15.0f, 0.01f};  // life runs out high up
    rainDrops[2] = RainDrop{1, 1.0f, 2, -100.0f, 5.0f};  // overshoots below -2
    updateWeather(0.05f);
    // Only the drop that ended near the ground leaves a ring.
    ASSERT_EQ(rainSplashCount, 1);
    EXPECT_EQ(rainSplashes[0].x, 1.0f);
    EXPECT_EQ(rainSplashes[0].y, 0.0f);
    EXPECT_NEAR(rainSplashes[0].life, rainSplashes[0].initialLife - 0.05f, 1e-6f);  // aged in the same update
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(rainDrops[i].x, 90.0f);
        EXPECT_LE(rainDrops[i].x, 126.5f);
    }
}

TEST_F(Weather, SplashesAreCappedAndAge) {
    theArena.weatherMode = WEATHER_RAIN;
    spawnRain();
    for (int i = 0; i < rainDropCount; ++i) rainDrops[i] = RainDrop{0, 0.2f, 0, -15.0f, 0.001f};
    updateWeather(0.01f);
    EXPECT_EQ(rainSplashCount, MAX_RAIN_SPLASHES);
    for (int i = 0; i < 50; ++i) updateWeather(0.01f);
    EXPECT_LT(rainSplashCount, MAX_RAIN_SPLASHES);
    theArena.weatherMode = WEATHER_CLEAR;
    updateWeather(0.01f);
    EXPECT_EQ(rainSplashCount, 0);
}

TEST_F(Weather, NothingMovesWithoutTime) {
    theArena.weatherMode = WEATHER_RAIN;
    spawnRain();
    RainDrop before = rainDrops[7];
    updateWeather(0.0f);
    EXPECT_EQ(rainDrops[7].y, before.y);
    EXPECT_EQ(rainDrops[7].x, before.x);
}

TEST_F(Weather, SnowDriftsWithinItsLimitsAndRespawnsAboveTheGround) {
    theArena.weatherMode = WEATHER_SNOW;
    spawnSnow();
    ASSERT_EQ(snowFlakeCount, MAX_SNOW_FLAKES);
    float vz = snowFlakes[3].vz;
    float size = snowFlakes[3].size;
    for (int frame = 0; frame < 2000; ++frame) {
        updateWeather(0.05f);
        for (int i = 0; i < snowFlakeCount; ++i) {
            ASSERT_GE(snowFlakes[i].vx, -1.0f);
            ASSERT_LE(snowFlakes[i].vx, 1.0f);
            ASSERT_GE(snowFlakes[i].y, -0.2f);
            ASSERT_LE(snowFlakes[i].y, 30.0f);
            ASSERT_LE(std::fabs(snowFlakes[i].x), 126.5f + 2.0f);
        }
        if (snowFlakes[3].y > 14.99f && snowFlakes[3].vz != vz) break;  // it respawned
        ASSERT_EQ(snowFlakes[3].vz, vz);
    }
    EXPECT_EQ(snowFlakes[3].size, size);  // size survives a respawn
}
