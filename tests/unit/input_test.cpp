#include <gtest/gtest.h>

#include "app/shell.h"
#include "player/input.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"

namespace {

struct Input : ::testing::Test {
    void SetUp() override { startGame(606); }
    int held() {
        return theInput.moveForwardHeld + theInput.moveBackHeld + theInput.moveLeftHeld +
               theInput.moveRightHeld;
    }
};

}  // namespace

TEST_F(Input, MovementKeysHoldThroughRepeatsUntilEitherOfTheirKeysIsReleased) {
    const int KEYS[8] = {KEY_W, KEY_UP, KEY_S, KEY_DOWN, KEY_A, KEY_LEFT, KEY_D, KEY_RIGHT};
    for (int k = 0; k < 8; ++k) {
        shellKeyDown(KEYS[k], 0);
        shellKeyDown(KEYS[k], 1);  // an auto-repeat
        EXPECT_EQ(held(), 1) << KEYS[k];
        shellKeyUp(KEYS[k ^ 1]);  // its other key
        EXPECT_EQ(held(), 0) << KEYS[k];
    }
}

// Switches act on the first press only, B only with the mouse captured.
TEST_F(Input, SwitchesActOnTheFirstPressAndIgnoreRepeats) {
    shellKeyDown(KEY_B);
    shellRightButtonDown();
    for (int key : {KEY_B, KEY_N, KEY_R}) {
        shellKeyDown(key, 0);
        shellKeyDown(key, 1);
    }
    EXPECT_EQ(theInput.binocularsOn, 1);
    EXPECT_EQ(theArena.nightTarget, 1);
    EXPECT_EQ(fakePlatform.questionsAsked, 1);
}

// A box or a question lets go of the keys; a finished game restarts unasked.
TEST_F(Input, QuestionsAndBoxesLetGoOfTheKeysAndAskOnlyWhileAGameIsOn) {
    for (int command : {IDM_ABOUT, IDM_DONATE, IDM_EXIT, IDM_NEW_GAME}) {
        shellKeyDown(KEY_UP);
        shellCommand(command);
        EXPECT_EQ(held(), 0) << command;
    }
    EXPECT_STREQ(fakePlatform.lastQuestion, "Restart the game?");
    theArena.gameOver = 1;
    shellCommand(IDM_NEW_GAME);
    EXPECT_EQ(fakePlatform.questionsAsked, 2);
}

// 0.15 degrees a pixel from where the last recentring put the cursor, never past 89 up or down.
TEST_F(Input, FirstClickCapturesThenClicksFireAndMovesTurnTheView) {
    shellLeftButtonDown();
    shellLeftButtonDown();
    EXPECT_EQ(theArena.shotsFired, 1);
    fakePlatform.cursorX = 420;
    shellMouseMoved();  // 20 right of the centre
    shellMouseMoved();  // the recentring's own move: no turn
    EXPECT_FLOAT_EQ(thePlayer.yaw, -87);
    const int YS[4] = {0, 0, 900, 900};
    const float PITCHES[4] = {45, 89, -1, -89};  // 300 up, 300 up, 600 down, 600 down
    for (int i = 0; i < 4; ++i) {
        fakePlatform.cursorY = YS[i];
        shellMouseMoved();
        EXPECT_FLOAT_EQ(thePlayer.pitch, PITCHES[i]) << i;
    }
}
