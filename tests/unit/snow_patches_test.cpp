#include "world/park.h"
#include <gtest/gtest.h>

#include <cmath>

#include "core/random.h"
#include "world/terrain.h"
#include "world/terrain_draw.h"

namespace {

const float PATCH_CELL = 253.0f / 64.0f;

float patchX(int i) { return i * PATCH_CELL - 126.5f; }

struct Blob {
    float x, z, radius;
};

class SnowPatches : public ::testing::Test {
protected:
    static const int BLOBS = 300;
    Blob blobs[BLOBS];

    // Builds the map from a seed, and draws the same blobs again in the
    // documented order (centre x, centre z, radius) to check it against.
    void build(uint32_t seed) {
        seedRandomForRun(seed);
        (parkBuilt.snowPatches = 0);
        buildSnowPatches();
        seedRandomForRun(seed);
        for (Blob& b : blobs) {
            b.x = randomFloat(-126.5f, 126.5f);
            b.z = randomFloat(-126.5f, 126.5f);
            b.radius = randomFloat(4.0f, 14.0f);
        }
    }
    void SetUp() override { build(4242); }
    void TearDown() override { (parkBuilt.snowPatches = 0); }
};

}  // namespace

TEST_F(SnowPatches, MapPointsFollowTheBlobsAndSaturate) {
    int bare = 0, saturated = 0;
    for (int j = 0; j <= 64; ++j) {
        for (int i = 0; i <= 64; ++i) {
            float v = snowPatchAt(patchX(i), patchX(j));
            ASSERT_GE(v, 0.0f);
            ASSERT_LE(v, 1.0f);
            // Every blob adds its smooth bump; nothing else adds snow.
            float strongest = 0.0f;
            for (const Blob& b : blobs) {
                double dx = patchX(i) - b.x, dz = patchX(j) - b.z;
                double d2 = dx * dx + dz * dz, r2 = (double)b.radius * b.radius;
                if (d2 >= r2) continue;
                double t = 1.0 - d2 / r2;
                strongest = std::fmax(strongest, (float)(t * t * (3.0 - 2.0 * t)));
            }
            if (strongest == 0.0f) {
                ASSERT_EQ(v, 0.0f) << "outside every blob at " << i << "," << j;
                ++bare;
            } else {
                ASSERT_GE(v, strongest - 1e-5f) << i << "," << j;
            }
            if (v == 1.0f) ++saturated;
        }
    }
    // Patchy: some ground stays bare, overlapping blobs saturate elsewhere.
    EXPECT_GT(bare, 100);
    EXPECT_GT(saturated, 20);
}

TEST_F(SnowPatches, LookupsInterpolateBetweenMapPointsAndClampOutside) {
    float a = snowPatchAt(patchX(20), patchX(30));
    float b = snowPatchAt(patchX(21), patchX(30));
    float c = snowPatchAt(patchX(20), patchX(31));
    float d = snowPatchAt(patchX(21), patchX(31));
    EXPECT_NEAR(snowPatchAt(patchX(20) + 0.25f * PATCH_CELL, patchX(30)), a + (b - a) * 0.25f, 1e-5f);
    float centre = snowPatchAt(patchX(20) + 0.5f * PATCH_CELL, patchX(30) + 0.5f * PATCH_CELL);
    EXPECT_NEAR(centre, (a + b + c + d) / 4.0f, 1e-5f);
    // Beyond the park the border values carry on.
    EXPECT_EQ(snowPatchAt(400.0f, patchX(30)), snowPatchAt(126.5f, patchX(30)));
    EXPECT_EQ(snowPatchAt(-400.0f, -400.0f), snowPatchAt(-126.5f, -126.5f));
}

TEST_F(SnowPatches, TheSameSeedGivesTheSameMapAndIsBuiltOnlyOnce) {
    float before[8];
    for (int k = 0; k < 8; ++k) before[k] = snowPatchAt(-100.0f + 27.0f * k, 50.0f - 13.0f * k);
    // Later lookups do not rebuild from the moving random sequence.
    seedRandomForRun(99);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(snowPatchAt(-100.0f + 27.0f * k, 50.0f - 13.0f * k), before[k]);
    build(4242);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(snowPatchAt(-100.0f + 27.0f * k, 50.0f - 13.0f * k), before[k]);
    build(4243);
    int differ = 0;
    for (int k = 0; k < 8; ++k) differ += snowPatchAt(-100.0f + 27.0f * k, 50.0f - 13.0f * k) != before[k];
    EXPECT_GT(differ, 0);
}

TEST_F(SnowPatches, GroundColourBlendsFromGrassToSnowWithCoverAndPatch) {
    // Find one bare map point and one saturated one.
    float bareX = 0, bareZ = 0, fullX = 0, fullZ = 0;
    int haveBare = 0, haveFull = 0;
    for (int j = 0; j <= 64 && !(haveBare && haveFull); ++j) {
        for (int i = 0; i <= 64; ++i) {
            float v = snowPatchAt(patchX(i), patchX(j));
            if (v == 0.0f && !haveBare) bareX = patchX(i), bareZ = patchX(j), haveBare = 1;
            if (v == 1.0f && !haveFull) fullX = patchX(i), fullZ = patchX(j), haveFull = 1;
        }
    }
    ASSERT_TRUE(haveBare && haveFull);
    GroundColour grass = snowLookColour(bareX, bareZ, 1.0f);
    EXPECT_FLOAT_EQ(grass.red, 0.35f);
    EXPECT_FLOAT_EQ(grass.green, 0.55f);
    EXPECT_FLOAT_EQ(grass.blue, 0.15f);
    GroundColour snow = snowLookColour(fullX, fullZ, 1.0f);
    EXPECT_FLOAT_EQ(snow.red, 0.93f);
    EXPECT_FLOAT_EQ(snow.green, 0.95f);
    EXPECT_FLOAT_EQ(snow.blue, 0.98f);
    GroundColour half = snowLookColour(fullX, fullZ, 0.5f);
    EXPECT_FLOAT_EQ(half.red, (0.35f + 0.93f) / 2.0f);
    EXPECT_FLOAT_EQ(half.green, (0.55f + 0.95f) / 2.0f);
    EXPECT_FLOAT_EQ(half.blue, (0.15f + 0.98f) / 2.0f);
}
