#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"
#include "world/bushes.h"
#include "world/sign.h"
#include "world/terrain_draw.h"

namespace {

template <size_t N>
void expectWithin(const float (&values)[N], float lo, float hi, const char* what) {
    for (size_t i = 0; i < N; ++i) EXPECT_TRUE(within(values[i], lo, hi)) << what << " " << i;
}

// The value the sequence from srand(seed) gives after `skip` draws.
int drawAfter(uint32_t seed, int skip) {
    seedRandom(seed);
    for (int i = 0; i < skip; ++i) nextRandom();
    return nextRandom();
}

}  // namespace

// Whatever the clock: flowers in the park in one of five colours, trees and rocks off their start
// squares with sizes and greys in range, the sign on a clear spot near the start, creatures by
// their rules.
TEST(Park, EveryPlacementKeepsItsRulesForEverySeed) {
    const FlowerRecord COLOURS[5] = {{0, 0, 1, 0.9f, 0.2f},
                                     {0, 0, 1, 0.3f, 0.4f},
                                     {0, 0, 0.8f, 0.3f, 1},
                                     {0, 0, 1, 0.6f, 0.8f},
                                     {0, 0, 1, 1, 1}};
    for (uint32_t clock : {1780351200u, 606u, 4242424u}) {
        SCOPED_TRACE(clock);
        std::fill(fishSchool.moving, fishSchool.moving + FISH_COUNT, 1);  // from a game before
        startGame(clock);
        // The grass took plain draws first; placing seeds again from the clock, so the first
        // flower takes the sequence's first three draws: x, z, colour.
        const int r[3] = {drawAfter(clock, 0), drawAfter(clock, 1), drawAfter(clock, 2)};
        EXPECT_FLOAT_EQ(flowers[0].x, -125.5f + 251 * (r[0] / 32767.0f));
        EXPECT_FLOAT_EQ(flowers[0].z, -125.5f + 251 * (r[1] / 32767.0f));
        EXPECT_EQ(flowers[0].red, COLOURS[r[2] % 5].red);
        for (const FlowerRecord& f : flowers) {
            EXPECT_LE(std::max(std::fabs(f.x), std::fabs(f.z)), 125.5f);
            int matches = 0;
            for (const FlowerRecord& c : COLOURS)
                matches += c.red == f.red && c.green == f.green && c.blue == f.blue;
            EXPECT_EQ(matches, 1) << f.red << " " << f.green << " " << f.blue;
        }
        for (const TreeRecord& t : trees) {
            EXPECT_LE(std::max(std::fabs(t.x), std::fabs(t.z)), 125.5f);
            EXPECT_GE(std::max(std::fabs(t.x), std::fabs(t.z)), 6);
            EXPECT_TRUE(within(t.height, 3, 6));
            EXPECT_TRUE(within(t.crownRadius, 1.5f, 3));
        }
        for (const RockRecord& k : rocks) {
            EXPECT_LE(std::max(std::fabs(k.x), std::fabs(k.z)), 124.5f);
            EXPECT_GE(std::max(std::fabs(k.x), std::fabs(k.z)), 5);
            EXPECT_TRUE(within(k.sizeX, 0.4f, 1.2f));
            EXPECT_TRUE(within(k.sizeY, 0.3f, 0.8f));
            EXPECT_TRUE(within(k.sizeZ, 0.4f, 1));
            EXPECT_TRUE(within(k.yaw, 0, 360));
            // One grey from 0.35 to 0.55, red and green within 0.05 of it, blue 0.08 below to
            // 0.02 above.
            EXPECT_TRUE(within(k.red, 0.3f, 0.6f));
            EXPECT_TRUE(within(k.green - k.red, -0.1f, 0.1f));
            EXPECT_TRUE(within(k.blue - k.red, -0.13f, 0.07f));
        }
        EXPECT_EQ(signSpotIsClear(signX, signZ), 1);
        EXPECT_LE(std::max(std::fabs(signX), std::fabs(signZ)), 40);
        EXPECT_GE(std::max(std::fabs(signX), std::fabs(signZ)), 5);
        EXPECT_TRUE(within(signYaw, 0, 360));
        expectPlacedByTheRules(theArena);
        expectWithin(fishSchool.along, 0.1f, 0.9f, "fish along");
        expectWithin(fishSchool.idleTimer, 2, 6, "fish idle");
        expectWithin(fishSchool.red, 0.7f, 1, "fish red");
        for (int i = 0; i < FISH_COUNT; ++i) {
            EXPECT_EQ(fishSchool.targetAlong[i], fishSchool.along[i]) << "fish " << i;
            EXPECT_EQ(fishSchool.moving[i], 0) << "fish " << i;
        }
    }
}

