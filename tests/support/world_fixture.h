#pragma once

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
    rainLoopPlaying = rainDropCount = snowFlakeCount = rainSplashCount = 0;
    startProgramAt(clockSeconds);
    fakeAudio.events.clear();
}

// The sounds handed to a device since the last look, by resource id.
inline std::vector<int> playedSounds() {
    std::vector<int> ids;
    for (const FakeAudioEvent& e : fakeAudio.events)
        for (int id = FIRST_SOUND_ID; id < FIRST_SOUND_ID + SOUND_COUNT; ++id)
            if (e.call == FAKE_PREPARE &&
                e.header.data == soundSlot(id)->buffer + soundSlot(id)->dataOffset)
                ids.push_back(id);
    fakeAudio.events.clear();
    return ids;
}

inline ::testing::AssertionResult within(float v, float lo, float hi) {
    if (v >= lo && v <= hi) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << v << " is outside " << lo << " .. " << hi;
}

namespace testworld {

inline void flattenGround(float height) {
    if (!isTerrainBuilt()) buildTerrain();
    std::fill_n(&terrainHeights[0][0], TERRAIN_SAMPLES * TERRAIN_SAMPLES, height);
}

// Trees and rocks far outside the park and every animal gone: a test puts back what it needs.
inline void clearPark() {
    for (TreeRecord& t : trees) t = TreeRecord{5000, 5000, 3, 1.5f};
    for (RockRecord& r : rocks) r = RockRecord{5000, 5000, 0.4f, 0.3f, 0.4f, 0.5f, 0.5f, 0.5f, 0};
    for (AnimalRecord& a : animals) a = AnimalRecord{0, 5000, 5000, 0, 1000, 0, 0, 0, 0, 90, 0};
}

inline void emptyArena(ArenaState* arena) { std::memset(arena, 0, sizeof(*arena)); }

}  // namespace testworld

// Records alike field by field: 'f' floats to a relative 1e-5, 'i' integers exactly; kinds repeat.
template <class T>
::testing::AssertionResult same(const T& got, const T& want, const std::string& kinds) {
    for (size_t k = 0; k < sizeof(T) / 4; ++k) {
        int32_t i[2];
        float f[2];
        std::memcpy(&i[0], (const char*)&got + 4 * k, 4);
        std::memcpy(&i[1], (const char*)&want + 4 * k, 4);
        std::memcpy(f, i, sizeof f);
        const float slack = kinds[k % kinds.size()] == 'i' ? -1 : 1e-5f * (1 + std::fabs(f[1]));
        if (i[0] != i[1] && !(std::fabs(f[0] - f[1]) <= slack))
            return ::testing::AssertionFailure()
                   << "field " << k << ": got " << f[0] << " (int " << i[0] << "), want " << f[1]
                   << " (int " << i[1] << ")";
    }
    return ::testing::AssertionSuccess();
}

// Every enemy and animal as placing leaves them: alive and unfallen inside the limit, off the start
// square, on ground rising or falling at most 0.45 a unit toward +x and +z, their draws in range.
inline void expectPlacedByTheRules(const ArenaState& arena) {
    auto spot = [](float x, float z, float edge, float clear, float turn, const char* what, int i) {
        EXPECT_TRUE(within(std::max(std::fabs(x), std::fabs(z)), clear, edge)) << what << i;
        EXPECT_LE(terrainSlopeBetween(x, z, x + 1, z), 0.45f) << what << i;
        EXPECT_LE(terrainSlopeBetween(x, z, x, z + 1), 0.45f) << what << i;
        EXPECT_TRUE(within(turn, 0, 360)) << what << i;
    };
    EXPECT_TRUE(within(arena.enemyCount, 15, 30));
    EXPECT_EQ(arena.enemiesLeft, arena.enemyCount);
    for (int i = 0; i < arena.enemyCount; ++i) {
        const EnemyRecord& e = arena.enemies[i];
        spot(e.position.x, e.position.z, 124.5f, 8, e.heading, "enemy ", i);
        EXPECT_EQ(e.position.y, terrainHeightAt(e.position.x, e.position.z)) << "enemy " << i;
        EXPECT_TRUE(within(e.wanderTimer, 0, 3)) << "enemy " << i;
        EXPECT_EQ(e.alive, 1) << "enemy " << i;
        EXPECT_EQ(e.fallAngle + e.corpseTimer, 0) << "enemy " << i;
    }
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        const AnimalRecord& a = animals[i];
        spot(a.x, a.z, 123.5f, 6, a.heading, "animal ", i);
        EXPECT_EQ(a.kind, i < 25 ? ANIMAL_RABBIT : ANIMAL_DEER) << "animal " << i;
        EXPECT_EQ(a.alive - a.moving, 1) << "animal " << i << " (alive, standing)";
        EXPECT_TRUE(within(a.facing, 0, 360)) << "animal " << i;
        EXPECT_TRUE(within(a.wanderTimer, 3, 10)) << "animal " << i;
        EXPECT_TRUE(within(a.gaitPhase, 0, 6.28f)) << "animal " << i;
        EXPECT_EQ(a.fallAngle + a.corpseTimer, 0) << "animal " << i;
    }
}
