#pragma once

// Games started the way the program starts them, with fakes for the sound
// devices and the platform, and the ways tests reshape the park.

#include <cstdint>
#include <cstring>
#include <vector>

#include "audio/cues.h"
#include "audio/sound_bank.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "core/random.h"
#include "fakes/audio_fake.h"
#include "fakes/platform_fake.h"
#include "player/player.h"
#include "render/weather.h"
#include "tools/common/game_harness.h"
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
        for (int id = FIRST_SOUND_ID; e.call == FAKE_PREPARE && id < FIRST_SOUND_ID + SOUND_COUNT; ++id)
            if (e.header.data == soundSlot(id)->buffer + soundSlot(id)->dataOffset) ids.push_back(id);
    fakeAudio.events.clear();
    return ids;
}

namespace testworld {

inline void flattenGround(float height) {
    if (!isTerrainBuilt()) buildTerrain();
    for (auto& row : terrainHeights)
        for (float& h : row) h = height;
}

// Trees and rocks far outside the park and every animal gone: a test puts back what it needs.
inline void clearPark() {
    for (TreeRecord& t : trees) t = TreeRecord{5000, 5000, 3, 1.5f};
    for (RockRecord& r : rocks) r = RockRecord{5000, 5000, 0.4f, 0.3f, 0.4f, 0.5f, 0.5f, 0.5f, 0};
    for (AnimalRecord& a : animals) a = AnimalRecord{}, a.x = a.z = 5000, a.wanderTimer = 1000;
}

inline void emptyArena(ArenaState* arena) { std::memset(arena, 0, sizeof(*arena)); }

inline EnemyRecord* addEnemy(ArenaState* arena, float x, float z, Vec3 colour) {
    EnemyRecord* e = &arena->enemies[arena->enemyCount++];
    *e = EnemyRecord{{x, terrainHeightAt(x, z), z}, 0, 1000, 1, 0, 0, colour};
    arena->enemiesLeft += 1;
    return e;
}

inline const Vec3 RED_SHIRT = {0.8f, 0.2f, 0.2f}, BLUE_SHIRT = {0.2f, 0.3f, 0.8f}, GREY_SHIRT = {0.35f, 0.35f, 0.38f};

}  // namespace testworld