// Twelve hills over a ground tapered to nothing 126.5 out; the stream's bed is carved to 0.5 d /
// 2.1 - 0.5 within 2.1 of its centre line and its banks no higher than 0.5 + 0.5 (d - 2.1) / 9.9
// within 12; beyond, the hills are untouched (and never below 0).
TEST(Park, TheGroundTapersAtTheEdgeAndTheStreamIsCarvedIntoIt) {
    startGame(1780351200u);
    float highest = 0;
    for (int j = 0; j < TERRAIN_SAMPLES; ++j) {
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) {
            const double x = i * terrainCellSize() - 126.5, z = j * terrainCellSize() - 126.5;
            double d = 1e9;
            for (int k = 0; k < STREAM_SAMPLES - 1; ++k)
                d = std::min(d, std::hypot(x - streamSampleX[k], z - streamSampleZ[k]));
            const float h = terrainHeights[j][i];
            highest = std::max(highest, h);
            if (d < 2.1)
                EXPECT_NEAR(h, 0.5 * d / 2.1 - 0.5, 1e-5) << i << ", " << j;
            else if (d < 12)
                EXPECT_TRUE(within(h, 0, 0.5 + 0.5 * (d - 2.1) / 9.9 + 1e-5)) << i << ", " << j;
            else
                EXPECT_GE(h, 0) << i << ", " << j;
            const bool outside = d >= 12 && std::hypot(x, z) >= 126.5;
            EXPECT_EQ(outside ? h : 0, 0) << i << ", " << j;
        }
    }
    EXPECT_GT(highest, 1);
    EXPECT_LE(highest, 12 * 5);  // twelve hills of at most 5
}

// Carving level ground 5 high along row 64 (z = 0), the centre line through every column: the
// rows fall to the bed and rise up the bank by their distance d = (row - 64) x 253 / 128.
TEST(Park, CarvingCutsTheBedAndBanksIntoTheGround) {
    startGame(1780351200u);
    testworld::flattenGround(5);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = std::min(k, 128) * terrainCellSize() - 126.5f;
        streamSampleZ[k] = 0;
    }
    carveStreamBed();
    // d = 0, 1.977 (< 2.1: the bed), 3.953 ... 11.859 (< 12: the bank), 13.836 (untouched).
    const double ROWS[8] = {-0.5,      -0.0293899, 0.5935922, 0.6934186,
                            0.7932449, 0.8930713,  0.9928977, 5};
    for (int i = 0; i < TERRAIN_SAMPLES; i += 16) {
        for (int r = 0; r < 8; ++r) {
            EXPECT_NEAR(terrainHeights[64 + r][i], ROWS[r], 1e-5) << "row " << 64 + r;
            EXPECT_NEAR(terrainHeights[64 - r][i], ROWS[r], 1e-5) << "row " << 64 - r;
        }
    }
}

// The centre line runs from control point 1 to 9 (x = 126.5 times -1 .. 1), through a knot every
// 25 samples; between, a Catmull-Rom curve: sample 12 is 0.48 of the way from x = -126.5 to
// -88.55 with -151.8 and -50.6 beyond, 0.5 (2 p1 + (p2 - p0) t + (2 p0 - 5 p1 + 4 p2 - p3) t^2 +
// (-p0 + 3 p1 - 3 p2 + p3) t^3) = -109.1049.
TEST(Park, TheStreamRunsWestToEastThroughItsKnots) {
    startGame(1780351200u);
    EXPECT_EQ(streamSampleX[0], -126.5f);
    EXPECT_NEAR(streamSampleX[12], -109.1049f, 1e-3);
    EXPECT_NEAR(streamSampleX[25], -88.55f, 1e-4);
    EXPECT_NEAR(streamSampleX[100], 0, 1e-4);
    EXPECT_EQ(streamSampleX[200], 126.5f);
    EXPECT_LE(std::fabs(streamSampleZ[0]), 10);
    EXPECT_LE(std::fabs(streamSampleZ[100]), 20);
    EXPECT_LE(std::fabs(streamSampleZ[200]), 10);
}

