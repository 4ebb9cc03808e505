#include "world/park.h"
#include <gtest/gtest.h>

#include <cmath>

#include "core/random.h"
#include "support/within.h"
#include "render/bushes.h"
#include "world/terrain.h"

namespace {

class StreamBushes : public ::testing::Test {
protected:
    void SetUp() override {
        (parkBuilt.terrain = parkBuilt.stream = 0);
        (parkBuilt.bushes = 0);
        seedRandomForRun(31337);
        buildStream();
    }
    void TearDown() override {
        (parkBuilt.bushes = 0);
        (parkBuilt.terrain = parkBuilt.stream = 0);
    }
};

float distanceToSample(const StreamBush& b, int k) {
    return std::hypot(b.x - streamSampleX[k], b.z - streamSampleZ[k]);
}

}  // namespace

TEST_F(StreamBushes, GrowOnTheBanksAwayFromTheStreamEnds) {
    buildStreamBushes();
    ASSERT_TRUE(parkBuilt.bushes);
    for (int i = 0; i < BUSH_COUNT; ++i) {
        const StreamBush& b = streamBushes[i];
        int found = 0;
        for (int k = 10; k <= 190 && !found; ++k) {
            float d = distanceToSample(b, k);
            found = d >= 4.0f - 1e-3f && d <= 11.0f + 1e-3f;
        }
        EXPECT_TRUE(found) << "bush " << i << " at " << b.x << ", " << b.z;
        EXPECT_LE(std::fabs(b.x), 124.5f);
        EXPECT_LE(std::fabs(b.z), 124.5f);
        EXPECT_TRUE(within(b.size, 0.4f, 0.9f));
        // Berries sit on and above the clump, whose puffs are drawn at 0.3 of their raw height.
        for (int e = 0; e < BUSH_BERRIES; ++e)
            EXPECT_TRUE(within(b.berryHeight[e], 0.4f * b.size - 1e-6f, 0.9f * b.size + 1e-6f));
    }
}

TEST_F(StreamBushes, AboutAQuarterCarryBerries) {
    buildStreamBushes();
    int withBerries = 0;
    for (const StreamBush& b : streamBushes) {
        ASSERT_TRUE(b.hasBerries == 0 || b.hasBerries == 1);
        withBerries += b.hasBerries;
    }
    // 25 chances in 101 for each of 80 bushes: about 20.
    EXPECT_TRUE(within(withBerries, 8, 34));
}

TEST_F(StreamBushes, BushesPastTheParkEdgeStandOnIt) {
    // A stream running along the north edge pushes half its bushes outside.
    for (int k = 0; k < STREAM_SAMPLES; ++k) streamSampleZ[k] = 121.0f;
    buildStreamBushes();
    int onEdge = 0;
    for (const StreamBush& b : streamBushes) {
        EXPECT_LE(b.z, 124.5f);
        if (b.z == 124.5f) ++onEdge;
    }
    EXPECT_GT(onEdge, 10);
}

TEST_F(StreamBushes, EveryBushTakesTheSameDrawsInTheSameOrder) {
    seedRandomForRun(99);
    buildStreamBushes();
    seedRandomForRun(99);
    int k = randomInt(10, 190);
    float a = randomFloat(0.0f, 6.28318f);
    float d = randomFloat(4.0f, 11.0f);
    const StreamBush& first = streamBushes[0];
    EXPECT_FLOAT_EQ(first.x, streamSampleX[k] + d * std::cos(a));
    EXPECT_FLOAT_EQ(first.z, streamSampleZ[k] + d * std::sin(a));
    float s = randomFloat(0.4f, 0.9f);
    EXPECT_EQ(first.size, s);
    EXPECT_EQ(first.hasBerries, randomInt(0, 100) < 25 ? 1 : 0);
    // Puffs one after another, seven values each.
    EXPECT_EQ(first.puffX[0], randomFloat(-0.6f * s, 0.6f * s));
    EXPECT_EQ(first.puffZ[0], randomFloat(-0.6f * s, 0.6f * s));
    EXPECT_EQ(first.puffHeight[0], randomFloat(0.6f * s, 1.2f * s));
    EXPECT_EQ(first.puffRadius[0], randomFloat(0.3f * s, 0.55f * s));
    EXPECT_EQ(first.puffRed[0], 0.1f + randomFloat(-0.03f, 0.03f));
    EXPECT_EQ(first.puffGreen[0], 0.35f + randomFloat(-0.05f, 0.05f));
    EXPECT_EQ(first.puffBlue[0], 0.08f + randomFloat(-0.02f, 0.02f));
    EXPECT_EQ(first.puffX[1], randomFloat(-0.6f * s, 0.6f * s));
    // The rest of the puffs, then six berries of three values, with or without berries.
    for (int i = 0; i < 6 + 3 * 7 + 6 * 3; ++i) nextRandom();
    // Bush 1 starts right after: 58 draws a bush.
    int k1 = randomInt(10, 190);
    float a1 = randomFloat(0.0f, 6.28318f);
    float d1 = randomFloat(4.0f, 11.0f);
    EXPECT_FLOAT_EQ(streamBushes[1].x, streamSampleX[k1] + d1 * std::cos(a1));
    EXPECT_FLOAT_EQ(streamBushes[1].z, streamSampleZ[k1] + d1 * std::sin(a1));
}

TEST_F(StreamBushes, BuildTheStreamThemselvesWhenItIsMissing) {
    (parkBuilt.terrain = parkBuilt.stream = 0);
    buildStreamBushes();
    EXPECT_TRUE(isStreamBuilt());
    EXPECT_TRUE(parkBuilt.bushes);
}
