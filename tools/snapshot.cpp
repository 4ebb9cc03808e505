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
//     --near-stream U     stand on the bank at fraction U (0..1) of the stream, looking at the
//     water
//     --weather W         clear | rain | snow
//     --night N           night blend 0..1 (default 0)
//     --snow-cover C      ground snow 0..1
//     --rainbow A         rainbow alpha 0..1, standing where the view points
//     --binoculars        zoomed view with the scope frame
//     --frames N          simulate N frames of 16 ms first (creatures walk, effects fly)
//     --near KIND,D[,A]   stand D units from the nearest living enemy, rabbit or deer
//                         (KIND: enemy | rabbit | deer) in clear view, and look at it;
//                         A turns the standpoint that many degrees around it
//     --fire              fire one shot before the frames run

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "combat/shooting.h"
#include "player/input.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "sky/weather.h"
#include "tools/common/game_harness.h"
#include "tools/common/offscreen.h"
#include "world/bushes.h"
#include "world/placement.h"
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
    int nearKind = -1;  // NEAR_*
    float nearDistance = 0;
    float nearOrbit = 0;  // degrees around the creature
    const char* out = nullptr;
};

enum NearKind { NEAR_ENEMY, NEAR_RABBIT, NEAR_DEER };

// The pose D units from a target, on the line from where the player stands
// turned by orbit degrees around it, looking at it.
PlayerState approachPose(Vec3 target, float distance, float orbit) {
    const double degrees = 3.141592653589793 / 180.0;
    double side = std::atan2(thePlayer.position.z - target.z, thePlayer.position.x - target.x) +
                  orbit * degrees;
    PlayerState pose = thePlayer;
    float x = target.x + (float)std::cos(side) * distance;
    float z = target.z + (float)std::sin(side) * distance;
    pose.position = makeVec3(x, terrainHeightAt(x, z) + EYE_HEIGHT, z);
    lookFromAt(&pose, target);
    return pose;
}

// Not standing in a trunk or a rock, and no tree or rock between the eye and the target.
int isViewClear(const PlayerState& pose, Vec3 target) {
    for (const TreeRecord& t : trees)
        if (std::hypot(t.x - pose.position.x, t.z - pose.position.z) < 1.0f) return 0;
    for (const RockRecord& r : rocks)
        if (std::hypot(r.x - pose.position.x, r.z - pose.position.z) < r.sizeX + r.sizeZ + 0.5f)
            return 0;
    float reach = vecDistance(pose.position, target);
    Vec3 dir = viewDirection(&pose);
    SceneryHit tree = testTreeHit(pose.position, dir);
    SceneryHit rock = testRockHit(pose.position, dir);
    return !(tree.hit && tree.distance < reach) && !(rock.hit && rock.distance < reach);
}

// Picks the nearest living creature of a kind that can be seen clearly from
// D units away and stands the player there; 0 when there is none.
int approachNearest(int kind, float distance, float orbit) {
    const int MAX_TARGETS = MAX_ENEMIES + ANIMAL_COUNT;
    Vec3 targets[MAX_TARGETS];
    int count = 0;
    if (kind == NEAR_ENEMY) {
        for (int i = 0; i < theArena.enemyCount; ++i) {
            const EnemyRecord& e = theArena.enemies[i];
            if (e.alive)
                targets[count++] = makeVec3(
                    e.position.x, terrainHeightAt(e.position.x, e.position.z) + 1.0f, e.position.z);
        }
    } else {
        int animalKind = kind == NEAR_RABBIT ? ANIMAL_RABBIT : ANIMAL_DEER;
        float chest = animalKind == ANIMAL_RABBIT ? 0.25f : 0.65f;
        for (const AnimalRecord& a : animals)
            if (a.alive && a.kind == animalKind)
                targets[count++] = makeVec3(a.x, terrainHeightAt(a.x, a.z) + chest, a.z);
    }
    float best = 1e30f;
    PlayerState chosen = thePlayer;
    for (int i = 0; i < count; ++i) {
        float d = vecDistance(targets[i], thePlayer.position);
        if (d >= best) continue;
        PlayerState pose = approachPose(targets[i], distance, orbit);
        if (!isViewClear(pose, targets[i])) continue;
        best = d;
        chosen = pose;
    }
    thePlayer = chosen;
    return best < 1e30f;
}

int usage() {
    std::fprintf(
        stderr,
        "usage: snapshot [--seed N] [--size WxH] [--at X,Z] [--look YAW,PITCH] [--look-at X,Y,Z]\n"
        "                [--near-sign] [--near-bush N] [--near-stream U] [--near "
        "enemy|rabbit|deer,D[,A]]\n"
        "                [--weather clear|rain|snow] [--night N] [--snow-cover C] [--rainbow A] "
        "[--binoculars]\n"
        "                [--frames N] [--fire] out.png\n");
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
            if (!std::strcmp(a, "--seed"))
                o->seed = (unsigned)std::strtoul(v, nullptr, 10);
            else if (!std::strcmp(a, "--size")) {
                if (std::sscanf(v, "%dx%d", &o->width, &o->height) != 2) return 0;
            } else if (!std::strcmp(a, "--at")) {
                if (std::sscanf(v, "%f,%f", &o->x, &o->z) != 2) return 0;
                o->placed = 1;
            } else if (!std::strcmp(a, "--look")) {
                if (std::sscanf(v, "%f,%f", &o->yaw, &o->pitch) != 2) return 0;
            } else if (!std::strcmp(a, "--look-at")) {
                if (std::sscanf(v, "%f,%f,%f", &o->target.x, &o->target.y, &o->target.z) != 3)
                    return 0;
                o->lookAt = 1;
            } else if (!std::strcmp(a, "--near-bush")) {
                o->nearBush = std::atoi(v);
                if (o->nearBush < 0 || o->nearBush >= BUSH_COUNT) return 0;
            } else if (!std::strcmp(a, "--near-stream")) {
                o->nearStream = (float)std::atof(v);
                if (o->nearStream < 0 || o->nearStream >= 1) return 0;
            } else if (!std::strcmp(a, "--weather")) {
                if (!std::strcmp(v, "clear"))
                    o->weather = WEATHER_CLEAR;
                else if (!std::strcmp(v, "rain"))
                    o->weather = WEATHER_RAIN;
                else if (!std::strcmp(v, "snow"))
                    o->weather = WEATHER_SNOW;
                else
                    return 0;
            } else if (!std::strcmp(a, "--night"))
                o->night = (float)std::atof(v);
            else if (!std::strcmp(a, "--snow-cover"))
                o->snowCover = (float)std::atof(v);
            else if (!std::strcmp(a, "--rainbow"))
                o->rainbow = (float)std::atof(v);
            else if (!std::strcmp(a, "--frames"))
                o->frames = std::atoi(v);
            else if (!std::strcmp(a, "--near")) {
                char kind[16];
                if (std::sscanf(v, "%15[a-z],%f,%f", kind, &o->nearDistance, &o->nearOrbit) < 2)
                    return 0;
                if (!std::strcmp(kind, "enemy"))
                    o->nearKind = NEAR_ENEMY;
                else if (!std::strcmp(kind, "rabbit"))
                    o->nearKind = NEAR_RABBIT;
                else if (!std::strcmp(kind, "deer"))
                    o->nearKind = NEAR_DEER;
                else
                    return 0;
            } else
                return 0;
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
    if (o.nearKind >= 0 && !approachNearest(o.nearKind, o.nearDistance, o.nearOrbit)) {
        std::fprintf(stderr, "snapshot: nothing of that kind in clear view\n");
        return 1;
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
