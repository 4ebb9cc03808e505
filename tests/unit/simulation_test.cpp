#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/particles.h"
#include "combat/shooting.h"
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

// 3 units a second along the heading, on the ground; a run-out timer draws a fresh heading and 1.5
// to 4 s; a slope over 0.45 is refused with a fresh heading and 0.5 to 1.5 s; within 5 of the
// player it turns straight away. srand(1) draws 41 (heading 360 x 41 / 32767), 18467.
TEST(Enemies, WalkTheGroundAndShyAwayFromThePlayer) {
    const struct {
        const char* name;
        float slope, heading, timer;
        Vec3 player;
        float x, z, newHeading, newTimer;
    } CASES[] = {
        {"along +x on a 0.2 slope", 0.2f, 0, 5, FAR_AWAY, 10.3f, 20, 0, 4.9f},
        {"walked out", 0, 0, 0.1f, FAR_AWAY, 10.29999f, 20.002359f, 0.4504532f, 2.908963f},
        {"up a 0.5 slope", 0.5f, 0, 5, FAR_AWAY, 10, 20, 0.4504532f, 1.063585f},
        {"the player north-east", 0, 90, 5, {11, 0, 21.3f}, 10, 20.3f, 225, 4.9f},
        {"the player 5 off", 0, 90, 5, {14, 3, 20.3f}, 10, 20.3f, 90, 4.9f},
        {"the player 4.95 off", 0, 90, 5, {14, 2.9f, 20.3f}, 10, 20.3f, 180, 4.9f},
    };
    for (const auto& c : CASES) {
        slopedPark(c.slope);
        theArena.enemies[0] =
            EnemyRecord{{10, c.slope * 136.5f, 20}, c.heading, c.timer, 1, 0, 0, {}};
        theArena.enemyCount = 1;
        seedRandom(1);
        updateArena(&theArena, 0.1f, c.player);
        const Vec3 feet = {c.x, c.slope * (c.x + 126.5f), c.z};  // the west edge is 126.5 off
        const EnemyRecord want = {feet, c.newHeading, c.newTimer, 1, 0, 0, {}};
        EXPECT_TRUE(same(theArena.enemies[0], want, "ffffffiffff")) << c.name;
    }
}

// A run-out rest starts a walk of 1 to 3 s (rabbits 1.2, deer 0.8 a second, gait 6 radians a
// second: 6.6 wraps to 0.32), then a rest of 5 to 15 s; a slope over 0.45 turns them for 0.5 to 1.5
// s.
TEST(Animals, RestWalkAndTurnFromSteepGround) {
    const struct {
        const char* name;
        int kind, moving;
        float timer, heading, slope;
        int nowMoving;
        float x, z, facing, newHeading, newTimer, gait;
    } CASES[] = {
        {"setting off", ANIMAL_RABBIT, 0, 0.05f, 0, 0, 1, 10.12f, 20.000943f, 0.4504532f,
         0.4504532f, 2.127171f, 0.32f},
        {"a deer walking", ANIMAL_DEER, 1, 2, 90, 0, 1, 10, 20.08f, 90, 90, 1.9f, 0.32f},
        {"stopping", ANIMAL_DEER, 1, 0.05f, 90, 0, 0, 10, 20, 33, 90, 5.012513f, 6},
        {"up a steep slope", ANIMAL_DEER, 1, 2, 0, 0.5f, 1, 10, 20, 33, 0.4504532f, 1.063585f,
         0.32f},
    };
    for (const auto& c : CASES) {
        slopedPark(c.slope);
        animals[7] = AnimalRecord{c.kind, 10, 20, 33, c.timer, c.heading, 6, c.moving, 1, 0, 0};
        seedRandom(1);
        updateAnimals(0.1f);
        const AnimalRecord want = {c.kind, c.x,         c.z, c.facing, c.newTimer, c.newHeading,
                                   c.gait, c.nowMoving, 1,   0,        0};
        EXPECT_TRUE(same(animals[7], want, "iffffffiiff")) << c.name;
    }
}

