#include <gtest/gtest.h>

#include "core/vec3.h"
#include "support/world_fixture.h"

// The runtime's sequence after srand(1); the replays of the other tests rest on it.
TEST(Random, ReproducesTheRuntime) {
    seedRandom(1);
    for (int v : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}) EXPECT_EQ(nextRandom(), v);
}

// The nearest crossing more than 0.01 ahead: the near wall, else the far one.
TEST(Vec3Math, RayAgainstSphere) {
    struct Case { Vec3 origin, direction, centre; float t; } CASES[] = {
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -10}, 9}, {{0, 0, -10}, {0, 0, -1}, {0, 0, -10}, 1},  // ahead; from inside
        {{1, 0, 0}, {0, 0, -2}, {0, 0, -10}, 5},  // tangent, in lengths of the direction
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.005f}, 2.005f}, {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.02f}, 0.02f},
        {{0, 0, 0}, {0, 0, -1}, {0, 0, 0.995f}, -1}, {{0, 0, 0}, {0, 0, -1}, {0, 0, 10}, -1},
        {{0, 1.01f, 0}, {0, 0, -1}, {0, 0, -10}, -1}};
    for (const Case& c : CASES) {
        float t = -1;
        EXPECT_EQ(rayHitsSphere(c.origin, c.direction, c.centre, 1, &t), c.t > 0) << c.t;
        EXPECT_NEAR(t, c.t, 1e-5) << c.t;
    }
}
