#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/particles.h"
#include "combat/shooting.h"
#include "player/input.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"

namespace {

// A plain park with ground rising `slope` a unit toward +x (0 at the west edge).
void slopedPark(float slope) {
    startGame(1780351200u);
    testworld::clearPark();
    testworld::emptyArena(&theArena);
    for (int j = 0; j < TERRAIN_SAMPLES; ++j)
        for (int i = 0; i < TERRAIN_SAMPLES; ++i)
            terrainHeights[j][i] = slope * i * terrainCellSize();
}

const Vec3 FAR_AWAY = {0, 1000, 0};

int last(int count) { return count > 0 ? count - 1 : 0; }

}  // namespace

// 3 units a second along the heading, standing on the ground wherever it steps; when the walk's
// timer runs out, a fresh heading and 1.5 to 4 s; a slope over 0.45 is refused with a fresh
// heading and 0.5 to 1.5 s; within 5 of the player it turns straight away. Draws from srand(1):
// 41 (a heading of 360 x 41 / 32767 = 0.45045), 18467 (0.5636 of the timer's range).
TEST(Enemies, WalkTheGroundAndShyAwayFromThePlayer) {
    const struct {
        const char* name;
        float slope, heading, timer;
        Vec3 player;
        float x, z, newHeading, newTimer;
    } CASES[] = {
        {"along +x on a 0.2 slope", 0.2f, 0, 5, FAR_AWAY, 10.3f, 20, 0, 4.9f},
        {"along +z", 0.2f, 90, 5, FAR_AWAY, 10, 20.3f, 90, 4.9f},
        {"walked out", 0, 0, 0.1f, FAR_AWAY, 10.29999f, 20.002359f, 0.45045f, 2.908963f},
        {"up a 0.5 slope", 0.5f, 0, 5, FAR_AWAY, 10, 20, 0.45045f, 1.063585f},
        {"across a 0.5 slope", 0.5f, 90, 5, FAR_AWAY, 10, 20.3f, 90, 4.9f},
        {"the player 2 east", 0, 90, 5, {12, 0, 20.3f}, 10, 20.3f, 180, 4.9f},
        {"the player north-east", 0, 90, 5, {11, 0, 21.3f}, 10, 20.3f, 225, 4.9f},
        {"the player 5 off", 0, 90, 5, {14, 3, 20.3f}, 10, 20.3f, 90, 4.9f},
        {"the player 4.95 off", 0, 90, 5, {14, 2.9f, 20.3f}, 10, 20.3f, 180, 4.9f},
    };
    for (const auto& c : CASES) {
        slopedPark(c.slope);
        EnemyRecord* e = testworld::addEnemy(&theArena, 10, 20, testworld::RED_SHIRT);
        e->heading = c.heading;
        e->wanderTimer = c.timer;
        seedRandom(1);
        updateArena(&theArena, 0.1f, c.player);
        EXPECT_NEAR(e->position.x, c.x, 1e-4) << c.name;
        EXPECT_NEAR(e->position.z, c.z, 1e-4) << c.name;
        EXPECT_FLOAT_EQ(e->position.y, c.slope * (e->position.x + 126.5f)) << c.name;
        EXPECT_NEAR(e->heading, c.newHeading, 1e-3) << c.name;
        EXPECT_NEAR(e->wanderTimer, c.newTimer, 1e-5) << c.name;
    }
}

