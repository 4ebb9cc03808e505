#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "combat/particles.h"
#include "support/world_fixture.h"
#include "support/replay.h"

namespace {

// A creature's step toward its heading. A step that leads out past the line
// mirrors the heading on that axis and zeroes the timer; it is still taken,
// unless the creature already stands beyond the line.
void walk(float x, float z, float speed, float dt, float limit, float& heading, float& timer, float& nx, float& nz) {
    float h = heading * 3.1415927f / 180;
    float px = x + (float)std::cos((double)h) * speed * dt, pz = z + (float)std::sin((double)h) * speed * dt;
    auto outward = [&](float from, float to) { return std::fabs(to) > limit && std::fabs(to) > std::fabs(from); };
    bool outX = outward(x, px), outZ = outward(z, pz);
    if (outX) heading = 180 - heading, timer = 0;
    if (outZ) heading = 360 - heading, timer = 0;
    nx = outX && std::fabs(x) > limit ? x : px;
    nz = outZ && std::fabs(z) > limit ? z : pz;
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
    v.y -= gravity * dt;
    p = vecAdd(p, vecScale(v, dt));
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
        if (d.position.y < ground) d.position.y = ground, d.landed = 1, d.velocity = Vec3{0, 0, 0}, d.size *= 1.5f;
    });
    age(a.bloodPools, a.bloodPoolCount, dt, [](BloodPool&) {});
    for (int i = 0; i < a.enemyCount; ++i) {
        EnemyRecord& e = a.enemies[i];
        if (!e.alive) {
            corpse(e.fallAngle, e.corpseTimer, dt);
            continue;
        }
        if ((e.wanderTimer -= dt) <= 0) e.heading = r.f(0, 360), e.wanderTimer = r.f(1.5f, 4);
        float nx, nz;
        walk(e.position.x, e.position.z, 3, dt, 125.5f, e.heading, e.wanderTimer, nx, nz);
        if (terrainSlopeBetween(e.position.x, e.position.z, nx, nz) <= 0.45f)
            e.position = Vec3{nx, terrainHeightAt(nx, nz), nz};
        else
            e.heading = r.f(0, 360), e.wanderTimer = r.f(0.5f, 1.5f);
        // Shy of the eye: within 5 units (in space), it turns straight away.
        double dx = e.position.x - eye.x, dy = e.position.y - eye.y, dz = e.position.z - eye.z;
        if (std::sqrt(dx * dx + dy * dy + dz * dz) < 5) {
            double h = std::atan2(dz, dx) * 180 / 3.141592653589793;
            e.heading = (float)(h < 0 ? h + 360 : h);
        }
    }
    age(a.splashDrops, a.splashDropCount, dt, [&](SplashDrop& d) {
        fall(d.position, d.velocity, 10, dt);
        if (d.position.y < -0.25f) d.position.y = -0.25f, d.velocity.y = 0, d.velocity.x *= 0.3f, d.velocity.z *= 0.3f;
    });
    age(a.ripples, a.rippleCount, dt, [&](Ripple& p) { p.radius += 1.5f * dt; });
    age(a.sparks, a.sparkCount, dt, [&](Spark& s) { fall(s.position, s.velocity, 15, dt); });
    if (a.weatherMode == WEATHER_SNOW)
        a.snowCover = std::min(1.0f, a.snowCover + dt * 0.03f);
    else if (a.snowCover > 0)
        a.snowCover = std::max(0.0f, a.snowCover - dt * 0.15f);
}

void stepAnimals(AnimalRecord* all, float dt, Rand& r) {
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        AnimalRecord& a = all[i];
        if (!a.alive) {
            corpse(a.fallAngle, a.corpseTimer, dt);
            continue;
        }
        if ((a.wanderTimer -= dt) <= 0) {
            if (a.moving)
                a.moving = 0, a.wanderTimer = r.f(5, 15);
            else
                a.moving = 1, a.heading = r.f(0, 360), a.wanderTimer = r.f(1, 3);
        }
        if (!a.moving) continue;
        if ((a.gaitPhase += dt * 6) > 6.28f) a.gaitPhase -= 6.28f;
        float nx, nz;
        walk(a.x, a.z, a.kind == ANIMAL_RABBIT ? 1.2f : 0.8f, dt, 123.5f, a.heading, a.wanderTimer, nx, nz);
        if (terrainSlopeBetween(a.x, a.z, nx, nz) <= 0.45f)
            a.x = nx, a.z = nz, a.facing = a.heading;
        else
            a.heading = r.f(0, 360), a.wanderTimer = r.f(0.5f, 1.5f);
    }
}

}  // namespace

