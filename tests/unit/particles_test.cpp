#include <gtest/gtest.h>

#include "combat/particles.h"
#include "support/world_fixture.h"

namespace {

class Particles : public ::testing::Test {
protected:
    void SetUp() override {
        testworld::buildPark(11);
        testworld::flattenGround(0.0f);
        testworld::emptyArena(&arena);
    }
    ArenaState arena;
};

}  // namespace

TEST_F(Particles, BloodBurstRespectsTheCapsButKeepsItsStain) {
    spawnBloodBurst(&arena, makeVec3(0, 1, 0));
    EXPECT_GE(arena.bloodDropCount, 30);
    EXPECT_LE(arena.bloodDropCount, 50);
    EXPECT_EQ(arena.bloodPoolCount, 1);
    EXPECT_FLOAT_EQ(arena.bloodPools[0].position.y, 0.015f);
    arena.bloodDropCount = 500;
    spawnBloodBurst(&arena, makeVec3(0, 1, 0));
    EXPECT_EQ(arena.bloodDropCount, MAX_BLOOD_DROPS);
    EXPECT_EQ(arena.bloodPoolCount, 2);
    arena.bloodPoolCount = MAX_BLOOD_POOLS;
    spawnBloodBurst(&arena, makeVec3(0, 1, 0));
    EXPECT_EQ(arena.bloodPoolCount, MAX_BLOOD_POOLS);
}

TEST_F(Particles, BloodLandsGrowsToACapAndDies) {
    spawnBloodBurst(&arena, makeVec3(0, -1, 0));  // starts below the ground
    int n = arena.bloodDropCount;
    for (int i = 0; i < n; ++i) {
        arena.bloodDrops[i].life = 100.0f;
        arena.bloodDrops[i].size = 0.12f;
    }
    updateBloodDrops(&arena, 0.01f);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(arena.bloodDrops[i].landed, 1);
        ASSERT_FLOAT_EQ(arena.bloodDrops[i].position.y, 0.01f);
        ASSERT_FLOAT_EQ(arena.bloodDrops[i].size, 0.18f);
    }
    updateBloodDrops(&arena, 1.0f);
    EXPECT_FLOAT_EQ(arena.bloodDrops[0].size, 0.2f);
}

TEST_F(Particles, SwapRemovalNeverSkipsOrDoubleAdvances) {
    // Alternate dying and living sparks; living ones carry their index in x.
    arena.sparkCount = 10;
    for (int i = 0; i < 10; ++i) {
        Spark& s = arena.sparks[i];
        s = Spark{};
        s.life = (i % 2) ? 0.05f : 1.0f;  // odd ones die this frame
        s.maxLife = 1.0f;
        s.position = makeVec3((float)i, 0, 0);
        s.velocity = makeVec3(0, 0, 0);
    }
    updateSparks(&arena, 0.05f);  // life exactly 0 removes too
    ASSERT_EQ(arena.sparkCount, 5);
    int seen = 0;
    for (int i = 0; i < 5; ++i) {
        const Spark& s = arena.sparks[i];
        EXPECT_EQ((int)s.position.x % 2, 0);
        EXPECT_NEAR(s.life, 0.95f, 1e-6f);                        // aged once
        EXPECT_NEAR(s.velocity.y, -15.0f * 0.05f, 1e-6f);          // advanced once
        seen |= 1 << (int)s.position.x;
    }
    EXPECT_EQ(seen, 0x155);
}

TEST_F(Particles, SplashDropsSkimTheWaterAndRipplesAreCapped) {
    Vec3 p = makeVec3(0, WATER_LEVEL, 0);
    for (int i = 0; i < 9; ++i) spawnSplash(&arena, p);
    EXPECT_EQ(arena.rippleCount, MAX_RIPPLES);
    EXPECT_EQ(arena.splashDropCount, MAX_SPLASH_DROPS);
    SplashDrop& d = arena.splashDrops[0];
    d.life = 10.0f;
    d.velocity = makeVec3(1.0f, -1.0f, 1.0f);
    updateSplashDrops(&arena, 0.1f);
    EXPECT_EQ(d.position.y, WATER_LEVEL);
    EXPECT_EQ(d.velocity.y, 0.0f);
    EXPECT_NEAR(d.velocity.x, 0.3f, 1e-6f);
    float r = arena.ripples[0].radius;
    updateRipples(&arena, 0.1f);
    EXPECT_NEAR(arena.ripples[0].radius, r + 0.15f, 1e-6f);
}

TEST_F(Particles, SparksAreHotAndShortLived) {
    spawnSparks(&arena, makeVec3(1, 1, 1));
    EXPECT_GE(arena.sparkCount, 10);
    EXPECT_LE(arena.sparkCount, 18);
    for (int i = 0; i < arena.sparkCount; ++i) {
        const Spark& s = arena.sparks[i];
        EXPECT_GE(s.colour.x, 0.8f);
        EXPECT_LE(s.colour.z, 0.2f);
        EXPECT_LE(s.maxLife, 0.4f);
        EXPECT_EQ(s.life, s.maxLife);
    }
    for (int i = 0; i < 30; ++i) updateSparks(&arena, 0.016f);
    EXPECT_EQ(arena.sparkCount, 0);
}

TEST_F(Particles, DrawOrderOfABurst) {
    // Count, then per drop: colour choice, z, y, x velocity, life, size.
    seedRandomForRun(9);
    spawnBloodBurst(&arena, makeVec3(0, 1, 0));
    seedRandomForRun(9);
    int n = randomInt(30, 50);
    ASSERT_EQ(arena.bloodDropCount, n);
    float u = randomFloat(0, 1);
    float vz = randomFloat(-3.5f, 3.5f), vy = randomFloat(0.5f, 6.0f), vx = randomFloat(-3.5f, 3.5f);
    float life = randomFloat(0.6f, 1.2f);
    const BloodDrop& d = arena.bloodDrops[0];
    EXPECT_EQ(d.velocity.z, vz);
    EXPECT_EQ(d.velocity.y, vy);
    EXPECT_EQ(d.velocity.x, vx);
    EXPECT_EQ(d.life, life);
    EXPECT_EQ(d.colour.x, u < 0.3f ? 0.6f : (u < 0.7f ? 0.8f : 0.5f));
}
