#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

int played(int id) {
    std::vector<int> all = playedSounds();
    return (int)std::count(all.begin(), all.end(), id);
}

}  // namespace

// The first frame of a game measures no time; then the counter's time, at most 0.1 s, and 0.001 s
// when it runs backwards. A rainbow's age shows what each frame measured.
TEST(Frame, TimeIsMeasuredClampedAndStartedAfreshByANewGame) {
    startGame(1780351200u);
    shellCommand(IDM_WEATHER_RAINY);
    shellCommand(IDM_WEATHER_NONE);  // rain stopping by day: a rainbow
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

// Night eases toward its target by 1.5 x the distance left each second, snapping on within 0.001;
// reaching half dark ends a rainbow. A rainbow rises over 5 s, holds to 35 s and is out by 40 s;
// only rain stopping by day raises one, where the player looks.
TEST(Frame, NightEasesInAndTheRainbowRisesAndFades) {
    startGame(1780351200u);
    const float NIGHTS[][3] = {
        {1, 0, 0.15f}, {1, 0.15f, 0.2775f}, {0, 1, 0.85f}, {1, 0.9995f, 1}, {0, 0.0009f, 0}};
    for (const auto& n : NIGHTS) {  // target, before, after 0.1 s
        theArena.nightTarget = (int)n[0];
        theArena.nightBlend = n[1];
        easeNightBlend(0.1f);
        EXPECT_FLOAT_EQ(theArena.nightBlend, n[2]) << "from " << n[1];
    }
    startRainbow(30);
    theArena.nightTarget = 1;
    theArena.nightBlend = 0.48f;
    simulateFrame(0.016f);  // 0.48 + 0.52 x 0.024 = 0.4925: the rainbow stays
    EXPECT_EQ(theRainbow.active, 1);
    simulateFrame(0.016f);  // 0.4925 + 0.5075 x 0.024 = 0.5047: it ends
    EXPECT_EQ(theRainbow.active, 0);
    EXPECT_EQ(theRainbow.alpha, 0);
    const float AGES[][4] = {{0, 2.5f, 0.5f, 1},  {2.5f, 2.5f, 1, 1}, {30, 5, 1, 1},
                             {35, 2.5f, 0.5f, 1}, {39, 1, 0, 1},      {39, 1.5f, 0, 0}};
    for (const auto& a : AGES) {  // age, step, alpha, still up
        theRainbow = RainbowState{1, a[0], 0.3f, 0};
        ageRainbow(a[1]);
        EXPECT_NEAR(theRainbow.alpha, a[2], 1e-5f) << "at " << a[0] + a[1];
        EXPECT_EQ(theRainbow.active, a[3]) << "at " << a[0] + a[1];
    }
    for (int weather : {IDM_WEATHER_SNOWY, IDM_WEATHER_RAINY}) {
        for (float night : {0.5f, 0.49f}) {
            theRainbow = RainbowState{};
            thePlayer.yaw = night * 100;
            shellCommand(weather);
            theArena.nightBlend = night;
            shellCommand(IDM_WEATHER_NONE);
            EXPECT_EQ(theRainbow.active, weather == IDM_WEATHER_RAINY && night < 0.5f) << night;
        }
    }
    EXPECT_EQ(theRainbow.yaw, 49);
}

// Each frame moves the player from the held keys (the ground only lifts the eye), the arena, the
// weather and the animals. On the ground any walking key sounds a step at once and then every
// 0.4 s: at 1/16 s a frame, every seventh frame.
TEST(Frame, EachFrameMovesEverythingAndWalkingSoundsFootsteps) {
    startGame(1780351200u);
    testworld::flattenGround(0);
    shellCommand(IDM_WEATHER_SNOWY);
    theArena.muzzleFlash = 1;
    animals[0].moving = 1;
    animals[0].wanderTimer = 5;
    const float flakeY = snowFlakes[0].y, gait = animals[0].gaitPhase;
    frameTick();
    theInput.moveForwardHeld = 1;
    std::vector<int> steps;
    for (int f = 0; f < 22; ++f) {
        tickAfter(0.0625);
        if (played(SOUND_FOOTSTEP)) steps.push_back(f);
    }
    EXPECT_EQ(steps, (std::vector<int>{0, 7, 14, 21}));
    EXPECT_NEAR(thePlayer.position.z, 25 - 22 * 0.16f, 1e-3);
    EXPECT_LT(snowFlakes[0].y, flakeY);
    EXPECT_NE(animals[0].gaitPhase, gait);
    EXPECT_EQ(theArena.muzzleFlash, 0);
    thePlayer.position.y = 5;  // afloat where the ground fell away: no steps, and it stays up
    tickAfter(0.0625);
    EXPECT_EQ(played(SOUND_FOOTSTEP), 0);
    EXPECT_EQ(thePlayer.position.y, 5);
    testworld::flattenGround(10);  // rising ground lifts it
    for (int InputState::*key : {&InputState::moveForwardHeld, &InputState::moveBackHeld,
                                 &InputState::moveLeftHeld, &InputState::moveRightHeld}) {
        theInput = InputState{};
        theInput.*key = 1;
        theFrame.footstepTimer = 0;
        tickAfter(0.0625);
        EXPECT_EQ(played(SOUND_FOOTSTEP), 1);
        EXPECT_FLOAT_EQ(thePlayer.position.y, 11.7f);
    }
    theInput = InputState{};  // forward and right together: a step of 0.16 along the diagonal
    theInput.moveForwardHeld = 1;
    theInput.moveRightHeld = 1;
    const Vec3 before = thePlayer.position;
    tickAfter(0.0625);
    EXPECT_NEAR(thePlayer.position.x - before.x, 0.1131371f, 1e-4);
    EXPECT_NEAR(thePlayer.position.z - before.z, -0.1131371f, 1e-4);
    theInput = InputState{};
    theFrame.footstepTimer = 0.3f;
    tickAfter(0.0625);
    EXPECT_EQ(theFrame.footstepTimer, 0);  // the next walk's first step sounds at once
}

// A roll waits 3 + (draw % 20) / 10 s; at night the chance is 20 % when clear, else 5 + draw % 6;
// by day 10, 5 or 3 % by weather; a day song is one more draw (odd: the second song). Draws from
// srand(17): 94 26602 30017 18297; srand(22): 110 14808 21034 7542; srand(41): 172 22420 5 5992.
TEST(Frame, AmbientRollsDrawInTheirOrder) {
    startGame(1780351200u);
    const struct {
        const char* name;
        uint32_t seed;
        float night;
        int weather;
        float wait;
        int cue, next;
    } ROLLS[] = {
        {"clear day, 2 < 10, odd", 17, 0, 0, 4.4f, SOUND_DAY_AMBIENT_2, 18297},
        {"rainy day, 2 < 5", 17, 0, 1, 4.4f, SOUND_DAY_AMBIENT_2, 18297},
        {"snowy day, 2 < 3", 17, 0.49f, 2, 4.4f, SOUND_DAY_AMBIENT_2, 18297},
        {"clear day, 8 < 10, even", 22, 0, 0, 4, SOUND_DAY_AMBIENT_1, 7542},
        {"rainy day, 8 >= 5", 22, 0, 1, 4, 0, 21034},
        {"clear night, 8 < 20", 22, 0.5f, 0, 4, SOUND_NIGHT_AMBIENT, 21034},
        {"rainy night, 34 >= 5 + 0", 22, 1, 1, 4, 0, 7542},
        {"snowy night, 5 < 5 + 4", 41, 1, 2, 4.2f, SOUND_NIGHT_AMBIENT, 5992},
        {"clear night, 20 >= 20", 41, 1, 0, 4.2f, 0, 5},
        {"not due", 1, 0, 0, 0.5f, 0, 41},
    };
    for (const auto& r : ROLLS) {
        theArena.nightBlend = r.night;
        theArena.weatherMode = r.weather;
        theFrame.ambientTimer = r.seed == 1 ? 1 : 0.25f;
        seedRandom(r.seed);
        rollAmbientSound(0.5f);
        EXPECT_FLOAT_EQ(theFrame.ambientTimer, r.wait) << r.name;
        EXPECT_EQ(playedSounds(), r.cue ? std::vector<int>{r.cue} : std::vector<int>{}) << r.name;
        EXPECT_EQ(nextRandom(), r.next) << r.name;
    }
}

// Every third won game opens the Donate box once, across new games; the rain loop follows the
// weather.
TEST(Frame, VictoriesAndTheRainLoop) {
    startGame(1780351200u);
    frameTick();
    for (int win = 1; win <= 7; ++win) {
        theArena.gameOver = 1;
        theArena.victory = 1;
        tickAfter(0.016);
        tickAfter(0.016);
        EXPECT_EQ(fakePlatform.donateDialogs, win / 3) << win;
        restartGame();
    }
    theArena.gameOver = 1;  // over, but not won
    tickAfter(0.016);
    EXPECT_EQ(theFrame.victoryShown, 0);
    shellCommand(IDM_WEATHER_RAINY);
    playedSounds();
    tickAfter(0.016);
    tickAfter(0.016);
    EXPECT_EQ(played(SOUND_RAIN_LOOP), 1);
    theArena.weatherMode = WEATHER_SNOW;
    tickAfter(0.016);
    EXPECT_EQ(rainLoopPlaying, 0);
}

// Rain and snow each spawn a full curtain around the player and clear the other; clear weather
// clears all; the menu's mark follows (none for a weather the menu does not have).
TEST(Commands, WeatherDayNightAndSize) {
    startGame(1780351200u);
    auto state = [] {
        return std::vector<int>{theArena.weatherMode, rainDropCount,
                                snowFlakeCount,       rainSplashCount,
                                rainLoopPlaying,      fakePlatform.checkedWeatherCommand};
    };
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, 0, IDM_WEATHER_NONE}));
    shellCommand(IDM_WEATHER_RAINY);
    tickAfter(0.016);
    rainSplashCount = 7;
    shellCommand(IDM_WEATHER_SNOWY);
    EXPECT_EQ(state(), (std::vector<int>{2, 0, 800, 0, 0, IDM_WEATHER_SNOWY}));
    for (const SnowFlake& f : snowFlakes) {
        EXPECT_TRUE(within(std::max(std::fabs(f.x), std::fabs(f.z - 25)), 0, 40));
        EXPECT_TRUE(within(f.vy, -3, -1.2f));
        EXPECT_TRUE(within(f.size, 0.04f, 0.1f));
        EXPECT_TRUE(within(f.spin, 0, 360));
    }
    rainSplashCount = 7;
    shellCommand(IDM_WEATHER_RAINY);
    EXPECT_EQ(state(), (std::vector<int>{1, 500, 0, 0, 0, IDM_WEATHER_RAINY}));
    tickAfter(0.016);
    rainSplashCount = 7;
    snowFlakeCount = 7;
    shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, 0, IDM_WEATHER_NONE}));
    theArena.weatherMode = 3;
    updateWeatherMenuChecks();
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, 0);
    shellCommand(IDM_DAY_NIGHT);
    shellCommand(999);
    EXPECT_EQ(theArena.nightTarget, 1);
    resizeView(640, 0);
    EXPECT_EQ(clientWidth, 640);
    EXPECT_EQ(clientHeight, 1);
    resizeView(800, 600);
}