// An idle fish drifts 0.00015 sin(phase) a frame; the frame its timer (0.016 a frame) runs out it
// sets off toward 0.15 - 0.3 x 41 / 32767 back, srand(1) drawing 41. Past an end, it comes round.
// One within 0.005 of its mark stops there and idles 2 + 4 x 18467 / 32767, the next draw.
TEST(Fish, AnIdleFishDriftsThenSetsOff) {
    startGame(1780351200u);  // every fish idle
    fishSchool.along[0] = 0.5f;
    fishSchool.idleTimer[0] = 0.016f;
    fishSchool.phase[0] = 1.5707964f;
    fishSchool.along[1] = 0.9999f;
    fishSchool.phase[1] = 1.5707964f;
    fishSchool.along[2] = 0.0001f;
    fishSchool.phase[2] = -1.5707964f;
    fishSchool.moving[3] = 1;
    fishSchool.targetAlong[3] = fishSchool.along[3] + 0.004f;
    seedRandom(1);
    updateFishSchool();
    EXPECT_NEAR(fishSchool.along[0], 0.50015f, 1e-6);
    EXPECT_NEAR(fishSchool.targetAlong[0], 0.50015f - 0.149625f, 1e-6);
    EXPECT_NEAR(fishSchool.along[1], 0.00005f, 1e-6);
    EXPECT_NEAR(fishSchool.along[2], 0.99995f, 1e-6);
    EXPECT_EQ(fishSchool.moving[3], 0);
    EXPECT_NEAR(fishSchool.idleTimer[3], 2 + 4 * 18467 / 32767.0, 1e-5);
}

// Over 0.1 s: blood falls 12 a second faster, lands 0.01 up 1.5 times as big, spreads 0.05 a second
// to 0.2; splashes fall 10 (one thrown up at 2 slows to 1 and rises 0.1) and skim the water at
// -0.25, slowed to 0.3 across; sparks fall 15; ripples widen 1.5 a second. A drop that ends gives
// its slot to the last; a burst reusing a landed drop's slot flies.
TEST(Particles, EachKindFallsLandsAndAgesInItsPackedArray) {
    slopedPark(0);
    ArenaState& a = theArena;
    a.bloodDrops[0] = BloodDrop{{0, 5, 0}, {1, 2, 0}, 1, 1, 0.1f, {}, 0};
    a.bloodDrops[1] = BloodDrop{{0, 0.05f, 0}, {0, -1, 0}, 1, 1, 0.1f, {}, 0};  // to 0.05 - 0.22
    a.bloodDrops[2] = BloodDrop{{0, 0.01f, 0}, {}, 0.05f, 1, 0.1f, {}, 1};
    a.bloodDrops[3] = BloodDrop{{0, 0.01f, 0}, {}, 1, 1, 0.199f, {}, 1};
    a.bloodDrops[4] = BloodDrop{{0, 0.01f, 0}, {}, 1, 1, 0.1f, {}, 1};
    a.bloodDropCount = 5;
    a.splashDrops[0] = SplashDrop{{0, -0.2f, 0}, {1, -1, 1}, 1, 1, 0.05f};
    a.splashDrops[1] = SplashDrop{{0, 0, 0}, {0, 2, 0}, 1, 1, 0.05f};
    a.splashDropCount = 2;
    a.sparks[0] = Spark{{0, 3, 0}, {1, 1, 0}, 1, 1, {}};
    a.sparkCount = 1;
    a.bloodPools[0] = BloodPool{{}, 0.5f, 0.05f, 5};
    a.bloodPoolCount = 1;
    a.ripples[0] = Ripple{{}, 0.3f, 1, 1.5f};
    a.rippleCount = 1;
    updateArena(&a, 0.1f, FAR_AWAY);
    const char* BLOOD = "ffffffffffffi";
    EXPECT_TRUE(same(a.bloodDrops[0],
                     BloodDrop{{0.1f, 5.08f, 0}, {1, 0.8f, 0}, 0.9f, 1, 0.1f, {}, 0}, BLOOD));
    EXPECT_TRUE(same(a.bloodDrops[1], BloodDrop{{0, 0.01f, 0}, {}, 0.9f, 1, 0.15f, {}, 1}, BLOOD));
    EXPECT_TRUE(same(a.bloodDrops[3], BloodDrop{{0, 0.01f, 0}, {}, 0.9f, 1, 0.2f, {}, 1}, BLOOD));
    EXPECT_TRUE(same(a.bloodDrops[2], BloodDrop{{0, 0.01f, 0}, {}, 0.9f, 1, 0.105f, {}, 1}, BLOOD));
    EXPECT_EQ(a.bloodDropCount, 4);
    EXPECT_TRUE(same(a.splashDrops[0],
                     SplashDrop{{0.1f, -0.25f, 0.1f}, {0.3f, 0, 0.3f}, 0.9f, 1, 0.05f}, "f"));
    EXPECT_TRUE(same(a.splashDrops[1], SplashDrop{{0, 0.1f, 0}, {0, 1, 0}, 0.9f, 1, 0.05f}, "f"));
    EXPECT_TRUE(same(a.sparks[0], Spark{{0.1f, 2.95f, 0}, {1, -0.5f, 0}, 0.9f, 1, {}}, "f"));
    EXPECT_EQ(a.bloodPoolCount, 0);
    EXPECT_TRUE(same(a.ripples[0], Ripple{{}, 0.45f, 0.9f, 1.5f}, "f"));
    a.bloodDropCount = 500;  // bursts stop at the caps
    a.bloodDrops[500].landed = 1;
    a.splashDropCount = 25;
    a.sparkCount = 20;
    spawnBloodBurst(&a, Vec3{});
    spawnSplash(&a, Vec3{});
    spawnSparks(&a, Vec3{});
    EXPECT_EQ(a.bloodDropCount, 512);
    EXPECT_EQ(a.bloodDrops[500].landed, 0);
    EXPECT_EQ(a.splashDropCount, 32);
    EXPECT_EQ(a.sparkCount, 24);
}

