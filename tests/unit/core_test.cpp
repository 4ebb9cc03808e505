#include <gtest/gtest.h>

#include "core/vec3.h"
#include "support/replay.h"

// The runtime's sequence after srand(1) begins 41, 18467, 6334 ...; the first
// float seeds again from the clock, once; both ends of a range are reachable.
TEST(Random, ReproducesTheRuntimeAndSpansItsRanges) {
    seedRandom(1);
    for (int v : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}) EXPECT_EQ(nextRandom(), v);
    startRandomAtClock(1780351200u), nextRandom(), nextRandom();
    Rand r{1780351200u};
    EXPECT_TRUE(randomFloat(-1, 1) == r.f(-1, 1) && randomFloat(-1, 1) == r.f(-1, 1) && randomFloat(5, 5) == 5);
    seedRandom(3), r = Rand{3};
    int ends = 0;
    for (int i = 0; i < 300000 && ends < 2; ++i) {
        int v = Rand{r}.next();
        if (v == 0 || v == RANDOM_MAX) ends += randomFloat(10, 0) == (v ? 0.0f : 10.0f);
        else nextRandom();
        r.next();
    }
    EXPECT_EQ(ends, 2);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(randomInt(15, 30), r.next() % 16 + 15);
}

TEST(Vec3Math, CrossAndNormalize) {
    Vec3 got[] = {vecCross({1, 2, 3}, {4, 5, 6}), vecCross({0, 0, -1}, {0, 1, 0}), vecNormalize({3, 4, 0}),
                  vecNormalize({0.00011f, 0, 0}), vecNormalize({0.00005f, 0, 0}), vecNormalize({0, 0, 0})};
    Vec3 want[] = {{-3, 6, -3}, {1, 0, 0}, {0.6f, 0.8f, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    EXPECT_TRUE(sameRecords(got, want, 6, "fff"));
    EXPECT_TRUE(vecDot({1, 2, 3}, {4, 5, 6}) == 32 && vecDistance({1, 2, 3}, {4, 6, 3}) == 5);
}

// The nearest crossing more than 0.01 ahead: the near wall, else the far one.
TEST(Vec3Math, RayAgainstSphere) {
    struct Case { Vec3 origin, direction, centre; float t; } CASES[] = {
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -10}, 9}, {{0, 0, -10}, {0, 0, -1}, {0, 0, -10}, 1},  // ahead; from inside
        {{1, 0, 0}, {0, 0, -2}, {0, 0, -10}, 5},  // tangent, in lengths of the direction
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.005f}, 2.005f}, {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.02f}, 0.02f},
        {{0, 0, 0}, {0, 0, -1}, {0, 0, 0.995f}, -1}, {{0, 0, 0}, {0, 0, -1}, {0, 0, 10}, -1}, {{0, 1.01f, 0}, {0, 0, -1}, {0, 0, -10}, -1}};
    for (const Case& c : CASES) {
        float t = -1;
        EXPECT_EQ(rayHitsSphere(c.origin, c.direction, c.centre, 1, &t), c.t > 0) << c.t;
        EXPECT_NEAR(t, c.t, 1e-5) << c.t;
    }
}