// The arena's clocks: the flash falls 8 a second to 0, the cooldown and the tracer run down, snow
// settles 0.03 a second while it snows and melts 0.15 a second after; a won game stands still.
TEST(Enemies, TheArenasClocksRunDownAndAWonGameStandsStill) {
    slopedPark(0);
    ArenaState& a = theArena;
    a.muzzleFlash = 1;
    a.fireCooldown = 0.15f;
    a.tracer.active = 1;
    a.tracer.timeLeft = 0.2f;
    a.weatherMode = WEATHER_SNOW;
    a.snowCover = 0.99f;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_FLOAT_EQ(a.muzzleFlash, 0.2f);
    EXPECT_FLOAT_EQ(a.fireCooldown, 0.05f);
    EXPECT_EQ(a.tracer.active, 1);
    EXPECT_FLOAT_EQ(a.snowCover, 0.993f);
    a.snowCover = 0.999f;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_EQ(a.muzzleFlash, 0);
    EXPECT_EQ(a.tracer.active, 0);
    EXPECT_EQ(a.snowCover, 1);
    a.weatherMode = WEATHER_RAIN;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_FLOAT_EQ(a.snowCover, 0.985f);
    a.snowCover = 0.01f;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_EQ(a.snowCover, 0);
    testworld::addEnemy(&a, 10, 20, testworld::RED_SHIRT);
    spawnSparks(&a, Vec3{0, 3, 0});
    a.muzzleFlash = 1;
    a.gameOver = 1;
    static ArenaState before;
    before = a;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_FLOAT_EQ(a.muzzleFlash, 0.2f);  // the last shot's flash still fades off the victory
    a.muzzleFlash = before.muzzleFlash;
    EXPECT_EQ(std::memcmp(&before, &a, sizeof before), 0);
}

// Resting until the timer runs out, then walking 1 to 3 s (rabbits 1.2, deer 0.8 a second, facing
// the way they go, the gait turning 6 radians a second: from 6 to 6.6, wrapped past 6.28 to 0.32),
// then resting 5 to 15 s; a slope over 0.45 turns them with a fresh 0.5 to 1.5 s. Draws as above.
TEST(Animals, RestWalkAndTurnFromSteepGround) {
    const struct {
        const char* name;
        int kind, moving;
        float timer, heading, slope;
        int nowMoving;
        float x, z, newHeading, newTimer, gait;
    } CASES[] = {
        {"resting", ANIMAL_RABBIT, 0, 5, 0, 0, 0, 10, 20, 0, 4.9f, 6},
        {"setting off", ANIMAL_RABBIT, 0, 0.05f, 0, 0, 1, 10.12f, 20.000943f, 0.45045f, 2.127171f,
         0.32f},
        {"a rabbit walking", ANIMAL_RABBIT, 1, 2, 0, 0, 1, 10.12f, 20, 0, 1.9f, 0.32f},
        {"a deer walking", ANIMAL_DEER, 1, 2, 90, 0, 1, 10, 20.08f, 90, 1.9f, 0.32f},
        {"stopping", ANIMAL_DEER, 1, 0.05f, 90, 0, 0, 10, 20, 90, 5.012513f, 6},
        {"up a steep slope", ANIMAL_DEER, 1, 2, 0, 0.5f, 1, 10, 20, 0.45045f, 1.063585f, 0.32f},
    };
    for (const auto& c : CASES) {
        slopedPark(c.slope);
        AnimalRecord& a = animals[7];
        a = AnimalRecord{c.kind, 10, 20, 33, c.timer, c.heading, 6, c.moving, 1, 0, 0};
        seedRandom(1);
        updateAnimals(0.1f);
        EXPECT_EQ(a.moving, c.nowMoving) << c.name;
        EXPECT_NEAR(a.x, c.x, 1e-5) << c.name;
        EXPECT_NEAR(a.z, c.z, 1e-5) << c.name;
        EXPECT_NEAR(a.heading, c.newHeading, 1e-3) << c.name;
        EXPECT_NEAR(a.wanderTimer, c.newTimer, 1e-5) << c.name;
        EXPECT_NEAR(a.gaitPhase, c.gait, 1e-5) << c.name;
        EXPECT_EQ(a.facing, a.x != 10 || a.z != 20 ? a.heading : 33) << c.name;
    }
}

