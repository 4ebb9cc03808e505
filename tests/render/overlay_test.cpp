#include "app/frame_tick.h"
#include "app/input.h"
#include "render/scene.h"
#include "render_fixture.h"
#include "view_helpers.h"

namespace {

class Overlays : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        startLookingAtGrass();
    }
    void TearDown() override {
        theInput.binocularsOn = 0;
        RenderTest::TearDown();
    }
    // Plain grass fills the view: nothing moves between frames.
    void startLookingAtGrass() {
        testview::emptyPark();
        standAt(40.0f, 70.0f);
        thePlayer.yaw = 0.0f;
        thePlayer.pitch = -60.0f;
    }
    // The frame without the HUD, for comparison.
    void drawSceneOnly() {
        if (theInput.binocularsOn) applyBinocularProjection(offscreenWidth(), offscreenHeight(), BINOCULAR_ZOOM);
        renderScene(&thePlayer, &theArena, 0.0f, 0.0f);
        applyNormalProjection(offscreenWidth(), offscreenHeight());
    }
};

// A pixel counted from the bottom left, as the overlay's y runs.
PixelColour pixelUp(int x, int y) { return offscreenPixel(x, offscreenHeight() - 1 - y); }

bool isCrosshairRed(PixelColour p) { return p.red > 240 && p.green > 35 && p.green < 70 && p.blue > 35 && p.blue < 70; }

// Arms 8 overlay units long with an 8-unit gap, 2 pixels wide at any size,
// and a 4-pixel red dot in the middle.
void expectCrosshair(int s) {
    const int cx = 400 * s, cy = 300 * s;  // pixel corner at the overlay centre
    for (int along = 4 * s; along < 12 * s; ++along) {
        for (int across : {-1, 0}) {
            EXPECT_TRUE(testview::isWhite(pixelUp(cx - 1 - along, cy + across))) << "left " << along;
            EXPECT_TRUE(testview::isWhite(pixelUp(cx + along, cy + across))) << "right " << along;
            EXPECT_TRUE(testview::isWhite(pixelUp(cx + across, cy - 1 - along))) << "below " << along;
            EXPECT_TRUE(testview::isWhite(pixelUp(cx + across, cy + along))) << "above " << along;
        }
    }
    for (int along : {4 * s + 1, 12 * s - 2}) {
        // Exactly two pixels wide.
        EXPECT_FALSE(testview::isWhite(pixelUp(cx - 1 - along, cy + 1)));
        EXPECT_FALSE(testview::isWhite(pixelUp(cx - 1 - along, cy - 2)));
        EXPECT_FALSE(testview::isWhite(pixelUp(cx + 1, cy + along)));
        EXPECT_FALSE(testview::isWhite(pixelUp(cx - 2, cy + along)));
    }
    // Nothing past the arms' ends, and the gap beside the dot stays clear.
    EXPECT_FALSE(testview::isWhite(pixelUp(cx - 12 * s - 2, cy)));
    EXPECT_FALSE(testview::isWhite(pixelUp(cx + 12 * s + 1, cy)));
    EXPECT_FALSE(testview::isWhite(pixelUp(cx + 2, cy)) || isCrosshairRed(pixelUp(cx + 2, cy)));
    EXPECT_FALSE(testview::isWhite(pixelUp(cx - 3, cy)) || isCrosshairRed(pixelUp(cx - 3, cy)));
    for (int dy = -2; dy <= 1; ++dy)
        for (int dx = -2; dx <= 1; ++dx)
            EXPECT_TRUE(isCrosshairRed(pixelUp(cx + dx, cy + dy))) << dx << "," << dy;
    EXPECT_FALSE(isCrosshairRed(pixelUp(cx + 2, cy + 2)));
}

}  // namespace

TEST_F(Overlays, CrosshairArmsGrowWithTheWindowWhileWidthAndDotStay) {
    harnessDrawFrame();
    keepFrame("crosshair_800");
    expectCrosshair(1);

    ASSERT_TRUE(harnessStart(seed(), 1600, 1200));
    startLookingAtGrass();
    harnessDrawFrame();
    keepFrame("crosshair_1600");
    expectCrosshair(2);
}

TEST_F(Overlays, MapSitsInTheBottomRightCornerWithAWhiteFrame) {
    drawSceneOnly();
    PixelColour insideBefore = pixelUp(700, 100);
    PixelColour outsideBefore = pixelUp(600, 100);
    harnessDrawFrame();
    keepFrame("hud_map");
    auto white = [](PixelColour p) { return testview::isWhite(p); };
    EXPECT_TRUE(testview::anyPixelNear(650, 599 - 80, 1, white));   // left side
    EXPECT_TRUE(testview::anyPixelNear(790, 599 - 80, 1, white));   // right side
    EXPECT_TRUE(testview::anyPixelNear(720, 599 - 10, 1, white));   // bottom
    EXPECT_TRUE(testview::anyPixelNear(720, 599 - 150, 1, white));  // top
    EXPECT_FALSE(testview::anyPixelNear(640, 599 - 80, 2, white));
    EXPECT_FALSE(testview::anyPixelNear(720, 599 - 160, 2, white));
    // The backing, black at half alpha then the day map green (0.2, 0.5, 0.2) at 0.3,
    // darkens the ground under the map and nowhere else.
    EXPECT_TRUE(colourNear(pixelUp(700, 100), (int)(0.35f * insideBefore.red) + 15,
                           (int)(0.35f * insideBefore.green) + 38, (int)(0.35f * insideBefore.blue) + 15, 3));
    EXPECT_TRUE(colourNear(pixelUp(600, 100), outsideBefore.red, outsideBefore.green, outsideBefore.blue, 2));
}

