#include "world/park.h"
#include <gtest/gtest.h>

#include <cmath>

#include "core/random.h"
#include "support/world_fixture.h"
#include "world/fish.h"
#include "world/terrain.h"

namespace {

class Terrain : public ::testing::Test {
protected:
    void SetUp() override {
        (parkBuilt.terrain = parkBuilt.stream = 0);
        seedRandomForRun(2024);
        terrainHeightAt(0.0f, 0.0f);
    }
};

float gridX(int i) { return i * terrainCellSize() - TERRAIN_HALF_SIZE; }

}  // namespace

TEST_F(Terrain, CornersAndRimAreFlatUnlessCarved) {
    EXPECT_EQ(terrainHeights[0][0], 0.0f);
    EXPECT_EQ(terrainHeights[0][128], 0.0f);
    EXPECT_EQ(terrainHeights[128][0], 0.0f);
    EXPECT_EQ(terrainHeights[128][128], 0.0f);
    for (int j = 0; j < TERRAIN_SAMPLES; ++j) {
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) {
            float h = terrainHeights[j][i];
            ASSERT_GE(h, -0.5f) << i << "," << j;
            if (std::hypot(gridX(i), gridX(j)) >= TERRAIN_HALF_SIZE) {
                ASSERT_LE(h, 0.0f) << i << "," << j;
            }
        }
    }
}

TEST_F(Terrain, StreamRunsFromWestToEastEdgeThroughItsControlPoints) {
    EXPECT_EQ(streamSampleX[0], -126.5f);
    EXPECT_EQ(streamSampleX[200], 126.5f);
    for (int k = 1; k < STREAM_SAMPLES; ++k) ASSERT_GT(streamSampleX[k], streamSampleX[k - 1]);
    // Draw order: 48 hill values, then control point 0, then control point 1,
    // which is where the stream enters the park.
    seedRandomForRun(2024);
    for (int i = 0; i < 48; ++i) randomFloat(0.0f, 1.0f);
    randomFloat(-20.0f, 20.0f);
    float entryZ = randomFloat(-10.0f, 10.0f);
    EXPECT_EQ(streamSampleZ[0], entryZ);
    // Control points 2 to 8 lie inside; point 9 is where it leaves, exactly.
    static const float REACH[7] = {40, 50, 30, 20, 30, 50, 40};
    for (float reach : REACH) randomFloat(-reach, reach);
    EXPECT_EQ(streamSampleZ[200], randomFloat(-10.0f, 10.0f));
}

TEST_F(Terrain, BedIsCarvedAlongTheCentreLine) {
    for (int k = 0; k < 200; k += 10) {
        float h = terrainHeightAt(streamSampleX[k], streamSampleZ[k]);
        EXPECT_LT(h, 0.0f) << "sample " << k;
        EXPECT_GE(h, -0.5f) << "sample " << k;
    }
    // Banks within 12 units never rise above 1.0.
    for (int k = 20; k < 180; k += 20) {
        float h = terrainHeightAt(streamSampleX[k], streamSampleZ[k] + 7.0f);
        EXPECT_LE(h, 1.0f + 1e-4f);
    }
}

TEST_F(Terrain, QueriesInterpolateAndClampAtTheBorders) {
    // Grid points come back exactly.
    EXPECT_EQ(terrainHeightAt(gridX(40), gridX(70)), terrainHeights[70][40]);
    // Halfway between two samples along x is their mean.
    float mid = terrainHeightAt((gridX(40) + gridX(41)) / 2, gridX(70));
    EXPECT_NEAR(mid, (terrainHeights[70][40] + terrainHeights[70][41]) / 2, 1e-4f);
    // Beyond +126.5 the last column and row are used; far below -126.5 the first.
    EXPECT_EQ(terrainHeightAt(126.5f, gridX(70)), terrainHeights[70][128]);
    EXPECT_EQ(terrainHeightAt(500.0f, 500.0f), terrainHeights[128][128]);
    EXPECT_EQ(terrainHeightAt(-500.0f, gridX(70)), terrainHeights[70][0]);
    EXPECT_EQ(terrainHeightAt(1e12f, -1e12f), terrainHeights[0][128]);
}

