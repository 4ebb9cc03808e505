#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "combat/particles.h"
#include "support/world_fixture.h"
#include "world/fish.h"

namespace {

// A step that leads out past the line mirrors the heading on that axis and zeroes the timer; it is
// still taken, unless the creature already stands beyond the line.
void walk(float x, float z, float speed, float dt, float limit, float& heading, float& timer,
          float& nx, float& nz) {
    float h = heading * 3.1415927f / 180;
    float px = x + (float)std::cos((double)h) * speed * dt,
          pz = z + (float)std::sin((double)h) * speed * dt;
    auto outward = [&](float from, float to) {
        return std::fabs(to) > limit && std::fabs(to) > std::fabs(from);
    };
    bool outX = outward(x, px), outZ = outward(z, pz);
    if (outX) heading = 180 - heading, timer = 0;
    if (outZ) heading = 360 - heading, timer = 0;
    nx = outX && std::fabs(x) > limit ? x : px, nz = outZ && std::fabs(z) > limit ? z : pz;
}

void corpse(float& fall, float& timer, float dt) {
    if (fall < 90)
        fall = std::min(90.0f, fall + dt * 180);
    else if (timer > 0)
        timer -= dt;
}

// A packed array ages from its last slot down; a spent particle takes the last live one's place.
template <class P, class F>
void age(P* items, int& count, float dt, F advance) {
    for (int i = count - 1; i >= 0; --i)
        if ((items[i].life -= dt) <= 0)
            items[i] = items[--count];
        else
            advance(items[i]);
}

void fall(Vec3& p, Vec3& v, float gravity, float dt) {
    v.y -= gravity * dt, p = vecAdd(p, vecScale(v, dt));
}

// Spawns: a count, then each particle's draws (velocity z, y, x), stopping at the cap.
template <class P>
P* spawn(P* items, int& count, Vec3 p, Vec3 spread, Rand& r) {
    P& d = items[count++];
    d.position = p, d.velocity.z = r.f(-spread.x, spread.x), d.velocity.y = r.f(spread.y, spread.z);
    d.velocity.x = r.f(-spread.x, spread.x);
    return &d;
}

void blood(ArenaState& a, Vec3 p, Rand& r) {
    for (int n = r.i(30, 50); n > 0 && a.bloodDropCount < MAX_BLOOD_DROPS; --n) {
        float u = r.f(0, 1);
        BloodDrop* d = spawn(a.bloodDrops, a.bloodDropCount, p, Vec3{3.5f, 0.5f, 6}, r);
        d->maxLife = d->life = r.f(0.6f, 1.2f), d->size = r.f(0.015f, 0.12f), d->landed = 0;
        d->colour = u < 0.3f   ? Vec3{0.6f, 0, 0}
                    : u < 0.7f ? Vec3{0.8f, 0.05f, 0}
                               : Vec3{0.5f, 0, 0.05f};
    }
    Vec3 stain = {p.x, terrainHeightAt(p.x, p.z) + 0.015f, p.z};
    if (a.bloodPoolCount < MAX_BLOOD_POOLS)
        a.bloodPools[a.bloodPoolCount++] = BloodPool{stain, r.f(0.3f, 0.8f), 5, 5};
}

void splash(ArenaState& a, Vec3 p, Rand& r) {
    for (int n = r.i(12, 20); n > 0 && a.splashDropCount < MAX_SPLASH_DROPS; --n) {
        SplashDrop* d = spawn(a.splashDrops, a.splashDropCount, p, Vec3{2, 2, 5}, r);
        d->maxLife = d->life = r.f(0.3f, 1), d->size = r.f(0.02f, 0.06f);
    }
    if (a.rippleCount < MAX_RIPPLES) a.ripples[a.rippleCount++] = Ripple{p, 0.1f, 1.5f, 1.5f};
}

void sparks(ArenaState& a, Vec3 p, Rand& r) {
    for (int n = r.i(10, 18); n > 0 && a.sparkCount < MAX_SPARKS; --n) {
        Spark* s = spawn(a.sparks, a.sparkCount, p, Vec3{4, 1, 5}, r);
        s->maxLife = s->life = r.f(0.15f, 0.4f),
        s->colour = Vec3{r.f(0.8f, 1), r.f(0.5f, 0.9f), r.f(0, 0.2f)};
    }
}

void stepArena(ArenaState& a, float dt, Vec3 eye, Rand& r) {
    if (a.gameOver) return;
    if (a.muzzleFlash > 0) a.muzzleFlash = std::max(0.0f, a.muzzleFlash - dt * 8);
    if (a.fireCooldown > 0) a.fireCooldown -= dt;
    if (a.tracer.active && (a.tracer.timeLeft -= dt) <= 0) a.tracer.active = 0;
    age(a.bloodDrops, a.bloodDropCount, dt, [&](BloodDrop& d) {
        if (d.landed) return void(d.size = std::min(0.2f, d.size + 0.05f * dt));
        fall(d.position, d.velocity, 12, dt);
        float ground = terrainHeightAt(d.position.x, d.position.z) + 0.01f;
        if (d.position.y < ground)
            d.position.y = ground, d.landed = 1, d.velocity = Vec3{0, 0, 0}, d.size *= 1.5f;
    });
    age(a.bloodPools, a.bloodPoolCount, dt, [](BloodPool&) {});
    for (EnemyRecord* e = a.enemies; e < a.enemies + a.enemyCount; ++e) {
        Vec3& p = e->position;
        if (!e->alive && (corpse(e->fallAngle, e->corpseTimer, dt), true)) continue;
        if ((e->wanderTimer -= dt) <= 0) e->heading = r.f(0, 360), e->wanderTimer = r.f(1.5f, 4);
        float nx, nz;
        walk(p.x, p.z, 3, dt, 125.5f, e->heading, e->wanderTimer, nx, nz);
        if (terrainSlopeBetween(p.x, p.z, nx, nz) <= 0.45f)
            p = Vec3{nx, terrainHeightAt(nx, nz), nz};
        else
            e->heading = r.f(0, 360), e->wanderTimer = r.f(0.5f, 1.5f);
        // Shy of the eye: within 5 units in space, it turns straight away.
        double dx = p.x - eye.x, dy = p.y - eye.y, dz = p.z - eye.z,
               h = std::atan2(dz, dx) * 180 / M_PI;
        if (std::sqrt(dx * dx + dy * dy + dz * dz) < 5) e->heading = (float)(h < 0 ? h + 360 : h);
    }
    age(a.splashDrops, a.splashDropCount, dt, [&](SplashDrop& d) {
        fall(d.position, d.velocity, 10, dt);
        Vec3& v = d.velocity;
        if (d.position.y < -0.25f) d.position.y = -0.25f, v = Vec3{v.x * 0.3f, 0, v.z * 0.3f};
    });
    age(a.ripples, a.rippleCount, dt, [&](Ripple& p) { p.radius += 1.5f * dt; });
    age(a.sparks, a.sparkCount, dt, [&](Spark& s) { fall(s.position, s.velocity, 15, dt); });
    if (a.weatherMode == WEATHER_SNOW)
        a.snowCover = std::min(1.0f, a.snowCover + dt * 0.03f);
    else if (a.snowCover > 0)
        a.snowCover = std::max(0.0f, a.snowCover - dt * 0.15f);
}

void stepAnimals(AnimalRecord* all, float dt, Rand& r) {
    for (AnimalRecord* a = all; a < all + ANIMAL_COUNT; ++a) {
        if (!a->alive && (corpse(a->fallAngle, a->corpseTimer, dt), true)) continue;
        if ((a->wanderTimer -= dt) <= 0 && a->moving)
            a->moving = 0, a->wanderTimer = r.f(5, 15);
        else if (a->wanderTimer <= 0)
            a->moving = 1, a->heading = r.f(0, 360), a->wanderTimer = r.f(1, 3);
        if (!a->moving) continue;
        if ((a->gaitPhase += dt * 6) > 6.28f) a->gaitPhase -= 6.28f;
        float nx, nz;
        walk(a->x, a->z, a->kind == ANIMAL_RABBIT ? 1.2f : 0.8f, dt, 123.5f, a->heading,
             a->wanderTimer, nx, nz);
        if (terrainSlopeBetween(a->x, a->z, nx, nz) <= 0.45f)
            a->x = nx, a->z = nz, a->facing = a->heading;
        else
            a->heading = r.f(0, 360), a->wanderTimer = r.f(0.5f, 1.5f);
    }
}

float inPark(float v) { return std::clamp(v, -126.5f, 126.5f); }

void dropByRule(RainDrop& d, Vec3 p, Rand& r) {
    d.x = p.x + r.f(-30, 30), d.y = r.f(15, 30), d.z = p.z + r.f(-30, 30);
    d.fallSpeed = r.f(-20, -15), d.life = r.f(0.3f, 0.8f);
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

// Drops ending near the ground leave a ring if there is room; drops and flakes start again around
// the player.
void weatherByRule(Weather& w, int mode, float dt, Vec3 p, Rand& r) {
    for (RainDrop& d : w.drops) {
        if (mode != WEATHER_RAIN) break;
        d.y += d.fallSpeed * dt, d.life -= dt;
        if (d.y >= 0 && d.life > 0) continue;
        if (d.y > -2 && d.y < 0.5f && w.splashCount < MAX_RAIN_SPLASHES) {
            RainSplash& ring = w.splashes[w.splashCount++];
            ring = RainSplash{d.x, 0, d.z, r.f(0.15f, 0.35f), r.f(0.2f, 0.4f), 0},
            ring.initialLife = ring.life;
        }
        dropByRule(d, p, r), d.x = inPark(d.x), d.z = inPark(d.z);
    }
    for (int i = w.splashCount - 1; i >= 0 && mode == WEATHER_RAIN; --i)
        if ((w.splashes[i].life -= dt) <= 0) w.splashes[i] = w.splashes[--w.splashCount];
    for (SnowFlake& f : w.flakes) {
        if (mode != WEATHER_SNOW) break;
        f.x += f.vx * dt, f.y += f.vy * dt, f.z += f.vz * dt, f.spin += 90 * dt;
        f.vx = std::clamp(f.vx + r.f(-0.5f, 0.5f) * dt, -1.0f, 1.0f);
        if (f.y < 0) flakeByRule(f, p, r), f.x = inPark(f.x), f.z = inPark(f.z);
    }
    if (mode != WEATHER_RAIN && mode != WEATHER_SNOW) w.splashCount = 0;
}

void fishByRule(FishSchool& f, Rand& r) {
    for (int i = 0; i < FISH_COUNT; ++i) {
        float d = f.targetAlong[i] - f.along[i];
        if (f.moving[i] && -0.005f < d && d < 0.005f)
            f.moving[i] = 0, f.idleTimer[i] = r.f(2, 6);
        else if (f.moving[i])
            f.along[i] += d * 0.001f;
        else if ((f.along[i] += (float)std::sin(f.phase[i]) * 0.00015f, f.idleTimer[i] -= 0.016f) <=
                 0)
            f.moving[i] = 1,
            f.targetAlong[i] = std::clamp(f.along[i] + r.f(-0.15f, 0.15f), 0.02f, 0.98f);
        f.phase[i] += 0.04f;
        if (f.along[i] < 0) f.along[i] += 1;
        if (f.along[i] > 1) f.along[i] -= 1;
    }
}

}  // namespace

// Hills, a face rising 0.48 per unit, the edges, a player close by, the dead, shots' traces (into
// full arrays too), every weather, fish, a won game: each frame is what the rules make of the one
// before, field by field.
TEST(WorldSteps, EverythingMovesByItsRules) {
    startGame(1780351200u);
    for (int j = 44; j <= 53; ++j)  // x 20 .. 40, z -40 .. -20
        for (int i = 75; i <= 84; ++i)
            terrainHeights[j][i] = 0.48f * (i * terrainCellSize() - 146.5f);
    ArenaState& a = theArena;
    // x, z, heading, alive, fall angle, corpse timer: on the face heading up it, crossing the east
    // and the south line, beyond the east line heading further out, just shot, lying nearly gone,
    // two the player visits.
    const float ENEMIES[8][6] = {{25, -30, 0, 1, 0, 0},         {125.45f, 10, 0, 1, 0, 0},
                                 {-10, -125.45f, 270, 1, 0, 0}, {125.7f, 50, 10, 1, 0, 0},
                                 {60, 60, 0, 0, 0, 8},          {60, 70, 0, 0, 90, 0.05f},
                                 {40, 70, 45, 1, 0, 0},         {-40, 70, 45, 1, 0, 0}};
    for (int i = 0; const float* v = i < 8 ? ENEMIES[i] : nullptr; ++i)
        a.enemies[i] = EnemyRecord{
            {v[0], terrainHeightAt(v[0], v[1]), v[1]}, v[2], 2, (int)v[3], v[4], v[5], {}};
    // index, x, z, heading, moving, timer: a rabbit on the face, a deer heading down it, crossing
    // the east limit, beyond the west one heading further out, about to walk, about to rest, its
    // gait about to wrap.
    const float ANIMALS[7][6] = {{0, 25, -30.5f, 0, 1, 2}, {26, 30, -25, 180, 1, 2},
                                 {1, 123.45f, 0, 0, 1, 2}, {27, -123.7f, 5, 170, 1, 2},
                                 {2, 0, 100, 0, 0, 0.01f}, {3, 0, 100, 0, 1, 0.01f},
                                 {4, 0, 90, 90, 1, 3}};
    for (const float* v : ANIMALS) {
        AnimalRecord& b = animals[(int)v[0]];
        b.x = v[1], b.z = v[2], b.heading = v[3], b.moving = (int)v[4], b.wanderTimer = v[5],
        b.gaitPhase = 6.27f;
    }
    killAnimal(28), killAnimal(29), animals[29].fallAngle = 90, animals[29].corpseTimer = 0.02f;
    // Fish (along, target, moving, idle timer, phase): drifting back past 0 and on past 1, swims
    // starting near either end, exactly 0.005 short either way (still swimming), inside it
    // (stopping).
    const float FISH[7][5] = {{0.00005f, 0, 0, 100, -1.5707963f},
                              {0.99999f, 0, 0, 100, 1.5707963f},
                              {0.97f, 0, 0, 0.01f, 0},
                              {0.03f, 0, 0, 0.01f, 0},
                              {0, 0.005f, 1, 0, 0},
                              {0.005f, 0, 1, 0, 0},
                              {0.5f, 0.5049f, 1, 0, 0}};
    FishSchool& s = fishSchool;
    for (int i = 0; i < 7; ++i)
        s.along[i] = FISH[i][0], s.targetAlong[i] = FISH[i][1], s.moving[i] = (int)FISH[i][2],
        s.idleTimer[i] = FISH[i][3], s.phase[i] = FISH[i][4];

    static ArenaState ref;
    static AnimalRecord refAnimals[ANIMAL_COUNT];
    static Weather w;
    static FishSchool fish;
    const float DT[4] = {0, 0.1f, 0.016f, 0.05f};
    for (int f = 0; f < 240; ++f) {
        float dt = DT[f % 4];
        // The player follows enemy 6 (3 off), by the east edge, enemy 7 (4.8 off, 1.7 up), on enemy
        // 8, by the edge.
        const EnemyRecord& near = a.enemies[f < 100 ? 6 : f < 160 ? 7 : 8];
        Vec3 edge = {120, 500, -100},
             follow = vecAdd(near.position, Vec3{f < 60 ? 3 : 4.8f, 1.7f, 0});
        bool visiting = f < 60 || (f >= 100 && f < 170);
        Vec3& eye = thePlayer.position = !visiting ? edge : f < 160 ? follow : near.position;
        a.weatherMode = f < 60 ? WEATHER_CLEAR : f < 120 ? WEATHER_SNOW : WEATHER_RAIN;
        a.snowCover = f == 20 ? 0.01f : f == 100 ? 0.999f : a.snowCover;
        a.gameOver = f == 230;
        rainSplashCount = f == 10 ? 50 : rainSplashCount;
        if (f == 100)
            a.bloodDropCount = 500, a.bloodPoolCount = 128, a.splashDropCount = 25,
            a.rippleCount = 8;
        if (f == 100) a.sparkCount = 20;
        if (f == 60 || f == 120) {  // the weather's own spawns, then drops and flakes about to end
                                    // in various ways
            seedRandom(f), f == 60 ? spawnSnow() : spawnRain();
            Rand r{(uint32_t)f};
            for (SnowFlake& k : w.flakes)
                if (f == 60)
                    flakeByRule(k, eye, r), k.size = r.f(0.04f, 0.1f), k.spin = r.f(0, 360);
            for (RainDrop& d : w.drops)
                if (f == 120) dropByRule(d, eye, r);
            ASSERT_TRUE(same(snowFlakes, w.flakes, "f") && same(rainDrops, w.drops, "f"));
            for (int i = 0; i < MAX_SNOW_FLAKES; i += 9)
                snowFlakes[i].vx = 0.99f, snowFlakes[i].y = 0.01f;
            for (int i = 0; i < MAX_RAIN_DROPS; i += 7)
                rainDrops[i] = RainDrop{1, 0.2f + i % 3 * 0.2f, 2, -15, 0.01f};
            for (int i = 3; i < MAX_RAIN_DROPS; i += 11)
                rainDrops[i] = RainDrop{3, i % 2 ? -2.5f : 5, 4, -15, 0.001f};
            for (int i = 5; i < MAX_RAIN_DROPS; i += 13)
                rainDrops[i] = RainDrop{5, 0.9f, 6, -15, i % 2 ? 0.5f : 0};
            for (int i = 0; i < 95; ++i)
                rainSplashes[i] = RainSplash{i * 1.0f, 0, 2, 0.2f, 0.1f + i % 5 * 0.05f, 0.3f};
            rainSplashCount = 95;
        }
        ref = a, std::copy(animals, animals + ANIMAL_COUNT, refAnimals), fish = s,
        w.splashCount = rainSplashCount;
        std::copy(rainDrops, rainDrops + MAX_RAIN_DROPS, w.drops);
        std::copy(snowFlakes, snowFlakes + MAX_SNOW_FLAKES, w.flakes);
        std::copy(rainSplashes, rainSplashes + MAX_RAIN_SPLASHES, w.splashes);
        seedRandom(f + 1);
        Rand r{f + 1u};
        if (f == 20 || f == 40 ||
            f == 100) {  // a kill on the hills, one below the ground, a splash, sparks, a shot
            Vec3 chest = vecAdd(a.enemies[6].position, Vec3{0, f == 40 ? -2.0f : 1.3f, 0});
            Vec3 water = {streamSampleX[60], -0.25f, streamSampleZ[60]}, rock = {0, 3, 0};
            spawnBloodBurst(&a, chest), spawnSplash(&a, water), spawnSparks(&a, rock);
            blood(ref, chest, r), splash(ref, water, r), sparks(ref, rock, r);
            startTracer(&a, Vec3{0, 2, 0}, Vec3{0, 2, -80});
            ref.tracer = ShotTracer{{0, 2, 0}, {0, 2, -80}, 0.2f, 1};
            a.muzzleFlash = ref.muzzleFlash = 1, a.fireCooldown = ref.fireCooldown = 0.15f;
        }
        updateArena(&a, dt, eye), updateWeather(dt), updateAnimals(dt), updateFishSchool();
        stepArena(ref, dt, eye, r), weatherByRule(w, a.weatherMode, dt, eye, r);
        stepAnimals(refAnimals, dt, r), fishByRule(fish, r);
        ASSERT_TRUE(same(a, ref, ARENA_FIELDS) && same(animals, refAnimals, ANIMAL_FIELDS))
            << "frame " << f;
        ASSERT_TRUE(rainSplashCount == w.splashCount && same(rainDrops, w.drops, "f") &&
                    same(rainSplashes, w.splashes, "f") && same(snowFlakes, w.flakes, "f"))
            << "frame " << f;
        ASSERT_TRUE(same(s, fish, FISH_FIELDS) && nextRandom() == r.next()) << "frame " << f;
    }
}
