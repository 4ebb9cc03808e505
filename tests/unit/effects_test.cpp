#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "combat/particles.h"
#include "render/clouds.h"
#include "support/world_fixture.h"
#include "support/replay.h"
#include "world/fish.h"

namespace {

// The spawns by their rules: a count, then per particle its draws, stopping at the cap.
void bloodByRule(ArenaState& a, Vec3 p, Rand& r) {
    int n = r.i(30, 50);
    for (int k = 0; k < n && a.bloodDropCount < MAX_BLOOD_DROPS; ++k) {
        BloodDrop& d = a.bloodDrops[a.bloodDropCount++];
        float u = r.f(0, 1);
        d.position = p;
        d.velocity.z = r.f(-3.5f, 3.5f);
        d.velocity.y = r.f(0.5f, 6);
        d.velocity.x = r.f(-3.5f, 3.5f);
        d.maxLife = d.life = r.f(0.6f, 1.2f);
        d.size = r.f(0.015f, 0.12f);
        d.landed = 0;
        d.colour = u < 0.3f ? Vec3{0.6f, 0, 0} : u < 0.7f ? Vec3{0.8f, 0.05f, 0} : Vec3{0.5f, 0, 0.05f};
    }
    if (a.bloodPoolCount == MAX_BLOOD_POOLS) return;
    BloodPool& s = a.bloodPools[a.bloodPoolCount++];
    s.position = Vec3{p.x, terrainHeightAt(p.x, p.z) + 0.015f, p.z};
    s.radius = r.f(0.3f, 0.8f);
    s.life = s.maxLife = 5;
}

void splashByRule(ArenaState& a, Vec3 p, Rand& r) {
    int n = r.i(12, 20);
    for (int k = 0; k < n && a.splashDropCount < MAX_SPLASH_DROPS; ++k) {
        SplashDrop& d = a.splashDrops[a.splashDropCount++];
        d.position = p;
        d.velocity.z = r.f(-2, 2);
        d.velocity.y = r.f(2, 5);
        d.velocity.x = r.f(-2, 2);
        d.maxLife = d.life = r.f(0.3f, 1);
        d.size = r.f(0.02f, 0.06f);
    }
    if (a.rippleCount < MAX_RIPPLES) a.ripples[a.rippleCount++] = Ripple{p, 0.1f, 1.5f, 1.5f};
}

void sparksByRule(ArenaState& a, Vec3 p, Rand& r) {
    int n = r.i(10, 18);
    for (int k = 0; k < n && a.sparkCount < MAX_SPARKS; ++k) {
        Spark& s = a.sparks[a.sparkCount++];
        s.position = p;
        s.velocity.z = r.f(-4, 4);
        s.velocity.y = r.f(1, 5);
        s.velocity.x = r.f(-4, 4);
        s.maxLife = s.life = r.f(0.15f, 0.4f);
        s.colour.x = r.f(0.8f, 1), s.colour.y = r.f(0.5f, 0.9f), s.colour.z = r.f(0, 0.2f);
    }
}

float inPark(float v) { return std::clamp(v, -126.5f, 126.5f); }

void dropByRule(RainDrop& d, Vec3 p, Rand& r) {
    d.x = p.x + r.f(-30, 30), d.y = r.f(15, 30), d.z = p.z + r.f(-30, 30), d.fallSpeed = r.f(-20, -15), d.life = r.f(0.3f, 0.8f);
}

void flakeByRule(SnowFlake& f, Vec3 p, Rand& r) {
    f.x = p.x + r.f(-40, 40), f.y = r.f(15, 30), f.z = p.z + r.f(-40, 40);
    f.vx = r.f(-0.8f, 0.8f), f.vy = r.f(-3, -1.2f), f.vz = r.f(-0.8f, 0.8f);
}

struct Weather {
    RainDrop drops[MAX_RAIN_DROPS];
    RainSplash splashes[MAX_RAIN_SPLASHES];
    SnowFlake flakes[MAX_SNOW_FLAKES];
    int splashCount;
};

void weatherByRule(Weather& w, int mode, float dt, Vec3 p, Rand& r) {
    if (mode == WEATHER_RAIN) {
        for (RainDrop& d : w.drops) {
            d.y += d.fallSpeed * dt, d.life -= dt;
            if (d.y >= 0 && d.life > 0) continue;
            if (d.y > -2 && d.y < 0.5f && w.splashCount < MAX_RAIN_SPLASHES) {
                RainSplash& s = w.splashes[w.splashCount++];
                s.x = d.x, s.y = 0, s.z = d.z, s.radius = r.f(0.15f, 0.35f), s.initialLife = s.life = r.f(0.2f, 0.4f);
            }
            dropByRule(d, p, r);
            d.x = inPark(d.x), d.z = inPark(d.z);
        }
        for (int i = w.splashCount - 1; i >= 0; --i)
            if ((w.splashes[i].life -= dt) <= 0) w.splashes[i] = w.splashes[--w.splashCount];
    } else if (mode == WEATHER_SNOW) {
        for (SnowFlake& f : w.flakes) {
            f.x += f.vx * dt, f.y += f.vy * dt, f.z += f.vz * dt, f.spin += 90 * dt;
            f.vx = std::clamp(f.vx + r.f(-0.5f, 0.5f) * dt, -1.0f, 1.0f);
            if (f.y < 0) flakeByRule(f, p, r), f.x = inPark(f.x), f.z = inPark(f.z);
        }
    } else {
        w.splashCount = 0;
    }
}

::testing::AssertionResult sameWeather(const Weather& w) {
    if (rainSplashCount != w.splashCount) return ::testing::AssertionFailure() << "splash count " << rainSplashCount;
    auto a = sameRecords(rainDrops, w.drops, MAX_RAIN_DROPS, "fffff");
    auto b = sameRecords(rainSplashes, w.splashes, MAX_RAIN_SPLASHES, "ffffff");
    return !a ? a : !b ? b : sameRecords(snowFlakes, w.flakes, MAX_SNOW_FLAKES, "ffffffff");
}

void fishByRule(FishSchool& f, Rand& r) {
    for (int i = 0; i < FISH_COUNT; ++i) {
        float d = f.targetAlong[i] - f.along[i];
        if (f.moving[i] && -0.005f < d && d < 0.005f) {
            f.moving[i] = 0, f.idleTimer[i] = r.f(2, 6);
        } else if (f.moving[i]) {
            f.along[i] += d * 0.001f;
        } else {
            f.idleTimer[i] -= 0.016f;
            f.along[i] += (float)std::sin(f.phase[i]) * 0.00015f;
            if (f.idleTimer[i] <= 0) f.moving[i] = 1, f.targetAlong[i] = std::clamp(f.along[i] + r.f(-0.15f, 0.15f), 0.02f, 0.98f);
        }
        f.phase[i] += 0.04f;
        if (f.along[i] < 0) f.along[i] += 1;
        if (f.along[i] > 1) f.along[i] -= 1;
    }
}

}  // namespace

