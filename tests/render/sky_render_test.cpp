#include "probes.h"

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "combat/arena.h"
#include "render/clouds.h"
#include "render/scene.h"
#include "render/sky.h"
#include "render/weather.h"
#include "resources/resource_ids.h"
#include "support/world_fixture.h"

using namespace probes;

namespace {

const float NORMAL_VIEW = 60.0f;
const float BINOCULAR_VIEW = 10.0f;

int isLit(PixelColour p) { return p.red > 40 || p.green > 40 || p.blue > 40; }

class SkyView : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        theInput.binocularsOn = 0;
        // Nothing of the park in the way, and (after one frame has built them) no clouds.
        testworld::clearPark();
        harnessDrawFrame();
        for (float& h : cloudField.height) h = 5000.0f;
    }
    // The scene pass alone, so the HUD's lens tint and map don't cover the
    // sky; twice, as a pass clears with the colour its predecessor chose.
    void drawTwice() {
        drawScenePass();
        drawScenePass();
    }
    // Whole frames, HUD and all, as the player sees them.
    void drawTwoFrames() {
        harnessDrawFrame();
        harnessDrawFrame();
    }
    void setWeather(int command) {
        shellCommand(command);
        rainDropCount = 0;
        rainSplashCount = 0;
        snowFlakeCount = 0;
    }
};

class Moon : public SkyView {
protected:
    void SetUp() override {
        SkyView::SetUp();
        theArena.nightBlend = 1.0f;
        theArena.nightTarget = 1;
        theInput.binocularsOn = 1;
        harnessLookAt(MOON_POSITION);
    }
    // Both sides of the disc, on a row a little above its centre.
    void look(int year, int month, int day, PixelColour* left, PixelColour* right) {
        fakePlatform.year = year;
        fakePlatform.month = month;
        fakePlatform.day = day;
        drawTwice();
        *left = offscreenPixel(330, 270);
        *right = offscreenPixel(470, 270);
    }
};

// Lit: the moon's face (white, or the grey picture where it is loaded) at full night.
int moonLit(PixelColour p) { return p.red > 70 && p.green > 70 && p.blue > 70; }
// The shadow is the night sky at 0.92 over the moon.
int moonShadowed(PixelColour p) { return p.red < 45 && p.green < 45 && p.blue < 60; }

}  // namespace

TEST_F(SkyView, StarsShineAboveTheHorizonOnClearNightsOnly) {
    PlayerState level = eyeAt(0.0f, 10.0f, 0.0f, 0.0f, 0.0f);
    const Rgb black = {0, 0, 0};
    bareFrame(level, black);
    drawStars(&level, WEATHER_CLEAR, 1.0f);
    // Stars stand at least 0.1 rad up: 52 rows above the horizon on the centre row.
    EXPECT_GT(countPixels(0, 0, 800, 300, isLit), 0);
    EXPECT_EQ(countPixels(0, 250, 800, 600, isLit), 0);
    keepFrame("stars_level");

    PlayerState up = eyeAt(0.0f, 10.0f, 0.0f, 0.0f, 89.0f);
    bareFrame(up, black);
    drawStars(&up, WEATHER_CLEAR, 1.0f);
    int clearNight = countPixels(0, 0, 800, 600, isLit);
    EXPECT_GT(clearNight, 40);
    bareFrame(up, black);
    drawStars(&up, WEATHER_RAIN, 1.0f);
    EXPECT_EQ(countPixels(0, 0, 800, 600, isLit), 0);
    bareFrame(up, black);
    drawStars(&up, WEATHER_SNOW, 1.0f);
    EXPECT_EQ(countPixels(0, 0, 800, 600, isLit), 0);
    // Dusk: from a night blend of 0.3 on.
    bareFrame(up, black);
    drawStars(&up, WEATHER_CLEAR, 0.29f);
    EXPECT_EQ(countPixels(0, 0, 800, 600, isLit), 0);
    bareFrame(up, black);
    drawStars(&up, WEATHER_CLEAR, 0.3f);
    EXPECT_GT(countPixels(0, 0, 800, 600, [](PixelColour p) { return p.red > 10; }), 0);
}