TEST_F(Overlays, PlayerArrowStaysInsideTheMapAtTheParkCorners) {
    auto arrowBlue = [](PixelColour p) { return p.red > 60 && p.red < 95 && p.green > 110 && p.green < 145 && p.blue > 240; };
    thePlayer.position.x = 126.5f;
    thePlayer.position.z = 126.5f;
    thePlayer.yaw = 0.0f;  // pointing right on the map
    harnessDrawFrame();
    keepFrame("hud_arrow_corner");
    EXPECT_TRUE(testview::anyPixelNear(785, 599 - 143, 1, arrowBlue));
    EXPECT_FALSE(testview::anyPixelNear(793, 599 - 153, 2, arrowBlue));

    thePlayer.position.x = -126.5f;
    thePlayer.position.z = -126.5f;
    thePlayer.yaw = 90.0f;  // world +z: up on the map
    harnessDrawFrame();
    EXPECT_TRUE(testview::anyPixelNear(657, 599 - 20, 1, arrowBlue));
    EXPECT_FALSE(testview::anyPixelNear(657, 599 - 12, 1, arrowBlue));
}

TEST_F(Overlays, MapMarksLivingEnemiesAndAnimalsOnly) {
    auto red = [](PixelColour p) { return p.red > 240 && p.green < 70 && p.blue < 70; };
    auto green = [](PixelColour p) { return p.red < 70 && p.green > 240 && p.blue < 70; };
    EnemyRecord* e = testworld::addEnemy(&theArena, 20.0f, -30.0f, testworld::RED_SHIRT);
    AnimalRecord& deer = animals[30];
    deer.kind = ANIMAL_DEER;
    deer.alive = 1;
    deer.x = -40.0f;
    deer.z = 40.0f;
    // (20, -30) maps to (731, 63) and (-40, 40) to (698, 102) in overlay units.
    harnessDrawFrame();
    EXPECT_TRUE(testview::anyPixelNear(731, 599 - 63, 1, red));
    EXPECT_TRUE(testview::anyPixelNear(698, 599 - 102, 1, green));

    e->alive = 0;
    e->corpseTimer = 8.0f;
    deer.alive = 0;
    deer.corpseTimer = 8.0f;
    harnessDrawFrame();
    EXPECT_FALSE(testview::anyPixelNear(731, 599 - 63, 3, red));
    EXPECT_FALSE(testview::anyPixelNear(698, 599 - 102, 3, green));
}

TEST_F(Overlays, ScopeFrameDarkensEverythingOutsideTheLens) {
    theInput.binocularsOn = 1;
    drawSceneOnly();
    testview::Region before = testview::grabRegion(0, 0, 640, 600);
    harnessDrawFrame();
    keepFrame("scope");

    // Inside the lens only a faint green wash: (330, 230) lies 99 units from the centre.
    PixelColour lens = pixelUp(330, 230);
    PixelColour lensBefore = before.at(330, 599 - 230);
    EXPECT_TRUE(colourNear(lens, lensBefore.red, lensBefore.green, lensBefore.blue, 10));
    // 250 units out: the sixth ring, alpha 0.27.
    int ring = testview::brightness(pixelUp(150, 300));
    int ringBefore = testview::brightness(before.at(150, 599 - 300));
    EXPECT_LT(ring, ringBefore * 85 / 100);
    EXPECT_GT(ring, ringBefore * 60 / 100);
    // The corners, 500 units out, are nearly black.
    EXPECT_LT(testview::brightness(pixelUp(2, 597)), testview::brightness(before.at(2, 2)) * 15 / 100 + 6);
    EXPECT_LT(testview::brightness(pixelUp(2, 2)), 60);
}

TEST_F(Overlays, MuzzleFlashTintsTheWholeFrameAndBurstsAtTheCentre) {
    harnessDrawFrame();
    PixelColour corner = pixelUp(50, 550);
    PixelColour nearCentre = pixelUp(420, 300);

    theArena.muzzleFlash = 1.0f;
    harnessDrawFrame();
    keepFrame("muzzle_flash");
    // Additive (1, 0.8, 0.2) at a quarter: +64, +51, +13.
    EXPECT_TRUE(colourNear(pixelUp(50, 550), corner.red + 64, corner.green + 51, corner.blue + 13, 3));
    PixelColour burst = pixelUp(420, 300);
    EXPECT_GT(burst.red, 240);
    EXPECT_GT(burst.green, 240);
    EXPECT_GT(burst.blue, nearCentre.blue + 100);

    // Half a flash: half the tint and a burst of 15 units, so 20 units out is only tinted.
    theArena.muzzleFlash = 0.5f;
    harnessDrawFrame();
    EXPECT_TRUE(colourNear(pixelUp(50, 550), corner.red + 32, corner.green + 25, corner.blue + 6, 3));
    EXPECT_TRUE(colourNear(pixelUp(420, 300), nearCentre.red + 32, nearCentre.green + 25, nearCentre.blue + 6, 3));

    theArena.muzzleFlash = 0.0f;
    harnessDrawFrame();
    EXPECT_TRUE(colourNear(pixelUp(50, 550), corner.red, corner.green, corner.blue, 1));
}
