#include <cmath>

#include "combat/arena.h"
#include "combat/corpse.h"
#include "combat/particles.h"
#include "combat/walk.h"
#include "core/random.h"
#include "world/terrain.h"

namespace {

const float ENEMY_SPEED = 3.0f;
const float ENEMY_EDGE = 125.5f;
const float ENEMY_MAX_SLOPE = 0.45f;
const float ENEMY_SHY_DISTANCE = 5.0f;
const float MUZZLE_FLASH_DECAY = 8.0f;
const float SNOW_GROWTH = 0.03f;
const float SNOW_MELT = 0.15f;

void stepLivingEnemy(EnemyRecord* e, float dt, Vec3 playerPosition) {
    e->wanderTimer -= dt;
    if (e->wanderTimer <= 0.0f) {
        e->heading = randomFloat(0.0f, 360.0f);
        e->wanderTimer = randomFloat(1.5f, 4.0f);
    }
    float nx, nz;
    proposeStep(e->position.x, e->position.z, ENEMY_SPEED, dt, ENEMY_EDGE, &e->heading,
                &e->wanderTimer, &nx, &nz);
    float slope = terrainSlopeBetween(e->position.x, e->position.z, nx, nz);
    if (slope <= ENEMY_MAX_SLOPE) {
        e->position.x = nx;
        e->position.z = nz;
        e->position.y = terrainHeightAt(nx, nz);
    } else {
        e->heading = randomFloat(0.0f, 360.0f);
        e->wanderTimer = randomFloat(0.5f, 1.5f);
    }
    if (vecDistance(e->position, playerPosition) < ENEMY_SHY_DISTANCE) {
        Vec3 away = vecNormalize(vecSub(e->position, playerPosition));
        float heading =
            (float)(std::atan2((double)away.z, (double)away.x) * 180.0 / 3.141592653589793);
        if (heading < 0.0f) heading += 360.0f;
        e->heading = heading;
    }
}

}  // namespace

void updateArena(ArenaState* state, float dt, Vec3 playerPosition) {
    // The shot's flash and tracer play out even after the winning shot:
    // frozen, they would hide the victory lines in the middle of the view.
    if (state->muzzleFlash > 0.0f) {
        state->muzzleFlash -= dt * MUZZLE_FLASH_DECAY;
        if (state->muzzleFlash < 0.0f) state->muzzleFlash = 0.0f;
    }
    if (state->tracer.active) {
        state->tracer.timeLeft -= dt;
        if (state->tracer.timeLeft <= 0.0f) state->tracer.active = 0;
    }

    // Everything else of a won game is frozen as the last shot left it.
    if (state->gameOver) return;

    if (state->fireCooldown > 0.0f) state->fireCooldown -= dt;

    updateBloodDrops(state, dt);
    updateBloodPools(state, dt);

    for (int i = 0; i < state->enemyCount; ++i) {
        EnemyRecord* e = &state->enemies[i];
        if (e->alive)
            stepLivingEnemy(e, dt, playerPosition);
        else
            advanceCorpse(&e->fallAngle, &e->corpseTimer, dt);
    }

    updateSplashDrops(state, dt);
    updateRipples(state, dt);
    updateSparks(state, dt);

    if (state->weatherMode == WEATHER_SNOW) {
        state->snowCover += dt * SNOW_GROWTH;
        if (state->snowCover > 1.0f) state->snowCover = 1.0f;
    } else if (state->snowCover > 0.0f) {
        state->snowCover -= dt * SNOW_MELT;
        if (state->snowCover < 0.0f) state->snowCover = 0.0f;
    }
}
