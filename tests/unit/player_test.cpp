#include <gtest/gtest.h>

#include <cmath>

#include "app/input.h"
#include "support/world_fixture.h"

namespace {

class Player : public ::testing::Test {
protected:
    void SetUp() override {
        testworld::buildPark(1357);
        testworld::flattenGround(0.0f);
        resetPlayer(&thePlayer);
        theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300};
    }
    void TearDown() override { theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300}; }
    void hold(int forward, int back, int left, int right) {
        theInput.moveForwardHeld = forward;
        theInput.moveBackHeld = back;
        theInput.moveLeftHeld = left;
        theInput.moveRightHeld = right;
    }
};

}  // namespace

TEST_F(Player, StartsSouthOfTheCentreLookingNorth) {
    EXPECT_EQ(thePlayer.position.z, 25.0f);
    EXPECT_EQ(thePlayer.position.y, 1.7f);
    Vec3 f = viewDirection(&thePlayer);
    EXPECT_NEAR(f.z, -1.0f, 1e-6f);
    Vec3 r = rightVector(&thePlayer);
    EXPECT_NEAR(r.x, 1.0f, 1e-6f);
    EXPECT_NEAR(r.z, 0.0f, 1e-6f);
}

TEST_F(Player, OpposingKeysCancelAndDiagonalsAreNotFaster) {
    hold(1, 1, 1, 1);
    updatePlayer();
    EXPECT_NEAR(thePlayer.position.x, 0.0f, 1e-6f);
    EXPECT_NEAR(thePlayer.position.z, 25.0f, 1e-6f);
    hold(1, 0, 0, 1);
    updatePlayer();
    Vec3 p = thePlayer.position;
    EXPECT_NEAR(std::hypot(p.x, p.z - 25.0f), 0.16f, 1e-5f);
    EXPECT_GT(p.x, 0.0f);  // D strafes right: +x when facing -z
    EXPECT_LT(p.z, 25.0f);
}

TEST_F(Player, TheGroundLiftsTheEyeButNeverPullsItDown) {
    // A hill 3 units high north of z = 20.
    for (int j = 0; j < 74; ++j)
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) terrainHeights[j][i] = 3.0f;
    hold(1, 0, 0, 0);
    for (int i = 0; i < 60; ++i) updatePlayer();
    EXPECT_NEAR(thePlayer.position.y, 4.7f, 1e-5f);
    hold(0, 1, 0, 0);
    for (int i = 0; i < 60; ++i) updatePlayer();  // back down the slope at pitch 0
    EXPECT_NEAR(thePlayer.position.y, 4.7f, 1e-5f);
    thePlayer.pitch = -30.0f;
    hold(1, 0, 0, 0);
    thePlayer.position = makeVec3(0, 4.7f, 30.0f);
    for (int i = 0; i < 60; ++i) updatePlayer();
    EXPECT_GE(thePlayer.position.y, 1.7f);
    EXPECT_NEAR(thePlayer.position.y, 1.7f, 1e-5f);
}

TEST_F(Player, FloorAndParkEdge) {
    testworld::flattenGround(-3.0f);
    movePlayer(&thePlayer, 0, 0, PLAYER_STEP);
    EXPECT_EQ(thePlayer.position.y, 1.7f);
    thePlayer.position = makeVec3(126.5f, 1.7f, 0.0f);
    thePlayer.yaw = 45.0f;  // heading +x and +z
    movePlayer(&thePlayer, 0, 1, PLAYER_STEP);
    EXPECT_EQ(thePlayer.position.x, 126.5f);
    EXPECT_GT(thePlayer.position.z, 0.1f);
}

TEST_F(Player, LookingUpWhileWalkingLifts) {
    thePlayer.pitch = 30.0f;
    hold(1, 0, 0, 0);
    updatePlayer();
    EXPECT_NEAR(thePlayer.position.y, 1.7f + 0.08f, 1e-5f);
}

TEST_F(Player, MouseLookTurnsAndClampsPitch) {
    applyMouseLook(&thePlayer, 100.0f, 0.0f);
    EXPECT_NEAR(thePlayer.yaw, -75.0f, 1e-4f);
    applyMouseLook(&thePlayer, 0.0f, -10000.0f);
    EXPECT_EQ(thePlayer.pitch, 89.0f);
    applyMouseLook(&thePlayer, 0.0f, 10000.0f);
    EXPECT_EQ(thePlayer.pitch, -89.0f);
    for (int i = 0; i < 100; ++i) applyMouseLook(&thePlayer, 100.0f, 0.0f);
    EXPECT_NEAR(thePlayer.yaw, -75.0f + 1500.0f, 1e-2f);  // not wrapped
}
