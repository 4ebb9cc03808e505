#include <gtest/gtest.h>

#include <cmath>

#include "combat/particles.h"
#include "support/world_fixture.h"

namespace {

class Enemies : public ::testing::Test {
protected:
    void SetUp() override {
        testworld::buildPark(4242);
        testworld::flattenGround(1.0f);
        testworld::emptyArena(&arena);
    }
    ArenaState arena;
    Vec3 farAway = makeVec3(100.0f, 1.7f, 100.0f);
};

}  // namespace

TEST(EnemyPlacement, FifteenToThirtyOnGentleGroundOutsideTheStart) {
    testworld::buildPark(808);
    static ArenaState arena;
    for (int game = 0; game < 20; ++game) {
        resetArena(&arena);
        ASSERT_GE(arena.enemyCount, 15);
        ASSERT_LE(arena.enemyCount, 30);
        EXPECT_EQ(arena.enemiesLeft, arena.enemyCount);
        for (int i = 0; i < arena.enemyCount; ++i) {
            const EnemyRecord& e = arena.enemies[i];
            ASSERT_FALSE(std::fabs(e.position.x) < 8 && std::fabs(e.position.z) < 8);
            ASSERT_LE(std::fabs(e.position.x), 124.5f);
            ASSERT_EQ(e.position.y, terrainHeightAt(e.position.x, e.position.z));
            ASSERT_LE(terrainSlopeBetween(e.position.x, e.position.z, e.position.x + 1, e.position.z), 0.45f);
            ASSERT_EQ(e.alive, 1);
            ASSERT_TRUE(e.colour.x == 0.8f || e.colour.x == 0.2f || e.colour.x == 0.35f);
        }
        for (int i = arena.enemyCount; i < MAX_ENEMIES; ++i) ASSERT_EQ(arena.enemies[i].alive, 0);
        EXPECT_EQ(arena.weatherMode, 0);
        EXPECT_EQ(arena.nightBlend, 0.0f);
    }
}

TEST_F(Enemies, WalkAtThreeUnitsPerSecondAndFollowTheGround) {
    EnemyRecord* e = testworld::addEnemy(&arena, 20.0f, 20.0f, testworld::GREY_SHIRT);
    e->heading = 90.0f;
    for (int i = 0; i < 10; ++i) updateArena(&arena, 0.1f, farAway);
    EXPECT_NEAR(e->position.z, 23.0f, 1e-3f);
    EXPECT_NEAR(e->position.x, 20.0f, 1e-3f);
    EXPECT_EQ(e->position.y, 1.0f);
}

TEST_F(Enemies, TurnAtTheEdgeWithoutBeingClamped) {
    EnemyRecord* e = testworld::addEnemy(&arena, 125.45f, 0.0f, testworld::GREY_SHIRT);
    e->heading = 0.0f;
    updateArena(&arena, 0.1f, farAway);
    EXPECT_FLOAT_EQ(e->position.x, 125.75f);  // the step still goes ahead
    EXPECT_EQ(e->heading, 180.0f);
    EXPECT_EQ(e->wanderTimer, 0.0f);
    // It may stay outside the line for a few frames but finds its way back.
    int frame = 0;
    while (e->position.x > 125.5f && frame < 100) {
        updateArena(&arena, 0.1f, farAway);
        ASSERT_LT(e->position.x, 127.0f);
        ++frame;
    }
    EXPECT_LE(e->position.x, 125.5f);
}

TEST_F(Enemies, NeverClimbASteepSlope) {
    // A wall rising east of x = 30.
    for (int j = 0; j < TERRAIN_SAMPLES; ++j)
        for (int i = 80; i < TERRAIN_SAMPLES; ++i) terrainHeights[j][i] = 40.0f;
    EnemyRecord* e = testworld::addEnemy(&arena, 29.5f, 0.0f, testworld::GREY_SHIRT);
    float wallX = 80 * terrainCellSize() - TERRAIN_HALF_SIZE;
    for (int frame = 0; frame < 600; ++frame) {
        e->heading = 0.0f;  // keep pushing it at the wall
        e->wanderTimer = 10.0f;
        float before = e->position.x;
        updateArena(&arena, 0.1f, farAway);
        if (e->position.x == before) {
            EXPECT_GE(e->wanderTimer, 0.5f);
            EXPECT_LE(e->wanderTimer, 1.5f);
        }
        ASSERT_LT(e->position.x, wallX);
    }
}

