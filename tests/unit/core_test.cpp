#include <gtest/gtest.h>

#include "core/random.h"
#include "core/vec3.h"

TEST(RandomSequence, ReproducesTheWindowsRuntime) {
    seedRandom(1);
    const int expected[5] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) EXPECT_EQ(nextRandom(), value);
}

TEST(RandomSequence, SameSeedSameSequence) {
    seedRandom(12345);
    int first[20];
    for (int& v : first) v = nextRandom();
    seedRandom(12345);
    for (int v : first) EXPECT_EQ(nextRandom(), v);
}

TEST(RandomFloat, SpansBothEndsAndReversedRanges) {
    seedRandomForRun(7);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(randomFloat(5.0f, 5.0f), 5.0f);
    float lowest = 100.0f, highest = -100.0f;
    for (int i = 0; i < 200000; ++i) {
        float v = randomFloat(10.0f, 0.0f);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    // The runtime yields 0 and 32767 within 200000 draws, reaching both ends exactly.
    EXPECT_EQ(highest, 10.0f);
    EXPECT_EQ(lowest, 0.0f);
}

TEST(RandomFloat, IsTheScaledRuntimeValue) {
    seedRandomForRun(1);
    // The first value after seed 1 is 41.
    EXPECT_FLOAT_EQ(randomFloat(-1.0f, 1.0f), (float)(-1.0 + 41 / 32767.0 * 2.0));
}

TEST(RandomInt, StaysWithinInclusiveBounds) {
    seedRandomForRun(3);
    int seen[31] = {0};
    for (int i = 0; i < 10000; ++i) {
        int v = randomInt(15, 30);
        ASSERT_GE(v, 15);
        ASSERT_LE(v, 30);
        seen[v]++;
    }
    for (int v = 15; v <= 30; ++v) EXPECT_GT(seen[v], 0) << v;
}

TEST(Vec3Math, NormalizeGuardsTinyVectors) {
    Vec3 zero = vecNormalize(makeVec3(0, 0, 0));
    EXPECT_EQ(zero.x, 0.0f);
    Vec3 tiny = vecNormalize(makeVec3(0.00005f, 0, 0));
    EXPECT_EQ(tiny.x, 0.0f);
    Vec3 n = vecNormalize(makeVec3(3, 4, 0));
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    EXPECT_EQ(n.z, 0.0f);
}

TEST(Vec3Math, CrossOfForwardAndUpIsRight) {
    Vec3 r = vecCross(makeVec3(0, 0, -1), makeVec3(0, 1, 0));
    EXPECT_EQ(r.x, 1.0f);
    EXPECT_EQ(r.y, 0.0f);
    EXPECT_EQ(r.z, 0.0f);
    EXPECT_FLOAT_EQ(vecDistance(makeVec3(1, 2, 3), makeVec3(4, 6, 3)), 5.0f);
}

TEST(RayHitsSphere, NearWallFarWallAndBehind) {
    Vec3 origin = makeVec3(0, 0, 0);
    Vec3 forward = makeVec3(0, 0, -1);
    float t = -1.0f;
    ASSERT_TRUE(rayHitsSphere(origin, forward, makeVec3(0, 0, -10), 1.0f, &t));
    EXPECT_FLOAT_EQ(t, 9.0f);
    // From inside, the far wall counts.
    ASSERT_TRUE(rayHitsSphere(makeVec3(0, 0, -10), forward, makeVec3(0, 0, -10), 1.0f, &t));
    EXPECT_FLOAT_EQ(t, 1.0f);
    t = 123.0f;
    EXPECT_FALSE(rayHitsSphere(origin, forward, makeVec3(0, 0, 10), 1.0f, &t));
    EXPECT_EQ(t, 123.0f);
    // A tangent ray still hits; a direction of any length works.
    EXPECT_TRUE(rayHitsSphere(makeVec3(1, 0, 0), makeVec3(0, 0, -2), makeVec3(0, 0, -10), 1.0f, &t));
    EXPECT_FLOAT_EQ(t, 5.0f);
}

TEST(RandomFloat, FirstCallSeedsFromTheClockLikeTheProgram) {
    // The program seeds with the clock at start; randomFloat's first call
    // seeds again from the clock, so earlier draws are forgotten.
    startRandomAtClock(1780351200u);
    nextRandom();
    nextRandom();
    float first = randomFloat(0.0f, 1.0f);
    float second = randomFloat(0.0f, 1.0f);  // no second re-seed
    seedRandom(1780351200u);
    int r1 = nextRandom();
    int r2 = nextRandom();
    EXPECT_EQ(first, (float)(r1 / 32767.0));
    EXPECT_EQ(second, (float)(r2 / 32767.0));
}
