#include <gtest/gtest.h>

#include "support/world_fixture.h"
#include "support/replay.h"

// One step is 0.16 along the whole view (diagonals no faster), never below
// y = 1.7 and never past 126.5 on either axis.
TEST(Player, MovesAlongTheViewWithinThePark) {
    startGame(1780351200u);
    PlayerState start = {{0, 1.7f, 25}, -90, 0};  // south of the centre, looking north
    EXPECT_TRUE(sameRecords(&thePlayer, &start, 1, "fffff"));
    struct Move { Vec3 from; float yaw, pitch, strafe, forward; Vec3 to; } MOVES[] = {
        {{0, 5, 25}, -90, 0, 0, 1, {0, 5, 24.84f}},
        {{0, 5, 25}, -90, 0, 1, 1, {0.1131371f, 5, 24.886863f}},
        {{0, 5, 25}, -90, 0, -1, 0, {-0.16f, 5, 25}},
        {{0, 5, 25}, -90, 0, 0, 0, {0, 5, 25}},
        {{0, 5, 25}, 90, 0, 0, -1, {0, 5, 24.84f}},
        {{0, 5, 25}, 0, 30, 0, 1, {0.1385641f, 5.08f, 25}},
        {{0, 1.75f, 25}, 0, -30, 0, 1, {0.1385641f, 1.7f, 25}},
        {{126.45f, 5, 0}, 45, 0, 0, 1, {126.5f, 5, 0.1131371f}},
        {{0, 5, -126.45f}, -90, 0, 0, 1, {0, 5, -126.5f}},
        {{-126.45f, 5, 0}, 720, 0, 0, -1, {-126.5f, 5, 0}},
    };
    for (const Move& m : MOVES) {
        PlayerState p = {m.from, m.yaw, m.pitch};
        movePlayer(&p, m.strafe, m.forward, PLAYER_STEP);
        EXPECT_TRUE(sameRecords(&p.position, &m.to, 1, "fff")) << (&m - MOVES);
    }
}

TEST(Player, MouseTurnsAndPitchStopsAt89) {
    PlayerState p = {{0, 0, 0}, -90, 0};
    applyMouseLook(&p, 20, -10);
    EXPECT_TRUE(p.yaw == -87 && p.pitch == 1.5f);
    applyMouseLook(&p, 0, -1000);
    EXPECT_EQ(p.pitch, 89);
    applyMouseLook(&p, 4800, 2000);
    EXPECT_TRUE(p.yaw == 633 && p.pitch == -89);
    p.yaw = -90;  // north, nearly straight down
    Vec3 got[2] = {viewDirection(&p), rightVector(&p)}, want[2] = {{0, -0.9998477f, -0.0174524f}, {1, 0, 0}};
    for (int i = 0; i < 2; ++i) EXPECT_NEAR(vecDistance(got[i], want[i]), 0, 1e-6) << i;
}