// Fixed steps a frame: an idle fish drifts 0.00015 sin(phase) and counts 0.016 s down, then swims
// toward a target up to 0.15 away (kept within 0.02 .. 0.98) by 0.001 of the distance a frame,
// stopping within 0.005 for 2 to 6 s; the phase turns 0.04 a frame; along wraps round 0 .. 1.
// Draws: srand(1) 41 (0.15 less 0.3 x 41 / 32767 back), srand(9788) 32002 (0.143 on).
TEST(Fish, IdleDriftSwimStopAndWrap) {
    const float HALF_PI = 1.5707964f;
    const struct {
        const char* name;
        uint32_t seed;
        float along, target;
        int moving;
        float idle, phase, newAlong;
        int nowMoving;
        float newTarget, newIdle;
    } CASES[] = {
        {"idling", 1, 0.5f, 0.5f, 0, 3, HALF_PI, 0.50015f, 0, 0.5f, 2.984f},
        {"setting off", 1, 0.5f, 0.5f, 0, 0.01f, 0, 0.5f, 1, 0.350375f, -0.006f},
        {"setting off near 0", 1, 0.01f, 0.5f, 0, 0.01f, 0, 0.01f, 1, 0.02f, -0.006f},
        {"setting off near 1", 9788, 0.99f, 0.5f, 0, 0.01f, 0, 0.99f, 1, 0.98f, -0.006f},
        {"swimming", 1, 0.5f, 0.6f, 1, 9, 0, 0.5001f, 1, 0.6f, 9},
        {"0.005 short", 1, 0, 0.005f, 1, 9, 0, 0.000005f, 1, 0.005f, 9},
        {"arriving", 1, 0.5f, 0.504f, 1, 9, 0, 0.5f, 0, 0.504f, 2.005005f},
        {"drifting past 1", 1, 0.99999f, 0.5f, 0, 9, HALF_PI, 0.00014f, 0, 0.5f, 8.984f},
        {"drifting past 0", 1, 0.00005f, 0.5f, 0, 9, -HALF_PI, 0.9999f, 0, 0.5f, 8.984f},
    };
    FishSchool& f = fishSchool;
    for (const auto& c : CASES) {
        f.along[3] = c.along;
        f.targetAlong[3] = c.target;
        f.moving[3] = c.moving;
        f.idleTimer[3] = c.idle;
        f.phase[3] = c.phase;
        seedRandom(c.seed);
        updateFishSchool();
        EXPECT_NEAR(f.along[3], c.newAlong, 1e-6) << c.name;
        EXPECT_EQ(f.moving[3], c.nowMoving) << c.name;
        EXPECT_NEAR(f.targetAlong[3], c.newTarget, 1e-6) << c.name;
        EXPECT_NEAR(f.idleTimer[3], c.newIdle, 1e-5) << c.name;
        EXPECT_NEAR(f.phase[3], c.phase + 0.04f, 1e-6) << c.name;
    }
}