// A started game on its hilly park, with a face rising 0.6 per unit, the
// park's edges, a player who comes close, the dead, effects in flight, snow
// and a won game, stepped frame after frame: every field of the arena and of
// the animals must be what the rules make of the frame before.
TEST(Creatures, EnemiesAnimalsAndEffectsStepByTheirRules) {
    startGame(1780351200u);
    for (int j = 0; j < 129; ++j)
        for (int i = 0; i < 129; ++i) {
            float x = i * terrainCellSize() - 126.5f, z = j * terrainCellSize() - 126.5f;
            if (x >= 20 && x <= 40 && z >= -40 && z <= -20) terrainHeights[j][i] = 0.6f * (x - 20);
        }
    ArenaState& a = theArena;
    ASSERT_GE(a.enemyCount, 9);
    auto put = [&](int i, float x, float z, float heading, int alive, float fallAngle, float timer) {
        EnemyRecord& e = a.enemies[i];
        e.position = Vec3{x, terrainHeightAt(x, z), z};
        e.heading = heading, e.alive = alive, e.fallAngle = fallAngle, e.corpseTimer = timer, e.wanderTimer = 2;
    };
    put(0, 25, -30, 0, 1, 0, 0);           // on the face, heading up it
    put(1, 125.45f, 10, 0, 1, 0, 0);       // about to cross the east line
    put(2, -10, -125.45f, 270, 1, 0, 0);   // and the south line
    put(3, 125.7f, 50, 10, 1, 0, 0);       // already beyond, heading further out
    put(4, 60, 60, 0, 0, 0, 8);            // just shot
    put(5, 60, 70, 0, 0, 90, 0.05f);       // lying, nearly gone
    put(6, 40, 70, 45, 1, 0, 0);           // the player follows it 3 units off
    put(7, -40, 70, 45, 1, 0, 0);          // the player 4.8 off in the plane, 1.7 up
    auto animal = [&](int i, float x, float z, float heading, int moving, float timer) {
        AnimalRecord& b = animals[i];
        b.x = x, b.z = z, b.heading = heading, b.moving = moving, b.wanderTimer = timer;
    };
    animal(0, 25, -30.5f, 0, 1, 2);        // a rabbit on the face
    animal(26, 30, -25, 180, 1, 2);        // a deer heading down it
    animal(1, 123.45f, 0, 0, 1, 2);        // crossing the east limit
    animal(27, -123.7f, 5, 170, 1, 2);     // beyond the west limit, heading further out
    animal(2, 0, 100, 0, 0, 0.01f);        // resting, about to walk
    animal(3, 0, 100, 0, 1, 0.01f);        // walking, about to rest
    animal(4, 0, 90, 90, 1, 3);
    animals[4].gaitPhase = 6.27f;
    killAnimal(28);
    killAnimal(29);
    animals[29].fallAngle = 90, animals[29].corpseTimer = 0.02f;

    static ArenaState ref;
    static AnimalRecord refAnimals[ANIMAL_COUNT];
    const float DT[4] = {0.016f, 0.1f, 0.033f, 0.05f};
    for (int f = 0; f < 240; ++f) {
        float dt = DT[f % 4];
        const EnemyRecord& near = a.enemies[f < 80 ? 6 : f < 160 ? 7 : 8];
        Vec3 eye = f < 80 ? vecAdd(near.position, Vec3{3, 1.7f, 0})
                          : f < 160 ? vecAdd(near.position, Vec3{4.8f, 1.7f, 0}) : f < 170 ? near.position : Vec3{0, 500, 0};
        if (f == 20 || f == 100) {
            spawnBloodBurst(&a, vecAdd(a.enemies[6].position, Vec3{0, 1.3f, 0}));
            spawnSplash(&a, Vec3{streamSampleX[60], -0.25f, streamSampleZ[60]});
            spawnSparks(&a, Vec3{0, 3, 0});
            startTracer(&a, Vec3{0, 2, 0}, Vec3{0, 2, -80});
            a.muzzleFlash = 1, a.fireCooldown = 0.15f;
        }
        if (f == 40) spawnBloodBurst(&a, Vec3{-50, terrainHeightAt(-50, -50) - 1, -50});  // below the ground
        a.weatherMode = f < 120 ? WEATHER_SNOW : WEATHER_CLEAR;
        if (f == 60) a.snowCover = 0.999f;
        if (f == 200) a.snowCover = 0.01f;
        a.gameOver = f == 230;
        ref = a;
        std::copy(animals, animals + ANIMAL_COUNT, refAnimals);
        seedRandom(f + 1);
        Rand r{f + 1u};
        updateArena(&a, dt, eye);
        updateAnimals(dt);
        stepArena(ref, dt, eye, r);
        stepAnimals(refAnimals, dt, r);
        ASSERT_TRUE(sameRecords(&a, &ref, 1, ARENA_FIELDS)) << "frame " << f;
        ASSERT_TRUE(sameRecords(animals, refAnimals, ANIMAL_COUNT, ANIMAL_FIELDS)) << "frame " << f;
        ASSERT_EQ(nextRandom(), r.next()) << "frame " << f;
    }
}
