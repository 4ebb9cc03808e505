#include <gtest/gtest.h>

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "fakes/platform_fake.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"

namespace {

// The shell driven the way the window procedure drives it, on a seeded park.
class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        resetFakePlatform();
        testworld::buildPark(606);
        theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300};
        theRainbow = RainbowState{};
        resetPlayer(&thePlayer);
        resetArena(&theArena);
        rainDropCount = snowFlakeCount = rainSplashCount = 0;
        theFrame.footstepTimer = theFrame.ambientTimer = 0.0f;
        theFrame.victoryShown = theFrame.victoryCount = 0;
    }
    void TearDown() override {
        theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300};
        rainDropCount = snowFlakeCount = rainSplashCount = 0;
    }
};

}  // namespace

TEST_F(Shell, DayNightTogglesFromKeyAndMenuAtAnyTime) {
    shellKeyDown(KEY_N);
    EXPECT_EQ(theArena.nightTarget, 1);
    shellKeyDown(KEY_N);
    EXPECT_EQ(theArena.nightTarget, 0);
    shellCommand(IDM_DAY_NIGHT);
    EXPECT_EQ(theArena.nightTarget, 1);
}

TEST_F(Shell, WeatherAndNightSurviveANewGame) {
    shellCommand(IDM_WEATHER_RAINY);
    theArena.nightTarget = 1;
    theArena.nightBlend = 0.7f;
    theArena.shotsFired = 9;
    killAnimal(3);
    thePlayer.position = makeVec3(50, 30, 50);
    theFrame.victoryShown = 1;
    rainSplashCount = 40;
    theArena.gameOver = 1;
    shellCommand(IDM_NEW_GAME);
    EXPECT_EQ(theArena.weatherMode, WEATHER_RAIN);
    EXPECT_EQ(theArena.nightTarget, 1);
    EXPECT_EQ(theArena.nightBlend, 0.7f);
    EXPECT_EQ(theArena.shotsFired, 0);
    EXPECT_EQ(animals[3].alive, 1);
    EXPECT_EQ(thePlayer.position.z, 25.0f);
    EXPECT_FLOAT_EQ(thePlayer.position.y, terrainHeightAt(0, 25) + EYE_HEIGHT);
    EXPECT_EQ(theFrame.firstFrame, 1);
    EXPECT_EQ(theFrame.victoryShown, 0);
    EXPECT_EQ(rainDropCount, MAX_RAIN_DROPS);
    EXPECT_EQ(rainSplashCount, 0);
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, IDM_WEATHER_RAINY);
}

TEST_F(Shell, WeatherCommandsSwapParticlesAndMoveTheCheck) {
    shellCommand(IDM_WEATHER_SNOWY);
    EXPECT_EQ(snowFlakeCount, MAX_SNOW_FLAKES);
    EXPECT_EQ(rainDropCount, 0);
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, IDM_WEATHER_SNOWY);
    shellCommand(IDM_WEATHER_RAINY);
    EXPECT_EQ(snowFlakeCount, 0);
    EXPECT_EQ(rainDropCount, MAX_RAIN_DROPS);
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, IDM_WEATHER_RAINY);
    rainSplashCount = 10;
    shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(rainDropCount + snowFlakeCount + rainSplashCount, 0);
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, IDM_WEATHER_NONE);
    theArena.weatherMode = 5;
    updateWeatherMenuChecks();
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, 0);
}

TEST_F(Shell, RainStoppingByDayLeavesARainbowWhereThePlayerLooks) {
    shellCommand(IDM_WEATHER_RAINY);
    thePlayer.yaw = 135.0f;
    shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(theRainbow.active, 1);
    EXPECT_EQ(theRainbow.yaw, 135.0f);
    EXPECT_EQ(theRainbow.alpha, 0.0f);

    theRainbow = RainbowState{};
    shellCommand(IDM_WEATHER_RAINY);
    theArena.nightBlend = 0.5f;
    shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(theRainbow.active, 0);

    theArena.nightBlend = 0.0f;
    shellCommand(IDM_WEATHER_SNOWY);
    shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(theRainbow.active, 0);
}

TEST_F(Shell, AZeroHeightIsRecordedAsOne) {
    resizeView(640, 0);
    EXPECT_EQ(clientWidth, 640);
    EXPECT_EQ(clientHeight, 1);
    resizeView(800, 600);
    EXPECT_EQ(clientHeight, 600);
}

