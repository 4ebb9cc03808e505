// Draws frames of a seeded world offscreen and writes them as PNGs: how we
// look at the game without a window.
//
//   snapshot [options] out.png
//     --seed N            world seed (default 1)
//     --size WxH          canvas size (default 800x600)
//     --at X,Z            stand here, eye at ground + 1.7 (default: the start)
//     --look YAW,PITCH    view angles in degrees (default -90,0)
//     --look-at X,Y,Z     turn to face this world point instead
//     --near-sign         stand in front of the park sign, facing its board
//     --near-bush N       stand beside streamside bush N (0..79), looking down at it
//     --near-stream U     stand on the bank at fraction U (0..1) of the stream, looking at the water
//     --weather W         clear | rain | snow
//     --night N           night blend 0..1 (default 0)
//     --snow-cover C      ground snow 0..1
//     --rainbow A         rainbow alpha 0..1, standing where the view points
//     --binoculars        zoomed view with the scope frame
//     --frames N          simulate N frames of 16 ms first (creatures walk, effects fly)
//     --fire              fire one shot before the frames run

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "combat/arena.h"
#include "combat/shooting.h"
#include "player/player.h"
#include "render/bushes.h"
#include "render/weather.h"
#include "resources/resource_ids.h"
#include "tools/common/game_harness.h"
#include "tools/common/offscreen.h"
#include "world/sign.h"
#include "world/terrain.h"

