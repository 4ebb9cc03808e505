#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"
#include "world/bushes.h"
#include "world/sign.h"
#include "world/terrain_draw.h"

namespace {

// The value the sequence from srand(seed) gives after `skip` draws.
int drawAfter(uint32_t seed, int skip) {
    seedRandom(seed);
    for (int i = 0; i < skip; ++i) nextRandom();
    return nextRandom();
}

float square(float x, float z) { return std::max(std::fabs(x), std::fabs(z)); }

}  // namespace

// Whatever the clock: flowers in the park, the first from the clock's first draws (x, z, colour:
// the grass drew before placing seeded again), trees and rocks off their start squares, the sign on
// a clear spot near the start, creatures by their rules, the fish at rest.
TEST(Park, EveryPlacementKeepsItsRulesForEverySeed) {
    const float COLOURS[5][3] = {
        {1, 0.9f, 0.2f}, {1, 0.3f, 0.4f}, {0.8f, 0.3f, 1}, {1, 0.6f, 0.8f}, {1, 1, 1}};
    for (uint32_t clock : {1780351200u, 606u, 4242424u}) {
        SCOPED_TRACE(clock);
        std::fill(fishSchool.moving, fishSchool.moving + FISH_COUNT, 1);  // from a game before
        for (AnimalRecord& a : animals) a.moving = 1;
        startGame(clock);
        EXPECT_FLOAT_EQ(flowers[0].x, -125.5f + 251 * (drawAfter(clock, 0) / 32767.0f));
        const float* colour = COLOURS[drawAfter(clock, 2) % 5];
        EXPECT_EQ((std::vector<float>{flowers[0].red, flowers[0].green, flowers[0].blue}),
                  (std::vector<float>(colour, colour + 3)));
        for (const FlowerRecord& f : flowers) EXPECT_TRUE(within(square(f.x, f.z), 0, 125.5f));
        for (const TreeRecord& t : trees) EXPECT_TRUE(within(square(t.x, t.z), 6, 125.5f));
        for (const TreeRecord& t : trees) EXPECT_TRUE(within(t.height, 3, 6));
        for (const RockRecord& k : rocks) EXPECT_TRUE(within(square(k.x, k.z), 5, 124.5f));
        EXPECT_NE(streamSampleZ[0], streamSampleZ[100]) << "the stream winds";
        for (int k = 1; k < STREAM_SAMPLES; ++k) {  // unbroken: no step of 200 over 8
            const float dx = streamSampleX[k] - streamSampleX[k - 1];
            EXPECT_LT(std::hypot(dx, streamSampleZ[k] - streamSampleZ[k - 1]), 8) << k;
        }
        EXPECT_EQ(signSpotIsClear(signX, signZ), 1);
        EXPECT_TRUE(within(square(signX, signZ), 5, 40));
        expectPlacedByTheRules(theArena);
        for (int i = 0; i < FISH_COUNT; ++i) EXPECT_EQ(fishSchool.moving[i], 0) << "fish " << i;
    }
}

// Hills over a ground tapered to nothing 126.5 out; the stream's bed is carved to 0.5 d /
// 2.1 - 0.5 within 2.1 of its centre line and its banks no higher than 0.5 + 0.5 (d - 2.1) / 9.9
// within 12; beyond, the hills are untouched (and never below 0).
TEST(Park, TheGroundTapersAtTheEdgeAndTheStreamIsCarvedIntoIt) {
    startGame(1780351200u);
    for (int j = 0; j < TERRAIN_SAMPLES; ++j) {
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) {
            const double x = i * terrainCellSize() - 126.5, z = j * terrainCellSize() - 126.5;
            double d = 1e9;
            for (int k = 0; k < STREAM_SAMPLES - 1; ++k)
                d = std::min(d, std::hypot(x - streamSampleX[k], z - streamSampleZ[k]));
            const float h = terrainHeights[j][i];
            const double bank = d < 12 ? 0.5 + 0.5 * (d - 2.1) / 9.9 + 1e-5 : 1e9;
            if (d < 2.1)
                EXPECT_NEAR(h, 0.5 * d / 2.1 - 0.5, 1e-5) << i << ", " << j;
            else
                EXPECT_TRUE(within(h, 0, bank)) << i << ", " << j;
            const bool outside = d >= 12 && std::hypot(x, z) >= 126.5;
            EXPECT_EQ(outside ? h : 0, 0) << i << ", " << j;
        }
    }
}