// A new game on ground rising 0.48 a unit over a quarter of the park and in 3-unit steps over
// another: everyone placed afresh by the rules, the player back at the start under a fresh curtain
// of rain (around it, 15 to 30 up); weather, time of day and the victory count kept.
TEST(Commands, NewGamePlacesEveryoneAfreshAndKeepsWeatherAndHour) {
    startGame(1780351200u);
    for (int j = 0; j < 64; ++j) {
        for (int i = 0; i < 129; ++i) {
            int along = i < 64 ? j : i;
            terrainHeights[j][i] =
                i % 64 < 32 ? 0.48f * along * terrainCellSize() : 3.0f * (along / 4);
        }
    }
    shellCommand(IDM_WEATHER_RAINY);
    ArenaState& a = theArena;
    a.nightTarget = 1;
    a.nightBlend = 0.7f;
    a.score = 500;
    a.snowCover = 0.4f;
    a.bloodDropCount = 3;
    for (int i = 0; i < a.enemyCount; ++i) a.enemies[i].alive = 0;
    for (AnimalRecord& b : animals) b.x = 0;
    thePlayer = PlayerState{{50, 30, 50}, 10, 20};
    theFrame.victoryShown = 1;
    theFrame.victoryCount = 2;
    rainSplashCount = 40;
    fakePlatform.answerYes = 1;
    shellCommand(IDM_NEW_GAME);
    expectPlacedByTheRules(a);
    EXPECT_TRUE(same(thePlayer, PlayerState{{0, terrainHeightAt(0, 25) + 1.7f, 25}, -90, 0}, "f"));
    for (const RainDrop& d : rainDrops) {
        EXPECT_TRUE(within(std::max(std::fabs(d.x), std::fabs(d.z - 25)), 0, 30));
        EXPECT_TRUE(within(d.y, 15, 30));
        EXPECT_TRUE(within(d.fallSpeed, -20, -15));
        EXPECT_TRUE(within(d.life, 0.3f, 0.8f));
    }
    EXPECT_EQ((std::vector<int>{a.score, a.bloodDropCount, rainSplashCount, snowFlakeCount,
                                rainDropCount}),
              (std::vector<int>{0, 0, 0, 0, 500}));
    EXPECT_EQ(a.snowCover, 0);
    EXPECT_EQ((std::vector<int>{a.weatherMode, a.nightTarget, theFrame.firstFrame,
                                theFrame.victoryShown, theFrame.victoryCount}),
              (std::vector<int>{WEATHER_RAIN, 1, 1, 0, 2}));
    EXPECT_EQ(a.nightBlend, 0.7f);
    shellCommand(IDM_WEATHER_SNOWY);
    a.gameOver = 1;
    shellCommand(IDM_NEW_GAME);
    EXPECT_EQ(a.gameOver, 0);
    EXPECT_EQ(snowFlakeCount, 800);
}
