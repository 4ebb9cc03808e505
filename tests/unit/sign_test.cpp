#include "world/park.h"
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/random.h"
#include "support/world_fixture.h"
#include "world/placement.h"
#include "world/sign.h"
#include "world/sign_paint.h"
#include "world/terrain.h"

namespace {

// An empty park with a straight stream along z = 0 from x = -100 (one sample a unit).
class SignPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        (parkBuilt.terrain = parkBuilt.stream = 0);
        seedRandomForRun(4);
        buildStream();
        for (int k = 0; k < STREAM_SAMPLES; ++k) {
            streamSampleX[k] = -100.0f + (float)k;
            streamSampleZ[k] = 0.0f;
        }
        testworld::clearPark();
    }
    void TearDown() override { (parkBuilt.terrain = parkBuilt.stream = 0); }
};

// A seed whose first two draws of (-40, 40) land inside the start square.
uint32_t seedStartingInTheSquare(float* drawnZ) {
    for (uint32_t seed = 1;; ++seed) {
        seedRandomForRun(seed);
        float x = randomFloat(-40.0f, 40.0f);
        float z = randomFloat(-40.0f, 40.0f);
        if (std::fabs(x) < 5.0f && std::fabs(z) < 5.0f) {
            *drawnZ = z;
            return seed;
        }
    }
}

}  // namespace

TEST_F(SignPlacement, KeepsClearOfTreesAndRocks) {
    trees[17].x = 10.0f;
    trees[17].z = 10.0f;
    EXPECT_FALSE(signSpotIsClear(12.9f, 10.0f));
    EXPECT_TRUE(signSpotIsClear(13.01f, 10.0f));
    rocks[3].x = -10.0f;
    rocks[3].z = -10.0f;
    EXPECT_FALSE(signSpotIsClear(-12.4f, -10.0f));  // 2.4 away: 5.76 < 6
    EXPECT_TRUE(signSpotIsClear(-12.5f, -10.0f));   // 6.25
}

TEST_F(SignPlacement, TestsEveryFifthStreamSampleOnlyOnceTheStreamExists) {
    // Samples 0, 5, 10 .. lie at x = -100, -95, -90 ..
    EXPECT_FALSE(signSpotIsClear(-95.0f, 4.9f));
    // Halfway between two tested samples: 5.5 from both, though only 4.9 from samples 2 and 3.
    EXPECT_TRUE(signSpotIsClear(-97.5f, 4.9f));
    // The last sample, 200, is tested too.
    EXPECT_FALSE(signSpotIsClear(100.0f, 3.0f));
    (parkBuilt.terrain = parkBuilt.stream = 0);
    EXPECT_TRUE(signSpotIsClear(-95.0f, 0.0f));
}

TEST_F(SignPlacement, AFirstDrawInTheStartSquareMovesToXTwenty) {
    (parkBuilt.terrain = parkBuilt.stream = 0);  // no stream to keep away from
    float drawnZ = 0.0f;
    uint32_t seed = seedStartingInTheSquare(&drawnZ);
    seedRandomForRun(seed);
    placeSign();
    EXPECT_EQ(signX, 20.0f);
    EXPECT_EQ(signZ, drawnZ);
    // Accepted at once: the turn is the third draw.
    seedRandomForRun(seed);
    randomFloat(0.0f, 1.0f);
    randomFloat(0.0f, 1.0f);
    EXPECT_EQ(signYaw, randomFloat(0.0f, 360.0f));
}

TEST_F(SignPlacement, TheMovedSpotIsTestedLikeAnyOther) {
    (parkBuilt.terrain = parkBuilt.stream = 0);
    float drawnZ = 0.0f;
    uint32_t seed = seedStartingInTheSquare(&drawnZ);
    trees[0].x = 20.0f;
    trees[0].z = drawnZ;
    seedRandomForRun(seed);
    placeSign();
    EXPECT_FALSE(signX == 20.0f && signZ == drawnZ);
    EXPECT_TRUE(signSpotIsClear(signX, signZ));
}

TEST(SignInThePark, StandsNearTheStartOnOpenGround) {
    for (uint32_t seed : {1u, 2u, 3u, 1234u, 20261205u}) {
        testworld::buildPark(seed);
        placeSign();
        EXPECT_LE(std::fabs(signX), 40.0f) << seed;
        EXPECT_LE(std::fabs(signZ), 40.0f) << seed;
        EXPECT_FALSE(std::fabs(signX) < 5.0f && std::fabs(signZ) < 5.0f) << seed;
        EXPECT_GE(signYaw, 0.0f);
        EXPECT_LE(signYaw, 360.0f);
        for (const TreeRecord& t : trees) ASSERT_GE(std::hypot(signX - t.x, signZ - t.z), 3.0f) << seed;
        for (const RockRecord& r : rocks) ASSERT_GE(std::hypot(signX - r.x, signZ - r.z), 2.449f) << seed;
        for (int k = 0; k < STREAM_SAMPLES; k += 5)
            ASSERT_GE(std::hypot(signX - streamSampleX[k], signZ - streamSampleZ[k]), 5.0f) << seed;
    }
    (parkBuilt.terrain = parkBuilt.stream = 0);
}

TEST(SignBoard, NamesAreTheParksInBothLanguages) {
    EXPECT_STREQ(SIGN_ENGLISH_NAME, "Bramwick Shooting Park");
    // The same name spelt with universal character names.
    EXPECT_STREQ(SIGN_CHINESE_NAME, u8"Bramwick\u72E9\u730E\u516C\u56ED");
    EXPECT_EQ(std::strlen(SIGN_CHINESE_NAME), 8u + 4u * 3u);
}

TEST(SignBoard, PortableBoardIsWoodInsideAOnePixelFrame) {
    std::vector<unsigned char> pixels((size_t)SIGN_BOARD_WIDTH * SIGN_BOARD_HEIGHT * 4, 0xEE);
    ASSERT_TRUE(paintSignBoard(pixels.data()));
    auto at = [&](int x, int y) { return &pixels[((size_t)y * SIGN_BOARD_WIDTH + x) * 4]; };
    auto isColour = [](const unsigned char* p, const unsigned char* rgb) {
        return p[0] == rgb[2] && p[1] == rgb[1] && p[2] == rgb[0] && p[3] == 0;
    };
    const unsigned char wood[3] = {120, 75, 30};
    const unsigned char frame[3] = {100, 60, 20};
    EXPECT_TRUE(isColour(at(0, 0), wood));
    EXPECT_TRUE(isColour(at(7, 7), wood));
    EXPECT_TRUE(isColour(at(8, 8), frame));
    EXPECT_TRUE(isColour(at(503, 100), frame));
    EXPECT_TRUE(isColour(at(200, 247), frame));
    EXPECT_TRUE(isColour(at(9, 9), wood));
    EXPECT_TRUE(isColour(at(504, 248), wood));
    EXPECT_TRUE(isColour(at(256, 128), wood));
    EXPECT_TRUE(isColour(at(511, 255), wood));
}
