#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"
#include "world/bushes.h"
#include "world/fish.h"
#include "world/park.h"
#include "world/sign.h"
#include "world/terrain_draw.h"

// The sign keeps 3 from trees, sqrt 6 from rocks and, once there is a stream, 5 from every fifth
// sample.
TEST(Park, SignSpots) {
    startGame(1780351200u), testworld::clearPark();
    for (int k = 0; k <= 200; ++k) streamSampleX[k] = k - 100.0f, streamSampleZ[k] = -60;
    trees[0] = TreeRecord{10, 0, 4, 2}, rocks[0] = RockRecord{30, 0, 1, 1, 1, 0.5f, 0.5f, 0.5f, 0};
    struct Case {
        float x, z;
        int clear;
    } CASES[] = {{10, 3, 1},          {10, 2.99f, 0},      {30, 2.45f, 1},    {30, 2.44f, 0},
                 {0, -54.99f, 1},     {0, -55.01f, 0},     {2.5f, -55.6f, 1}, {0, -55.6f, 0},
                 {100.5f, -55.5f, 0}, {-100.5f, -55.5f, 0}};
    for (const Case& k : CASES) EXPECT_EQ(signSpotIsClear(k.x, k.z), k.clear) << k.x << ", " << k.z;
    EXPECT_EQ((parkBuilt.stream = 0, signSpotIsClear(0, -60)), 1);
}
