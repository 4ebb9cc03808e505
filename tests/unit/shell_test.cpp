#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "resources/resource_ids.h"
#include "support/replay.h"
#include "support/world_fixture.h"

namespace {

// One timer message after `seconds` of real time.
void tickAfter(double seconds) {
    fakePlatform.counter += (int64_t)(seconds * (double)fakePlatform.frequency);
    frameTick();
}

int played(int id) {
    std::vector<int> all = playedSounds();
    return (int)std::count(all.begin(), all.end(), id);
}

}  // namespace

// A rainbow ages by each frame's time: none on the first frame or the first
// after a new game, at most 0.1 s after a stall, 0.001 s when the counter runs
// back. Night eases toward its target, snaps within 0.001, ends a rainbow at 0.5.
TEST(Frame, TimeNightAndTheRainbow) {
    startGame(1780351200u);
    shellCommand(IDM_WEATHER_RAINY), shellCommand(IDM_WEATHER_NONE);
    fakePlatform.counter += 5000000;
    frameTick();
    EXPECT_TRUE(theRainbow.active && theRainbow.age == 0 && theFrame.ambientTimer >= 3);  // the first roll is at once
    const double WAIT[] = {0.016, 10, -0.005, 0.05, 0};
    const float AGE[] = {0.016f, 0.116f, 0.117f, 0.167f, 0.167f};
    for (int i = 0; i < 5; ++i) {
        if (i == 4) fakePlatform.counter += 3000000, restartGame();
        tickAfter(WAIT[i]);
        EXPECT_FLOAT_EQ(theRainbow.age, AGE[i]) << i;
    }
    theArena.nightTarget = 1, theArena.nightBlend = 0.48f;
    tickAfter(0.016);  // 0.48 + 0.52 x 0.024 = 0.4925: the rainbow stays
    EXPECT_TRUE(theRainbow.active && std::fabs(theArena.nightBlend - 0.49248f) < 1e-6f);
    tickAfter(0.016);  // 0.4925 + 0.5075 x 0.024 = 0.5047: it ends
    EXPECT_TRUE(!theRainbow.active && theRainbow.alpha == 0);
    float n = theArena.nightBlend = 0;
    int frames = 0;
    for (; frames < 400 && theArena.nightBlend != 1; ++frames) {
        easeNightBlend(0.016f), n = 1 - n > 0.001f ? n + (1 - n) * 0.016f * 1.5f : 1;
        ASSERT_FLOAT_EQ(theArena.nightBlend, n) << frames;
    }
    EXPECT_NEAR(frames * 0.016f, 4.6f, 0.1f);
    theArena.nightTarget = 0, theArena.nightBlend = 0.0009f, easeNightBlend(0.016f);
    EXPECT_EQ(theArena.nightBlend, 0);
}

// Walking with the keys over the hills: the eye climbs with the ground and
// floats where it falls away; a footstep at once and then every 0.4 s of
// walking on the ground, none standing or floating 0.05 above it.
TEST(Frame, WalkingAndFootsteps) {
    startGame(1780351200u);
    frameTick();
    // W, S, A, D held, and the strafe and forward they make.
    const int KEYS[5][6] = {{1, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 0, 0}, {0, 1, 0, 1, 1, -1}, {0, 0, 1, 0, -1, 0}, {1, 0, 0, 1, 1, 1}};
    float timer = 0;
    int steps = 0, floating = 0;
    for (int f = 0; f < 100; ++f) {
        const int* k = KEYS[f / 20];
        theInput.moveForwardHeld = k[0], theInput.moveBackHeld = k[1], theInput.moveLeftHeld = k[2], theInput.moveRightHeld = k[3];
        PlayerState want = thePlayer;
        movePlayer(&want, k[4], k[5], 0.016f);
        float ground = terrainHeightAt(want.position.x, want.position.z) + 1.7f;
        want.position.y = std::max(want.position.y, ground);
        bool step = false;
        if (want.position.y > ground + 0.05f) timer = 0, ++floating;
        else if ((timer -= 0.016f) <= 0) step = true, timer = 0.4f, ++steps;
        playedSounds(), tickAfter(0.016);
        ASSERT_TRUE(sameRecords(&thePlayer, &want, 1, "fffff")) << f;
        ASSERT_EQ(played(SOUND_FOOTSTEP), step) << f;
        ASSERT_FLOAT_EQ(theFrame.footstepTimer, timer) << f;
    }
    EXPECT_TRUE(steps >= 3 && floating >= 3) << steps << " " << floating;
    theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300}, theFrame.footstepTimer = 0.3f, tickAfter(0.016);
    EXPECT_EQ(theFrame.footstepTimer, 0);  // standing still
}