TEST_F(Terrain, SlopeIsRiseOverRunAndZeroForNearPoints) {
    testworld::flattenGround(0.0f);
    for (int i = 0; i < TERRAIN_SAMPLES; ++i) terrainHeights[64][i] = 2.0f;
    float z0 = gridX(63), z1 = gridX(64);
    EXPECT_NEAR(terrainSlopeBetween(0.0f, z0, 0.0f, z1), 2.0f / terrainCellSize(), 1e-4f);
    EXPECT_EQ(terrainSlopeBetween(3.0f, 4.0f, 3.0f, 4.0f), 0.0f);
    EXPECT_EQ(terrainSlopeBetween(0.0f, z0, 0.0f, z0 + 0.009f), 0.0f);
}

TEST_F(Terrain, BuildsOnceAndStreamPointsFollowTheLine) {
    seedRandomForRun(99);
    int before = nextRandom();
    seedRandomForRun(99);
    terrainHeightAt(10.0f, 10.0f);  // already built: draws nothing
    EXPECT_EQ(nextRandom(), before);

    float x, z;
    streamPointAt(0.0f, &x, &z);
    EXPECT_EQ(x, streamSampleX[0]);
    EXPECT_EQ(z, streamSampleZ[0]);
    streamPointAt(0.5025f, &x, &z);  // halfway between samples 100 and 101
    EXPECT_NEAR(x, (streamSampleX[100] + streamSampleX[101]) / 2, 1e-3f);
    // u = 1 keeps its zero fraction and lands on the start of the last stretch.
    streamPointAt(1.0f, &x, &z);
    EXPECT_EQ(x, streamSampleX[199]);
}

TEST_F(Terrain, FishStartIdleInsideTheStream) {
    for (int i = 0; i < FISH_COUNT; ++i) {
        EXPECT_GE(fishSchool.along[i], 0.1f);
        EXPECT_LE(fishSchool.along[i], 0.9f);
        EXPECT_EQ(fishSchool.targetAlong[i], fishSchool.along[i]);
        EXPECT_EQ(fishSchool.moving[i], 0);
        EXPECT_GE(fishSchool.idleTimer[i], 2.0f);
        EXPECT_LE(fishSchool.idleTimer[i], 6.0f);
    }
}

TEST(Fish, IdleDriftWrapsAndSwimsStayClampedAndStop) {
    FishSchool& f = fishSchool;
    f.along[0] = 0.00005f;
    f.phase[0] = -1.5707963f;  // sin = -1: drifts backward past 0
    f.moving[0] = 0;
    f.idleTimer[0] = 100.0f;
    f.along[1] = 0.97f;
    f.moving[1] = 0;
    f.idleTimer[1] = 0.01f;  // starts a swim this step
    f.phase[1] = 0.0f;
    f.along[2] = 0.5f;
    f.targetAlong[2] = 0.5051f;  // just outside the stopping band: still moves
    f.moving[2] = 1;
    f.phase[2] = 0.0f;
    updateFishSchool();
    EXPECT_GT(fishSchool.along[0], 0.99f);
    EXPECT_EQ(fishSchool.moving[1], 1);
    EXPECT_GE(fishSchool.targetAlong[1], 0.82f - 1e-6f);
    EXPECT_LE(fishSchool.targetAlong[1], 0.98f);
    EXPECT_GT(fishSchool.along[2], 0.5f);
    EXPECT_EQ(fishSchool.moving[2], 1);
    f.along[2] = f.targetAlong[2] - 0.0049f;
    updateFishSchool();
    EXPECT_EQ(fishSchool.moving[2], 0);
    EXPECT_GE(fishSchool.idleTimer[2], 2.0f);
}

TEST_F(Terrain, CarvingShapesBedStepAndBanks) {
    testworld::flattenGround(5.0f);
    // Run the whole centre line through one grid point.
    float px = gridX(60), pz = gridX(64);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = px;
        streamSampleZ[k] = pz;
    }
    carveStreamBed();
    EXPECT_FLOAT_EQ(terrainHeights[64][60], -0.5f);
    float cell = terrainCellSize();
    EXPECT_NEAR(terrainHeights[64][61], 0.5f * cell / 2.1f - 0.5f, 1e-5f);
    // Two cells out (3.95 units) lies on the bank ramp from 0.5 to 1.0.
    EXPECT_NEAR(terrainHeights[64][62], 0.5f + 0.5f * (2 * cell - 2.1f) / 9.9f, 1e-5f);
    // Seven cells out (13.8 units) is beyond the bank: untouched.
    EXPECT_EQ(terrainHeights[64][67], 5.0f);
    // Carving never raises ground.
    testworld::flattenGround(-0.4f);
    carveStreamBed();
    EXPECT_EQ(terrainHeights[64][62], -0.4f);
}
