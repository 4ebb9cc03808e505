// Tells where things stand in the park the Windows program builds when its
// clock reads a given second, for tests that play the real program.
//
//   world_info --clock SECONDS
//       prints the sign's place and turn
//   world_info --sign-view FROM COUNT
//       finds the first second in [FROM, FROM + COUNT) whose sign faces the
//       start within 30 degrees, 12 to 35 units away with a clear line of
//       sight, and prints "SECONDS YAW PITCH": the view angles from the start
//       to the middle of the board

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "combat/shooting.h"
#include "core/random.h"
#include "player/player.h"
#include "tools/common/game_harness.h"
#include "world/sign.h"
#include "world/terrain.h"

namespace {

const float BOARD_MIDDLE = 2.75f;  // the board spans 2.0 .. 3.5 above the post's foot

struct SignView {
    int good;
    float yaw;
    float pitch;
};

// Nothing between the eye and the board: no tree, no rock, no hill.
int lineOfSightIsClear(Vec3 eye, Vec3 target) {
    Vec3 to = vecSub(target, eye);
    float distance = vecLength(to);
    Vec3 direction = vecNormalize(to);
    SceneryHit tree = testTreeHit(eye, direction);
    SceneryHit rock = testRockHit(eye, direction);
    if ((tree.hit && tree.distance < distance) || (rock.hit && rock.distance < distance)) return 0;
    for (int i = 1; i < 50; ++i) {
        Vec3 p = vecAdd(eye, vecScale(to, (float)i / 50.0f));
        if (terrainHeightAt(p.x, p.z) > p.y - 0.3f) return 0;
    }
    return 1;
}

SignView viewOfSign() {
    SignView view = {0, 0.0f, 0.0f};
    Vec3 eye = makeVec3(0.0f, terrainHeightAt(0.0f, 25.0f) + EYE_HEIGHT, 25.0f);
    Vec3 board = makeVec3(signX, terrainHeightAt(signX, signZ) + BOARD_MIDDLE, signZ);
    Vec3 to = vecSub(board, eye);
    float flat = std::sqrt(to.x * to.x + to.z * to.z);
    view.yaw = std::atan2(to.z, to.x) * 180.0f / PI_F;
    view.pitch = std::atan2(to.y, flat) * 180.0f / PI_F;
    // The painted face looks along the sign's turned +z.
    float turn = signYaw * PI_F / 180.0f;
    float facing = (std::sin(turn) * -to.x + std::cos(turn) * -to.z) / flat;
    view.good = flat > 12.0f && flat < 35.0f && facing > std::cos(30.0f * PI_F / 180.0f) &&
                lineOfSightIsClear(eye, board);
    return view;
}

int usage() {
    std::fprintf(stderr, "usage: world_info --clock SECONDS | --sign-view FROM COUNT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && !std::strcmp(argv[1], "--clock")) {
        uint32_t clock = (uint32_t)std::strtoul(argv[2], nullptr, 10);
        if (!harnessStart(clock, 64, 64)) return 1;
        std::printf("sign %.3f %.3f %.3f\n", signX, signZ, signYaw);
        return 0;
    }
    if (argc == 4 && !std::strcmp(argv[1], "--sign-view")) {
        uint32_t from = (uint32_t)std::strtoul(argv[2], nullptr, 10);
        uint32_t count = (uint32_t)std::strtoul(argv[3], nullptr, 10);
        for (uint32_t clock = from; clock < from + count; ++clock) {
            if (!harnessStart(clock, 64, 64)) return 1;
            SignView view = viewOfSign();
            if (view.good) {
                std::printf("%u %.3f %.3f\n", clock, view.yaw, view.pitch);
                return 0;
            }
        }
        std::fprintf(stderr, "world_info: no second with a clear view of the sign\n");
        return 1;
    }
    return usage();
}
