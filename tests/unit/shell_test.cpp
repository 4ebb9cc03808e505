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
void tickAfter(double seconds) { fakePlatform.counter += (int64_t)(seconds * 1e6), frameTick(); }

int played(int id) {
    std::vector<int> all = playedSounds();
    return (int)std::count(all.begin(), all.end(), id);
}

}  // namespace

// Frame time (seen as a rainbow's age): 0 at first and after a new game, at most 0.1, 0.001 if
// negative.
TEST(Frame, TimeNightAndTheRainbow) {
    startGame(1780351200u), shellCommand(IDM_WEATHER_RAINY), shellCommand(IDM_WEATHER_NONE);
    fakePlatform.counter += 5000000, frameTick();
    EXPECT_TRUE(theRainbow.active && theRainbow.age == 0 &&
                theFrame.ambientTimer >= 3);  // the first roll is at once
    const double WAIT[] = {0.016, 10, -0.005, 0.05, 0};
    const float AGE[] = {0.016f, 0.116f, 0.117f, 0.167f, 0.167f};
    for (int i = 0; i < 5; ++i) {
        if (i == 4) fakePlatform.counter += 3000000, restartGame();
        tickAfter(WAIT[i]);
        EXPECT_FLOAT_EQ(theRainbow.age, AGE[i]) << i;
    }
    // Each frame also moves the arena, the weather and the animals.
    shellCommand(IDM_WEATHER_SNOWY), theArena.muzzleFlash = 1, animals[0].moving = 1,
                                     animals[0].wanderTimer = 5;
    float flakeY = snowFlakes[0].y, gait = animals[0].gaitPhase;
    theArena.nightTarget = 1, theArena.nightBlend = 0.48f;
    tickAfter(0.016);  // 0.48 + 0.52 x 0.024 = 0.4925: the rainbow stays
    EXPECT_TRUE(theArena.muzzleFlash < 1 && snowFlakes[0].y < flakeY &&
                animals[0].gaitPhase != gait);
    EXPECT_TRUE(theRainbow.active && std::fabs(theArena.nightBlend - 0.49248f) < 1e-6f);
    tickAfter(0.016);  // 0.4925 + 0.5075 x 0.024 = 0.5047: it ends
    EXPECT_TRUE(!theRainbow.active && theRainbow.alpha == 0);
    int frames = 0;
    for (float n = theArena.nightBlend = 0; frames < 400 && theArena.nightBlend != 1; ++frames) {
        easeNightBlend(0.016f), n = 1 - n > 0.001f ? n + (1 - n) * 0.016f * 1.5f : 1;
        ASSERT_FLOAT_EQ(theArena.nightBlend, n) << frames;
    }
    EXPECT_NEAR(frames * 0.016f, 4.6f, 0.1f);
    theArena.nightTarget = 0, theArena.nightBlend = 0.0009f, easeNightBlend(0.016f);
    EXPECT_EQ(theArena.nightBlend, 0);
}

// Walking the hills: the eye climbs, or floats where the ground falls; footsteps every 0.4 s on the
// ground.
TEST(Frame, WalkingAndFootsteps) {
    startGame(1780351200u), frameTick();
    // W, S, A, D held, and the strafe and forward they make.
    const int KEYS[5][6] = {{1, 0, 0, 0, 0, 1},
                            {1, 1, 1, 1, 0, 0},
                            {0, 1, 0, 1, 1, -1},
                            {0, 0, 1, 0, -1, 0},
                            {1, 0, 0, 1, 1, 1}};
    float timer = 0;
    int steps = 0, floating = 0;
    for (int f = 0; f < 100; ++f) {
        const int* k = KEYS[f / 20];
        theInput = InputState{k[0], k[1], k[2], k[3], 0, 0, 400, 300};
        PlayerState want = thePlayer;
        movePlayer(&want, k[4], k[5], 0.016f);
        float ground = terrainHeightAt(want.position.x, want.position.z) + 1.7f;
        want.position.y = std::max(want.position.y, ground);
        bool step = false;
        if (want.position.y > ground + 0.05f)
            timer = 0, ++floating;
        else if ((timer -= 0.016f) <= 0)
            step = true, timer = 0.4f, ++steps;
        playedSounds(), tickAfter(0.016);
        ASSERT_TRUE(same(thePlayer, want, "f") && played(SOUND_FOOTSTEP) == step) << f;
        ASSERT_EQ(theFrame.footstepTimer, timer) << f;
    }
    theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300}, theFrame.footstepTimer = 0.3f,
    tickAfter(0.016);
    EXPECT_TRUE(steps >= 3 && floating >= 3 && theFrame.footstepTimer == 0)
        << steps << " " << floating;
}