TEST_F(SkyView, StarsTwinkleWithTheSystemTickCount) {
    PlayerState up = eyeAt(0.0f, 10.0f, 0.0f, 0.0f, 89.0f);
    auto brightness = [&](uint32_t ticks) {
        fakePlatform.tickCount = ticks;
        bareFrame(up, Rgb{0, 0, 0});
        drawStars(&up, WEATHER_CLEAR, 1.0f);
        long sum = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) sum += offscreenPixel(x, y).red;
        return sum;
    };
    long now = brightness(0);
    EXPECT_EQ(brightness(0), now);
    EXPECT_NE(brightness(1047), now);  // a quarter twinkle later
}

TEST_F(Moon, AWaxingMoonIsLitOnTheRight) {
    PixelColour left, right;
    look(2026, 12, 7, &left, &right);  // phase 2
    keepFrame("moon_phase2");
    EXPECT_TRUE(moonShadowed(left)) << left.red << " " << left.green << " " << left.blue;
    EXPECT_TRUE(moonLit(right)) << right.red << " " << right.green << " " << right.blue;
}

TEST_F(Moon, TheWaningMoonKeepsItsLitSideRightAndTheDarkMoonHidesIt) {
    PixelColour left, right;
    look(2026, 12, 21, &left, &right);  // phase 6
    EXPECT_TRUE(moonShadowed(left));
    EXPECT_TRUE(moonLit(right));
    look(2026, 12, 12, &left, &right);  // phase 4
    keepFrame("moon_phase4");
    EXPECT_TRUE(moonShadowed(left));
    EXPECT_TRUE(moonShadowed(right));
    look(2026, 12, 1, &left, &right);  // phase 0
    keepFrame("moon_phase0");
    EXPECT_TRUE(moonLit(left));
    EXPECT_TRUE(moonLit(right));
}

TEST_F(Moon, OnlyShowsOnClearNights) {
    // Where the full moon would be lit there is only sky.
    PixelColour left, right;
    setWeather(IDM_WEATHER_RAINY);
    look(2026, 12, 1, &left, &right);
    SkyColour rain = skyColour(WEATHER_RAIN, 1.0f);
    EXPECT_TRUE(near(right, Rgb{rain.red, rain.green, rain.blue}));
    setWeather(IDM_WEATHER_NONE);
    theArena.nightBlend = 0.29f;
    look(2026, 12, 1, &left, &right);
    SkyColour dusk = skyColour(WEATHER_CLEAR, 0.29f);
    EXPECT_TRUE(near(right, Rgb{dusk.red, dusk.green, dusk.blue}));
    theArena.nightBlend = 0.3f;
    look(2026, 12, 1, &left, &right);
    EXPECT_FALSE(near(right, Rgb{dusk.red, dusk.green, dusk.blue}, 20));
}

TEST_F(SkyView, RainbowStandsAtItsYawWithItsBandsInOrder) {
    theInput.binocularsOn = 1;
    const float yaw = 30.0f;
    float psi = yaw * 3.14159f / 180.0f;
    Vec3 eye = thePlayer.position;
    // The top of band i's middle, a little to the left of straight ahead.
    auto bandPoint = [&](int band) {
        float r = 40.0f + 17.5f * (band + 0.5f) / 28.0f;
        float theta = 3.14159f / 2.0f + 0.05f;
        float cx = eye.x + 120.0f * std::cos(psi), cz = eye.z + 120.0f * std::sin(psi);
        return makeVec3(cx - std::sin(psi) * r * std::cos(theta), r * std::sin(theta),
                        cz + std::cos(psi) * r * std::cos(theta));
    };
    harnessLookAt(bandPoint(14));
    thePlayer.yaw += 1.0f;  // the crosshair's red dot sits in the middle of the view
    theRainbow = RainbowState{1, 10.0f, 0.0f, yaw};
    drawTwice();
    SkyColour day = skyColour(WEATHER_CLEAR, 0.0f);
    Rgb sky = {day.red, day.green, day.blue};
    const int bands[3] = {0, 14, 27};
    // Red inside, green in the middle, violet outside (stop 5 three quarters of the way to 6).
    const Rgb colours[3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 0.8f, 0.0f}, {0.2f + 0.3f * 0.7857f, 0.0f, 0.8f}};
    for (int b : bands) EXPECT_TRUE(near(pixelAt(thePlayer, BINOCULAR_VIEW, bandPoint(b)), sky)) << "alpha 0";

    theRainbow.alpha = 1.0f;
    drawTwice();
    keepFrame("rainbow_bands");
    for (int i = 0; i < 3; ++i) {
        // Alpha falls from 0.6 at the inner edge to 0.45 at the outer; this is mid-band.
        float a = 0.6f - 0.15f * (bands[i] + 0.5f) / 28.0f;
        EXPECT_TRUE(near(pixelAt(thePlayer, BINOCULAR_VIEW, bandPoint(bands[i])), over(colours[i], a, sky), 6))
            << "band " << bands[i];
    }
    theRainbow.alpha = 0.5f;
    drawTwice();
    float a0 = 0.5f * (0.6f - 0.15f * 0.5f / 28.0f);
    EXPECT_TRUE(near(pixelAt(thePlayer, BINOCULAR_VIEW, bandPoint(0)), over(colours[0], a0, sky), 6));

    // Turned away, the view shows plain sky: the arc stays where the rain stopped.
    theRainbow.alpha = 1.0f;
    thePlayer.yaw += 180.0f;
    drawTwice();
    EXPECT_TRUE(near(offscreenPixel(340, 300), sky));
    EXPECT_TRUE(near(offscreenPixel(460, 250), sky));
}