// Each roll draws the next wait, then by night a chance (20 in clear weather,
// else 5 to 10) for the night sound, by day 10, 5 or 3 for one of the day sounds.
TEST(Frame, AmbientRollsDrawInTheirOrder) {
    startGame(1780351200u);
    for (float night : {0.0f, 0.49f, 0.5f, 1.0f})
        for (int weather : {0, 1, 2})
            for (uint32_t seed = 1; seed <= 100; ++seed) {
                theArena.nightBlend = night, theArena.weatherMode = weather, theFrame.ambientTimer = 0.25f;
                seedRandom(seed), rollAmbientSound(0.25f);
                Rand r{seed};
                float wait = (float)((r.next() % 20) / 10.0 + 3.0);
                int chance = night >= 0.5f ? (weather == 0 ? 20 : r.next() % 6 + 5) : weather == 0 ? 10 : weather == 1 ? 5 : 3;
                std::vector<int> want;
                if (r.next() % 100 < chance)
                    want.push_back(night >= 0.5f ? SOUND_NIGHT_AMBIENT : r.next() % 2 ? SOUND_DAY_AMBIENT_2 : SOUND_DAY_AMBIENT_1);
                ASSERT_EQ(theFrame.ambientTimer, wait);
                ASSERT_EQ(playedSounds(), want) << night << " " << weather << " " << seed;
                ASSERT_EQ(nextRandom(), r.next());
            }
    theFrame.ambientTimer = 1, seedRandom(5), rollAmbientSound(0.5f);  // not due yet: no draw
    EXPECT_TRUE(theFrame.ambientTimer == 0.5f && nextRandom() == Rand{5}.next());
}

// Rain stopping by day raises a rainbow where the player looks, in over 5 s,
// full to 35 s, gone after 40 s; not by night, not after snow.
TEST(Frame, RainbowAfterRainByDay) {
    startGame(1780351200u);
    for (int weather : {IDM_WEATHER_SNOWY, IDM_WEATHER_RAINY})
        for (float night : {0.5f, 0.49f}) {
            theRainbow = RainbowState{}, thePlayer.yaw = night * 100;
            shellCommand(weather), theArena.nightBlend = night, shellCommand(IDM_WEATHER_NONE);
            EXPECT_EQ(theRainbow.active, weather == IDM_WEATHER_RAINY && night < 0.5f);
        }
    EXPECT_TRUE(theRainbow.age == 0 && theRainbow.alpha == 0 && theRainbow.yaw == thePlayer.yaw);
    for (int step = 0; theRainbow.active && step < 500; ++step) {
        float age = theRainbow.age + 0.1f, alpha = age < 5 ? age / 5 : age <= 35 ? 1 : 1 - (age - 35) / 5;
        ageRainbow(0.1f);
        ASSERT_NEAR(theRainbow.alpha, std::max(alpha, 0.0f), 1e-5) << age;
        ASSERT_EQ(theRainbow.active, alpha >= 0) << age;
    }
}

// Every third won game opens the Donate box once; the count survives new
// games. The rain loop follows the weather from frame to frame.
TEST(Frame, VictoriesAndTheRainLoop) {
    startGame(1780351200u);
    frameTick();
    for (int win = 1; win <= 7; ++win) {
        theArena.gameOver = theArena.victory = 1;
        tickAfter(0.016), tickAfter(0.016);
        EXPECT_TRUE(fakePlatform.donateDialogs == win / 3 && theFrame.victoryShown) << win;
        restartGame();
    }
    theArena.gameOver = 1, tickAfter(0.016);
    EXPECT_EQ(theFrame.victoryShown, 0);
    shellCommand(IDM_WEATHER_RAINY), playedSounds(), tickAfter(0.016), tickAfter(0.016);
    EXPECT_TRUE(rainLoopPlaying && played(SOUND_RAIN_LOOP) == 1);
    theArena.weatherMode = WEATHER_SNOW, tickAfter(0.016);
    EXPECT_EQ(rainLoopPlaying, 0);
}