// On a grid of heights i x j a bilinear blend gives gx gz exactly, gx and gz the grid coordinates
// (x + 126.5) / cell; beyond the grid the border holds. Slopes are rise over run, 0 under 0.01.
// Along a line of samples (k, 2k) the point at u lies 200 u along it.
TEST(Park, HeightsSlopesAndStreamPointsBetweenSamples) {
    startGame(1780351200u);
    for (int j = 0; j < TERRAIN_SAMPLES; ++j)
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) terrainHeights[j][i] = (float)(i * j);
    const float cell = terrainCellSize();
    auto at = [&](float gx, float gz) {
        return terrainHeightAt(gx * cell - 126.5f, gz * cell - 126.5f);
    };
    const float CASES[][3] = {
        {10.5f, 20.25f, 212.625f}, {0, 0, 0},       {128, 128, 16384},   {-5, 64, 0},
        {200, 64.5f, 8256},        {127.5f, -3, 0}, {1e6f, 1e6f, 16384}, {127.5f, 10, 1275}};
    for (const auto& c : CASES) EXPECT_NEAR(at(c[0], c[1]), c[2], 0.02f) << c[0] << ", " << c[1];
    const float z = 10 * cell - 126.5f;  // row 10: 10 gx, rising 10 / cell a unit
    EXPECT_NEAR(terrainSlopeBetween(0, z, 3, z), 10 / cell, 1e-3);
    // To 3 back and 4 up: 10 gx falls 30 / cell, the row's 4 / cell more adds 64 x 4 / cell.
    EXPECT_NEAR(terrainSlopeBetween(3, z, 0, z + 4), 226 / cell / 5, 1e-3);
    EXPECT_EQ(terrainSlopeBetween(0, z, 0.005f, z), 0);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = (float)k;
        streamSampleZ[k] = 2.0f * k;
    }
    for (float u : {0.0f, 0.3333f, 0.5025f, 0.999f}) {
        float x, sz;
        streamPointAt(u, &x, &sz);
        EXPECT_NEAR(x, 200 * u, 1e-3) << u;
        EXPECT_NEAR(sz, 400 * u, 1e-3) << u;
    }
}

// The sign keeps 3 from trees, sqrt 6 from rocks and, once there is a stream, 5 from every fifth
// sample.
TEST(Park, SignSpots) {
    startGame(1780351200u);
    testworld::clearPark();
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = k - 100.0f;
        streamSampleZ[k] = -60;
    }
    trees[0] = TreeRecord{10, 0, 4, 2};
    rocks[0] = RockRecord{30, 0, 1, 1, 1, 0.5f, 0.5f, 0.5f, 0};
    const struct {
        float x, z;
        int clear;
    } CASES[] = {{10, 3, 1},          {10, 2.99f, 0},       {30, 2.45f, 1},    {30, 2.44f, 0},
                 {0, -54.99f, 1},     {0, -55.01f, 0},      {2.5f, -55.6f, 1}, {0, -55.6f, 0},
                 {100.5f, -55.5f, 0}, {-100.5f, -55.5f, 0}, {-104.9f, -60, 0}, {0, -55, 1}};
    for (const auto& c : CASES) EXPECT_EQ(signSpotIsClear(c.x, c.z), c.clear) << c.x << ", " << c.z;
    parkBuilt.stream = 0;
    EXPECT_EQ(signSpotIsClear(0, -60), 1);
}