// Over many bursts every drawn quantity spans its range and no further (to 2 %); each starts at its
// full life; blood in three reds; pools live 5 s, ripples 1.5 s from 0.1 across.
TEST(Particles, BurstsSpreadOverTheirRanges) {
    slopedPark(0);
    ArenaState& a = theArena;
    struct Seen {
        float least, most, low, high;
    };
    std::map<std::string, Seen> seen;
    auto see = [&](const std::string& name, float v, float low, float high) {
        auto [at, fresh] = seen.try_emplace(name, Seen{v, v, low, high});
        at->second.least = std::min(at->second.least, v);
        at->second.most = std::max(at->second.most, v);
    };
    for (int burst = 0; burst < 200; ++burst) {
        a.bloodDropCount = a.bloodPoolCount = a.splashDropCount = a.rippleCount = a.sparkCount = 0;
        spawnBloodBurst(&a, Vec3{});
        spawnSplash(&a, Vec3{});
        spawnSparks(&a, Vec3{});
        see("blood drops", a.bloodDropCount, 30, 50);
        see("splash drops", a.splashDropCount, 12, 20);
        see("sparks", a.sparkCount, 10, 18);
        see("pool radius", a.bloodPools[0].radius, 0.3f, 0.8f);
        see("pool life", a.bloodPools[0].life + a.bloodPools[0].maxLife, 10, 10);
        see("ripple radius", a.ripples[0].radius, 0.1f, 0.1f);
        see("ripple life", a.ripples[0].life + a.ripples[0].maxLife, 3, 3);
        for (const BloodDrop& d : std::vector<BloodDrop>(a.bloodDrops, a.bloodDrops + 30)) {
            see("blood life", d.life, 0.6f, 1.2f);
            see("blood full life", d.maxLife - d.life, 0, 0);
            see("blood size", d.size, 0.015f, 0.12f);
            see("blood up", d.velocity.y, 0.5f, 6);
            see("blood across", d.velocity.x, -3.5f, 3.5f);
            see("blood red", d.colour.x, 0.5f, 0.8f);
            see("blood green and blue", d.colour.y + d.colour.z, 0, 0.05f);
        }
        for (const SplashDrop& d : std::vector<SplashDrop>(a.splashDrops, a.splashDrops + 12)) {
            see("splash life", d.life, 0.3f, 1);
            see("splash full life", d.maxLife - d.life, 0, 0);
            see("splash size", d.size, 0.02f, 0.06f);
            see("splash up", d.velocity.y, 2, 5);
        }
        for (const Spark& s : std::vector<Spark>(a.sparks, a.sparks + 10)) {
            see("spark life", s.life, 0.15f, 0.4f);
            see("spark full life", s.maxLife - s.life, 0, 0);
            see("spark up", s.velocity.y, 1, 5);
            see("spark red", s.colour.x, 0.8f, 1);
            see("spark green", s.colour.y, 0.5f, 0.9f);
            see("spark blue", s.colour.z, 0, 0.2f);
        }
    }
    for (const auto& [name, s] : seen) {
        const float slack = 0.02f * (s.high - s.low) + 1e-6f;
        EXPECT_NEAR(s.least, s.low, slack) << name << ", the least";
        EXPECT_NEAR(s.most, s.high, slack) << name << ", the most";
    }
}

