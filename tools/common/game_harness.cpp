#include "tools/common/game_harness.h"

#include <cmath>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "app/startup.h"
#include "core/random.h"
#include "player/player.h"
#include "tools/common/offscreen.h"
#include "world/terrain.h"

int harnessStart(uint32_t clockSeconds, int width, int height) {
    if (!offscreenOpen(width, height)) return 0;
    clientWidth = width;
    clientHeight = height;
    startProgramAt(clockSeconds);
    return 1;
}

void startProgramAt(uint32_t clockSeconds) {
    // Same order as the program: seed, window, world, projection, player, first game.
    startRandomAtClock(clockSeconds);
    shellWindowCreated();
    prepareWorld(nullptr);
    startFirstGame();
}

void harnessRunFrames(int frames, float dt) {
    for (int i = 0; i < frames; ++i) {
        simulateFrame(dt);
        drawFrame();
    }
}

void harnessDrawFrame() { drawFrame(); }

void harnessLookAt(Vec3 target) { lookFromAt(&thePlayer, target); }

void lookFromAt(PlayerState* pose, Vec3 target) {
    Vec3 d = vecSub(target, pose->position);
    double flat = std::sqrt((double)d.x * d.x + (double)d.z * d.z);
    pose->yaw = (float)(std::atan2((double)d.z, (double)d.x) * 180.0 / PI_F);
    float pitch = (float)(std::atan2((double)d.y, flat) * 180.0 / PI_F);
    if (pitch > PITCH_LIMIT) pitch = PITCH_LIMIT;
    if (pitch < -PITCH_LIMIT) pitch = -PITCH_LIMIT;
    pose->pitch = pitch;
}

void harnessStandAt(float x, float z) {
    thePlayer.position = makeVec3(x, terrainHeightAt(x, z) + EYE_HEIGHT, z);
}