// Spawns into empty and nearly full arrays: the same draws in the same order,
// nothing past a cap, and a stain or ripple only while there is room.
TEST(Effects, SpawnsDrawInOrderAndStopAtTheirCaps) {
    startGame(1780351200u);
    struct Case {
        void (*spawn)(ArenaState*, Vec3);
        void (*rule)(ArenaState&, Vec3, Rand&);
        int drops, pools, splashes, ripples, sparks;
    } CASES[] = {{spawnBloodBurst, bloodByRule, 0, 0, 0, 0, 0},   {spawnBloodBurst, bloodByRule, 500, 128, 0, 0, 0},
                 {spawnBloodBurst, bloodByRule, 512, 127, 0, 0, 0}, {spawnSplash, splashByRule, 0, 0, 0, 0, 0},
                 {spawnSplash, splashByRule, 0, 0, 25, 8, 0},       {spawnSparks, sparksByRule, 0, 0, 0, 0, 0},
                 {spawnSparks, sparksByRule, 0, 0, 0, 0, 20}};
    static ArenaState want;
    for (const Case& c : CASES)
        for (uint32_t seed : {1u, 2u, 3u}) {
            ArenaState& a = theArena;
            a.bloodDropCount = c.drops, a.bloodPoolCount = c.pools, a.splashDropCount = c.splashes;
            a.rippleCount = c.ripples, a.sparkCount = c.sparks;
            want = a;
            Vec3 p = {17.5f, 9, -33.25f};
            seedRandom(seed);
            Rand r{seed};
            c.spawn(&a, p);
            c.rule(want, p, r);
            ASSERT_TRUE(sameRecords(&a, &want, 1, ARENA_FIELDS)) << (&c - CASES) << ", seed " << seed;
            ASSERT_EQ(nextRandom(), r.next());
        }
    startTracer(&theArena, Vec3{1, 2, 3}, Vec3{4, 5, 6});
    ShotTracer t = {{1, 2, 3}, {4, 5, 6}, 0.2f, 1};
    EXPECT_TRUE(sameRecords(&theArena.tracer, &t, 1, "fffffffi"));
}

