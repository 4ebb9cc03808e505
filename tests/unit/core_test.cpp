#include <gtest/gtest.h>

#include "core/random.h"
#include "core/vec3.h"
#include "support/replay.h"

TEST(Random, ReproducesTheRuntimeSequence) {
    seedRandom(1);
    for (int v : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}) EXPECT_EQ(nextRandom(), v);
    for (uint32_t seed : {0u, 77u, 1780351200u}) {
        seedRandom(seed);
        Rand r{seed};
        for (int i = 0; i < 1000; ++i) ASSERT_EQ(nextRandom(), r.next());
    }
}

// The first float seeds again from the clock, once; both ends of a range are
// reachable, reversed ranges too; integers take one draw and include both bounds.
TEST(Random, FloatsAndIntsFromTheSequence) {
    startRandomAtClock(1780351200u);
    nextRandom(), nextRandom();
    Rand r{1780351200u};
    EXPECT_EQ(randomFloat(-1, 1), r.f(-1, 1));
    EXPECT_EQ(randomFloat(-1, 1), r.f(-1, 1));
    EXPECT_EQ(randomFloat(5, 5), 5.0f);
    seedRandom(3);
    r = Rand{3};
    int ends = 0;
    for (int i = 0; i < 300000 && ends < 2; ++i) {
        int v = Rand{r}.next();
        if (v == 0 || v == RANDOM_MAX) {
            EXPECT_EQ(randomFloat(10, 0), v ? 0.0f : 10.0f);
            ++ends;
        } else {
            nextRandom();
        }
        r.next();
    }
    EXPECT_EQ(ends, 2);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(randomInt(15, 30), r.next() % 16 + 15);
}

TEST(Vec3Math, Operations) {
    Vec3 a = {1, 2, 3}, b = {4, 5, 6};
    Vec3 got[] = {vecAdd(a, b), vecSub(a, b), vecScale(a, 2), vecCross(a, b), vecCross({0, 0, -1}, {0, 1, 0}),
                  vecNormalize({3, 4, 0}), vecNormalize({0.00011f, 0, 0}), vecNormalize({0.00005f, 0, 0}), vecNormalize({0, 0, 0})};
    Vec3 want[] = {{5, 7, 9}, {-3, -3, -3}, {2, 4, 6}, {-3, 6, -3}, {1, 0, 0}, {0.6f, 0.8f, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    EXPECT_TRUE(sameRecords(got, want, 9, "fff"));
    EXPECT_EQ(vecDot(a, b), 32.0f);
    EXPECT_EQ(vecLength({2, 3, 6}), 7.0f);
    EXPECT_EQ(vecDistance(a, {4, 6, 3}), 5.0f);
}

// The nearest crossing more than 0.01 ahead: the near wall, else the far one.
TEST(Vec3Math, RayAgainstSphere) {
    struct Case { Vec3 origin, direction, centre; float radius, t; } CASES[] = {
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -10}, 1, 9},          // ahead
        {{0, 0, -10}, {0, 0, -1}, {0, 0, -10}, 1, 1},        // from inside: the far wall
        {{1, 0, 0}, {0, 0, -2}, {0, 0, -10}, 1, 5},          // tangent, counted in lengths of the direction
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.005f}, 1, 2.005f}, // the near wall only 0.005 ahead
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -1.02f}, 1, 0.02f},
        {{0, 0, 0}, {0, 0, -1}, {0, 0, 0.995f}, 1, -1},      // the far wall 0.005 ahead: no hit
        {{0, 0, 0}, {0, 0, -1}, {0, 0, 10}, 1, -1},          // behind
        {{0, 1.01f, 0}, {0, 0, -1}, {0, 0, -10}, 1, -1},     // passes above
    };
    for (const Case& c : CASES) {
        float t = -1;
        EXPECT_EQ(rayHitsSphere(c.origin, c.direction, c.centre, c.radius, &t), c.t > 0) << c.t;
        EXPECT_NEAR(t, c.t, 1e-5) << c.t;
    }
}
