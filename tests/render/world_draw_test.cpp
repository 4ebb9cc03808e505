#include <cmath>

#include "app/frame_tick.h"
#include "combat/corpse.h"
#include "render_fixture.h"
#include "view_helpers.h"
#include "world/terrain_draw.h"

namespace {

class WorldDraw : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        testview::emptyPark();
    }

    // Straight down from eye height; a pixel off the crosshair.
    PixelColour groundBelow(float x, float z) {
        standAt(x, z);
        thePlayer.yaw = 0.0f;
        thePlayer.pitch = -89.0f;
        harnessDrawFrame();
        return offscreenPixel(300, 300);
    }

    // A place away from the stream where the snow patch map is `value` for a few units around.
    bool findPatch(bool saturated, float* px, float* pz) {
        for (float z = -110.0f; z <= 110.0f; z += 2.0f) {
            for (float x = -110.0f; x <= 110.0f; x += 2.0f) {
                if (testview::streamDistance(x, z) < 15.0f) continue;
                bool all = true;
                for (float dz = -3.0f; dz <= 3.0f && all; dz += 1.0f)
                    for (float dx = -3.0f; dx <= 3.0f && all; dx += 1.0f) {
                        float v = snowPatchAt(x + dx, z + dz);
                        all = saturated ? v >= 0.999f : v == 0.0f;
                    }
                if (all) {
                    *px = x;
                    *pz = z;
                    return true;
                }
            }
        }
        return false;
    }
};

bool looksLikeGrassTexture(PixelColour p) {
    // The grass image's channels: red 0.09..0.15, green 0.25..0.69, blue 0.06..0.1.
    return p.red >= 18 && p.red <= 42 && p.green >= 60 && p.green <= 180 && p.blue >= 12 && p.blue <= 30;
}

}  // namespace

TEST_F(WorldDraw, BareGroundShowsTheGrassTextureAndTheSnowLookStartsAtOnePercent) {
    PixelColour bare = groundBelow(40.0f, 70.0f);
    EXPECT_TRUE(looksLikeGrassTexture(bare)) << bare.red << "," << bare.green << "," << bare.blue;
    keepFrame("ground_grass");

    theArena.snowCover = 0.0099f;
    PixelColour almost = groundBelow(40.0f, 70.0f);
    EXPECT_TRUE(looksLikeGrassTexture(almost));

    // The snow look's grass green (0.35, 0.55, 0.15) is far redder than the texture.
    theArena.snowCover = 0.01f;
    PixelColour snowLook = groundBelow(40.0f, 70.0f);
    EXPECT_GT(snowLook.red, 80) << snowLook.red;
    EXPECT_GT(snowLook.green, snowLook.red);
    EXPECT_GT(snowLook.red, snowLook.blue);
}

TEST_F(WorldDraw, FullSnowCoverWhitensThePatchesAndLeavesBareGroundGreen) {
    theArena.weatherMode = WEATHER_CLEAR;  // no falling flakes in the way
    theArena.snowCover = 1.0f;
    float x, z;
    ASSERT_TRUE(findPatch(true, &x, &z));
    PixelColour snow = groundBelow(x, z);
    EXPECT_TRUE(snow.red >= 225 && snow.green >= 225 && snow.blue >= 225)
        << snow.red << "," << snow.green << "," << snow.blue << " at " << x << "," << z;
    keepFrame("ground_snow_patch");

    ASSERT_TRUE(findPatch(false, &x, &z));
    PixelColour bare = groundBelow(x, z);
    EXPECT_GT(bare.green, bare.red + 30);
    EXPECT_GT(bare.green, bare.blue + 60);
}

// The scenes below stand outside the square round the start where the entrance sign may be.
const float SCENE_X = 70.0f;

TEST_F(WorldDraw, NightDarkensLitRocksButNotTheGrass) {
    testworld::flattenGround(0.0f);
    float z = testview::openGroundZ(SCENE_X);
    rocks[0] = RockRecord{SCENE_X, z - 5.0f, 1.2f, 0.8f, 1.0f, 0.5f, 0.5f, 0.5f, 0.0f};
    standAt(SCENE_X, z);
    thePlayer.yaw = -90.0f;
    thePlayer.pitch = -15.0f;

    harnessDrawFrame();
    PixelColour rockByDay = offscreenPixel(450, 300);
    PixelColour grassByDay = offscreenPixel(100, 550);
    keepFrame("rock_day");
    // A grey rock lit by the warm day light.
    EXPECT_TRUE(std::abs(rockByDay.red - rockByDay.blue) < 30 && testview::brightness(rockByDay) > 300)
        << rockByDay.red << "," << rockByDay.green << "," << rockByDay.blue;

    theArena.nightBlend = 1.0f;
    harnessDrawFrame();
    PixelColour rockByNight = offscreenPixel(450, 300);
    PixelColour grassByNight = offscreenPixel(100, 550);
    keepFrame("rock_night");
    EXPECT_LT(testview::brightness(rockByNight), testview::brightness(rockByDay) * 7 / 10);
    // The night light is bluish.
    EXPECT_GE(rockByNight.blue, rockByNight.red);
    EXPECT_TRUE(colourNear(grassByNight, grassByDay.red, grassByDay.green, grassByDay.blue, 2));
}

TEST_F(WorldDraw, ADeadEnemyLiesOnItsSideThenVanishes) {
    testworld::flattenGround(0.0f);
    float z = testview::openGroundZ(SCENE_X);
    standAt(SCENE_X, z);
    thePlayer.yaw = -90.0f;  // looking along -z, +x to the right
    thePlayer.pitch = -20.0f;
    harnessDrawFrame();
    // Below the far edge of the park, so nothing in the sky counts.
    testview::Region empty = testview::grabRegion(150, 122, 500, 320);

    EnemyRecord* e = testworld::addEnemy(&theArena, SCENE_X, z - 6.0f, testworld::BLUE_SHIRT);
    harnessDrawFrame();
    testview::ChangedBox standing = testview::changedSince(empty);
    keepFrame("enemy_standing");
    ASSERT_GT(standing.count, 500);
    EXPECT_GT(standing.height(), standing.width() * 3 / 2);

    e->alive = 0;
    e->fallAngle = 0.0f;
    e->corpseTimer = CORPSE_TIME;
    const Vec3 farAway = makeVec3(-100.0f, 0.0f, -100.0f);
    for (int i = 0; i < 6; ++i) updateArena(&theArena, 0.1f, farAway);
    ASSERT_EQ(e->fallAngle, 90.0f);
    harnessDrawFrame();
    testview::ChangedBox lying = testview::changedSince(empty);
    keepFrame("enemy_lying");
    ASSERT_GT(lying.count, 200);
    EXPECT_GT(lying.width(), lying.height() * 2);
    EXPECT_GT(lying.top, standing.top + standing.height() / 2);
    // Tipped about +z: the head ends up toward -x, the left of the screen.
    EXPECT_LT(lying.left, standing.left - 40);
    EXPECT_LE(lying.right, standing.right + 5);

    for (int i = 0; i < 81; ++i) updateArena(&theArena, 0.1f, farAway);
    ASSERT_LE(e->corpseTimer, 0.0f);
    harnessDrawFrame();
    EXPECT_EQ(testview::changedSince(empty).count, 0);
}