TEST(Commands, WeatherDayNightExitDialogsAndSize) {
    startGame(1780351200u);
    auto state = [] {
        return std::vector<int>{theArena.weatherMode, rainDropCount, snowFlakeCount, rainSplashCount, rainLoopPlaying, fakePlatform.checkedWeatherCommand};
    };
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, 0, IDM_WEATHER_NONE}));
    shellCommand(IDM_WEATHER_RAINY), tickAfter(0.016), rainSplashCount = 7, shellCommand(IDM_WEATHER_SNOWY);
    EXPECT_EQ(state(), (std::vector<int>{2, 0, 800, 0, 0, IDM_WEATHER_SNOWY}));
    rainSplashCount = 7, shellCommand(IDM_WEATHER_RAINY);
    EXPECT_EQ(state(), (std::vector<int>{1, 500, 0, 0, 0, IDM_WEATHER_RAINY}));
    float y = rainDrops[0].y;
    shellCommand(IDM_WEATHER_RAINY);
    EXPECT_NE(rainDrops[0].y, y);  // a fresh field
    tickAfter(0.016), rainSplashCount = snowFlakeCount = 7, shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, 0, IDM_WEATHER_NONE}));
    theArena.weatherMode = 3, updateWeatherMenuChecks();
    EXPECT_EQ(fakePlatform.checkedWeatherCommand, 0);
    shellCommand(IDM_DAY_NIGHT);
    EXPECT_EQ(theArena.nightTarget, 1);
    shellCommand(IDM_EXIT);
    EXPECT_STREQ(fakePlatform.lastQuestion, "Are you sure you want to exit?");
    EXPECT_EQ(fakePlatform.closePosted, 0);
    fakePlatform.answerYes = 1, shellCommand(IDM_EXIT);
    for (int command : {IDM_ABOUT, IDM_DONATE, 999}) captureMouse(), shellCommand(command);
    EXPECT_EQ(std::vector<int>({fakePlatform.closePosted, fakePlatform.aboutDialogs, fakePlatform.donateDialogs,
                                fakePlatform.mouseCapturedAtLastDialog, fakePlatform.questionsAsked}),
              std::vector<int>({1, 1, 1, 0, 2}));
    resizeView(640, 0);
    EXPECT_TRUE(clientWidth == 640 && clientHeight == 1);
}

// New Game asks while a game runs, not after it. A new game on ground steep
// toward +z in the south-west and toward +x in the south-east: enemies, then
// animals, then the rain by their rules; weather and time of day kept.
TEST(Commands, NewGame) {
    startGame(1780351200u);
    for (int j = 0; j < 64; ++j)
        for (int i = 0; i < 129; ++i) terrainHeights[j][i] = 0.6f * (i < 64 ? j : i) * terrainCellSize();
    shellCommand(IDM_WEATHER_RAINY);
    ArenaState& a = theArena;
    a.nightTarget = 1, a.nightBlend = 0.7f, a.score = 500, a.shotsFired = 9, a.snowCover = 0.4f, a.bloodDropCount = 3;
    thePlayer = PlayerState{{50, 30, 50}, 10, 20};
    theFrame.firstFrame = 0, theFrame.victoryShown = 1, theFrame.victoryCount = 2, rainSplashCount = 40;
    shellCommand(IDM_NEW_GAME);
    EXPECT_TRUE(fakePlatform.questionsAsked == 1 && a.score == 500);
    EXPECT_STREQ(fakePlatform.lastQuestion, "Restart the game?");
    fakePlatform.answerYes = 1, seedRandom(4321), shellCommand(IDM_NEW_GAME);
    Rand r{4321};
    GameGround g;
    static ArenaState want;
    static AnimalRecord wantAnimals[ANIMAL_COUNT];
    static RainDrop drops[MAX_RAIN_DROPS];
    want = ArenaState{};
    want.enemyCount = want.enemiesLeft = placeEnemiesByRule(r, g, want.enemies);
    want.weatherMode = WEATHER_RAIN, want.nightTarget = 1, want.nightBlend = 0.7f;
    placeAnimalsByRule(r, g, wantAnimals);
    for (RainDrop& d : drops) d.x = r.f(-30, 30), d.y = r.f(15, 30), d.z = 25 + r.f(-30, 30), d.fallSpeed = r.f(-20, -15), d.life = r.f(0.3f, 0.8f);
    PlayerState p = {{0, terrainHeightAt(0, 25) + 1.7f, 25}, -90, 0};
    EXPECT_TRUE(sameRecords(&a, &want, 1, ARENA_FIELDS));
    EXPECT_TRUE(sameRecords(animals, wantAnimals, ANIMAL_COUNT, ANIMAL_FIELDS));
    EXPECT_TRUE(sameRecords(rainDrops, drops, MAX_RAIN_DROPS, "fffff") && sameRecords(&thePlayer, &p, 1, "fffff"));
    EXPECT_EQ(std::vector<int>({rainDropCount, rainSplashCount, snowFlakeCount, theFrame.firstFrame, theFrame.victoryShown,
                                theFrame.victoryCount, fakePlatform.checkedWeatherCommand}),
              std::vector<int>({500, 0, 0, 1, 0, 2, IDM_WEATHER_RAINY}));
    shellCommand(IDM_WEATHER_SNOWY), a.gameOver = 1, fakePlatform.answerYes = 0, shellCommand(IDM_NEW_GAME);
    EXPECT_TRUE(fakePlatform.questionsAsked == 2 && !a.gameOver && snowFlakeCount == 800 && rainDropCount == 0);
}
