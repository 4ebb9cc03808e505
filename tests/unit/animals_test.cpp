#include <gtest/gtest.h>

#include <cmath>

#include "support/world_fixture.h"

namespace {

class Animals : public ::testing::Test {
protected:
    void SetUp() override {
        testworld::buildPark(777);
        testworld::flattenGround(0.0f);
        testworld::clearPark();
    }
    AnimalRecord* place(int index, float x, float z) {
        AnimalRecord* a = &animals[index];
        a->kind = index < RABBIT_COUNT ? ANIMAL_RABBIT : ANIMAL_DEER;
        a->x = x;
        a->z = z;
        a->alive = 1;
        a->moving = 0;
        a->wanderTimer = 100.0f;
        return a;
    }
};

}  // namespace

TEST_F(Animals, RestingAnimalsStayPutAndDoNotBob) {
    AnimalRecord* a = place(0, 10, 10);
    a->gaitPhase = 1.0f;
    for (int i = 0; i < 100; ++i) updateAnimals(0.05f);
    EXPECT_EQ(a->x, 10.0f);
    EXPECT_EQ(a->gaitPhase, 1.0f);
}

TEST_F(Animals, RestAndWalkAlternate) {
    AnimalRecord* a = place(30, 10, 10);
    a->wanderTimer = 0.01f;
    updateAnimals(0.02f);
    ASSERT_EQ(a->moving, 1);
    EXPECT_GE(a->wanderTimer, 1.0f - 0.02f);
    EXPECT_LE(a->wanderTimer, 3.0f);
    a->wanderTimer = 0.01f;
    a->heading = 90.0f;
    float z = a->z;
    updateAnimals(0.02f);  // walk ends: rests
    EXPECT_EQ(a->moving, 0);
    EXPECT_GE(a->wanderTimer, 5.0f);
    EXPECT_EQ(a->z, z);
}

TEST_F(Animals, WalkAtTheirSpeedsAndFaceTheirHeading) {
    AnimalRecord* rabbit = place(0, 10, 10);
    AnimalRecord* deer = place(40, -10, -10);
    for (AnimalRecord* a : {rabbit, deer}) {
        a->moving = 1;
        a->heading = 90.0f;
        a->facing = 0.0f;
    }
    for (int i = 0; i < 10; ++i) updateAnimals(0.1f);
    EXPECT_NEAR(rabbit->z, 11.2f, 1e-3f);
    EXPECT_NEAR(deer->z, -9.2f, 1e-3f);
    EXPECT_EQ(rabbit->facing, 90.0f);
    EXPECT_NEAR(rabbit->gaitPhase, 6.0f, 1e-4f);
    updateAnimals(0.1f);  // passes 6.28 and wraps
    EXPECT_NEAR(rabbit->gaitPhase, 0.32f, 1e-4f);
}

TEST_F(Animals, ReflectAtTheRoamingLimitThenRest) {
    AnimalRecord* a = place(0, 0, 123.45f);
    a->moving = 1;
    a->heading = 90.0f;
    updateAnimals(0.1f);
    EXPECT_EQ(a->heading, 270.0f);
    EXPECT_EQ(a->facing, 270.0f);
    updateAnimals(0.1f);
    EXPECT_EQ(a->moving, 0);
}

TEST_F(Animals, NeverStepOntoSteepGround) {
    for (int j = 0; j < TERRAIN_SAMPLES; ++j)
        for (int i = 70; i < TERRAIN_SAMPLES; ++i) terrainHeights[j][i] = 30.0f;
    float wallX = 70 * terrainCellSize() - TERRAIN_HALF_SIZE;
    AnimalRecord* a = place(30, wallX - 0.5f, 0);
    for (int i = 0; i < 500; ++i) {
        a->moving = 1;
        a->heading = 0.0f;
        a->wanderTimer = 5.0f;
        updateAnimals(0.1f);
        ASSERT_LT(a->x, wallX);
    }
    EXPECT_EQ(a->moving, 1);  // a blocked walk goes on in a new direction
}

TEST_F(Animals, ShotTestFindsTheNearestLivingAnimal) {
    place(3, 0, -10);
    place(30, 0, -20);
    Vec3 eye = makeVec3(0, 0.4f, 0);
    Vec3 forward = makeVec3(0, 0, -1);
    AnimalHit hit = {0, -7, -7, -7.0f};
    testAnimalHit(eye, forward, &hit);
    ASSERT_EQ(hit.hit, 1);
    EXPECT_EQ(hit.index, 3);
    EXPECT_EQ(hit.kind, ANIMAL_RABBIT);
    EXPECT_NEAR(hit.distance, 9.7f, 1e-4f);

    killAnimal(3);
    EXPECT_EQ(animals[3].corpseTimer, 8.0f);
    testAnimalHit(eye, forward, &hit);  // the dead rabbit no longer stops the ray
    ASSERT_EQ(hit.hit, 1);
    EXPECT_EQ(hit.index, 30);
    EXPECT_EQ(hit.kind, ANIMAL_DEER);

    killAnimal(30);
    hit = AnimalHit{5, -7, -7, -7.0f};
    testAnimalHit(eye, forward, &hit);
    EXPECT_EQ(hit.hit, 0);
    EXPECT_EQ(hit.index, -7);  // untouched on a miss
}

TEST_F(Animals, ExactTieGoesToTheLowerIndex) {
    place(5, 0, -10);
    place(2, 0, -10);
    AnimalHit hit = {0, 0, 0, 0};
    testAnimalHit(makeVec3(0, 0.4f, 0), makeVec3(0, 0, -1), &hit);
    EXPECT_EQ(hit.index, 2);
}

TEST_F(Animals, DeadAnimalsFallThenLieThenVanish) {
    AnimalRecord* a = place(40, 10, 10);
    a->moving = 1;
    killAnimal(40);
    EXPECT_EQ(a->moving, 0);
    for (int i = 0; i < 5; ++i) updateAnimals(0.1f);
    EXPECT_NEAR(a->fallAngle, 90.0f, 1e-3f);
    EXPECT_EQ(a->corpseTimer, 8.0f);
    for (int i = 0; i < 81; ++i) updateAnimals(0.1f);
    EXPECT_LE(a->corpseTimer, 0.0f);
    EXPECT_EQ(a->x, 10.0f);
}