// A roll: the next wait, then a night chance (20 if clear, else 5 to 10) or a day one (10, 5, 3 by
// weather).
TEST(Frame, AmbientRollsDrawInTheirOrder) {
    startGame(1780351200u);
    for (float night : {0.0f, 0.49f, 0.5f, 1.0f})
        for (int weather : {0, 1, 2})
            for (uint32_t seed = 1; seed <= 2000; ++seed) {
                theArena.nightBlend = night, theArena.weatherMode = weather,
                theFrame.ambientTimer = 0.25f;
                seedRandom(seed), rollAmbientSound(0.25f);
                Rand r{seed};
                float wait = (float)((r.next() % 20) / 10.0 + 3.0);
                bool dark = night >= 0.5f;
                int chance = dark           ? (weather == 0 ? 20 : r.next() % 6 + 5)
                             : weather == 0 ? 10
                             : weather == 1 ? 5
                                            : 3;
                int cue = r.next() % 100 >= chance ? 0
                          : dark                   ? SOUND_NIGHT_AMBIENT
                                                   : SOUND_DAY_AMBIENT_1 + r.next() % 2;
                std::vector<int> cues = playedSounds(),
                                 want = cue ? std::vector<int>{cue} : std::vector<int>{};
                ASSERT_TRUE(theFrame.ambientTimer == wait && cues == want &&
                            nextRandom() == r.next())
                    << night << " " << weather << " " << seed;
            }
    theFrame.ambientTimer = 1, seedRandom(5), rollAmbientSound(0.5f);  // not due yet: no draw
    EXPECT_TRUE(theFrame.ambientTimer == 0.5f && nextRandom() == Rand{5}.next());
}

// Rain stopping by day raises a rainbow where the player looks: in over 5 s, full to 35 s, gone
// after 40 s.
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
        float age = theRainbow.age + 0.1f, alpha = age < 5     ? age / 5
                                                   : age <= 35 ? 1
                                                               : 1 - (age - 35) / 5;
        ageRainbow(0.1f);
        ASSERT_NEAR(theRainbow.alpha, std::max(alpha, 0.0f), 1e-5) << age;
        ASSERT_EQ(theRainbow.active, alpha >= 0) << age;
    }
}

// Every third won game opens the Donate box once, across new games; the rain loop follows the
// weather.
TEST(Frame, VictoriesAndTheRainLoop) {
    startGame(1780351200u), frameTick();
    for (int win = 1; win <= 7; ++win, restartGame()) {
        theArena.gameOver = theArena.victory = 1, tickAfter(0.016), tickAfter(0.016);
        EXPECT_TRUE(fakePlatform.donateDialogs == win / 3 && theFrame.victoryShown) << win;
    }
    theArena.gameOver = 1, tickAfter(0.016), shellCommand(IDM_WEATHER_RAINY), playedSounds();
    tickAfter(0.016), tickAfter(0.016);
    EXPECT_TRUE(theFrame.victoryShown == 0 && rainLoopPlaying && played(SOUND_RAIN_LOOP) == 1);
    EXPECT_EQ((theArena.weatherMode = WEATHER_SNOW, tickAfter(0.016), rainLoopPlaying), 0);
}

