#include <gtest/gtest.h>

#include <vector>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "player/input.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"

namespace {

// One timer message after `seconds` of real time.
void tickAfter(double seconds) {
    fakePlatform.counter += (int64_t)(seconds * 1e6);
    frameTick();
}

}  // namespace

// The first frame of a game measures no time; then the counter's time, at most 0.1 s, and 0.001 s
// when it runs backwards. A rainbow's age shows what each frame measured.
TEST(Frame, TimeIsMeasuredClampedAndStartedAfreshByANewGame) {
    startGame(1780351200u);
    startRainbow(0);
    fakePlatform.counter += 5000000;
    frameTick();
    EXPECT_EQ(theRainbow.age, 0);
    EXPECT_GE(theFrame.ambientTimer, 3);                   // the first ambient roll comes at once
    const double WAITS[5] = {0.016, 10, -0.005, 0.05, 3};  // the last in a new game
    const float AGES[5] = {0.016f, 0.116f, 0.117f, 0.167f, 0.167f};
    for (int i = 0; i < 5; ++i) {
        if (i == 4) restartGame();
        tickAfter(WAITS[i]);
        EXPECT_FLOAT_EQ(theRainbow.age, AGES[i]) << "after " << WAITS[i] << " s";
    }
}

// A rainbow fades in over 5 s, stands until 35 s and fades out by 40 s, ending only past it.
TEST(Frame, TheRainbowFadesInStandsAndFadesOut) {
    const float AGES[][3] = {{2.5f, 0.5f, 1}, {20, 1, 1}, {37.5f, 0.5f, 1}, {40, 0, 1}, {41, 0, 0}};
    for (const auto& a : AGES) {  // age, alpha, still up
        startRainbow(0);
        ageRainbow(a[0]);
        EXPECT_FLOAT_EQ(theRainbow.alpha, a[1]) << "at " << a[0] << " s";
        EXPECT_EQ(theRainbow.active, a[2]) << "at " << a[0] << " s";
    }
}

// Walking sounds a step at once and then every 0.4 s: at 1/16 s a frame, every seventh frame;
// afloat, none.
TEST(Frame, WalkingMovesThePlayerAndSoundsFootstepsOnTheGround) {
    startGame(1780351200u);
    testworld::flattenGround(0);
    frameTick();
    theInput.moveForwardHeld = 1;
    theInput.moveRightHeld = 1;  // diagonally, as fast as straight ahead
    std::vector<int> steps;
    for (int f = 0; f < 22; ++f) {
        tickAfter(0.0625);
        if (playedSounds() == std::vector<int>{SOUND_FOOTSTEP}) steps.push_back(f);
    }
    EXPECT_EQ(steps, (std::vector<int>{0, 7, 14, 21}));
    EXPECT_NEAR(thePlayer.position.x, 22 * 0.16f / std::sqrt(2.0f), 1e-3);
    EXPECT_NEAR(thePlayer.position.z, 25 - 22 * 0.16f / std::sqrt(2.0f), 1e-3);
    thePlayer.position.y = 5;
    tickAfter(0.0625);
    EXPECT_EQ(playedSounds(), std::vector<int>{});
}

