#pragma once

// Seeded worlds for tests: a real generated park, or one flattened so that a
// test can shape the ground itself.

#include "world/park.h"
#include <cstdint>
#include <cstring>

#include "combat/animals.h"
#include "combat/arena.h"
#include "core/random.h"
#include "player/player.h"
#include "render/weather.h"
#include "world/placement.h"
#include "world/terrain.h"

namespace testworld {

// A park as world set-up places it, from a fixed seed.
inline void buildPark(uint32_t seed) {
    (parkBuilt.terrain = parkBuilt.stream = 0);
    seedRandomForRun(seed);
    placeFlowers();
    placeTrees();
    placeRocks();
    placeAnimals();
}

// Ground at one height everywhere (the stream's centre line still exists).
inline void flattenGround(float height) {
    if (!isTerrainBuilt()) buildTerrain();
    for (auto& row : terrainHeights)
        for (float& h : row) h = height;
}

// Moves every tree, rock and animal far outside the park so shots and
// creatures in a test meet only what the test puts there.
inline void clearPark() {
    for (TreeRecord& t : trees) t = TreeRecord{5000.0f, 5000.0f, 3.0f, 1.5f};
    for (RockRecord& r : rocks) r = RockRecord{5000.0f, 5000.0f, 0.4f, 0.3f, 0.4f, 0.5f, 0.5f, 0.5f, 0.0f};
    for (AnimalRecord& a : animals) {
        std::memset(&a, 0, sizeof(a));
        a.x = 5000.0f;
        a.z = 5000.0f;
        a.wanderTimer = 1000.0f;
    }
}

// An arena with no enemies and nothing in flight.
inline void emptyArena(ArenaState* arena) { std::memset(arena, 0, sizeof(*arena)); }

inline EnemyRecord* addEnemy(ArenaState* arena, float x, float z, Vec3 colour) {
    EnemyRecord* e = &arena->enemies[arena->enemyCount++];
    std::memset(e, 0, sizeof(*e));
    e->position = makeVec3(x, terrainHeightAt(x, z), z);
    e->alive = 1;
    e->wanderTimer = 1000.0f;
    e->colour = colour;
    arena->enemiesLeft += 1;
    return e;
}

inline const Vec3 RED_SHIRT = {0.8f, 0.2f, 0.2f};
inline const Vec3 BLUE_SHIRT = {0.2f, 0.3f, 0.8f};
inline const Vec3 GREY_SHIRT = {0.35f, 0.35f, 0.38f};

}  // namespace testworld
