#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "combat/particles.h"
#include "support/replay.h"
#include "support/world_fixture.h"

namespace {

// A creature's step along its heading. A step that leads out past the line
// mirrors the heading on that axis and zeroes the timer; it is still taken,
// unless the creature already stands beyond the line.
void walk(float x, float z, float speed, float dt, float limit, float& heading, float& timer, float& nx, float& nz) {
    float h = heading * 3.1415927f / 180;
    float px = x + (float)std::cos((double)h) * speed * dt, pz = z + (float)std::sin((double)h) * speed * dt;
    auto outward = [&](float from, float to) { return std::fabs(to) > limit && std::fabs(to) > std::fabs(from); };
    bool outX = outward(x, px), outZ = outward(z, pz);
    if (outX) heading = 180 - heading, timer = 0;
    if (outZ) heading = 360 - heading, timer = 0;
    nx = outX && std::fabs(x) > limit ? x : px, nz = outZ && std::fabs(z) > limit ? z : pz;
}

void corpse(float& fall, float& timer, float dt) {
    if (fall < 90) fall = std::min(90.0f, fall + dt * 180);
    else if (timer > 0) timer -= dt;
}

// A packed array ages from its last slot down; a spent particle takes the last live one's place.
template <class P, class F>
void age(P* items, int& count, float dt, F advance) {
    for (int i = count - 1; i >= 0; --i)
        if ((items[i].life -= dt) <= 0) items[i] = items[--count];
        else advance(items[i]);
}

void fall(Vec3& p, Vec3& v, float gravity, float dt) { v.y -= gravity * dt, p = vecAdd(p, vecScale(v, dt)); }

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
        d->colour = u < 0.3f ? Vec3{0.6f, 0, 0} : u < 0.7f ? Vec3{0.8f, 0.05f, 0} : Vec3{0.5f, 0, 0.05f};
    }
    if (a.bloodPoolCount < MAX_BLOOD_POOLS) {
        BloodPool& s = a.bloodPools[a.bloodPoolCount++];
        s = BloodPool{{p.x, terrainHeightAt(p.x, p.z) + 0.015f, p.z}, r.f(0.3f, 0.8f), 5, 5};
    }
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
        s->maxLife = s->life = r.f(0.15f, 0.4f), s->colour.x = r.f(0.8f, 1), s->colour.y = r.f(0.5f, 0.9f), s->colour.z = r.f(0, 0.2f);
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
        if (d.position.y < ground) d.position.y = ground, d.landed = 1, d.velocity = Vec3{0, 0, 0}, d.size *= 1.5f;
    });
    age(a.bloodPools, a.bloodPoolCount, dt, [](BloodPool&) {});
    for (EnemyRecord* e = a.enemies; e < a.enemies + a.enemyCount; ++e) {
        if (!e->alive) {
            corpse(e->fallAngle, e->corpseTimer, dt);
            continue;
        }
        if ((e->wanderTimer -= dt) <= 0) e->heading = r.f(0, 360), e->wanderTimer = r.f(1.5f, 4);
        float nx, nz;
        walk(e->position.x, e->position.z, 3, dt, 125.5f, e->heading, e->wanderTimer, nx, nz);
        if (terrainSlopeBetween(e->position.x, e->position.z, nx, nz) <= 0.45f) e->position = Vec3{nx, terrainHeightAt(nx, nz), nz};
        else e->heading = r.f(0, 360), e->wanderTimer = r.f(0.5f, 1.5f);
        // Shy of the eye: within 5 units in space, it turns straight away.
        double dx = e->position.x - eye.x, dy = e->position.y - eye.y, dz = e->position.z - eye.z;
        double h = std::atan2(dz, dx) * 180 / 3.141592653589793;
        if (std::sqrt(dx * dx + dy * dy + dz * dz) < 5) e->heading = (float)(h < 0 ? h + 360 : h);
    }
    age(a.splashDrops, a.splashDropCount, dt, [&](SplashDrop& d) {
        fall(d.position, d.velocity, 10, dt);
        if (d.position.y < -0.25f) d.position.y = -0.25f, d.velocity.y = 0, d.velocity.x *= 0.3f, d.velocity.z *= 0.3f;
    });
    age(a.ripples, a.rippleCount, dt, [&](Ripple& p) { p.radius += 1.5f * dt; });
    age(a.sparks, a.sparkCount, dt, [&](Spark& s) { fall(s.position, s.velocity, 15, dt); });
    if (a.weatherMode == WEATHER_SNOW) a.snowCover = std::min(1.0f, a.snowCover + dt * 0.03f);
    else if (a.snowCover > 0) a.snowCover = std::max(0.0f, a.snowCover - dt * 0.15f);
}

void stepAnimals(AnimalRecord* all, float dt, Rand& r) {
    for (AnimalRecord* a = all; a < all + ANIMAL_COUNT; ++a) {
        if (!a->alive) {
            corpse(a->fallAngle, a->corpseTimer, dt);
            continue;
        }
        if ((a->wanderTimer -= dt) <= 0 && a->moving) a->moving = 0, a->wanderTimer = r.f(5, 15);
        else if (a->wanderTimer <= 0) a->moving = 1, a->heading = r.f(0, 360), a->wanderTimer = r.f(1, 3);
        if (!a->moving) continue;
        if ((a->gaitPhase += dt * 6) > 6.28f) a->gaitPhase -= 6.28f;
        float nx, nz;
        walk(a->x, a->z, a->kind == ANIMAL_RABBIT ? 1.2f : 0.8f, dt, 123.5f, a->heading, a->wanderTimer, nx, nz);
        if (terrainSlopeBetween(a->x, a->z, nx, nz) <= 0.45f) a->x = nx, a->z = nz, a->facing = a->heading;
        else a->heading = r.f(0, 360), a->wanderTimer = r.f(0.5f, 1.5f);
    }
}

}  // namespace

