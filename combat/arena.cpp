#include "combat/arena.h"

#include <cmath>
#include <cstring>

#include "core/random.h"
#include "world/terrain.h"

ArenaState theArena;

namespace {

const Vec3 ENEMY_COLOURS[3] = {
    {0.8f, 0.2f, 0.2f},     // red
    {0.2f, 0.3f, 0.8f},     // blue
    {0.35f, 0.35f, 0.38f},  // grey
};

const float ENEMY_PLACEMENT_LIMIT = 124.5f;
const float ENEMY_START_CLEARANCE = 8.0f;
const float MAX_ENEMY_SLOPE = 0.45f;

}  // namespace

void resetArena(ArenaState* state) {
    std::memset(state, 0, sizeof(*state));
    state->enemyCount = randomInt(15, 30);
    state->enemiesLeft = state->enemyCount;
    placeEnemies(state);
}

void placeEnemies(ArenaState* state) {
    for (int i = 0; i < state->enemyCount; ++i) {
        EnemyRecord* e = &state->enemies[i];
        float x, z;
        for (;;) {
            x = randomFloat(-ENEMY_PLACEMENT_LIMIT, ENEMY_PLACEMENT_LIMIT);
            z = randomFloat(-ENEMY_PLACEMENT_LIMIT, ENEMY_PLACEMENT_LIMIT);
            if (std::fabs(x) < ENEMY_START_CLEARANCE && std::fabs(z) < ENEMY_START_CLEARANCE)
                continue;
            if (terrainSlopeBetween(x, z, x + 1.0f, z) > MAX_ENEMY_SLOPE) continue;
            if (terrainSlopeBetween(x, z, x, z + 1.0f) > MAX_ENEMY_SLOPE) continue;
            break;
        }
        e->position = makeVec3(x, terrainHeightAt(x, z), z);
        e->heading = randomFloat(0.0f, 360.0f);
        e->wanderTimer = randomFloat(0.0f, 3.0f);
        e->alive = 1;
        e->fallAngle = 0.0f;
        e->corpseTimer = 0.0f;
        e->colour = ENEMY_COLOURS[randomInt(0, 2)];
    }
}