TEST_F(Enemies, FleeStraightAwayFromANearPlayer) {
    EnemyRecord* e = testworld::addEnemy(&arena, 3.0f, 0.0f, testworld::GREY_SHIRT);
    Vec3 player = makeVec3(0.0f, 1.7f, 0.0f);
    e->heading = 180.0f;  // walking toward the player
    updateArena(&arena, 0.016f, player);
    EXPECT_NEAR(std::cos(e->heading * PI_F / 180.0f), 1.0f, 1e-6f);  // pointing along +x, away
    for (int i = 0; i < 200 && vecDistance(e->position, player) < 5.0f; ++i) updateArena(&arena, 0.016f, player);
    EXPECT_GE(vecDistance(e->position, player), 5.0f);
    EXPECT_NEAR(e->position.z, 0.0f, 1e-3f);
    // Once clear it keeps its heading.
    float heading = e->heading;
    updateArena(&arena, 0.016f, player);
    EXPECT_EQ(e->heading, heading);
}

TEST_F(Enemies, FallInHalfASecondLieEightSecondsThenAreGone) {
    EnemyRecord* e = testworld::addEnemy(&arena, 20.0f, 20.0f, testworld::GREY_SHIRT);
    e->alive = 0;
    e->corpseTimer = 8.0f;
    Vec3 where = e->position;
    for (int i = 0; i < 5; ++i) updateArena(&arena, 0.1f, farAway);
    EXPECT_NEAR(e->fallAngle, 90.0f, 1e-3f);
    EXPECT_EQ(e->corpseTimer, 8.0f);
    updateArena(&arena, 0.1f, farAway);  // flat: the timer starts
    EXPECT_NEAR(e->corpseTimer, 7.9f, 1e-4f);
    for (int i = 0; i < 80; ++i) updateArena(&arena, 0.1f, farAway);
    EXPECT_LE(e->corpseTimer, 0.0f);
    EXPECT_EQ(e->position.x, where.x);
}

TEST_F(Enemies, AWonGameFreezesEverything) {
    testworld::addEnemy(&arena, 20.0f, 20.0f, testworld::GREY_SHIRT);
    spawnBloodBurst(&arena, makeVec3(20, 3, 20));
    startTracer(&arena, makeVec3(0, 2, 0), makeVec3(20, 2, 20));
    arena.muzzleFlash = 1.0f;
    arena.weatherMode = WEATHER_SNOW;
    arena.gameOver = 1;
    ArenaState before = arena;
    updateArena(&arena, 0.1f, farAway);
    EXPECT_EQ(std::memcmp(&before, &arena, sizeof(arena)), 0);
}

TEST_F(Enemies, TimersCountDown) {
    arena.muzzleFlash = 1.0f;
    arena.fireCooldown = 0.15f;
    startTracer(&arena, makeVec3(0, 2, 0), makeVec3(0, 2, -80));
    updateArena(&arena, 0.1f, farAway);
    EXPECT_NEAR(arena.muzzleFlash, 0.2f, 1e-5f);
    EXPECT_NEAR(arena.fireCooldown, 0.05f, 1e-5f);
    EXPECT_EQ(arena.tracer.active, 1);
    updateArena(&arena, 0.1f, farAway);
    EXPECT_EQ(arena.muzzleFlash, 0.0f);
    EXPECT_LT(arena.fireCooldown, 0.0f);  // not clamped, harmless
    EXPECT_EQ(arena.tracer.active, 0);
}

TEST_F(Enemies, SnowCoverGrowsWhileItSnowsAndMeltsOtherwise) {
    arena.weatherMode = WEATHER_SNOW;
    for (int i = 0; i < 100; ++i) updateArena(&arena, 0.1f, farAway);
    EXPECT_NEAR(arena.snowCover, 0.3f, 1e-4f);
    for (int i = 0; i < 300; ++i) updateArena(&arena, 0.1f, farAway);
    EXPECT_EQ(arena.snowCover, 1.0f);
    arena.weatherMode = WEATHER_RAIN;
    updateArena(&arena, 1.0f, farAway);
    EXPECT_NEAR(arena.snowCover, 0.85f, 1e-5f);
    for (int i = 0; i < 70; ++i) updateArena(&arena, 0.1f, farAway);
    EXPECT_EQ(arena.snowCover, 0.0f);
}
