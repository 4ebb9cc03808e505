#include "world/park.h"
#include "probes.h"

#include "app/input.h"
#include "combat/arena.h"
#include "render/bushes.h"
#include "render/scene.h"
#include "support/world_fixture.h"
#include "world/fish.h"
#include "world/sign.h"
#include "world/terrain.h"
#include "world/water_draw.h"

using namespace probes;

namespace {

const float VIEW = 60.0f;
const Rgb BED = {0.45f, 0.35f, 0.2f};
const Rgb WATER = {0.18f, 0.5f, 0.8f};
const Rgb SURFACE = {0.3f, 0.6f, 0.9f};

class StreamView : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        theInput.binocularsOn = 0;
        // Every fish resting far downstream.
        for (int i = 0; i < FISH_COUNT; ++i) {
            fishSchool.along[i] = 0.95f;
            fishSchool.moving[i] = 0;
            fishSchool.idleTimer[i] = 100.0f;
        }
        k = straightestSample();
        x = streamSampleX[k];
        z = streamSampleZ[k];
        float dx = streamSampleX[k + 1] - x, dz = streamSampleZ[k + 1] - z;
        float length = std::sqrt(dx * dx + dz * dz);
        px = -dz / length;
        pz = dx / length;
        // High enough that 2.2 units either side of the centre line stay in view,
        // turned along the current so "across" runs left to right on the screen.
        eye = eyeAt(x, 3.5f, z, std::atan2(dz, dx) * 180.0f / PI_F, -89.0f);
    }
    // Looking straight down at a flat bed with the stream drawn over it.
    void drawOverBed() {
        bareFrame(eye, Rgb{0, 0, 0});
        glDisable(GL_LIGHTING);
        glColor3f(BED.red, BED.green, BED.blue);
        glBegin(GL_QUADS);
        glVertex3f(x - 10, -0.5f, z - 10);
        glVertex3f(x - 10, -0.5f, z + 10);
        glVertex3f(x + 10, -0.5f, z + 10);
        glVertex3f(x + 10, -0.5f, z - 10);
        glEnd();
        glEnable(GL_LIGHTING);
        drawStream(1.0f);
    }
    Vec3 across(float offset, float y) { return makeVec3(x + offset * px, y, z + offset * pz); }
    // Where the stream runs straightest, so no bend's water reaches the probes beside it.
    static int straightestSample() {
        int best = 100;
        float bestTurn = 1e9f;
        for (int c = 30; c <= 170; ++c) {
            float turn = 0.0f;
            for (int j = c - 10; j < c + 10; ++j) {
                float a0 = std::atan2(streamSampleZ[j + 1] - streamSampleZ[j], streamSampleX[j + 1] - streamSampleX[j]);
                float a1 = std::atan2(streamSampleZ[j + 2] - streamSampleZ[j + 1], streamSampleX[j + 2] - streamSampleX[j + 1]);
                turn += std::fabs(a1 - a0);
            }
            if (turn < bestTurn) {
                bestTurn = turn;
                best = c;
            }
        }
        return best;
    }
    int k;
    float x, z, px, pz;
    PlayerState eye;
};

class ParkView : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        theInput.binocularsOn = 0;
        // Nothing in front of the sign or the bushes.
        testworld::clearPark();
        testworld::emptyArena(&theArena);
    }
    // A point on the board in the sign's own frame (x across, y up from the ground).
    Vec3 onBoard(float lx, float ly) {
        float a = signYaw * PI_F / 180.0f;
        float lz = 0.01f;
        return makeVec3(signX + lx * std::cos(a) + lz * std::sin(a), terrainHeightAt(signX, signZ) + ly,
                        signZ - lx * std::sin(a) + lz * std::cos(a));
    }
    void standOnSide(float side) {
        float a = signYaw * PI_F / 180.0f;
        harnessStandAt(signX + side * 3.0f * std::sin(a), signZ + side * 3.0f * std::cos(a));
        harnessLookAt(onBoard(0.0f, 2.75f));
        harnessDrawFrame();
        harnessDrawFrame();
    }
};

int isLeafGreen(PixelColour p) { return p.green > p.red + 25 && p.green > p.blue + 25; }
int isBerryRed(PixelColour p) { return p.red > p.green + 60 && p.red > p.blue + 60; }

}  // namespace