// Bursts draw their count, then each particle's draws with its velocity z, y, x; they stop at the
// caps. From srand(1) (41 18467 6334 26500): 10 + 41 % 9 = 15 sparks, the first moving
// (-4 + 8 x 26500 / 32767, 1 + 4 x 6334 / 32767, -4 + 8 x 18467 / 32767).
TEST(Particles, BurstsDrawInOrderWithinTheirRangesUpToTheirCaps) {
    slopedPark(0.1f);
    ArenaState& a = theArena;
    const Vec3 p = {2, 30, 3};
    seedRandom(1);
    spawnSparks(&a, p);
    EXPECT_EQ(a.sparkCount, 15);
    EXPECT_TRUE(same(a.sparks[0].velocity, Vec3{2.469924f, 1.773217f, 0.508683f}, "f"));
    spawnBloodBurst(&a, p);
    spawnSplash(&a, p);
    EXPECT_TRUE(within(a.bloodDropCount, 30, 50));
    EXPECT_TRUE(within(a.splashDropCount, 12, 20));
    for (const BloodDrop& d : a.bloodDrops) {
        if (&d - a.bloodDrops == a.bloodDropCount) break;
        EXPECT_TRUE(same(d.position, p, "f"));
        EXPECT_TRUE(within(std::max(std::fabs(d.velocity.x), std::fabs(d.velocity.z)), 0, 3.5f));
        EXPECT_TRUE(within(d.velocity.y, 0.5f, 6));
        EXPECT_TRUE(within(d.life, 0.6f, 1.2f));
        EXPECT_EQ(d.maxLife, d.life);
        EXPECT_TRUE(within(d.size, 0.015f, 0.12f));
        int reds = 0;  // dark, bright or purple
        for (Vec3 c : {Vec3{0.6f, 0, 0}, Vec3{0.8f, 0.05f, 0}, Vec3{0.5f, 0, 0.05f}})
            reds += same(d.colour, c, "f");
        EXPECT_EQ(reds, 1);
    }
    EXPECT_NEAR(a.bloodPools[0].position.y, 0.1f * 128.5f + 0.015f, 1e-4);
    EXPECT_TRUE(within(a.bloodPools[0].radius, 0.3f, 0.8f));
    EXPECT_EQ(a.bloodPools[0].life, 5);
    for (const SplashDrop& d : a.splashDrops) {
        if (&d - a.splashDrops == a.splashDropCount) break;
        EXPECT_TRUE(within(std::max(std::fabs(d.velocity.x), std::fabs(d.velocity.z)), 0, 2));
        EXPECT_TRUE(within(d.velocity.y, 2, 5));
        EXPECT_TRUE(within(d.life, 0.3f, 1));
        EXPECT_TRUE(within(d.size, 0.02f, 0.06f));
    }
    EXPECT_TRUE(same(a.ripples[0], Ripple{p, 0.1f, 1.5f, 1.5f}, "f"));
    for (const Spark& s : a.sparks) {
        if (&s - a.sparks == a.sparkCount) break;
        EXPECT_TRUE(within(s.life, 0.15f, 0.4f));
        EXPECT_TRUE(within(s.colour.x, 0.8f, 1));
        EXPECT_TRUE(within(s.colour.y, 0.5f, 0.9f));
        EXPECT_TRUE(within(s.colour.z, 0, 0.2f));
    }
    a.bloodDropCount = 500;
    a.bloodPoolCount = 128;
    a.splashDropCount = 25;
    a.rippleCount = 8;
    a.sparkCount = 20;
    spawnBloodBurst(&a, p);
    spawnSplash(&a, p);
    spawnSparks(&a, p);
    EXPECT_EQ(a.bloodDropCount, 512);
    EXPECT_EQ(a.bloodPoolCount, 128);
    EXPECT_EQ(a.splashDropCount, 32);
    EXPECT_EQ(a.rippleCount, 8);
    EXPECT_EQ(a.sparkCount, 24);
}

