#pragma once

// Games started as the program starts them, on fake devices, and parks cleared for a test to
// furnish.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "audio/cues.h"
#include "audio/sound_bank.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "core/random.h"
#include "fakes/audio_fake.h"
#include "fakes/platform_fake.h"
#include "sky/weather.h"
#include "tools/common/game_harness.h"
#include "world/fish.h"
#include "world/park.h"
#include "world/placement.h"
#include "world/terrain.h"

// The program's start with the clock at this second, every sound loaded.
inline void startGame(uint32_t clockSeconds) {
    resetFakePlatform();
    releaseSoundBank();
    resetFakeAudio();
    loadSoundBank();
    rainLoopPlaying = 0;
    rainDropCount = 0;
    snowFlakeCount = 0;
    rainSplashCount = 0;
    startProgramAt(clockSeconds);
    fakeAudio.events.clear();
}

// The sounds handed to a device since the last look, by resource id.
inline std::vector<int> playedSounds() {
    std::vector<int> ids;
    for (const FakeAudioEvent& e : fakeAudio.events) {
        if (e.call != FAKE_PREPARE) continue;
        for (int id = FIRST_SOUND_ID; id < FIRST_SOUND_ID + SOUND_COUNT; ++id)
            if (e.header.data == soundSlot(id)->buffer + soundSlot(id)->dataOffset)
                ids.push_back(id);
    }
    fakeAudio.events.clear();
    return ids;
}

// lo <= v <= hi, naming v when it is not.
inline ::testing::AssertionResult within(float v, float lo, float hi) {
    if (v >= lo && v <= hi) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << v << " is outside " << lo << " .. " << hi;
}

namespace testworld {

inline void flattenGround(float height) {
    if (!isTerrainBuilt()) buildTerrain();
    std::fill(&terrainHeights[0][0], &terrainHeights[0][0] + TERRAIN_SAMPLES * TERRAIN_SAMPLES,
              height);
}

// Trees and rocks far outside the park and every animal gone: a test puts back what it needs.
inline void clearPark() {
    for (TreeRecord& t : trees) t = TreeRecord{5000, 5000, 3, 1.5f};
    for (RockRecord& r : rocks) r = RockRecord{5000, 5000, 0.4f, 0.3f, 0.4f, 0.5f, 0.5f, 0.5f, 0};
    for (AnimalRecord& a : animals) a = AnimalRecord{0, 5000, 5000, 0, 1000, 0, 0, 0, 0, 90, 0};
}

inline void emptyArena(ArenaState* arena) { std::memset(arena, 0, sizeof(*arena)); }

inline EnemyRecord* addEnemy(ArenaState* arena, float x, float z, Vec3 shirt) {
    EnemyRecord* e = &arena->enemies[arena->enemyCount];
    *e = EnemyRecord{{x, terrainHeightAt(x, z), z}, 0, 1000, 1, 0, 0, shirt};
    arena->enemyCount += 1;
    arena->enemiesLeft += 1;
    return e;
}

inline const Vec3 RED_SHIRT = {0.8f, 0.2f, 0.2f};
inline const Vec3 BLUE_SHIRT = {0.2f, 0.3f, 0.8f};

}  // namespace testworld

// A record of 4-byte fields, field by field: 'f' a float (agreeing to a hair, relative 1e-5), 'i'
// an integer (exactly); the kinds repeat over an array of records.
template <class T>
::testing::AssertionResult same(const T& got, const T& want, const std::string& kinds) {
    for (size_t k = 0; k < sizeof(T) / 4; ++k) {
        int32_t ia, ib;
        float fa, fb;
        std::memcpy(&ia, (const char*)&got + 4 * k, 4);
        std::memcpy(&ib, (const char*)&want + 4 * k, 4);
        std::memcpy(&fa, &ia, 4);
        std::memcpy(&fb, &ib, 4);
        const bool isInt = kinds[k % kinds.size()] == 'i';
        const bool agree = isInt ? ia == ib : std::fabs(fa - fb) <= 1e-5f * (1.0f + std::fabs(fb));
        if (agree) continue;
        ::testing::AssertionResult failure = ::testing::AssertionFailure();
        failure << "field " << k << ": got ";
        if (isInt)
            failure << ia << ", want " << ib;
        else
            failure << fa << ", want " << fb;
        return failure;
    }
    return ::testing::AssertionSuccess();
}

// Every enemy and animal where placing puts them: alive on the ground, inside the limit, off the
// start square, where the ground toward +x and +z rises or falls at most 0.45 a unit, with their
// timers and turns drawn in range.
inline void expectPlacedByTheRules(const ArenaState& arena) {
    auto spot = [](float x, float z, float limit, float square, const char* what, int i) {
        EXPECT_LE(std::fabs(x), limit) << what << " " << i;
        EXPECT_LE(std::fabs(z), limit) << what << " " << i;
        EXPECT_FALSE(std::fabs(x) < square && std::fabs(z) < square) << what << " " << i;
        EXPECT_LE(terrainSlopeBetween(x, z, x + 1, z), 0.45f) << what << " " << i;
        EXPECT_LE(terrainSlopeBetween(x, z, x, z + 1), 0.45f) << what << " " << i;
    };
    EXPECT_GE(arena.enemyCount, 15);
    EXPECT_LE(arena.enemyCount, 30);
    EXPECT_EQ(arena.enemiesLeft, arena.enemyCount);
    for (int i = 0; i < MAX_ENEMIES; ++i) {
        const EnemyRecord& e = arena.enemies[i];
        EXPECT_EQ(e.alive, i < arena.enemyCount) << "enemy " << i;
        if (!e.alive) continue;
        spot(e.position.x, e.position.z, 124.5f, 8, "enemy", i);
        EXPECT_EQ(e.position.y, terrainHeightAt(e.position.x, e.position.z)) << "enemy " << i;
        EXPECT_TRUE(within(e.heading, 0, 360)) << "enemy " << i;
        EXPECT_TRUE(within(e.wanderTimer, 0, 3)) << "enemy " << i;
        EXPECT_EQ(e.fallAngle + e.corpseTimer, 0) << "enemy " << i;
        int shirts = 0;  // red, blue or grey
        for (Vec3 c : {Vec3{0.8f, 0.2f, 0.2f}, Vec3{0.2f, 0.3f, 0.8f}, Vec3{0.35f, 0.35f, 0.38f}})
            shirts += c.x == e.colour.x && c.y == e.colour.y && c.z == e.colour.z;
        EXPECT_EQ(shirts, 1) << "enemy " << i;
    }
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        const AnimalRecord& a = animals[i];
        spot(a.x, a.z, 123.5f, 6, "animal", i);
        EXPECT_EQ(a.kind, i < 25 ? ANIMAL_RABBIT : ANIMAL_DEER) << "animal " << i;
        EXPECT_EQ(a.alive, 1) << "animal " << i;
        EXPECT_EQ(a.moving, 0) << "animal " << i;
        EXPECT_TRUE(within(a.facing, 0, 360)) << "animal " << i;
        EXPECT_TRUE(within(a.heading, 0, 360)) << "animal " << i;
        EXPECT_TRUE(within(a.wanderTimer, 3, 10)) << "animal " << i;
        EXPECT_TRUE(within(a.gaitPhase, 0, 6.28f)) << "animal " << i;
        EXPECT_EQ(a.fallAngle + a.corpseTimer, 0) << "animal " << i;
    }
}