TEST_F(Shell, NightEasesExponentiallyAndSnapsOntoTheTarget) {
    theArena.nightTarget = 1;
    easeNightBlend(0.016f);
    EXPECT_FLOAT_EQ(theArena.nightBlend, 0.024f);
    int frames = 1;
    while (theArena.nightBlend < 1.0f && frames < 1000) {
        float before = theArena.nightBlend;
        easeNightBlend(0.016f);
        ASSERT_GT(theArena.nightBlend, before);
        ++frames;
    }
    EXPECT_EQ(theArena.nightBlend, 1.0f);
    EXPECT_NEAR(frames * 0.016f, 4.6f, 0.2f);
    // Halfway back, N again turns it round from where it stands.
    theArena.nightTarget = 0;
    while (theArena.nightBlend > 0.5f) easeNightBlend(0.016f);
    float turn = theArena.nightBlend;
    theArena.nightTarget = 1;
    easeNightBlend(0.016f);
    EXPECT_GT(theArena.nightBlend, turn);
}

TEST_F(Shell, FootstepsSoundAtOnceThenEveryInterval) {
    testworld::flattenGround(0.0f);
    thePlayer.position.y = EYE_HEIGHT;
    scheduleFootsteps(0.016f);
    EXPECT_EQ(theFrame.footstepTimer, 0.0f);  // standing still
    theInput.moveForwardHeld = 1;
    scheduleFootsteps(0.016f);
    EXPECT_EQ(theFrame.footstepTimer, FOOTSTEP_INTERVAL);  // the first step sounded
    for (int i = 0; i < 24; ++i) scheduleFootsteps(0.016f);
    EXPECT_GT(theFrame.footstepTimer, 0.0f);
    scheduleFootsteps(0.016f);  // 25 frames of 16 ms cover the 0.4 s
    EXPECT_EQ(theFrame.footstepTimer, FOOTSTEP_INTERVAL);
    thePlayer.position.y = EYE_HEIGHT + 0.06f;  // off the ground
    scheduleFootsteps(0.016f);
    EXPECT_EQ(theFrame.footstepTimer, 0.0f);
}

TEST_F(Shell, AmbientRollsDrawInTheirOrder) {
    // By day: the timer draw, then the chance draw.
    seedRandomForRun(42);
    int r1 = nextRandom(), r2 = nextRandom(), r3 = nextRandom();
    (void)r2;
    seedRandomForRun(42);
    rollAmbientSound(0.016f);
    EXPECT_FLOAT_EQ(theFrame.ambientTimer, (float)((r1 % 20) / 10.0 + 3.0));
    EXPECT_EQ(nextRandom(), r3);
    EXPECT_GE(theFrame.ambientTimer, 3.0f);
    EXPECT_LE(theFrame.ambientTimer, 4.9f + 1e-5f);

    // By night in rain: timer, chance, roll; in clear weather only two.
    theArena.nightBlend = 0.5f;
    theArena.weatherMode = WEATHER_RAIN;
    theFrame.ambientTimer = 0.0f;
    seedRandomForRun(43);
    rollAmbientSound(0.0f);
    int afterRain = nextRandom();
    seedRandomForRun(43);
    for (int i = 0; i < 3; ++i) nextRandom();
    EXPECT_EQ(afterRain, nextRandom());

    // No roll until the timer runs out.
    seedRandomForRun(44);
    int next = nextRandom();
    seedRandomForRun(44);
    theFrame.ambientTimer = 1.0f;
    rollAmbientSound(0.5f);
    EXPECT_EQ(nextRandom(), next);
    EXPECT_FLOAT_EQ(theFrame.ambientTimer, 0.5f);
}

TEST_F(Shell, RainbowFadesInStaysAndFadesOut) {
    theRainbow = RainbowState{1, 0.0f, 0.0f, 30.0f};
    for (int i = 0; i < 25; ++i) ageRainbow(0.1f);
    EXPECT_NEAR(theRainbow.alpha, 0.5f, 1e-4f);
    for (int i = 0; i < 175; ++i) ageRainbow(0.1f);  // 20 s
    EXPECT_EQ(theRainbow.alpha, 1.0f);
    for (int i = 0; i < 175; ++i) ageRainbow(0.1f);  // 37.5 s
    EXPECT_NEAR(theRainbow.alpha, 0.5f, 1e-3f);
    for (int i = 0; i < 26; ++i) ageRainbow(0.1f);  // past 40 s
    EXPECT_EQ(theRainbow.active, 0);
    EXPECT_EQ(theRainbow.alpha, 0.0f);
}
