#pragma once

// Games started as the program starts them, on fake devices; the rules written afresh; records
// compared.

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
    resetFakePlatform(), releaseSoundBank(), resetFakeAudio(), loadSoundBank();
    rainLoopPlaying = rainDropCount = snowFlakeCount = rainSplashCount = 0;
    startProgramAt(clockSeconds);
    fakeAudio.events.clear();
}

// The sounds handed to a device since the last look, by resource id.
inline std::vector<int> playedSounds() {
    std::vector<int> ids;
    for (const FakeAudioEvent& e : fakeAudio.events)
        for (int id = FIRST_SOUND_ID; e.call == FAKE_PREPARE && id < FIRST_SOUND_ID + SOUND_COUNT;
             ++id)
            if (e.header.data == soundSlot(id)->buffer + soundSlot(id)->dataOffset)
                ids.push_back(id);
    fakeAudio.events.clear();
    return ids;
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
    for (AnimalRecord& a : animals) a = AnimalRecord{}, a.x = a.z = 5000, a.wanderTimer = 1000;
}

inline void emptyArena(ArenaState* arena) { std::memset(arena, 0, sizeof(*arena)); }

inline EnemyRecord* addEnemy(ArenaState* arena, float x, float z, Vec3 shirt) {
    arena->enemiesLeft += 1;
    return &(arena->enemies[arena->enemyCount++] =
                 EnemyRecord{{x, terrainHeightAt(x, z), z}, 0, 1000, 1, 0, 0, shirt});
}

inline const Vec3 RED_SHIRT = {0.8f, 0.2f, 0.2f}, BLUE_SHIRT = {0.2f, 0.3f, 0.8f},
                  GREY_SHIRT = {0.35f, 0.35f, 0.38f};

}  // namespace testworld

// The Windows C runtime's rand after srand(s).
struct Rand {
    uint32_t s;
    int next() { return (int)(((s = s * 214013u + 2531011u) >> 16) & 0x7FFF); }
    float f(float lo, float hi) { return (float)(lo + next() / 32767.0 * (double)(hi - lo)); }
    int i(int lo, int hi) { return next() % (hi - lo + 1) + lo; }
};

// Record layouts, one letter per 4-byte field: 'f' a float, 'i' an integer.
inline std::string times(const std::string& kinds, int n) {
    return n > 0 ? kinds + times(kinds, n - 1) : "";
}
const std::string ENEMY_FIELDS = "fffffifffff", ANIMAL_FIELDS = "iffffffiiff";
const std::string FISH_FIELDS = times("f", 7 * FISH_COUNT) + times("i", FISH_COUNT);
const std::string ARENA_FIELDS =
    times(ENEMY_FIELDS, MAX_ENEMIES) + "iiiii" + times("ffffffffffffi", MAX_BLOOD_DROPS) + "i" +
    times("ffffff", MAX_BLOOD_POOLS) + "i" + "fffffffi" + "ffiiiifiif" +
    times("fffffffff", MAX_SPLASH_DROPS) + "i" + times("ffffff", MAX_RIPPLES) + "i" +
    times("fffffffffff", MAX_SPARKS) + "i";

// A record, or an array of them, field by field: floats agree to a hair (relative 1e-5), integers
// exactly.
template <class T>
::testing::AssertionResult same(const T& got, const T& want, const std::string& kinds) {
    if (sizeof(T) % (kinds.size() * 4))
        return ::testing::AssertionFailure() << "the kinds do not fit the record";
    for (size_t k = 0; k < sizeof(T) / 4; ++k) {
        int32_t ia, ib;  // the field read both ways
        float fa, fb;
        std::memcpy(&ia, (const char*)&got + 4 * k, 4), std::memcpy(&fa, &ia, 4);
        std::memcpy(&ib, (const char*)&want + 4 * k, 4), std::memcpy(&fb, &ib, 4);
        bool isInt = kinds[k % kinds.size()] == 'i';
        if (isInt ? ia != ib : !(std::fabs(fa - fb) <= 1e-5f * (1.0f + std::fabs(fb))))
            return ::testing::AssertionFailure()
                   << "record " << k / kinds.size() << ", field " << k % kinds.size() << ": got "
                   << (isInt ? ia : fa) << ", want " << (isInt ? ib : fb);
    }
    return ::testing::AssertionSuccess();
}
