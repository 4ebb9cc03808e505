#include <gtest/gtest.h>

#include <string>

#include "core/vec3.h"
#include "hud/hud.h"
#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"

// The runtime's sequence after srand(1); the replays of the other tests rest on it.
TEST(Random, ReproducesTheRuntime) {
    seedRandom(1);
    for (int v : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
        EXPECT_EQ(nextRandom(), v);
}

// The nearest crossing more than 0.01 ahead: the near wall, else the far one; and a cross product.
TEST(Vec3Math, RayAgainstSphere) {
    struct Case {
        Vec3 from, along, centre;
        float t;
    } CASES[] = {{{0, 0, 0}, {0, 0, -1}, {0, 0, -10}, 9},
                 {{0, 0, -10}, {0, 0, -1}, {0, 0, -10}, 1},  // ahead; from inside
                 {{1, 0, 0}, {0, 0, -2}, {0, 0, -10}, 5},    // tangent, in lengths of the direction
                 {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.005f}, 2.005f},
                 {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.02f}, 0.02f},
                 {{0, 0, 0}, {0, 0, -1}, {0, 0, 0.995f}, -1},
                 {{0, 0, 0}, {0, 0, -1}, {0, 0, 10}, -1},
                 {{0, 1.01f, 0}, {0, 0, -1}, {0, 0, -10}, -1}};
    for (const Case& c : CASES) {
        float t = -1;
        EXPECT_TRUE(rayHitsSphere(c.from, c.along, c.centre, 1, &t) == (c.t > 0) &&
                    std::fabs(t - c.t) < 1e-5f)
            << c.t;
    }
    EXPECT_TRUE(same(vecCross({1, 2, 3}, {4, 5, 6}), Vec3{-3, 6, -3}, "f"));
}

// One step is 0.16 along the whole view (diagonals no faster), never below y = 1.7 nor past 126.5.
TEST(Player, MovesAlongTheViewWithinThePark) {
    startGame(1780351200u);
    PlayerState start = {{0, 1.7f, 25}, -90, 0};  // south of the centre, looking north
    EXPECT_TRUE(same(thePlayer, start, "f"));
    struct Move {
        Vec3 from;
        float yaw, pitch, strafe, forward;
        Vec3 to;
    } MOVES[] = {{{0, 5, 25}, -90, 0, 0, 1, {0, 5, 24.84f}},
                 {{0, 5, 25}, -90, 0, 1, 1, {0.1131371f, 5, 24.886863f}},
                 {{0, 5, 25}, -90, 0, -1, 0, {-0.16f, 5, 25}},
                 {{0, 5, 25}, -90, 0, 0, 0, {0, 5, 25}},
                 {{0, 5, 25}, 90, 0, 0, -1, {0, 5, 24.84f}},
                 {{0, 5, 25}, 0, 30, 0, 1, {0.1385641f, 5.08f, 25}},
                 {{0, 1.75f, 25}, 0, -30, 0, 1, {0.1385641f, 1.7f, 25}},
                 {{126.45f, 5, 0}, 45, 0, 0, 1, {126.5f, 5, 0.1131371f}},
                 {{0, 5, -126.45f}, -90, 0, 0, 1, {0, 5, -126.5f}},
                 {{-126.45f, 5, 0}, 720, 0, 0, -1, {-126.5f, 5, 0}}};
    for (const Move& m : MOVES) {
        PlayerState p = {m.from, m.yaw, m.pitch};
        EXPECT_TRUE((movePlayer(&p, m.strafe, m.forward, PLAYER_STEP), same(p.position, m.to, "f")))
            << (&m - MOVES);
    }
}