// A drop falls and ages; one ending below 0 or out of life starts anew around the player in the
// park, leaving a ring if it ended 2 below to 0.5 above 0 while fewer than 100 are out.
TEST(Weather, RainFallsEndsInRingsAndStartsAgainAroundThePlayer) {
    startGame(1780351200u);
    shellCommand(IDM_WEATHER_RAINY);
    thePlayer.position = Vec3{125, 5, 0};
    for (RainDrop& d : rainDrops) d.life = 0.05f;      // all end but the six below
    rainDrops[1] = RainDrop{3, 0.2f, 4, -15, 0.5f};    // to -1.3: a ring
    rainDrops[2] = RainDrop{5, -0.9f, 6, -15, 0.5f};   // to -2.4: none
    rainDrops[3] = RainDrop{7, 5, 8, -15, 0.05f};      // out of life high up: none
    rainDrops[4] = RainDrop{9, 0.4f, 10, -15, 0.05f};  // out of life at -1.1: a ring
    rainDrops[5] = RainDrop{11, 1.5f, 12, -15, 0.5f};  // to 0: still falling
    rainSplashes[0] = RainSplash{0, 0, 0, 0.2f, 0.05f, 0.3f};
    rainSplashCount = 1;
    updateWeather(0.1f);
    EXPECT_TRUE(same(rainDrops[5], RainDrop{11, 0, 12, -15, 0.4f}, "f"));
    EXPECT_EQ(rainSplashCount, 2);
    EXPECT_EQ(rainSplashes[0].x, 9);  // the last ring took the spent one's place
    EXPECT_EQ(rainSplashes[1].x, 3);
    for (int i = 6; i < MAX_RAIN_DROPS; ++i)  // anew around the player, inside the park
        EXPECT_TRUE(within(rainDrops[i].x, 95, 126.5f)) << i;
    rainDrops[5] = RainDrop{1, 0.1f, 2, -15, 0.5f};
    rainDrops[6] = RainDrop{1, 0.1f, 2, -15, 0.5f};
    for (RainSplash& r : rainSplashes) r = RainSplash{0, 0, 0, 0.2f, 1, 1};
    rainSplashCount = 99;  // room for one ring more
    updateWeather(0.1f);
    EXPECT_EQ(rainSplashCount, 100);
    rainDropCount = 10;  // only counted drops move
    rainDrops[10] = RainDrop{1, 0.1f, 2, -15, 0.5f};
    updateWeather(0.1f);
    EXPECT_TRUE(same(rainDrops[10], RainDrop{1, 0.1f, 2, -15, 0.5f}, "f"));
    theArena.weatherMode = WEATHER_CLEAR;  // clear skies take the rings away
    updateWeather(0.1f);
    EXPECT_EQ(rainSplashCount, 0);
}