TEST_F(SkyView, CloudsTakeTheWeathersColour) {
    // Slot 0 right overhead, standing still; the rest out of sight.
    cloudField.driftBase[0] = 0.0f;
    cloudField.speed[0] = 0.0f;
    cloudField.offsetZ[0] = 0.0f;
    cloudField.height[0] = 70.0f;
    cloudField.size[0] = 20.0f;
    thePlayer.pitch = 89.0f;
    float s = 20.0f * 0.3f;
    Vec3 eye = thePlayer.position;
    // Under puff 0 where no other puff lies above or below.
    Vec3 probe = makeVec3(eye.x, 70.0f - 0.436f * s, eye.z + 0.9f * s);

    struct Case {
        int command;
        float night;
        int weather;
        Rgb cloud;
        float alpha;
    };
    const Case cases[] = {
        {IDM_WEATHER_NONE, 0.0f, WEATHER_CLEAR, {0.95f, 0.95f, 0.97f}, 0.55f * 0.55f},
        {IDM_WEATHER_RAINY, 0.0f, WEATHER_RAIN, {0.3f, 0.3f, 0.35f}, 0.8f * 0.55f},
        {IDM_WEATHER_SNOWY, 0.0f, WEATHER_SNOW, {0.5f, 0.5f, 0.55f}, 0.7f * 0.55f},
        {IDM_WEATHER_NONE, 1.0f, WEATHER_CLEAR, {0.75f, 0.75f, 0.82f}, 0.55f * 0.55f},
        {IDM_WEATHER_RAINY, 1.0f, WEATHER_RAIN, {0.1f, 0.1f, 0.2f}, 0.8f * 0.55f},
    };
    for (const Case& c : cases) {
        setWeather(c.command);
        theArena.nightBlend = c.night;
        drawTwoFrames();
        SkyColour sky = skyColour(c.weather, c.night);
        // The HUD leaves face culling off, so a puff's far side shows through its near side.
        Rgb farSide = over(c.cloud, c.alpha, Rgb{sky.red, sky.green, sky.blue});
        EXPECT_TRUE(near(pixelAt(thePlayer, NORMAL_VIEW, probe), over(c.cloud, c.alpha, farSide)))
            << "weather " << c.weather << " night " << c.night;
    }
    keepFrame("cloud_rain_night");
}

TEST_F(SkyView, CloudsTheWeatherDoesNotShowKeepDrifting) {
    // Slot 10 has drifted far past the band during a clear spell.
    cloudField.driftBase[10] = 400.0f;
    drawTwice();
    EXPECT_EQ(cloudField.driftBase[10], 400.0f);
    // Rain shows it: it steps back by one band per frame.
    setWeather(IDM_WEATHER_RAINY);
    harnessDrawFrame();
    EXPECT_EQ(cloudField.driftBase[10], 140.0f);
    harnessDrawFrame();
    EXPECT_EQ(cloudField.driftBase[10], -120.0f);
}