TEST(HudText, CountersAnimalsAndAccuracy) {
    startGame(1780351200u);
    auto line = [](int which) {
        char text[HUD_TEXT_SIZE] = "junk";
        return formatHudLine(which, &theArena, text), std::string(text);
    };
    theArena.score = 430, theArena.enemiesLeft = 17;
    EXPECT_EQ(line(HUD_SCORE) + line(HUD_ENEMIES) + line(HUD_COUNTER_LINES),
              "Score: 430Enemies: 17");
    EXPECT_EQ(line(HUD_ANIMALS), "Rabbits: 25  Deer: 25");
    EXPECT_EQ((killAnimal(3), killAnimal(30), killAnimal(31), line(HUD_ANIMALS)),
              "Rabbits: 24  Deer: 23");
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: --");
    auto accuracy = [&](int shots, int hits) {
        return theArena.shotsFired = shots, theArena.hits = hits, line(HUD_ACCURACY);
    };
    EXPECT_EQ(accuracy(3, 1) + accuracy(3, 2) + accuracy(2, 2) + accuracy(1, 0),
              "Accuracy: 33.3%Accuracy: 66.7%Accuracy: 100.0%Accuracy: 0.0%");
}

// N = trunc(365.25 (Y + 4716)) + trunc(30.6001 (M + 1)) + D - 1524, January and February as months
// 13 and 14 of the year before; p = (N - 2423196) mod 29, worked by hand.
TEST(Sky, MoonPhaseFollowsTheDateAndItsShadowLiesLeft) {
    auto phaseOn = [](int y, int m, int d) {
        return fakePlatform.year = y, fakePlatform.month = m, fakePlatform.day = d, moonPhase();
    };
    // 1 Dec 2026: 2462515 + 397 + 1 - 1524 = 2461389 = 2423196 + 29 x 1317, p = 0; day D has p = D
    // - 1.
    const int BY_P[29] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4,
                          5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 8, 8, 8};
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(phaseOn(2026, 12, day), BY_P[(day - 1) % 29]) << day;
    EXPECT_EQ(phaseOn(2027, 1, 1), 1);  // N = 2461420, p = 2 (as month 1 of 2027 it would be p = 0)
    EXPECT_EQ(phaseOn(1900, 1, 1), 5);  // N = 2415033: remainder -14, raised to p = 15
    const float SHADOW[9] = {0, -7.5f, -5, -2.5f, 0, -2.5f, -5, -7.5f, 0};
    for (int phase = -1; phase <= 9; ++phase) {
        float offset = 99, want = phase >= 1 && phase <= 7 ? SHADOW[phase] : 99;
        EXPECT_TRUE(moonShadowOffset(phase, &offset) == (want != 99) && offset == want) << phase;
    }
}

// Clouds by weather (any but rain and snow is clear), darker by night; a fresh park's clock starts
// at 0; each shown slot found out of the band steps back 260 for the next frame.
TEST(Sky, Clouds) {
    const CloudLook CLEAR = {6, 0.95f, 0.95f, 0.97f, 0.55f};
    struct Case {
        int weather;
        float night;
        CloudLook look;
    } CASES[] = {{0, 0, CLEAR},
                 {5, 0, CLEAR},
                 {0, 1, {6, 0.75f, 0.75f, 0.82f, 0.55f}},
                 {1, 1, {20, 0.1f, 0.1f, 0.2f, 0.8f}},
                 {2, 0.5f, {22, 0.4f, 0.4f, 0.475f, 0.7f}}};
    for (const Case& c : CASES)
        EXPECT_TRUE(same(cloudLook(c.weather, c.night), c.look, "iffff")) << c.weather;
    startGame(1780351200u), buildClouds();
    for (int i = 0; i < CLOUD_SLOTS; ++i) cloudField.driftBase[i] = 500, cloudField.speed[i] = 0;
    cloudField.driftBase[0] = 110, cloudField.speed[0] = 2, cloudField.driftBase[1] = -160,
    cloudField.speed[1] = 1.5f;
    EXPECT_EQ((drawClouds(&thePlayer, WEATHER_RAIN, 0), cloudClock), 0.016f);
    for (int i = 0; i < CLOUD_SLOTS; ++i)  // slots 20 to 24 do not show in rain
        EXPECT_EQ(cloudField.driftBase[i], i == 0 ? 110 : i == 1 ? 100 : i < 20 ? 240 : 500) << i;
    EXPECT_FLOAT_EQ(cloudDrift(0), 110 + 0.016f * 2);
}