// Over 0.1 s: blood falls 12 a second faster and lands 0.01 above the ground, half as big again,
// then spreads 0.05 a second to 0.2; splash drops fall 10 a second faster and skim the water at
// -0.25, slowed to 0.3 across; sparks fall 15 a second faster; ripples grow 1.5 a second. A spent
// particle takes the place of the last live one.
TEST(Particles, EachKindFallsLandsAndAgesInItsPackedArray) {
    slopedPark(0);
    ArenaState& a = theArena;
    a.bloodDrops[0] = BloodDrop{{0, 5, 0}, {1, 2, 0}, 1, 1, 0.1f, {}, 0};
    a.bloodDrops[1] = BloodDrop{{0, 0.05f, 0}, {0, -1, 0}, 1, 1, 0.1f, {}, 0};
    a.bloodDrops[2] = BloodDrop{{0, 0.01f, 0}, {}, 0.05f, 1, 0.1f, {}, 1};
    a.bloodDrops[3] = BloodDrop{{0, 0.01f, 0}, {}, 1, 1, 0.199f, {}, 1};
    a.bloodDropCount = 4;
    a.splashDrops[0] = SplashDrop{{0, -0.2f, 0}, {1, -1, 1}, 1, 1, 0.05f};
    a.splashDrops[1] = SplashDrop{{0, 1, 0}, {0, 2, 0}, 1, 1, 0.05f};
    a.splashDropCount = 2;
    a.sparks[0] = Spark{{0, 3, 0}, {1, 1, 0}, 1, 1, {}};
    a.sparkCount = 1;
    a.ripples[0] = Ripple{{}, 0.1f, 1, 1.5f};
    a.ripples[1] = Ripple{{}, 0.5f, 0.05f, 1.5f};
    a.rippleCount = 2;
    a.bloodPools[0] = BloodPool{{}, 0.5f, 5, 5};
    a.bloodPoolCount = 1;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_TRUE(same(a.bloodDrops[0].position, Vec3{0.1f, 5.08f, 0}, "f"));
    EXPECT_TRUE(same(a.bloodDrops[0].velocity, Vec3{1, 0.8f, 0}, "f"));
    EXPECT_TRUE(same(a.bloodDrops[1].position, Vec3{0, 0.01f, 0}, "f"));  // landed from 0.05 - 0.22
    EXPECT_TRUE(same(a.bloodDrops[1].velocity, Vec3{0, 0, 0}, "f"));
    EXPECT_EQ(a.bloodDrops[1].landed, 1);
    EXPECT_FLOAT_EQ(a.bloodDrops[1].size, 0.15f);
    EXPECT_EQ(a.bloodDropCount, 3);  // the spent third took the fourth, spread to its 0.2 cap
    EXPECT_FLOAT_EQ(a.bloodDrops[2].size, 0.2f);
    EXPECT_FLOAT_EQ(a.bloodDrops[2].life, 0.9f);
    EXPECT_TRUE(same(a.splashDrops[0].position, Vec3{0.1f, -0.25f, 0.1f}, "f"));
    EXPECT_TRUE(same(a.splashDrops[0].velocity, Vec3{0.3f, 0, 0.3f}, "f"));
    EXPECT_TRUE(same(a.splashDrops[1].position, Vec3{0, 1.1f, 0}, "f"));
    EXPECT_TRUE(same(a.sparks[0].position, Vec3{0.1f, 2.95f, 0}, "f"));
    EXPECT_TRUE(same(a.sparks[0].velocity, Vec3{1, -0.5f, 0}, "f"));
    EXPECT_EQ(a.rippleCount, 1);
    EXPECT_FLOAT_EQ(a.ripples[0].radius, 0.25f);
    EXPECT_FLOAT_EQ(a.bloodPools[0].life, 4.9f);
    a.bloodPools[0].life = 0.05f;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_EQ(a.bloodPoolCount, 0);
}

