#include "render_fixture.h"

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "combat/arena.h"
#include "player/player.h"
#include "render/scene.h"
#include "resources/resource_ids.h"

namespace {

class ScenePass : public RenderTest {
protected:
    // Looking straight up shows only sky.
    PixelColour skyPixel() {
        thePlayer.pitch = 89.0f;
        harnessDrawFrame();
        harnessDrawFrame();  // the clear colour of a pass shows on the next one
        return offscreenPixel(400, 150);
    }
};

}  // namespace

TEST_F(ScenePass, SkyFollowsWeatherAndNight) {
    SkyColour day = skyColour(WEATHER_CLEAR, 0.0f);
    EXPECT_TRUE(colourNear(skyPixel(), toByte(day.red), toByte(day.green), toByte(day.blue), 3));
    keepFrame("sky_clear_day");
    shellCommand(IDM_WEATHER_RAINY);
    SkyColour rain = skyColour(WEATHER_RAIN, 0.0f);
    EXPECT_TRUE(colourNear(skyPixel(), toByte(rain.red), toByte(rain.green), toByte(rain.blue), 3));
    theArena.nightBlend = 1.0f;
    SkyColour rainNight = skyColour(WEATHER_RAIN, 1.0f);
    EXPECT_TRUE(colourNear(skyPixel(), toByte(rainNight.red), toByte(rainNight.green), toByte(rainNight.blue), 3));
}

TEST_F(ScenePass, AWeatherChangeShowsOneFrameLater) {
    thePlayer.pitch = 89.0f;
    harnessDrawFrame();
    shellCommand(IDM_WEATHER_SNOWY);
    harnessDrawFrame();
    SkyColour day = skyColour(WEATHER_CLEAR, 0.0f);
    EXPECT_TRUE(colourNear(offscreenPixel(400, 100), toByte(day.red), toByte(day.green), toByte(day.blue), 3));
    harnessDrawFrame();
    SkyColour snow = skyColour(WEATHER_SNOW, 0.0f);
    EXPECT_TRUE(colourNear(offscreenPixel(400, 100), toByte(snow.red), toByte(snow.green), toByte(snow.blue), 3));
}
