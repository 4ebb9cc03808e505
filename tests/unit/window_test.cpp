#include <gtest/gtest.h>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "app/window_placement.h"
#include "audio/cues.h"
#include "player/input.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"
#include "world/sign.h"

TEST(Window, BoxesOpenCentredOverTheGameAndWhollyOnTheWorkArea) {
    const ScreenRect SCREEN = {0, 0, 1600, 1200};
    const ScreenRect LEFT_DISPLAY = {-1280, 0, 0, 1024};
    const ScreenRect BELOW_TASKBAR = {0, 40, 1600, 1200};
    struct Case {
        const char* what;
        ScreenRect owner, work;
        int width, height, left, top;  // the box's size, and where it should open
    } CASES[] = {
        // 100 + (800 - 400) / 2 = 300, 100 + (600 - 300) / 2 = 250.
        {"fits centred", {100, 100, 900, 700}, SCREEN, 400, 300, 300, 250},
        // (200 - 570) / 2 = -185 and (150 - 280) / 2 = -65, pushed onto the screen.
        {"crosses left and top", {0, 0, 200, 150}, SCREEN, 570, 280, 0, 0},
        // 1500 + (100 - 300) / 2 = 1400 ends at 1700 > 1600; 1050 ends at 1250 > 1200.
        {"crosses right and bottom", {1500, 1100, 1600, 1200}, SCREEN, 300, 200, 1300, 1000},
        // Too large: its top left corner, with the caption, stays on the work area.
        {"larger than the work area", BELOW_TASKBAR, BELOW_TASKBAR, 2000, 1300, 0, 40},
        // -1000 + (800 - 400) / 2 = -800 fits on a display left of the main one.
        {"left of the main display", {-1000, 100, -200, 700}, LEFT_DISPLAY, 400, 300, -800, 250},
    };
    for (const Case& c : CASES) {
        ScreenRect box = placeBoxOverOwner(c.owner, c.width, c.height, c.work);
        EXPECT_EQ(box.left, c.left) << c.what;
        EXPECT_EQ(box.top, c.top) << c.what;
        EXPECT_EQ(box.right - box.left, c.width) << c.what;
        EXPECT_EQ(box.bottom - box.top, c.height) << c.what;
    }
}

TEST(Window, MinimisedTheGamePausesAndGoesOnFromTheSameMoment) {
    startGame(1780351200u);
    shellWindowSized(800, 600, 0);
    shellCommand(IDM_WEATHER_RAINY);
    frameTick();
    ASSERT_EQ(rainLoopPlaying, 1);
    captureMouse();
    theArena.nightTarget = 1;
    theArena.nightBlend = 0.0f;

    shellWindowSized(0, 0, 1);
    EXPECT_EQ(fakePlatform.frameTimerStops, 1);
    EXPECT_EQ(rainLoopPlaying, 0);
    EXPECT_EQ(theInput.mouseCaptured, 0);
    EXPECT_EQ(clientWidth, 800);  // the last view's size, not the 0 x 0 of an icon
    EXPECT_EQ(clientHeight, 600);
    fakePlatform.counter += 30000000;  // half a minute minimised
    EXPECT_EQ(shellTimerTick(), 0);
    EXPECT_EQ(theArena.nightBlend, 0.0f);

    shellWindowSized(1024, 700, 0);
    EXPECT_EQ(fakePlatform.frameTimerStarts, 1);
    EXPECT_EQ(clientWidth, 1024);
    EXPECT_EQ(clientHeight, 700);
    EXPECT_EQ(shellTimerTick(), 1);
    EXPECT_EQ(rainLoopPlaying, 1);
    // The first frame back measures no time; the next one 16 ms: 0 + 1 x 0.016 x 1.5.
    EXPECT_EQ(theArena.nightBlend, 0.0f);
    fakePlatform.counter += 16000;
    shellTimerTick();
    EXPECT_NEAR(theArena.nightBlend, 0.024f, 1e-6f);
}

TEST(Window, TheSignIsPaintedAsFineAsTheDisplayIsScaled) {
    // The smallest power of two at least dpi / 96, at most 4.
    const int DPI[] = {72, 96, 120, 144, 192, 240, 384, 480};
    const int SCALE[] = {1, 1, 2, 2, 2, 4, 4, 4};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(signBoardScaleForDpi(DPI[i]), SCALE[i]) << DPI[i];

    displayDpi = 144;
    startGame(1780351200u);
    EXPECT_EQ(signBoardScale, 2) << "started on a 150 % display";

    shellDisplayScaleChanged(96, ScreenRect{100, 50, 920, 720});  // moved to a 100 % display
    EXPECT_EQ(fakePlatform.placedWindow.left, 100);
    EXPECT_EQ(fakePlatform.placedWindow.bottom, 720);
    EXPECT_EQ(displayDpi, 96);
    EXPECT_EQ(signBoardScale, 1);
}
