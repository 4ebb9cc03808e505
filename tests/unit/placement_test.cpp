#include <gtest/gtest.h>

#include <cmath>

#include "support/world_fixture.h"

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override { testworld::buildPark(31337); }
};

bool inSquare(float x, float z, float half) { return std::fabs(x) < half && std::fabs(z) < half; }

}  // namespace

TEST_F(Placement, StartSquareStaysFreeOfTreesAnimalsAndRocks) {
    for (const TreeRecord& t : trees) {
        ASSERT_FALSE(inSquare(t.x, t.z, 6.0f));
        ASSERT_LE(std::fabs(t.x), 125.5f);
        ASSERT_GE(t.height, 3.0f);
        ASSERT_LE(t.height, 6.0f);
        ASSERT_GE(t.crownRadius, 1.5f);
        ASSERT_LE(t.crownRadius, 3.0f);
    }
    for (const RockRecord& r : rocks) {
        ASSERT_FALSE(inSquare(r.x, r.z, 5.0f));
        ASSERT_LE(std::fabs(r.z), 124.5f);
        // Warm-leaning greys: blue never exceeds the grey by more than 0.02 over red's floor.
        ASSERT_GE(r.red, 0.30f);
        ASSERT_LE(r.red, 0.60f);
        ASSERT_GE(r.blue, 0.27f);
        ASSERT_LE(r.blue, 0.57f);
    }
    for (const AnimalRecord& a : animals) ASSERT_FALSE(inSquare(a.x, a.z, 6.0f));
}

TEST_F(Placement, AnimalsStandOnGentleGroundSplitIntoRabbitsAndDeer) {
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        const AnimalRecord& a = animals[i];
        EXPECT_EQ(a.kind, i < 25 ? ANIMAL_RABBIT : ANIMAL_DEER);
        EXPECT_LE(terrainSlopeBetween(a.x, a.z, a.x + 1, a.z), 0.45f);
        EXPECT_LE(terrainSlopeBetween(a.x, a.z, a.x, a.z + 1), 0.45f);
        EXPECT_EQ(a.alive, 1);
        EXPECT_EQ(a.moving, 0);
        EXPECT_GE(a.wanderTimer, 3.0f);
        EXPECT_LE(a.wanderTimer, 10.0f);
        EXPECT_LE(std::fabs(a.x), 123.5f);
    }
}

TEST_F(Placement, FlowersUseTheFiveKinds) {
    int whites = 0, yellows = 0;
    for (const FlowerRecord& f : flowers) {
        if (f.red == 1.0f && f.green == 1.0f && f.blue == 1.0f) whites++;
        if (f.red == 1.0f && f.green == 0.9f && f.blue == 0.2f) yellows++;
    }
    // 2000 draws of five kinds: each near 400.
    EXPECT_GT(whites, 300);
    EXPECT_GT(yellows, 300);
}

TEST_F(Placement, SteepGroundIsNeverChosenForAnimals) {
    // Only a narrow band along z = 0 is flat; everywhere else the ground rises
    // by one unit per cell (0.51 per unit) toward +x and +z.
    testworld::flattenGround(0.0f);
    for (int j = 0; j < TERRAIN_SAMPLES; ++j)
        for (int i = 0; i < TERRAIN_SAMPLES; ++i)
            if (j < 60 || j > 68) terrainHeights[j][i] = (float)(i + j);
    placeAnimals();
    for (const AnimalRecord& a : animals) {
        ASSERT_GT(a.z, -10.0f);
        ASSERT_LT(a.z, 10.0f);
    }
}

TEST_F(Placement, NewGameRevivesAndMovesEveryAnimal) {
    float oldX[ANIMAL_COUNT];
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        oldX[i] = animals[i].x;
        killAnimal(i);
    }
    respawnAnimals();
    int moved = 0;
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        EXPECT_EQ(animals[i].alive, 1);
        EXPECT_EQ(animals[i].corpseTimer, 0.0f);
        EXPECT_EQ(animals[i].kind, i < 25 ? ANIMAL_RABBIT : ANIMAL_DEER);
        if (animals[i].x != oldX[i]) moved++;
    }
    EXPECT_EQ(moved, ANIMAL_COUNT);
}

TEST(PlacementOrder, SameSeedSameParkAndTreesDrawInOrder) {
    testworld::buildPark(5);
    TreeRecord firstTree = trees[0];
    RockRecord lastRock = rocks[ROCK_COUNT - 1];
    testworld::buildPark(5);
    EXPECT_EQ(trees[0].x, firstTree.x);
    EXPECT_EQ(rocks[ROCK_COUNT - 1].yaw, lastRock.yaw);

    // After 2000 flowers (three draws each), tree 0 takes x, z, then height and crown.
    seedRandomForRun(77);
    placeFlowers();
    placeTrees();
    seedRandomForRun(77);
    for (int i = 0; i < 6000; ++i) nextRandom();
    float x = randomFloat(-125.5f, 125.5f), z = randomFloat(-125.5f, 125.5f);
    ASSERT_FALSE(inSquare(x, z, 6.0f)) << "pick a seed whose first candidate is accepted";
    EXPECT_EQ(trees[0].x, x);
    EXPECT_EQ(trees[0].z, z);
    EXPECT_EQ(trees[0].height, randomFloat(3.0f, 6.0f));
    EXPECT_EQ(trees[0].crownRadius, randomFloat(1.5f, 3.0f));
}