TEST(Commands, WeatherDayNightExitDialogsAndSize) {
    startGame(1780351200u);
    auto state = [] {
        return std::vector<int>{theArena.weatherMode, rainDropCount,
                                snowFlakeCount,       rainSplashCount,
                                rainLoopPlaying,      fakePlatform.checkedWeatherCommand};
    };
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, 0, IDM_WEATHER_NONE}));
    shellCommand(IDM_WEATHER_RAINY), tickAfter(0.016), rainSplashCount = 7,
                                                       shellCommand(IDM_WEATHER_SNOWY);
    EXPECT_EQ(state(), (std::vector<int>{2, 0, 800, 0, 0, IDM_WEATHER_SNOWY}));
    rainSplashCount = 7, shellCommand(IDM_WEATHER_RAINY);
    EXPECT_EQ(state(), (std::vector<int>{1, 500, 0, 0, 0, IDM_WEATHER_RAINY}));
    tickAfter(0.016), rainSplashCount = snowFlakeCount = 7, shellCommand(IDM_WEATHER_NONE);
    EXPECT_EQ(state(), (std::vector<int>{0, 0, 0, 0, 0, IDM_WEATHER_NONE}));
    theArena.weatherMode = 3, updateWeatherMenuChecks(), shellCommand(IDM_DAY_NIGHT),
    shellCommand(IDM_EXIT);
    EXPECT_TRUE(fakePlatform.checkedWeatherCommand == 0 && theArena.nightTarget == 1 &&
                fakePlatform.closePosted == 0);
    EXPECT_STREQ(fakePlatform.lastQuestion, "Are you sure you want to exit?");
    fakePlatform.answerYes = 1, shellCommand(IDM_EXIT), shellCommand(999);
    for (int command : {IDM_ABOUT, IDM_DONATE})  // each frees the mouse before its box opens
        EXPECT_EQ((captureMouse(), shellCommand(command), fakePlatform.mouseCapturedAtLastDialog),
                  0)
            << command;
    EXPECT_TRUE(fakePlatform.closePosted == 1 && fakePlatform.aboutDialogs == 1 &&
                fakePlatform.donateDialogs == 1);
    EXPECT_TRUE((resizeView(640, 0), clientWidth == 640 && clientHeight == 1));
}

// New Game asks while a game runs. In the south, ground rising 0.48 per unit, then in 3-unit steps,
// toward +z (west) and +x (east): enemies, animals and rain by their rules; weather and time of day
// kept.
TEST(Commands, NewGame) {
    startGame(1780351200u);
    for (int j = 0; j < 64; ++j)
        for (int i = 0; i < 129; ++i) {
            int along = i < 64 ? j : i;
            terrainHeights[j][i] =
                i % 64 < 32 ? 0.48f * along * terrainCellSize() : 3.0f * (along / 4);
        }
    shellCommand(IDM_WEATHER_RAINY);
    ArenaState& a = theArena;
    a.nightTarget = 1, a.nightBlend = 0.7f, a.score = 500, a.shotsFired = 9, a.snowCover = 0.4f,
    a.bloodDropCount = 3;
    thePlayer = PlayerState{{50, 30, 50}, 10, 20};
    theFrame.firstFrame = 0, theFrame.victoryShown = 1, theFrame.victoryCount = 2,
    rainSplashCount = 40;
    EXPECT_TRUE((shellCommand(IDM_NEW_GAME), fakePlatform.questionsAsked == 1 && a.score == 500));
    EXPECT_STREQ(fakePlatform.lastQuestion, "Restart the game?");
    fakePlatform.answerYes = 1, seedRandom(4321), shellCommand(IDM_NEW_GAME);
    PlayerState p = {{0, terrainHeightAt(0, 25) + 1.7f, 25}, -90, 0};
    EXPECT_TRUE(same(thePlayer, p, "f"));
    EXPECT_EQ(std::vector<int>({rainDropCount, rainSplashCount, snowFlakeCount, theFrame.firstFrame,
                                theFrame.victoryShown, theFrame.victoryCount,
                                fakePlatform.checkedWeatherCommand}),
              std::vector<int>({500, 0, 0, 1, 0, 2, IDM_WEATHER_RAINY}));
    shellCommand(IDM_WEATHER_SNOWY), a.gameOver = 1, fakePlatform.answerYes = 0,
                                     shellCommand(IDM_NEW_GAME);
    EXPECT_TRUE(fakePlatform.questionsAsked == 2 && !a.gameOver && snowFlakeCount == 800 &&
                rainDropCount == 0);
}
