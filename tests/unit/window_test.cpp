#include <gtest/gtest.h>

#include <utility>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "app/window_placement.h"
#include "support/world_fixture.h"
#include "world/sign.h"

// Centred: -1000 + (800 - 400) / 2 = -800, 100 + (600 - 300) / 2 = 250; 1500 + (100 - 300) / 2 +
// 300 > 1600 is pushed back; a box too large keeps its top left corner (the caption) on the area.
TEST(Window, BoxesOpenCentredOverTheGameAndWhollyOnTheWorkArea) {
    struct Case {
        const char* what;
        ScreenRect owner, work;
        int width, height, left, top;
    } CASES[] = {
        {"left display", {-1000, 100, -200, 700}, {-1280, 0, 0, 1024}, 400, 300, -800, 250},
        {"right and bottom", {1500, 1100, 1600, 1200}, {0, 0, 1600, 1200}, 300, 200, 1300, 1000},
        {"too large", {0, 40, 1600, 1200}, {0, 40, 1600, 1200}, 2000, 1300, 0, 40},
    };
    for (const Case& c : CASES) {
        ScreenRect box = placeBoxOverOwner(c.owner, c.width, c.height, c.work);
        EXPECT_EQ(std::make_pair(box.left, box.top), std::make_pair(c.left, c.top)) << c.what;
        EXPECT_EQ(box.bottom - box.top, c.height) << c.what;
    }
}

// Minimised the game pauses; back, it goes on from the same moment: 16 ms on, night is 0.016 x 1.5.
TEST(Window, MinimisedTheGamePausesAndGoesOnFromTheSameMoment) {
    startGame(1780351200u);
    theArena.nightTarget = 1;
    shellLeftButtonDown();  // the game holds the pointer
    shellWindowSized(0, 0, 1);
    EXPECT_EQ(fakePlatform.frameTimerStops, 1);
    EXPECT_EQ(fakePlatform.releases, 1);
    fakePlatform.counter += 30000000;  // half a minute minimised
    EXPECT_EQ(shellTimerTick(), 0);
    shellWindowSized(1024, 700, 0);
    EXPECT_EQ(fakePlatform.frameTimerStarts, 1);
    EXPECT_EQ(shellTimerTick(), 1);
    fakePlatform.counter += 16000;
    shellTimerTick();
    EXPECT_NEAR(theArena.nightBlend, 0.024f, 1e-6f);
}

// The smallest power of two at least dpi / 96, at most 4; a move to another display repaints.
TEST(Window, TheSignIsPaintedAsFineAsTheDisplayIsScaled) {
    const int DPI_SCALE[][2] = {{72, 1}, {96, 1}, {97, 2}, {120, 2}, {192, 2}, {240, 4}, {480, 4}};
    for (const auto& d : DPI_SCALE) EXPECT_EQ(signBoardScaleForDpi(d[0]), d[1]) << d[0];
    displayDpi = 144;
    startGame(1780351200u);
    EXPECT_EQ(signBoardScale, 2);
    shellDisplayScaleChanged(96, ScreenRect{100, 50, 920, 720});
    EXPECT_EQ(signBoardScale, 1);
}
