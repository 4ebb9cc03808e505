#include "render_fixture.h"

// The sky: its colour and the light by weather and hour, stars, the moon in its phase, clouds and
// the rainbow.

namespace {

Rgb skyOf(int weather, float n) {
    const Rgb day[3] = {{0.53f, 0.81f, 0.92f}, {0.35f, 0.38f, 0.42f}, {0.65f, 0.68f, 0.72f}};
    const Rgb night[3] = {{0.02f, 0.02f, 0.08f}, {0.05f, 0.05f, 0.10f}, {0.10f, 0.10f, 0.15f}};
    return weather >= 0 && weather <= 2 ? over(night[weather], n, day[weather])
                                        : over(night[0], n, day[0]);
}

class Sky : public RenderTest {};

}  // namespace

// Whole frames: a pass clears with the sky colour the one before it chose, and sets the light for
// the hour: a flat grey c facing up then shows c (0.2
// + ambient + diffuse (n.l)) plus the 0.2 specular.
TEST_F(Sky, TheSkyFollowsWeatherAndHourOneFrameLateAndTheLightTheHour) {
    buildStars();
    for (float& b : starField.brightness) b = 0;  // no star on the probe
    harnessDrawFrame();
    for (float& h : cloudField.height) h = 5000;  // nor a cloud
    thePlayer.pitch = 89;
    Rgb before = skyOf(0, 0);
    const float ly = vecNormalize(makeVec3(50, 80, 30)).y,
                cases[][2] = {{1, 0}, {2, 0},    {0, 1},     {1, 1},
                              {2, 1}, {1, 0.5f}, {3, 0.25f}, {0, 0}};
    for (const auto& c : cases) {
        theArena.weatherMode = (int)c[0], theArena.nightBlend = c[1], harnessDrawFrame();
        EXPECT_TRUE(shows(grab(), 400, 450, before))
            << "the frame after the change, weather " << c[0] << " night " << c[1];
        harnessDrawFrame();
        EXPECT_TRUE(shows(grab(), 400, 450, before = skyOf((int)c[0], c[1])))
            << "weather " << c[0] << " night " << c[1];
        float grey = 0.6f + 0.4f * c[1];
        Rgb a = over({0.05f, 0.05f, 0.07f}, c[1], {0.3f, 0.3f, 0.3f}),
            d = over({0.15f, 0.15f, 0.25f}, c[1], {0.8f, 0.8f, 0.7f});
        bare(eyeOn(makeVec3(0, 5, 0.01f), makeVec3(0, 0, 0)), 60, before),
            glColor3f(grey, grey, grey), glNormal3f(0, 1, 0);
        glBegin(GL_QUADS), glVertex3f(-0.3f, 0, 0.3f), glVertex3f(0.3f, 0, 0.3f),
            glVertex3f(0.3f, 0, -0.3f), glVertex3f(-0.3f, 0, -0.3f), glEnd();
        auto lit = [&](float a, float d) { return grey * (0.2f + a + d * ly) + 0.2f; };
        EXPECT_TRUE(shows(grab(), 400, 300, {lit(a.r, d.r), lit(a.g, d.g), lit(a.b, d.b)}, 2))
            << "the light at night " << c[1];
    }
    fakePlatform.day = 1, theArena.weatherMode = 0, theArena.nightBlend = 1,
    harnessLookAt(MOON_POSITION), harnessDrawFrame(), harnessDrawFrame();  // a full moon
    EXPECT_GT(px(grab(), 408, 308)[0], 100)
        << "the moon shines in the middle of a whole night frame, beside the crosshair";
    const Frame night = (std::fill(starField.brightness, starField.brightness + STAR_COUNT, 1.0f),
                         harnessDrawFrame(), grab()),
                sky = (std::fill(starField.brightness, starField.brightness + STAR_COUNT, 0.0f),
                       harnessDrawFrame(), grab());
    const int stars = differing(night, sky, 60, 150, 450, 400, 590);
    theArena.nightBlend = 0, theArena.weatherMode = WEATHER_RAIN, spawnRain(), harnessDrawFrame();
    const Frame rain = (harnessDrawFrame(), grab());
    EXPECT_TRUE(stars > 10 &&
                (rainDropCount = 0, harnessDrawFrame(), differing(rain, grab()) > 1000))
        << stars << " stars, and the rain in a whole frame";
}
