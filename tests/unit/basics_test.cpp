#include <gtest/gtest.h>

#include <string>

#include "combat/corpse.h"
#include "combat/walk.h"
#include "hud/hud.h"
#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"

// The runtime's sequence after srand(1); every seeded park rests on it. A clock-started run:
// randomFloat's first call seeds again from the clock, so it takes the first draw (41) however
// many plain draws came before.
TEST(Random, ReproducesTheRuntimeAndScalesItsDraws) {
    seedRandom(1);
    for (int v : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
        EXPECT_EQ(nextRandom(), v);
    startRandomAtClock(1);
    nextRandom();
    EXPECT_FLOAT_EQ(randomFloat(10, 10 + 32767), 10 + 41);
    EXPECT_FLOAT_EQ(randomFloat(-1, 1), -1 + 2 * 18467 / 32767.0f);
    EXPECT_EQ(randomInt(5, 14), 6334 % 10 + 5);
}

// Lengths, directions, products; a ray meets a unit sphere at its nearest crossing more than 0.01
// ahead (the near wall, else the far one), in lengths of its direction.
TEST(Vec3Math, VectorsAndRaysAgainstSpheres) {
    const Vec3 a = {3, 4, 12}, b = {1, -2, 0.5f};
    EXPECT_FLOAT_EQ(vecLength(a), 13);
    EXPECT_FLOAT_EQ(vecDistance(a, b), std::sqrt(4 + 36 + 11.5f * 11.5f));
    EXPECT_FLOAT_EQ(vecDot(a, b), 3 - 8 + 6);
    EXPECT_TRUE(same(vecNormalize({0, -3, 4}), Vec3{0, -0.6f, 0.8f}, "f"));
    EXPECT_TRUE(same(vecNormalize({1e-5f, 0, 0}), Vec3{0, 0, 0}, "f"));  // too short to turn
    EXPECT_TRUE(same(vecSub(vecAdd(a, b), vecScale(b, 2)), Vec3{2, 6, 11.5f}, "f"));
    EXPECT_TRUE(same(vecCross({1, 2, 3}, {4, 5, 6}), Vec3{-3, 6, -3}, "f"));
    const struct {
        const char* name;
        Vec3 from, along, centre;
        float t;
    } RAYS[] = {{"ahead", {0, 0, 0}, {0, 0, -1}, {0, 0, -10}, 9},
                {"from inside", {0, 0, -10}, {0, 0, -1}, {0, 0, -10}, 1},
                {"tangent, direction 2 long", {1, 0, 0}, {0, 0, -2}, {0, 0, -10}, 5},
                {"near wall too close", {0, 0, 0}, {0, 0, -1}, {0, 0, -1.005f}, 2.005f},
                {"near wall just far enough", {0, 0, 0}, {0, 0, -1}, {0, 0, -1.02f}, 0.02f},
                {"far wall too close", {0, 0, 0}, {0, 0, -1}, {0, 0, 0.995f}, -1},
                {"behind", {0, 0, 0}, {0, 0, -1}, {0, 0, 10}, -1},
                {"passing over", {0, 1.01f, 0}, {0, 0, -1}, {0, 0, -10}, -1}};
    for (const auto& r : RAYS) {
        float t = -1;
        EXPECT_EQ(rayHitsSphere(r.from, r.along, r.centre, 1, &t), r.t > 0) << r.name;
        EXPECT_NEAR(t, r.t, 1e-5f) << r.name;
    }
}

// One step is 0.16 along the whole view (diagonals no faster), never below y = 1.7 nor past 126.5;
// a game starts south of the centre, looking north.
TEST(Player, MovesAlongTheViewWithinThePark) {
    const struct {
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
    for (const auto& m : MOVES) {
        PlayerState p = {m.from, m.yaw, m.pitch};
        movePlayer(&p, m.strafe, m.forward, PLAYER_STEP);
        EXPECT_TRUE(same(p.position, m.to, "f")) << "move " << &m - MOVES;
    }
    resetPlayer(&thePlayer);
    EXPECT_TRUE(same(thePlayer, PlayerState{{0, 1.7f, 25}, -90, 0}, "f"));
}

// A step of 0.25 leading out past the line (125.5) mirrors the heading on that axis and ends the
// walk's timer; it is still taken, unless the creature already stands beyond the line and would go
// further out. A step onto the line is not past it. The dead tip over at 180 degrees a second to
// 90, then lie until their timer runs out.
TEST(Walk, StepsTurnBackAtTheEdgeAndTheDeadTipOver) {
    const struct {
        const char* name;
        float x, z, heading, nx, nz, newHeading, timer;
    } STEPS[] = {{"along +x", 10, 20, 0, 10.25f, 20, 0, 5},
                 {"along +z", 10, 20, 90, 10, 20.25f, 90, 5},
                 {"out past +x", 125.4f, 0, 0, 125.65f, 0, 180, 0},
                 {"further out past +x", 125.7f, 0, 10, 125.7f, 0.043412f, 170, 0},
                 {"out past -z", 0, -125.4f, 270, 0, -125.65f, 90, 0},
                 {"back in from -x", -125.7f, 0, 0, -125.45f, 0, 0, 5},
                 {"onto the line at +x", 125.25f, 0, 0, 125.5f, 0, 0, 5},
                 {"onto the line at -z", 0, -125.25f, 270, 0, -125.5f, 270, 5}};
    for (const auto& s : STEPS) {
        float heading = s.heading, timer = 5, nx, nz;
        proposeStep(s.x, s.z, 1, 0.25f, 125.5f, &heading, &timer, &nx, &nz);
        EXPECT_NEAR(nx, s.nx, 1e-5f) << s.name;
        EXPECT_NEAR(nz, s.nz, 1e-5f) << s.name;
        EXPECT_FLOAT_EQ(heading, s.newHeading) << s.name;
        EXPECT_EQ(timer, s.timer) << s.name;
    }
    const float FALLS[][4] = {{0, 8, 18, 8}, {85, 8, 90, 8}, {90, 8, 90, 7.9f}, {90, 0, 90, 0}};
    for (const auto& f : FALLS) {  // angle and timer before and after 0.1 s
        float fall = f[0], timer = f[1];
        advanceCorpse(&fall, &timer, 0.1f);
        EXPECT_FLOAT_EQ(fall, f[2]) << "from " << f[0];
        EXPECT_FLOAT_EQ(timer, f[3]) << "from " << f[0];
    }
}

TEST(HudText, CountersAnimalsAndAccuracy) {
    startGame(1780351200u);
    auto line = [](int which) {
        char text[HUD_TEXT_SIZE] = "junk";
        formatHudLine(which, &theArena, text);
        return std::string(text);
    };
    theArena.score = 430;
    theArena.enemiesLeft = 17;
    killAnimal(3);
    killAnimal(30);
    killAnimal(31);
    EXPECT_EQ(line(HUD_SCORE), "Score: 430");
    EXPECT_EQ(line(HUD_ENEMIES), "Enemies: 17");
    EXPECT_EQ(line(HUD_ANIMALS), "Rabbits: 24  Deer: 23");
    EXPECT_EQ(line(HUD_COUNTER_LINES), "");
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: --");
    const int SHOTS[4][2] = {{3, 1}, {3, 2}, {2, 2}, {1, 0}};
    const char* const TEXTS[4] = {"33.3%", "66.7%", "100.0%", "0.0%"};
    for (int i = 0; i < 4; ++i) {
        theArena.shotsFired = SHOTS[i][0];
        theArena.hits = SHOTS[i][1];
        EXPECT_EQ(line(HUD_ACCURACY), std::string("Accuracy: ") + TEXTS[i]);
    }
}

// N = trunc(365.25 (Y + 4716)) + trunc(30.6001 (M + 1)) + D - 1524, January and February as months
// 13 and 14 of the year before; p = (N - 2423196) mod 29, worked by hand. The shadow's centre lies
// 10 (2 phase / 8 - 1) along the right axis, mirrored when waning.
TEST(Sky, MoonPhaseFollowsTheDateAndItsShadowLiesLeft) {
    auto phaseOn = [](int y, int m, int d) {
        fakePlatform.year = y;
        fakePlatform.month = m;
        fakePlatform.day = d;
        return moonPhase();
    };
    // 1 Dec 2026: 2462515 + 397 + 1 - 1524 = 2461389 = 2423196 + 29 x 1317: p = 0, day D p = D - 1.
    const int BY_P[29] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4,
                          5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 8, 8, 8};
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(phaseOn(2026, 12, day), BY_P[(day - 1) % 29]) << day;
    EXPECT_EQ(phaseOn(2027, 1, 1), 1);  // N = 2461420, p = 2 (as month 1 of 2027 it would be p = 0)
    EXPECT_EQ(phaseOn(1900, 1, 1), 5);  // N = 2415033: remainder -14, raised to p = 15
    const float SHADOW[9] = {0, -7.5f, -5, -2.5f, 0, -2.5f, -5, -7.5f, 0};
    for (int phase = -1; phase <= 9; ++phase) {
        float offset = 99;
        const bool shadowed = phase >= 1 && phase <= 7;
        EXPECT_EQ(moonShadowOffset(phase, &offset), shadowed) << phase;
        EXPECT_EQ(offset, shadowed ? SHADOW[phase] : 99) << phase;
    }
}

// Day to night colours blend linearly; a weather the sky does not know is clear. Clouds by weather
// (any but rain and snow is clear), darker by night; each shown slot found out of the band steps
// back 260 for the next frame.
TEST(Sky, ColoursCloudsAndTheirDrift) {
    const struct {
        int weather;
        float night;
        SkyColour colour;
        CloudLook look;
    } CASES[] = {{0, 0, {0.53f, 0.81f, 0.92f}, {6, 0.95f, 0.95f, 0.97f, 0.55f}},
                 {0, 1, {0.02f, 0.02f, 0.08f}, {6, 0.75f, 0.75f, 0.82f, 0.55f}},
                 {1, 0.5f, {0.2f, 0.215f, 0.26f}, {20, 0.2f, 0.2f, 0.275f, 0.8f}},
                 {2, 0.25f, {0.5125f, 0.535f, 0.5775f}, {22, 0.45f, 0.45f, 0.5125f, 0.7f}},
                 {7, 0, {0.53f, 0.81f, 0.92f}, {6, 0.95f, 0.95f, 0.97f, 0.55f}}};
    for (const auto& c : CASES) {
        EXPECT_TRUE(same(skyColour(c.weather, c.night), c.colour, "f")) << c.weather;
        EXPECT_TRUE(same(cloudLook(c.weather, c.night), c.look, "iffff")) << c.weather;
    }
    startGame(1780351200u);
    buildClouds();
    for (int i = 0; i < CLOUD_SLOTS; ++i) {
        cloudField.driftBase[i] = i == 0 ? 110 : i == 1 ? -160 : 500;
        cloudField.speed[i] = i == 0 ? 2 : i == 1 ? 1.5f : 0;
    }
    drawClouds(&thePlayer, WEATHER_RAIN, 0);  // a fresh park's clock starts at 0
    EXPECT_EQ(cloudClock, 0.016f);
    for (int i = 0; i < CLOUD_SLOTS; ++i)  // slots 20 to 24 do not show in rain
        EXPECT_EQ(cloudField.driftBase[i], i == 0 ? 110 : i == 1 ? 100 : i < 20 ? 240 : 500) << i;
    EXPECT_FLOAT_EQ(cloudDrift(0), 110 + 0.016f * 2);
}