// A started game on its hilly park with a face rising 0.6 per unit, the
// park's edges, a player who comes close, the dead, shots' traces (some into
// full arrays), snow and a won game, stepped frame after frame: every field
// of the arena and the animals is what the rules make of the frame before.
TEST(Creatures, EnemiesAnimalsAndEffectsStepByTheirRules) {
    startGame(1780351200u);
    for (int j = 0; j < 129; ++j)
        for (int i = 0; i < 129; ++i) {
            float x = i * terrainCellSize() - 126.5f, z = j * terrainCellSize() - 126.5f;
            if (x >= 20 && x <= 40 && z >= -40 && z <= -20) terrainHeights[j][i] = 0.6f * (x - 20);
        }
    ArenaState& a = theArena;
    ASSERT_GE(a.enemyCount, 9);
    // x, z, heading, alive, fall angle, corpse timer: on the face heading up it, crossing the east and the south
    // line, beyond the east line heading further out, just shot, lying nearly gone, then two the player visits.
    const float ENEMIES[8][6] = {{25, -30, 0, 1, 0, 0}, {125.45f, 10, 0, 1, 0, 0}, {-10, -125.45f, 270, 1, 0, 0},
                                 {125.7f, 50, 10, 1, 0, 0}, {60, 60, 0, 0, 0, 8}, {60, 70, 0, 0, 90, 0.05f},
                                 {40, 70, 45, 1, 0, 0}, {-40, 70, 45, 1, 0, 0}};
    for (int i = 0; i < 8; ++i) {
        const float* v = ENEMIES[i];
        a.enemies[i] = EnemyRecord{{v[0], terrainHeightAt(v[0], v[1]), v[1]}, v[2], 2, (int)v[3], v[4], v[5], {0.2f, 0.3f, 0.8f}};
    }
    // index, x, z, heading, moving, timer: a rabbit on the face, a deer heading down it, crossing the east
    // limit, beyond the west one heading further out, about to walk, about to rest, its gait about to wrap.
    const float ANIMALS[7][6] = {{0, 25, -30.5f, 0, 1, 2}, {26, 30, -25, 180, 1, 2}, {1, 123.45f, 0, 0, 1, 2}, {27, -123.7f, 5, 170, 1, 2},
                                 {2, 0, 100, 0, 0, 0.01f}, {3, 0, 100, 0, 1, 0.01f}, {4, 0, 90, 90, 1, 3}};
    for (const float* v : ANIMALS) {
        AnimalRecord& b = animals[(int)v[0]];
        b.x = v[1], b.z = v[2], b.heading = v[3], b.moving = (int)v[4], b.wanderTimer = v[5], b.gaitPhase = 6.27f;
    }
    killAnimal(28), killAnimal(29);
    animals[29].fallAngle = 90, animals[29].corpseTimer = 0.02f;

    static ArenaState ref;
    static AnimalRecord refAnimals[ANIMAL_COUNT];
    const float DT[4] = {0.016f, 0.1f, 0.033f, 0.05f};
    for (int f = 0; f < 240; ++f) {
        float dt = DT[f % 4];
        // The player follows enemy 6 three units off, then enemy 7 4.8 off in the plane and 1.7 up, then
        // stands on enemy 8, then goes far away.
        const EnemyRecord& near = a.enemies[f < 80 ? 6 : f < 160 ? 7 : 8];
        Vec3 eye = f < 80 ? vecAdd(near.position, Vec3{3, 1.7f, 0}) : f < 160 ? vecAdd(near.position, Vec3{4.8f, 1.7f, 0})
                 : f < 170 ? near.position : Vec3{0, 500, 0};
        a.weatherMode = f < 120 ? WEATHER_SNOW : WEATHER_CLEAR;
        a.snowCover = f == 60 ? 0.999f : f == 200 ? 0.01f : a.snowCover;
        a.gameOver = f == 230;
        if (f == 100) a.bloodDropCount = 500, a.bloodPoolCount = 128, a.splashDropCount = 25, a.rippleCount = 8, a.sparkCount = 20;
        ref = a;
        std::copy(animals, animals + ANIMAL_COUNT, refAnimals);
        seedRandom(f + 1);
        Rand r{f + 1u};
        if (f == 20 || f == 40 || f == 100) {  // a kill on the hills, one below the ground, a splash, sparks, a shot
            Vec3 chest = vecAdd(a.enemies[6].position, Vec3{0, f == 40 ? -2.0f : 1.3f, 0});
            Vec3 water = {streamSampleX[60], -0.25f, streamSampleZ[60]}, rock = {0, 3, 0};
            spawnBloodBurst(&a, chest), spawnSplash(&a, water), spawnSparks(&a, rock);
            blood(ref, chest, r), splash(ref, water, r), sparks(ref, rock, r);
            startTracer(&a, Vec3{0, 2, 0}, Vec3{0, 2, -80});
            ref.tracer = ShotTracer{{0, 2, 0}, {0, 2, -80}, 0.2f, 1};
            a.muzzleFlash = ref.muzzleFlash = 1, a.fireCooldown = ref.fireCooldown = 0.15f;
        }
        updateArena(&a, dt, eye), updateAnimals(dt);
        stepArena(ref, dt, eye, r), stepAnimals(refAnimals, dt, r);
        ASSERT_TRUE(sameRecords(&a, &ref, 1, ARENA_FIELDS)) << "frame " << f;
        ASSERT_TRUE(sameRecords(animals, refAnimals, ANIMAL_COUNT, ANIMAL_FIELDS)) << "frame " << f;
        ASSERT_EQ(nextRandom(), r.next()) << "frame " << f;
    }
}
