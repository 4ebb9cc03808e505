#include <gtest/gtest.h>

#include "combat/walk.h"
#include "support/world_fixture.h"

// One step is 0.16 along the whole view, never below y = 1.7 nor past 126.5.
TEST(Player, MovesAlongTheViewWithinThePark) {
    const struct {
        Vec3 from;
        float yaw, pitch, strafe, forward;
        Vec3 to;
    } MOVES[] = {{{0, 5, 25}, -90, 0, -1, 0, {-0.16f, 5, 25}},
                 {{0, 5, 25}, 0, 30, 0, 1, {0.1385641f, 5.08f, 25}},
                 {{0, 1.75f, 25}, 0, -30, 0, 1, {0.1385641f, 1.7f, 25}},
                 {{126.45f, 5, 0}, 45, 0, 0, 1, {126.5f, 5, 0.1131371f}},
                 {{0, 5, -126.45f}, -90, 0, 0, 1, {0, 5, -126.5f}},
                 {{-126.45f, 5, 0}, 720, 0, 0, -1, {-126.5f, 5, 0}}};
    for (const auto& m : MOVES) {
        PlayerState p = {m.from, m.yaw, m.pitch};
        movePlayer(&p, m.strafe, m.forward, PLAYER_STEP);
        EXPECT_TRUE(same(p.position, m.to, "f")) << "move " << &m - MOVES;
    }
}

// A step of 0.25 leading out past the line (125.5) mirrors the heading on that axis and ends the
// walk's timer; it is still taken, unless the creature already stands beyond the line and would go
// further out. A step onto the line is not past it.
TEST(Walk, StepsTurnBackAtTheEdge) {
    const struct {
        const char* name;
        float x, z, heading, nx, nz, newHeading, timer;
    } STEPS[] = {{"out past +x", 125.4f, 0, 0, 125.65f, 0, 180, 0},
                 {"further out past +x", 125.7f, 0, 10, 125.7f, 0.043412f, 170, 0},
                 {"out past -z", 0, -125.4f, 270, 0, -125.65f, 90, 0},
                 {"back in from -x", -125.7f, 0, 0, -125.45f, 0, 0, 5},
                 {"onto the line at +x", 125.25f, 0, 0, 125.5f, 0, 0, 5},
                 {"onto the line at -z", 0, -125.25f, 270, 0, -125.5f, 270, 5}};
    for (const auto& s : STEPS) {
        float heading = s.heading, timer = 5, nx, nz;
        proposeStep(s.x, s.z, 1, 0.25f, 125.5f, &heading, &timer, &nx, &nz);
        EXPECT_NEAR(nx, s.nx, 1e-5f) << s.name;
        EXPECT_NEAR(nz, s.nz, 1e-5f) << s.name;
        EXPECT_FLOAT_EQ(heading, s.newHeading) << s.name;
        EXPECT_EQ(timer, s.timer) << s.name;
    }
}
