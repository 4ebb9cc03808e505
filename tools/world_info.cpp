// Tells where things stand in the park the Windows program builds when its
// clock reads a given second, for tests that play the real program.
//
//   world_info --clock SECONDS
//       prints the sign's place and turn
//   world_info --sign-view FROM COUNT
//       finds the first second in [FROM, FROM + COUNT) whose sign stands
//       straight ahead of the player's start (within a degree of the view, so
//       the binoculars show it without a turn), 10 to 40 units away, facing the
//       start within 40 degrees with the whole board in clear sight, and prints
//       "SECONDS YAW PITCH DISTANCE": the view angles from the start to the
//       middle of the board and how far away it stands

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "combat/shooting.h"
#include "core/random.h"
#include "player/player.h"
#include "tools/common/game_harness.h"
#include "world/placement.h"
#include "world/sign.h"
#include "world/terrain.h"

namespace {

const float BOARD_MIDDLE = 2.75f;  // the board spans 2.0 .. 3.5 above the post's foot

struct SignView {
    int good;
    float yaw;
    float pitch;
    float distance;
};

// Inside a tree as it is drawn: trunk, lower crown cone or upper crown cone
// (the shot spheres are smaller than the cones a viewer sees).
int insideTree(Vec3 p) {
    for (const TreeRecord& t : trees) {
        float dx = p.x - t.x, dz = p.z - t.z;
        float flat = std::sqrt(dx * dx + dz * dz);
        if (flat > t.crownRadius + 0.5f) continue;
        float h = p.y - terrainHeightAt(t.x, t.z);
        float H = t.height;
        if (h >= 0.0f && h <= 0.4f * H && flat < 0.35f) return 1;
        if (h >= 0.4f * H && h <= H &&
            flat < t.crownRadius * (1.0f - (h - 0.4f * H) / (0.6f * H)) + 0.2f)
            return 1;
        if (h >= 0.7f * H && h <= 1.12f * H &&
            flat < 0.7f * t.crownRadius * (1.0f - (h - 0.7f * H) / (0.42f * H)) + 0.2f)
            return 1;
    }
    return 0;
}

// Nothing between the eye and a point: no tree, no rock, no hill.
int lineOfSightIsClear(Vec3 eye, Vec3 target) {
    Vec3 to = vecSub(target, eye);
    float distance = vecLength(to);
    SceneryHit rock = testRockHit(eye, vecNormalize(to));
    if (rock.hit && rock.distance < distance) return 0;
    for (int i = 1; i < 100; ++i) {
        Vec3 p = vecAdd(eye, vecScale(to, (float)i / 100.0f));
        if (terrainHeightAt(p.x, p.z) > p.y - 0.3f || insideTree(p)) return 0;
    }
    return 1;
}

SignView viewOfSign() {
    SignView view = {0, 0.0f, 0.0f, 0.0f};
    PlayerState start;
    start.position = makeVec3(0.0f, terrainHeightAt(0.0f, 25.0f) + EYE_HEIGHT, 25.0f);
    Vec3 eye = start.position;
    Vec3 board = makeVec3(signX, terrainHeightAt(signX, signZ) + BOARD_MIDDLE, signZ);
    lookFromAt(&start, board);
    Vec3 to = vecSub(board, eye);
    float flat = std::sqrt(to.x * to.x + to.z * to.z);
    view.yaw = start.yaw;
    view.pitch = start.pitch;
    view.distance = flat;
    // The painted face looks along the sign's turned +z.
    float turn = signYaw * PI_F / 180.0f;
    float facing = (std::sin(turn) * -to.x + std::cos(turn) * -to.z) / flat;
    float offCentre = view.yaw - (-90.0f);
    view.good = flat > 10.0f && flat < 40.0f && facing > std::cos(40.0f * PI_F / 180.0f) &&
                std::fabs(offCentre) < 1.0f && std::fabs(view.pitch) < 1.5f;
    // The whole board in sight: its middle and its four corners.
    float ground = terrainHeightAt(signX, signZ);
    for (int corner = 0; corner < 5 && view.good; ++corner) {
        float across = corner == 4 ? 0.0f : (corner & 1 ? 1.0f : -1.0f);
        float up = corner == 4 ? BOARD_MIDDLE : (corner & 2 ? 3.5f : 2.0f);
        Vec3 point =
            makeVec3(signX + across * std::cos(turn), ground + up, signZ - across * std::sin(turn));
        view.good = lineOfSightIsClear(eye, point);
    }
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
                std::printf("%u %.3f %.3f %.3f\n", clock, view.yaw, view.pitch, view.distance);
                return 0;
            }
        }
        std::fprintf(stderr, "world_info: no second with a clear view of the sign\n");
        return 1;
    }
    return usage();
}
