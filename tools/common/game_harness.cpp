#include "tools/common/game_harness.h"

#include "app/frame_tick.h"
#include "app/shell.h"
#include "app/startup.h"
#include "core/random.h"
#include "tools/common/offscreen.h"
#include "world/terrain.h"
#include "world/terrain_draw.h"

int harnessStart(uint32_t seed, int width, int height) {
    if (!offscreenOpen(width, height)) return 0;
    // Same order as the program: seed, world, projection, player, first game.
    seedRandomForRun(seed);
    resetTerrainForTests();
    resetSnowPatchesForTests();
    clientWidth = width;
    clientHeight = height;
    prepareWorld(nullptr);
    startFirstGame();
    return 1;
}

void harnessRunFrames(int frames, float dt) {
    for (int i = 0; i < frames; ++i) {
        simulateFrame(dt);
        drawFrame();
    }
}

void harnessDrawFrame() { drawFrame(); }