namespace {

struct Options {
    unsigned seed = 1;
    int width = 800, height = 600;
    int placed = 0;
    float x = 0, z = 25;
    float yaw = -90, pitch = 0;
    int lookAt = 0;
    Vec3 target = {0, 0, 0};
    int nearSign = 0;
    int nearBush = -1;
    float nearStream = -1;
    int weather = WEATHER_CLEAR;
    float night = 0;
    float snowCover = -1;
    float rainbow = 0;
    int binoculars = 0;
    int frames = 0;
    int fire = 0;
    const char* out = nullptr;
};

int usage() {
    std::fprintf(stderr,
                 "usage: snapshot [--seed N] [--size WxH] [--at X,Z] [--look YAW,PITCH] [--look-at X,Y,Z]\n"
                 "                [--near-sign] [--near-bush N] [--near-stream U] [--weather clear|rain|snow]\n"
                 "                [--night N] [--snow-cover C] [--rainbow A] [--binoculars] [--frames N] [--fire]"
                 " out.png\n");
    return 2;
}

int parse(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!std::strcmp(a, "--binoculars")) {
            o->binoculars = 1;
        } else if (!std::strcmp(a, "--fire")) {
            o->fire = 1;
        } else if (!std::strcmp(a, "--near-sign")) {
            o->nearSign = 1;
        } else if (a[0] == '-' && a[1] == '-') {
            if (!v) return 0;
            ++i;
            if (!std::strcmp(a, "--seed")) o->seed = (unsigned)std::strtoul(v, nullptr, 10);
            else if (!std::strcmp(a, "--size")) {
                if (std::sscanf(v, "%dx%d", &o->width, &o->height) != 2) return 0;
            } else if (!std::strcmp(a, "--at")) {
                if (std::sscanf(v, "%f,%f", &o->x, &o->z) != 2) return 0;
                o->placed = 1;
            } else if (!std::strcmp(a, "--look")) {
                if (std::sscanf(v, "%f,%f", &o->yaw, &o->pitch) != 2) return 0;
            } else if (!std::strcmp(a, "--look-at")) {
                if (std::sscanf(v, "%f,%f,%f", &o->target.x, &o->target.y, &o->target.z) != 3) return 0;
                o->lookAt = 1;
            } else if (!std::strcmp(a, "--near-bush")) {
                o->nearBush = std::atoi(v);
                if (o->nearBush < 0 || o->nearBush >= BUSH_COUNT) return 0;
            } else if (!std::strcmp(a, "--near-stream")) {
                o->nearStream = (float)std::atof(v);
                if (o->nearStream < 0 || o->nearStream >= 1) return 0;
            } else if (!std::strcmp(a, "--weather")) {
                if (!std::strcmp(v, "clear")) o->weather = WEATHER_CLEAR;
                else if (!std::strcmp(v, "rain")) o->weather = WEATHER_RAIN;
                else if (!std::strcmp(v, "snow")) o->weather = WEATHER_SNOW;
                else return 0;
            } else if (!std::strcmp(a, "--night")) o->night = (float)std::atof(v);
            else if (!std::strcmp(a, "--snow-cover")) o->snowCover = (float)std::atof(v);
            else if (!std::strcmp(a, "--rainbow")) o->rainbow = (float)std::atof(v);
            else if (!std::strcmp(a, "--frames")) o->frames = std::atoi(v);
            else return 0;
        } else {
            o->out = a;
        }
    }
    return o->out != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, &o)) return usage();
    if (!harnessStart(o.seed, o.width, o.height)) {
        std::fprintf(stderr, "snapshot: no offscreen context\n");
        return 1;
    }
    if (o.placed) {
        thePlayer.position.x = o.x;
        thePlayer.position.z = o.z;
    }
    thePlayer.position.y = terrainHeightAt(thePlayer.position.x, thePlayer.position.z) + EYE_HEIGHT;
    thePlayer.yaw = o.yaw;
    thePlayer.pitch = o.pitch;
    if (o.lookAt) harnessLookAt(o.target);
    if (o.nearSign) {
        // Three units out on the side the board's picture faces.
        float yaw = signYaw * PI_F / 180.0f;
        harnessStandAt(signX + 3.0f * std::sin(yaw), signZ + 3.0f * std::cos(yaw));
        harnessLookAt(makeVec3(signX, terrainHeightAt(signX, signZ) + 2.75f, signZ));
    }
    if (o.nearStream >= 0) {
        float x, z;
        streamPointAt(o.nearStream, &x, &z);
        // Two units off the centre line, on the +z side of the water.
        harnessStandAt(x, z + 2.0f);
        harnessLookAt(makeVec3(x, WATER_LEVEL, z - 0.5f));
    }
    if (o.nearBush >= 0) {
        // The first frame places the bushes, in their place in the random sequence.
        harnessDrawFrame();
        const StreamBush& b = streamBushes[o.nearBush];
        harnessStandAt(b.x, b.z - 1.5f);
        harnessLookAt(makeVec3(b.x, terrainHeightAt(b.x, b.z) + 0.2f, b.z));
    }
    static const int WEATHER_COMMANDS[3] = {IDM_WEATHER_NONE, IDM_WEATHER_RAINY, IDM_WEATHER_SNOWY};
    shellCommand(WEATHER_COMMANDS[o.weather]);
    theArena.nightBlend = o.night;
    theArena.nightTarget = o.night >= 0.5f;
    if (o.snowCover >= 0) theArena.snowCover = o.snowCover;
    if (o.rainbow > 0) {
        theRainbow = RainbowState{1, 10.0f, o.rainbow, o.yaw};
    }
    theInput.mouseCaptured = 1;
    theInput.binocularsOn = o.binoculars;
    if (o.fire) fireWeapon();
    // Fixed alpha and cover: keep the frames from easing them away.
    float rainbow = o.rainbow;
    for (int i = 0; i < o.frames; ++i) {
        harnessRunFrames(1, 0.016f);
        theArena.nightBlend = o.night;
        if (o.snowCover >= 0) theArena.snowCover = o.snowCover;
        if (rainbow > 0) theRainbow.alpha = rainbow;
    }
    // Twice: a pass clears with the sky colour the previous pass chose.
    harnessDrawFrame();
    harnessDrawFrame();
    if (!offscreenWritePng(o.out)) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", o.out);
        return 1;
    }
    return 0;
}