// Over 0.1 s a drop falls its speed and ages; one that ends (below 0 or out of life) starts again
// around the player within the park, leaving a ring of 0.15 to 0.35 lasting 0.2 to 0.4 s where it
// ended if that was between 2 below and 0.5 above 0 and fewer than 100 rings are out; rings age
// from the frame they come, a spent one taking the last one's place. Only the counted drops move;
// clear weather takes the rings away.
TEST(Weather, RainFallsEndsInRingsAndStartsAgainAroundThePlayer) {
    startGame(1780351200u);
    shellCommand(IDM_WEATHER_RAINY);
    thePlayer.position = Vec3{125, 5, 0};
    rainDrops[0] = RainDrop{1, 10, 2, -15, 0.5f};
    rainDrops[1] = RainDrop{3, 0.2f, 4, -15, 0.5f};    // to -1.3: a ring
    rainDrops[2] = RainDrop{5, -0.9f, 6, -15, 0.5f};   // to -2.4: none
    rainDrops[3] = RainDrop{7, 5, 8, -15, 0.05f};      // out of life high up: none
    rainDrops[4] = RainDrop{9, 0.4f, 10, -15, 0.05f};  // out of life at -1.1: a ring
    rainDrops[5] = RainDrop{11, 1.5f, 12, -15, 0.5f};  // to 0: still falling
    rainSplashes[0] = RainSplash{0, 0, 0, 0.2f, 0.05f, 0.3f};
    rainSplashCount = 1;
    updateWeather(0.1f);
    EXPECT_TRUE(same(rainDrops[0], RainDrop{1, 8.5f, 2, -15, 0.4f}, "f"));
    EXPECT_TRUE(same(rainDrops[5], RainDrop{11, 0, 12, -15, 0.4f}, "f"));
    EXPECT_EQ(rainSplashCount, 2);  // the old ring ran out and the last took its place
    for (int i = 0; i < 2; ++i) {
        const RainSplash& s = rainSplashes[i];
        EXPECT_EQ(s.x, i ? 3 : 9) << i;
        EXPECT_EQ(s.z, i ? 4 : 10) << i;
        EXPECT_EQ(s.y, 0);
        EXPECT_TRUE(within(s.radius, 0.15f, 0.35f));
        EXPECT_TRUE(within(s.initialLife, 0.2f, 0.4f));
        EXPECT_FLOAT_EQ(s.life, s.initialLife - 0.1f);
    }
    for (int i = 1; i < 5; ++i) {
        EXPECT_TRUE(within(rainDrops[i].x, 95, 126.5f)) << i;
        EXPECT_TRUE(within(rainDrops[i].z, -30, 30)) << i;
        EXPECT_TRUE(within(rainDrops[i].y, 15, 30)) << i;
    }
    rainDrops[5] = RainDrop{1, 0.1f, 2, -15, 0.5f};
    rainDrops[6] = RainDrop{1, 0.1f, 2, -15, 0.5f};
    for (RainSplash& r : rainSplashes) r = RainSplash{0, 0, 0, 0.2f, 1, 1};
    rainSplashCount = 99;
    updateWeather(0.1f);
    EXPECT_EQ(rainSplashCount, 100);
    rainDropCount = 10;
    rainDrops[10] = RainDrop{1, 0.1f, 2, -15, 0.5f};
    updateWeather(0.1f);
    EXPECT_TRUE(same(rainDrops[10], RainDrop{1, 0.1f, 2, -15, 0.5f}, "f"));
    theArena.weatherMode = WEATHER_CLEAR;
    updateWeather(0.1f);
    EXPECT_EQ(rainSplashCount, 0);
}

// Over 0.1 s a flake moves by its velocity, turns 9 degrees and its drift across x wanders by up
// to 0.05 (held within 1); one below 0 starts again around the player, its size and turn kept.
// Draws from srand(1): the three flakes' drifts take 41, 18467 and 6334 (-0.5 + d / 32767 a
// second); the third then starts at x + (-40 + 80 x 26500 / 32767), 15 + 15 x 19169 / 32767 up,
// z + (-40 + 80 x 15724 / 32767), moving (-0.8 + 1.6 x 11478 / 32767, -3 + 1.8 x 29358 / 32767,
// -0.8 + 1.6 x 26962 / 32767).
TEST(Weather, SnowDriftsAndStartsAgainAroundThePlayer) {
    startGame(1780351200u);
    shellCommand(IDM_WEATHER_SNOWY);
    snowFlakes[0] = SnowFlake{0, 10, 0, 0.5f, -2, 0.3f, 0.07f, 0};
    snowFlakes[1] = SnowFlake{0, 10, 0, 0.999f, -2, 0, 0.07f, 0};
    snowFlakes[2] = SnowFlake{0, 0.1f, 0, 0, -2, 0, 0.07f, 10};
    snowFlakeCount = 3;
    snowFlakes[3] = SnowFlake{1, 2, 3, 4, 5, 6, 7, 8};
    seedRandom(1);
    updateWeather(0.1f);
    EXPECT_TRUE(
        same(snowFlakes[0], SnowFlake{0.05f, 9.8f, 0.03f, 0.450125f, -2, 0.3f, 0.07f, 9}, "f"));
    EXPECT_EQ(snowFlakes[1].vx, 1);  // 0.999 + 0.00636
    const Vec3 p = thePlayer.position;
    const SnowFlake want = {p.x + 24.69924f, 23.77514f,  p.z - 1.610157f, -0.2395337f,
                            -1.387268f,      0.5165441f, 0.07f,           19};
    EXPECT_TRUE(same(snowFlakes[2], want, "f"));
    EXPECT_TRUE(same(snowFlakes[3], SnowFlake{1, 2, 3, 4, 5, 6, 7, 8}, "f"));
}