TEST_F(StreamView, WaterIsATranslucentBlueBandOverTheBed) {
    drawOverBed();
    keepFrame("stream_over_bed");
    Rgb body = over(WATER, 0.22f, BED);
    // Beyond the 3-unit strip the bed shows untouched.
    EXPECT_TRUE(near(pixelAt(eye, VIEW, across(2.2f, -0.5f)), BED));
    EXPECT_TRUE(near(pixelAt(eye, VIEW, across(-2.2f, -0.5f)), BED));
    // The outer part has only the blue body; between the ripple lines the pale surface lies on it.
    EXPECT_TRUE(near(pixelAt(eye, VIEW, across(1.3f, WATER_LEVEL)), body));
    EXPECT_TRUE(near(pixelAt(eye, VIEW, across(0.45f, WATER_LEVEL)), over(SURFACE, 0.15f, body)));
    EXPECT_TRUE(near(pixelAt(eye, VIEW, across(-0.75f, WATER_LEVEL)), over(SURFACE, 0.15f, body)));
}

TEST_F(StreamView, RippleLinesShimmerAlongTheCurrent) {
    // The line at side offset 0.3 crosses the view; look along the row it runs in.
    drawOverBed();
    Rgb surface = over(SURFACE, 0.15f, over(WATER, 0.22f, BED));
    int lineX, lineY;
    screenPoint(eye, VIEW, across(0.3f, WATER_LEVEL + 0.03f), &lineX, &lineY);
    auto brighterThanSurface = [&](PixelColour p) { return p.blue > toByte(surface.blue) + 3; };
    int found = countPixels(lineX - 6, lineY - 6, lineX + 7, lineY + 7, brighterThanSurface);
    EXPECT_GT(found, 0);
}

TEST_F(StreamView, FishSwimUnderTheSurfaceInTheirOwnColour) {
    fishSchool.along[0] = k / 200.0f;  // right under the eye
    fishSchool.phase[0] = 0.0f;  // no drift on this step
    drawOverBed();
    keepFrame("fish_from_above");
    Rgb fish = {fishSchool.red[0], fishSchool.green[0], fishSchool.blue[0]};
    Rgb water = over(SURFACE, 0.15f, over(WATER, 0.22f, BED));
    // Seen through both halves of its body, each at alpha 0.85.
    Rgb expected = over(fish, 1.0f - 0.15f * 0.15f, water);
    EXPECT_TRUE(near(pixelAt(eye, VIEW, across(0.08f, WATER_LEVEL - 0.1f)), expected, 6));
}

TEST_F(ParkView, SignBoardShowsItsWoodFromBothSides) {
    ASSERT_NE(signTexture, 0u);
    standOnSide(1.0f);
    keepFrame("sign_front");
    PlayerState front = thePlayer;
    EXPECT_TRUE(colourNear(pixelAt(front, VIEW, onBoard(-0.55f, 2.4f)), 120, 75, 30, 4));
    EXPECT_TRUE(colourNear(pixelAt(front, VIEW, onBoard(0.6f, 3.15f)), 120, 75, 30, 4));
    standOnSide(-1.0f);
    PlayerState back = thePlayer;
    EXPECT_TRUE(colourNear(pixelAt(back, VIEW, onBoard(-0.55f, 2.4f)), 120, 75, 30, 4));
    // Above the board there is sky.
    SkyColour sky = skyColour(WEATHER_CLEAR, 0.0f);
    EXPECT_TRUE(near(pixelAt(back, VIEW, onBoard(0.0f, 3.7f)), Rgb{sky.red, sky.green, sky.blue}));
}

TEST_F(ParkView, BushesAreLeafyAndOnlyBerryBushesShowRed) {
    harnessDrawFrame();
    ASSERT_TRUE(parkBuilt.bushes);
    const StreamBush* withBerries = nullptr;
    const StreamBush* without = nullptr;
    for (const StreamBush& b : streamBushes) {
        if (b.hasBerries && !withBerries) withBerries = &b;
        if (!b.hasBerries && !without) without = &b;
    }
    ASSERT_TRUE(withBerries && without);
    auto view = [&](const StreamBush* b, const char* name) {
        float g = terrainHeightAt(b->x, b->z);
        thePlayer = eyeAt(b->x, g + 1.2f, b->z - 1.5f, 90.0f, 0.0f);
        harnessLookAt(makeVec3(b->x, g + 0.25f, b->z));
        bareFrame(thePlayer, Rgb{0, 0, 0});
        drawStreamBush(b);
        keepFrame(name);
    };
    view(withBerries, "bush_with_berries");
    EXPECT_GT(countPixels(0, 0, 800, 600, isLeafGreen), 2000);
    EXPECT_GT(countPixels(0, 0, 800, 600, isBerryRed), 20);
    view(without, "bush_without_berries");
    EXPECT_GT(countPixels(0, 0, 800, 600, isLeafGreen), 2000);
    EXPECT_EQ(countPixels(0, 0, 800, 600, isBerryRed), 0);
}
