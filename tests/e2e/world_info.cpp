// For the tests that play the real program: the first second in [FROM, FROM + COUNT) whose park
// stands the sign straight ahead of the player's start (within a degree, so the binoculars show
// it without a turn), 10 to 40 away, its painted face turned to the start within 40 degrees and
// the whole board in clear sight; printed as "SECONDS YAW PITCH DISTANCE", the view angles to the
// middle of the board and how far it stands.
//
//   world_info --sign-view FROM COUNT

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "combat/shooting.h"
#include "player/player.h"
#include "tools/common/game_harness.h"
#include "world/sign.h"
#include "world/terrain.h"

namespace {

// Nothing between the eye and a point: no rock, tree (as shots meet them) or hill.
bool clearSight(Vec3 eye, Vec3 target) {
    const Vec3 to = vecSub(target, eye);
    const Vec3 way = vecNormalize(to);
    for (SceneryHit hit : {testRockHit(eye, way), testTreeHit(eye, way)})
        if (hit.hit && hit.distance < vecLength(to)) return false;
    for (int i = 1; i < 100; ++i) {
        const Vec3 p = vecAdd(eye, vecScale(to, i / 100.0f));
        if (terrainHeightAt(p.x, p.z) > p.y - 0.3f) return false;
    }
    return true;
}

// The view from the start to the middle of the board (2 to 3.5 above the post's foot), if good.
bool signInView(PlayerState* start, float* distance) {
    start->position = makeVec3(0, terrainHeightAt(0, 25) + EYE_HEIGHT, 25);
    const float ground = terrainHeightAt(signX, signZ), turn = signYaw * PI_F / 180;
    lookFromAt(start, makeVec3(signX, ground + 2.75f, signZ));
    const Vec3 to = vecSub(makeVec3(signX, ground + 2.75f, signZ), start->position);
    *distance = std::hypot(to.x, to.z);
    // The painted face looks along the sign's turned +z.
    const float facing = -(std::sin(turn) * to.x + std::cos(turn) * to.z) / *distance;
    if (*distance < 10 || *distance > 40 || facing < std::cos(40 * PI_F / 180) ||
        std::fabs(start->yaw + 90) > 1 || std::fabs(start->pitch) > 1.5f)
        return false;
    for (int corner = 0; corner < 5; ++corner) {  // the middle and the four corners
        const float across = corner == 4 ? 0 : corner & 1 ? 1 : -1;
        const float up = corner == 4 ? 2.75f : corner & 2 ? 3.5f : 2;
        const Vec3 point =
            makeVec3(signX + across * std::cos(turn), ground + up, signZ - across * std::sin(turn));
        if (!clearSight(start->position, point)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], "--sign-view") != 0) {
        std::fprintf(stderr, "usage: world_info --sign-view FROM COUNT\n");
        return 2;
    }
    const uint32_t from = (uint32_t)std::strtoul(argv[2], nullptr, 10);
    const uint32_t count = (uint32_t)std::strtoul(argv[3], nullptr, 10);
    for (uint32_t clock = from; clock < from + count; ++clock) {
        if (!harnessStart(clock, 64, 64)) return 1;
        PlayerState start;
        float distance;
        if (signInView(&start, &distance)) {
            std::printf("%u %.3f %.3f %.3f\n", clock, start.yaw, start.pitch, distance);
            return 0;
        }
    }
    std::fprintf(stderr, "world_info: no second with a clear view of the sign\n");
    return 1;
}