// A minute of play in each weather, firing and killing now and then: whatever the draws, the
// living stay in the park and on the ground, the dead tip no further than flat, particle arrays
// stay packed within their caps, and the weather's drops stay over the park.
TEST(World, EverythingStaysInTheParkOnTheGroundAndPacked) {
    startGame(1780351200u);
    for (int weather : {IDM_WEATHER_RAINY, IDM_WEATHER_SNOWY, IDM_WEATHER_NONE}) {
        shellCommand(weather);
        for (int f = 0; f < 600; ++f) {
            if (f % 30 == 0) {
                thePlayer.yaw += 97;
                thePlayer.pitch = -10.0f + f % 7;
                theArena.fireCooldown = 0;
                fireWeapon();
                killAnimal(f / 30 % ANIMAL_COUNT);
            }
            simulateFrame(0.1f);
            const ArenaState& a = theArena;
            for (int i = 0; i < a.enemyCount; ++i) {
                const EnemyRecord& e = a.enemies[i];
                ASSERT_LE(std::max(std::fabs(e.position.x), std::fabs(e.position.z)), 125.8f) << i;
                ASSERT_EQ(e.position.y, terrainHeightAt(e.position.x, e.position.z)) << i;
                ASSERT_TRUE(within(e.fallAngle, 0, 90)) << i;
            }
            for (const AnimalRecord& b : animals) {
                ASSERT_LE(std::max(std::fabs(b.x), std::fabs(b.z)), 123.62f) << &b - animals;
                ASSERT_TRUE(within(b.fallAngle, 0, 90)) << &b - animals;
            }
            const struct {
                int count, cap;
                float life;
            } PACKED[] = {
                // the count, the cap, the last counted one's life
                {a.bloodDropCount, MAX_BLOOD_DROPS, a.bloodDrops[last(a.bloodDropCount)].life},
                {a.bloodPoolCount, MAX_BLOOD_POOLS, a.bloodPools[last(a.bloodPoolCount)].life},
                {a.splashDropCount, MAX_SPLASH_DROPS, a.splashDrops[last(a.splashDropCount)].life},
                {a.rippleCount, MAX_RIPPLES, a.ripples[last(a.rippleCount)].life},
                {a.sparkCount, MAX_SPARKS, a.sparks[last(a.sparkCount)].life},
                {rainSplashCount, MAX_RAIN_SPLASHES, rainSplashes[last(rainSplashCount)].life}};
            for (const auto& p : PACKED) {
                ASSERT_TRUE(within(p.count, 0, p.cap)) << "frame " << f;
                ASSERT_TRUE(p.count == 0 || p.life > 0) << "frame " << f;
            }
            for (int i = 0; i < rainDropCount; ++i)
                ASSERT_LE(std::max(std::fabs(rainDrops[i].x), std::fabs(rainDrops[i].z)), 126.5f);
            for (int i = 0; i < snowFlakeCount; ++i) ASSERT_LE(std::fabs(snowFlakes[i].vx), 1);
            ASSERT_TRUE(within(a.snowCover, 0, 1));
        }
    }
    EXPECT_GT(theArena.shotsFired, 50);
}