// A roll waits 3 + (draw % 20) / 10 s; at night the chance is 20 % when clear, else 5 + draw % 6;
// by day 10, 5 or 3 % by weather; a day song is one more draw (odd: the second song). Draws from
// srand(17): 94 26602 30017 18297; srand(22): 110 14808 21034 7542; srand(41): 172 22420 5 5992;
// srand(95): 348 13010 14398; srand(15): 87 5105 27056; srand(568): 1893 17966 10007 6143.
TEST(Frame, AmbientRollsDrawInTheirOrder) {
    startGame(1780351200u);
    struct Roll {
        const char* name;
        uint32_t seed;
        float night, wait;
        int weather, cue, next;
    };
    const Roll ROLLS[] = {
        {"clear day, 2 < 10, odd", 17, 0, 4.4f, 0, SOUND_DAY_AMBIENT_2, 18297},
        {"clear day, 8 < 10, even", 22, 0, 4, 0, SOUND_DAY_AMBIENT_1, 7542},
        {"rainy day, 5 >= 5", 15, 0, 3.7f, 1, 0, 27056},
        {"clear day, 10 >= 10", 95, 0, 3.8f, 0, 0, 14398},
        {"snowy night, 5 < 5 + 4", 41, 1, 4.2f, 2, SOUND_NIGHT_AMBIENT, 5992},
        {"rainy night, 7 >= 5 + 2", 568, 1, 4.3f, 1, 0, 6143},
        {"clear night, 20 >= 20", 41, 1, 4.2f, 0, 0, 5},
    };
    for (const Roll& r : ROLLS) {
        theArena.nightBlend = r.night;
        theArena.weatherMode = r.weather;
        theFrame.ambientTimer = 0.25f;
        seedRandom(r.seed);
        rollAmbientSound(0.5f);
        EXPECT_FLOAT_EQ(theFrame.ambientTimer, r.wait) << r.name;
        EXPECT_EQ(playedSounds(), r.cue ? std::vector<int>{r.cue} : std::vector<int>{}) << r.name;
        EXPECT_EQ(nextRandom(), r.next) << r.name;
    }
}

// Rain and snow each spawn a full curtain and clear the other; clear weather clears all and, after
// rain by day only, raises a rainbow; the menu's mark follows.
TEST(Commands, WeatherCommandsSwapTheCurtainsAndMarkTheMenu) {
    startGame(1780351200u);
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, IDM_WEATHER_NONE);  // marked from the start
    auto state = [] {
        return std::vector<int>{theArena.weatherMode, rainDropCount, snowFlakeCount,
                                rainLoopPlaying, fakePlatform.checkedWeatherCommand};
    };
    shellCommand(IDM_WEATHER_RAINY);
    tickAfter(0.016);
    shellCommand(IDM_WEATHER_SNOWY);
    EXPECT_EQ(state(), (std::vector<int>{2, 0, 800, 0, IDM_WEATHER_SNOWY}));
    shellCommand(IDM_WEATHER_NONE);  // after snow: no rainbow
    shellCommand(IDM_WEATHER_RAINY);
    EXPECT_EQ(state(), (std::vector<int>{1, 500, 0, 0, IDM_WEATHER_RAINY}));
    tickAfter(0.016);
    theArena.nightBlend = 0.5f;  // half dark: no rainbow
    shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, IDM_WEATHER_NONE}));
    EXPECT_EQ(theRainbow.active, 0);
}

// A new game places everyone afresh by the rules and the player back at the start under a fresh
// curtain of snow, the rings gone; weather, time of day and the count of wins are kept.
TEST(Commands, NewGamePlacesEveryoneAfreshAndKeepsWeatherAndHour) {
    startGame(1780351200u);
    shellCommand(IDM_WEATHER_SNOWY);
    rainSplashCount = 7;
    ArenaState& a = theArena;
    a.nightTarget = 1;
    a.score = 500;
    thePlayer = PlayerState{{50, 30, 50}, 10, 20};
    theFrame.victoryCount = 2;
    fakePlatform.answerYes = 1;
    shellCommand(IDM_NEW_GAME);
    expectPlacedByTheRules(a);
    EXPECT_TRUE(same(thePlayer, PlayerState{{0, terrainHeightAt(0, 25) + 1.7f, 25}, -90, 0}, "f"));
    EXPECT_EQ(
        (std::vector<int>{a.score, rainDropCount, snowFlakeCount, rainSplashCount, a.weatherMode,
                          a.nightTarget, theFrame.firstFrame, theFrame.victoryCount}),
        (std::vector<int>{0, 0, 800, 0, WEATHER_SNOW, 1, 1, 2}));
    shellCommand(IDM_WEATHER_RAINY);
    shellCommand(IDM_NEW_GAME);
    EXPECT_EQ(rainDropCount, MAX_RAIN_DROPS) << "a new game in the rain";
    a.gameOver = 1;  // the third win, counted across games, opens the Donate box
    a.victory = 1;
    tickAfter(0.016);
    tickAfter(0.016);
    EXPECT_EQ(fakePlatform.donateDialogs, 1);
}