// On a grid of heights i x j a bilinear blend gives gx gz exactly, gx and gz the grid coordinates
// (x + 126.5) / cell; beyond the grid the border holds. Slopes are rise over run, 0 under 0.01. A
// point along the stream's centre line blends the two samples it lies between.
TEST(Park, HeightsAndSlopesBetweenSamples) {
    startGame(1780351200u);
    for (int j = 0; j < TERRAIN_SAMPLES; ++j)
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) terrainHeights[j][i] = (float)(i * j);
    const float cell = terrainCellSize();
    const float CASES[][3] = {{10.5f, 20.25f, 212.625f},
                              {0, 0, 0},
                              {128, 128, 16384},
                              {-5, 64, 0},
                              {200, 64.5f, 8256},
                              {127.5f, -3, 0},
                              {1e6f, 1e6f, 16384},
                              {127.5f, 10, 1275},
                              {10, 0.5f, 5}};
    for (const auto& c : CASES)
        EXPECT_NEAR(terrainHeightAt(c[0] * cell - 126.5f, c[1] * cell - 126.5f), c[2], 0.02f)
            << c[0] << ", " << c[1];
    const float z = 10 * cell - 126.5f;  // row 10: 10 gx, rising 10 / cell a unit
    EXPECT_NEAR(terrainSlopeBetween(0, z, 3, z), 10 / cell, 1e-3);
    // To 3 back and 4 up: 10 gx falls 30 / cell, the row's 4 / cell more adds 64 x 4 / cell.
    EXPECT_NEAR(terrainSlopeBetween(3, z, 0, z + 4), 226 / cell / 5, 1e-3);
    EXPECT_EQ(terrainSlopeBetween(0, z, 0.005f, z), 0);
    streamSampleZ[200] = streamSampleZ[199] + 8;  // the line's last step rises 8
    float x, end;
    streamPointAt(0.9975f, &x, &end);  // 199.5 samples along: halfway up the last step
    EXPECT_NEAR(end, streamSampleZ[199] + 4, 1e-4);
    streamPointAt(1, &x, &end);  // the index held at 199, the fraction left at 0: sample 199
    EXPECT_NEAR(end, streamSampleZ[199], 1e-4);
}

// The sign keeps 3 from trees, sqrt 6 from rocks and 5 from every fifth stream sample, if any. It
// draws x, z in -40 .. 40 (moved to x = 20 inside the start square |x|, |z| < 5), then its turn in
// 0 .. 360: srand(4391) draws 14377 18052 (-4.90, 4.07: moved), 16223 (178.24); srand(3763) draws
// 12326 18260 (-9.91, 4.58: kept), 4179 (45.91).
TEST(Park, TheSignTakesAClearSpotNearTheStart) {
    startGame(1780351200u);
    testworld::clearPark();
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = k - 100.0f;
        streamSampleZ[k] = -60;
    }
    trees[0] = TreeRecord{10, 0, 4, 2};
    rocks[0] = RockRecord{30, 0, 1, 1, 1, 0.5f, 0.5f, 0.5f, 0};
    const float CASES[][3] = {// x, z, clear
                              {10, 3, 1},           {10, 2.99f, 0},    {30, 2.45f, 1},
                              {30, 2.44f, 0},       {0, -54.99f, 1},   {0, -55.01f, 0},
                              {2.5f, -55.6f, 1},    {0, -55.6f, 0},    {100.5f, -55.5f, 0},
                              {-100.5f, -55.5f, 0}, {-104.9f, -60, 0}, {0, -55, 1}};
    for (const auto& c : CASES)
        EXPECT_EQ(signSpotIsClear(c[0], c[1]), c[2]) << c[0] << ", " << c[1];
    parkBuilt.stream = 0;
    EXPECT_EQ(signSpotIsClear(0, -60), 1);
    const float DRAWS[][4] = {{4391, 20, 4.0736f, 178.2366f}, {3763, -9.9063f, 4.5814f, 45.9133f}};
    for (const auto& d : DRAWS) {
        seedRandom((uint32_t)d[0]);
        placeSign();
        EXPECT_NEAR(signX, d[1], 1e-3) << d[0];
        EXPECT_NEAR(signZ, d[2], 1e-3) << d[0];
        EXPECT_NEAR(signYaw, d[3], 1e-3) << d[0];
    }
}

