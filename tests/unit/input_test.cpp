#include <gtest/gtest.h>

#include "app/shell.h"
#include "fakes/platform_fake.h"
#include "player/input.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"

namespace {

// The shell's keys and mouse, driven as the window procedure drives them.
class Input : public ::testing::Test {
protected:
    void SetUp() override { startGame(606); }
    int held() {
        return theInput.moveForwardHeld + theInput.moveBackHeld + theInput.moveLeftHeld +
               theInput.moveRightHeld;
    }
};

}  // namespace

TEST_F(Input, MovementKeysHoldThroughRepeatsUntilEitherOfTheirKeysIsReleased) {
    struct Binding {
        int key, alias;
        int InputState::*flag;
    };
    const Binding BINDINGS[4] = {{KEY_W, KEY_UP, &InputState::moveForwardHeld},
                                 {KEY_S, KEY_DOWN, &InputState::moveBackHeld},
                                 {KEY_A, KEY_LEFT, &InputState::moveLeftHeld},
                                 {KEY_D, KEY_RIGHT, &InputState::moveRightHeld}};
    for (const Binding& b : BINDINGS) {
        for (int first : {b.key, b.alias}) {
            shellKeyDown(first, 0);
            shellKeyDown(first, 1);  // an auto-repeat
            EXPECT_EQ(theInput.*b.flag, 1) << first;
            EXPECT_EQ(held(), 1) << first;
            shellKeyUp(first == b.key ? b.alias : b.key);
            EXPECT_EQ(held(), 0) << first;
        }
    }
}

TEST_F(Input, SwitchesActOnTheFirstPressAndIgnoreRepeats) {
    shellKeyDown(KEY_B);
    EXPECT_EQ(theInput.binocularsOn, 0);  // not before the mouse is captured
    shellRightButtonDown();
    shellKeyDown(KEY_B, 0);
    shellKeyDown(KEY_B, 1);
    EXPECT_EQ(theInput.binocularsOn, 1);
    shellKeyDown(KEY_N, 0);
    shellKeyDown(KEY_N, 1);
    EXPECT_EQ(theArena.nightTarget, 1);
    shellKeyDown(KEY_ESCAPE, 1);
    EXPECT_EQ(theInput.mouseCaptured, 1);
    shellKeyDown(KEY_W);
    shellKeyDown(KEY_ESCAPE);
    // Freeing the mouse keeps the binoculars, and W, still held, keeps walking.
    EXPECT_EQ(theInput.mouseCaptured, 0);
    EXPECT_EQ(theInput.binocularsOn, 1);
    EXPECT_EQ(theInput.moveForwardHeld, 1);
    theArena.score = 100;
    shellKeyDown(KEY_R, 0);
    shellKeyDown(KEY_R, 1);
    EXPECT_EQ(fakePlatform.questionsAsked, 1);
}

TEST_F(Input, LosingFocusFreesThePointerOnceAndLetsGoOfEveryKey) {
    shellLeftButtonDown();
    for (int key : {KEY_W, KEY_S, KEY_A, KEY_D}) shellKeyDown(key);
    shellFocusLost();
    EXPECT_EQ(theInput.mouseCaptured, 0);
    EXPECT_EQ(held(), 0);
    shellFocusLost();
    EXPECT_EQ(fakePlatform.releases, 1);
}

TEST_F(Input, QuestionsAndBoxesOpenWithTheMouseFreeAndNoKeyHeld) {
    theArena.score = 500;
    for (int command : {IDM_NEW_GAME, IDM_EXIT, IDM_ABOUT, IDM_DONATE}) {
        shellRightButtonDown();
        shellKeyDown(KEY_UP);
        fakePlatform.mouseCapturedAtLastQuestion = -1;
        fakePlatform.mouseCapturedAtLastDialog = -1;
        shellCommand(command);
        const bool asks = command == IDM_NEW_GAME || command == IDM_EXIT;
        EXPECT_EQ(asks ? fakePlatform.mouseCapturedAtLastQuestion
                       : fakePlatform.mouseCapturedAtLastDialog,
                  0)
            << command;
        EXPECT_EQ(held(), 0) << command;
    }
    EXPECT_EQ(fakePlatform.aboutDialogs, 1);
    EXPECT_EQ(fakePlatform.donateDialogs, 1);
    EXPECT_EQ(theArena.score, 500);  // No keeps the game
    EXPECT_EQ(fakePlatform.closePosted, 0);
    EXPECT_STREQ(fakePlatform.lastQuestion, "Are you sure you want to exit?");
    fakePlatform.answerYes = 1;
    shellCommand(IDM_EXIT);
    EXPECT_EQ(fakePlatform.closePosted, 1);
    shellCommand(IDM_NEW_GAME);
    EXPECT_STREQ(fakePlatform.lastQuestion, "Restart the game?");
    EXPECT_EQ(theArena.score, 0);
    theArena.gameOver = 1;  // a finished game restarts without asking
    shellCommand(IDM_NEW_GAME);
    EXPECT_EQ(fakePlatform.questionsAsked, 4);
    EXPECT_EQ(theArena.gameOver, 0);
}

// 0.15 degrees a pixel, measured from where the last recentring put the cursor; the view never
// tips past 89 degrees up or down.
TEST_F(Input, FirstClickCapturesThenClicksFireAndMovesTurnTheView) {
    fakePlatform.cursorX = 450;
    shellMouseMoved();  // a free mouse does not look
    EXPECT_EQ(thePlayer.yaw, -90.0f);
    fakePlatform.cursorX = 400;
    shellRightButtonDown();
    shellRightButtonDown();
    EXPECT_EQ(fakePlatform.captures, 1);
    shellKeyDown(KEY_ESCAPE);
    shellLeftButtonDown();
    EXPECT_EQ(theInput.mouseCaptured, 1);
    EXPECT_EQ(theArena.shotsFired, 0);
    shellLeftButtonDown();
    EXPECT_EQ(theArena.shotsFired, 1);
    fakePlatform.cursorX = 420;  // across only
    shellMouseMoved();
    EXPECT_FLOAT_EQ(thePlayer.yaw, -90.0f + 20 * 0.15f);
    EXPECT_FLOAT_EQ(thePlayer.pitch, 0);
    fakePlatform.cursorY = 290;  // then up only, from where the recentring put it
    shellMouseMoved();
    EXPECT_FLOAT_EQ(thePlayer.pitch, 10 * 0.15f);
    shellMouseMoved();  // the recentring's own move: no turn
    EXPECT_FLOAT_EQ(thePlayer.yaw, -87.0f);
    EXPECT_EQ(fakePlatform.recentres, 3);
    fakePlatform.cursorY = 0;  // 300 pixels up: 45 degrees, then held at 89
    shellMouseMoved();
    fakePlatform.cursorY = 0;
    shellMouseMoved();
    EXPECT_FLOAT_EQ(thePlayer.pitch, 89);
    fakePlatform.cursorY = 900;
    shellMouseMoved();
    fakePlatform.cursorY = 900;
    shellMouseMoved();
    EXPECT_FLOAT_EQ(thePlayer.pitch, -89);
}