// A minute of play in each weather, firing and killing: the living stay in the park on the ground,
// the dead tip no further than flat, particles stay packed, rain and snow over the park.
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
            }
            simulateFrame(0.1f);
            const ArenaState& a = theArena;
            for (int i = 0; i < a.enemyCount; ++i) {
                const EnemyRecord& e = a.enemies[i];
                ASSERT_LE(std::max(std::fabs(e.position.x), std::fabs(e.position.z)), 125.8f) << i;
                ASSERT_EQ(e.position.y, terrainHeightAt(e.position.x, e.position.z)) << i;
                ASSERT_TRUE(within(e.fallAngle, 0, 90)) << i;
            }
            const struct {
                int count, cap;
                float lastLife;
            } PACKED[] = {
                {a.bloodDropCount, MAX_BLOOD_DROPS, a.bloodDrops[last(a.bloodDropCount)].life},
                {a.bloodPoolCount, MAX_BLOOD_POOLS, a.bloodPools[last(a.bloodPoolCount)].life},
                {a.splashDropCount, MAX_SPLASH_DROPS, a.splashDrops[last(a.splashDropCount)].life},
                {a.rippleCount, MAX_RIPPLES, a.ripples[last(a.rippleCount)].life},
                {a.sparkCount, MAX_SPARKS, a.sparks[last(a.sparkCount)].life},
                {rainSplashCount, MAX_RAIN_SPLASHES, rainSplashes[last(rainSplashCount)].life}};
            for (const auto& p : PACKED) {
                ASSERT_TRUE(within(p.count, 0, p.cap)) << "frame " << f;
                ASSERT_TRUE(p.count == 0 || p.lastLife > 0) << "frame " << f;
            }
            for (int i = 0; i < rainDropCount; ++i)
                ASSERT_LE(std::max(std::fabs(rainDrops[i].x), std::fabs(rainDrops[i].z)), 126.5f);
            for (int i = 0; i < snowFlakeCount; ++i) {
                const SnowFlake& s = snowFlakes[i];
                ASSERT_LE(std::max(std::fabs(s.x), std::fabs(s.z)), 126.5f) << "flake " << i;
                ASSERT_LE(std::fabs(s.vx), 1) << "flake " << i;
                ASSERT_GE(s.y, 0) << "flake " << i;  // one that fell through starts again
            }
            ASSERT_TRUE(within(a.snowCover, 0, 1));
        }
    }
}

// A tenth of a second: the flash falls by 8 a second to 0.2, the cooldown from 0.15 to 0.05, snow
// settles by 0.03 a second and melts in rain by 0.15. Once the game is won the rest stands still,
// but the last shot's flash and tracer (0.2 s) still run out, clear of the victory lines.
TEST(Arena, ClocksRunDownAndTheLastShotPlaysOutAfterTheWin) {
    slopedPark(0);
    ArenaState& a = theArena;
    a.muzzleFlash = 1;
    a.fireCooldown = 0.15f;
    a.weatherMode = WEATHER_SNOW;
    a.snowCover = 0.5f;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_FLOAT_EQ(a.muzzleFlash, 0.2f);
    EXPECT_FLOAT_EQ(a.fireCooldown, 0.05f);
    EXPECT_FLOAT_EQ(a.snowCover, 0.503f);
    a.weatherMode = WEATHER_RAIN;
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_FLOAT_EQ(a.snowCover, 0.488f);
    a.gameOver = 1;
    a.muzzleFlash = 1;
    a.fireCooldown = 0.15f;
    a.tracer = ShotTracer{{0, 0, 0}, {0, 0, 5}, 0.2f, 1};
    updateArena(&a, 0.15f, FAR_AWAY);
    EXPECT_EQ(a.tracer.active, 1);
    EXPECT_FLOAT_EQ(a.fireCooldown, 0.15f);
    updateArena(&a, 0.1f, FAR_AWAY);
    EXPECT_EQ(a.muzzleFlash, 0);
    EXPECT_EQ(a.tracer.active, 0);
}