// What is built on first use takes its draws in its turn, one for each value it draws (a bush: its
// sample, turn, distance, size, berries, five puffs of seven and six berry spots of three).
TEST(Park, LazyBuildersDrawTheirShareInTheirTurn) {
    startGame(1780351200u);
    const struct {
        const char* name;
        void (*build)();
        int draws;
    } BUILDERS[] = {{"clouds", buildClouds, 25 * 5},
                    {"stars", buildStars, 200 * 4},
                    {"bushes", buildStreamBushes, 80 * (5 + 5 * 7 + 6 * 3)},
                    {"snow patches", buildSnowPatches, 300 * 3},
                    {"fish", initFishSchool, 25 * 6}};
    for (const auto& b : BUILDERS) {
        const int next = drawAfter(77, b.draws);
        seedRandom(77);
        b.build();
        EXPECT_EQ(nextRandom(), next) << b.name;
    }
    // Built from srand(77), its first draws r0 .. r3: the first bush takes sample 10 + r0 % 181,
    // turns 6.28318 r1 / 32767, stands 4 + 7 r2 / 32767 off and is 0.4 + 0.5 r3 / 32767 big.
    const int r[4] = {drawAfter(77, 0), drawAfter(77, 1), drawAfter(77, 2), drawAfter(77, 3)};
    const float turn = 6.28318f * (r[1] / 32767.0f), off = 4 + 7 * (r[2] / 32767.0f);
    EXPECT_NEAR(streamBushes[0].x, streamSampleX[10 + r[0] % 181] + off * std::cos(turn), 1e-3);
    EXPECT_NEAR(streamBushes[0].z, streamSampleZ[10 + r[0] % 181] + off * std::sin(turn), 1e-3);
    EXPECT_FLOAT_EQ(streamBushes[0].size, 0.4f + 0.5f * (r[3] / 32767.0f));
    for (const StreamBush& b : streamBushes) {  // puffs and berries in proportion to the bush
        EXPECT_TRUE(within(square(b.x, b.z), 0, 124.5f));
        for (float r : b.puffRadius) EXPECT_TRUE(within(r / b.size, 0.299f, 0.551f));
        for (float h : b.puffHeight) EXPECT_TRUE(within(h / b.size, 0.599f, 1.201f));
        for (float c : b.puffRed) EXPECT_TRUE(within(c, 0.069f, 0.131f));    // 0.1 +- 0.03
        for (float c : b.puffGreen) EXPECT_TRUE(within(c, 0.299f, 0.401f));  // 0.35 +- 0.05
        for (float c : b.puffBlue) EXPECT_TRUE(within(c, 0.059f, 0.101f));   // 0.08 +- 0.02
        for (int p = 0; p < BUSH_PUFFS; ++p)
            EXPECT_LE(std::max(std::fabs(b.puffX[p]), std::fabs(b.puffZ[p])), 0.601f * b.size);
        for (int e = 0; e < BUSH_BERRIES; ++e)
            EXPECT_LE(std::max(std::fabs(b.berryX[e]), std::fabs(b.berryZ[e])), 0.451f * b.size);
        for (float h : b.berryHeight) EXPECT_TRUE(within(h / b.size, 0.399f, 0.901f));
    }
}