// Rain near the east edge (drops ending high, low, below the overshoot, a
// splash array near full, a still frame) then snow, then clear weather.
TEST(Effects, RainSplashesAndSnowFollowThePlayerByTheirRules) {
    startGame(1780351200u);
    static Weather w;
    Vec3& p = thePlayer.position;
    p = Vec3{120, 5, -100};
    theArena.weatherMode = WEATHER_RAIN;
    seedRandom(3);
    Rand r{3};
    spawnRain();
    for (RainDrop& d : w.drops) dropByRule(d, p, r);
    ASSERT_EQ(rainDropCount, MAX_RAIN_DROPS);
    ASSERT_TRUE(sameRecords(rainDrops, w.drops, MAX_RAIN_DROPS, "fffff"));
    for (int i = 0; i < MAX_RAIN_DROPS; i += 7) rainDrops[i].y = 0.2f + i % 3 * 0.2f, rainDrops[i].life = 0.01f;
    for (int i = 3; i < MAX_RAIN_DROPS; i += 11) rainDrops[i].y = i % 2 ? -2.5f : 5.0f, rainDrops[i].life = 0.001f;
    for (int i = 0; i < 95; ++i) rainSplashes[i] = RainSplash{i * 1.0f, 0, 2, 0.2f, 0.1f + i % 5 * 0.05f, 0.3f};
    rainSplashCount = 95;
    const float DT[4] = {0.016f, 0.1f, 0, 0.05f};
    for (int f = 0; f < 120; ++f) {
        if (f == 60) {
            theArena.weatherMode = WEATHER_SNOW;
            spawnSnow();
            for (int i = 0; i < MAX_SNOW_FLAKES; i += 9) snowFlakes[i].vx = 0.99f, snowFlakes[i].y = 0.01f;
        }
        p.x += 0.5f;
        std::copy(rainDrops, rainDrops + MAX_RAIN_DROPS, w.drops);
        std::copy(rainSplashes, rainSplashes + MAX_RAIN_SPLASHES, w.splashes);
        std::copy(snowFlakes, snowFlakes + MAX_SNOW_FLAKES, w.flakes);
        w.splashCount = rainSplashCount;
        seedRandom(f + 10);
        r = Rand{f + 10u};
        updateWeather(DT[f % 4]);
        weatherByRule(w, theArena.weatherMode, DT[f % 4], p, r);
        ASSERT_TRUE(sameWeather(w)) << "frame " << f;
        ASSERT_EQ(nextRandom(), r.next()) << "frame " << f;
    }
    seedRandom(9);
    r = Rand{9};
    spawnSnow();
    for (SnowFlake& f : w.flakes) flakeByRule(f, p, r), f.size = r.f(0.04f, 0.1f), f.spin = r.f(0, 360);
    EXPECT_EQ(snowFlakeCount, MAX_SNOW_FLAKES);
    EXPECT_TRUE(sameRecords(snowFlakes, w.flakes, MAX_SNOW_FLAKES, "ffffffff"));
    theArena.weatherMode = WEATHER_CLEAR;
    rainSplashCount = 50;
    updateWeather(0.016f);
    EXPECT_EQ(rainSplashCount, 0);
}