// What is built on first use takes its draws in its turn, one for each value it draws (a bush: its
// sample, turn, distance, size, berries, five puffs of seven and six berry spots of three), and
// keeps within its ranges.
TEST(Park, LazyBuildersDrawTheirShareAndKeepTheirRanges) {
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
    // Each built from srand(77), its first draws r0, r1 ...: the first cloud drifts -130 + 260 r0 /
    // 32767, the first star turns 6.28318 r0 / 32767, the first bush takes sample 10 + r0 % 181,
    // turns 6.28318 r1 / 32767, stands 4 + 7 r2 / 32767 off and is 0.4 + 0.5 r3 / 32767 big.
    const int r[4] = {drawAfter(77, 0), drawAfter(77, 1), drawAfter(77, 2), drawAfter(77, 3)};
    EXPECT_FLOAT_EQ(cloudField.driftBase[0], -130 + 260 * (r[0] / 32767.0f));
    EXPECT_FLOAT_EQ(starField.azimuth[0], 6.28318f * (r[0] / 32767.0f));
    const float turn = 6.28318f * (r[1] / 32767.0f), off = 4 + 7 * (r[2] / 32767.0f);
    EXPECT_NEAR(streamBushes[0].x, streamSampleX[10 + r[0] % 181] + off * std::cos(turn), 1e-3);
    EXPECT_NEAR(streamBushes[0].z, streamSampleZ[10 + r[0] % 181] + off * std::sin(turn), 1e-3);
    EXPECT_FLOAT_EQ(streamBushes[0].size, 0.4f + 0.5f * (r[3] / 32767.0f));
    expectWithin(cloudField.driftBase, -130, 130, "cloud drift");
    expectWithin(cloudField.offsetZ, -130, 130, "cloud z");
    expectWithin(cloudField.height, 55, 80, "cloud height");
    expectWithin(cloudField.speed, 1.5f, 4, "cloud speed");
    expectWithin(cloudField.size, 8, 20, "cloud size");
    expectWithin(starField.azimuth, 0, 6.28318f, "star azimuth");
    expectWithin(starField.elevation, 0.1f, 1.5f, "star elevation");
    expectWithin(starField.brightness, 0.4f, 1, "star brightness");
    expectWithin(starField.twinkle, 0, 6.28f, "star twinkle");
    int berries = 0;
    for (const StreamBush& b : streamBushes) {
        float d = 1e9;  // from the stream's centre line between samples 10 and 190: at most 11
        for (int k = 10; k <= 190; ++k)
            d = std::min(d, std::hypot(b.x - streamSampleX[k], b.z - streamSampleZ[k]));
        const bool clamped = std::max(std::fabs(b.x), std::fabs(b.z)) == 124.5f;
        EXPECT_TRUE(clamped || d <= 11 + 1e-3) << d;
        EXPECT_LE(std::max(std::fabs(b.x), std::fabs(b.z)), 124.5f);
        const float s = b.size;
        EXPECT_TRUE(within(s, 0.4f, 0.9f));
        for (int p = 0; p < BUSH_PUFFS; ++p) {
            EXPECT_TRUE(
                within(std::max(std::fabs(b.puffX[p]), std::fabs(b.puffZ[p])), 0, 0.6f * s));
            EXPECT_TRUE(within(b.puffHeight[p], 0.6f * s, 1.2f * s));
            EXPECT_TRUE(within(b.puffRadius[p], 0.3f * s, 0.55f * s));
            EXPECT_TRUE(within(b.puffRed[p], 0.07f, 0.13f));
            EXPECT_TRUE(within(b.puffGreen[p], 0.3f, 0.4f));
            EXPECT_TRUE(within(b.puffBlue[p], 0.06f, 0.1f));
        }
        for (int e = 0; e < BUSH_BERRIES; ++e) {
            EXPECT_TRUE(
                within(std::max(std::fabs(b.berryX[e]), std::fabs(b.berryZ[e])), 0, 0.45f * s));
            EXPECT_TRUE(within(b.berryHeight[e], 0.4f * s, 0.9f * s));
        }
        berries += b.hasBerries;
    }
    EXPECT_TRUE(within(berries, 8, 35));  // a quarter of 80, give or take three deviations
    // 300 blobs of radius 4 to 14 (mean area 281) over 64009 square units: some snow on
    // 1 - e^(-1.32) = 73 % of the ground; overlaps saturate at 1.
    int snowy = 0, full = 0;
    for (int j = 0; j <= 64; ++j) {
        for (int i = 0; i <= 64; ++i) {
            const float v = snowPatchAt(i * 253.0f / 64 - 126.5f, j * 253.0f / 64 - 126.5f);
            EXPECT_TRUE(within(v, 0, 1));
            snowy += v > 0;
            full += v == 1;
        }
    }
    EXPECT_TRUE(within(snowy / 4225.0f, 0.6f, 0.85f));
    EXPECT_GT(full, 100);
}
