#include <gtest/gtest.h>

#include "support/world_fixture.h"

// One step is 0.16 along the whole view (diagonals no faster), never below y = 1.7 nor past 126.5.
TEST(Player, MovesAlongTheViewWithinThePark) {
    startGame(1780351200u);
    PlayerState start = {{0, 1.7f, 25}, -90, 0};  // south of the centre, looking north
    EXPECT_TRUE(same(thePlayer, start, "f"));
    struct Move { Vec3 from; float yaw, pitch, strafe, forward; Vec3 to; } MOVES[] = {
        {{0, 5, 25}, -90, 0, 0, 1, {0, 5, 24.84f}}, {{0, 5, 25}, -90, 0, 1, 1, {0.1131371f, 5, 24.886863f}},
        {{0, 5, 25}, -90, 0, -1, 0, {-0.16f, 5, 25}}, {{0, 5, 25}, -90, 0, 0, 0, {0, 5, 25}},
        {{0, 5, 25}, 90, 0, 0, -1, {0, 5, 24.84f}},
        {{0, 5, 25}, 0, 30, 0, 1, {0.1385641f, 5.08f, 25}}, {{0, 1.75f, 25}, 0, -30, 0, 1, {0.1385641f, 1.7f, 25}},
        {{126.45f, 5, 0}, 45, 0, 0, 1, {126.5f, 5, 0.1131371f}}, {{0, 5, -126.45f}, -90, 0, 0, 1, {0, 5, -126.5f}},
        {{-126.45f, 5, 0}, 720, 0, 0, -1, {-126.5f, 5, 0}}};
    for (const Move& m : MOVES) {
        PlayerState p = {m.from, m.yaw, m.pitch};
        EXPECT_TRUE((movePlayer(&p, m.strafe, m.forward, PLAYER_STEP), same(p.position, m.to, "f"))) << (&m - MOVES);
    }
}