// Fish idle, drift, wrap at the stream's ends, swim toward clamped targets and
// stop strictly inside 0.005 of them.
TEST(Effects, FishIdleSwimAndWrapByTheirRules) {
    startGame(1780351200u);
    FishSchool& s = fishSchool;
    auto set = [&](int i, float along, float target, int moving, float idle, float phase) {
        s.along[i] = along, s.targetAlong[i] = target, s.moving[i] = moving, s.idleTimer[i] = idle, s.phase[i] = phase;
    };
    set(0, 0.00005f, 0, 0, 100, -1.5707963f);  // drifts back past 0
    set(1, 0.99999f, 0, 0, 100, 1.5707963f);   // and on past 1
    set(2, 0.97f, 0, 0, 0.01f, 0);             // a swim from near the end
    set(3, 0.03f, 0, 0, 0.01f, 0);             // and from near the start
    set(4, 0, 0.005f, 1, 0, 0);                // exactly 0.005 short: still swims
    set(5, 0.005f, 0, 1, 0, 0);
    set(6, 0.5f, 0.5049f, 1, 0, 0);            // inside: stops
    static FishSchool want;
    for (int f = 0; f < 400; ++f) {
        want = s;
        seedRandom(f + 1);
        Rand r{f + 1u};
        updateFishSchool();
        fishByRule(want, r);
        ASSERT_TRUE(sameRecords(&s, &want, 1, std::string(7 * FISH_COUNT, 'f') + std::string(FISH_COUNT, 'i'))) << f;
        ASSERT_EQ(nextRandom(), r.next()) << f;
    }
}

// Cloud counts and colours by weather and night; drift wraps by 260 from the next frame on.
TEST(Effects, CloudsByWeatherAndTheirDrift) {
    struct Case { int weather; float night; CloudLook look; } CASES[] = {
        {0, 0, {6, 0.95f, 0.95f, 0.97f, 0.55f}}, {0, 1, {6, 0.75f, 0.75f, 0.82f, 0.55f}}, {1, 1, {20, 0.1f, 0.1f, 0.2f, 0.8f}},
        {2, 0.5f, {22, 0.4f, 0.4f, 0.475f, 0.7f}}, {5, 0, {6, 0.95f, 0.95f, 0.97f, 0.55f}}};
    for (const Case& c : CASES) {
        CloudLook got = cloudLook(c.weather, c.night);
        EXPECT_EQ(got.count, c.look.count) << c.weather;
        EXPECT_TRUE(sameRecords(&got.red, &c.look.red, 4, "f")) << c.weather;
    }
    startGame(1780351200u);
    buildClouds();
    CloudField& f = cloudField;
    for (int i = 0; i < CLOUD_SLOTS; ++i) f.driftBase[i] = 500, f.speed[i] = 0;
    f.driftBase[0] = 115, f.speed[0] = 2, f.driftBase[1] = -160, f.speed[1] = 1.5f, f.driftBase[2] = 110, f.speed[2] = 2;
    cloudClock = 9.984f;
    drawClouds(&thePlayer, WEATHER_RAIN, 0);  // the clock reaches 10
    EXPECT_FLOAT_EQ(cloudClock, 10);
    const float BASE[4] = {115 - 260, -160 + 260, 110, 500 - 260};  // d = 135, -175, 130, 500
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(f.driftBase[i], BASE[i]) << i;
    for (int i = 4; i < CLOUD_SLOTS; ++i) EXPECT_EQ(f.driftBase[i], i < 20 ? 240 : 500) << i;
    EXPECT_FLOAT_EQ(cloudDrift(0), -125);
}
