#include "render_fixture.h"

// The sky as a player sees it: its colour and the light by weather and hour, stars, the moon in
// its phase, clouds and the rainbow, each where it lands on the screen.

namespace {

class Sky : public RenderTest {};

const Rgb NIGHT = {0.02f, 0.02f, 0.08f};
const Vec3 EYE = {0, 2, 0};

Rgb rgb(SkyColour c) { return {c.red, c.green, c.blue}; }

}  // namespace

// A pass clears with the sky colour the one before it chose, and sets the light for the hour: a
// flat grey g facing up then shows g (0.2 + ambient + diffuse (n.l)) plus the 0.2 highlight.
TEST_F(Sky, TheSkyFollowsWeatherAndHourOneFrameLateAndTheLightTheHour) {
    buildStars();
    for (float& b : starField.brightness) b = 0;  // no star on the probe
    harnessDrawFrame();
    for (float& h : cloudField.height) h = 5000;  // nor a cloud
    thePlayer.pitch = 89;
    Rgb before = rgb(skyColour(0, 0));
    const float ly = vecNormalize(makeVec3(50, 80, 30)).y;
    const float CASES[][2] = {{1, 0}, {2, 0},    {0, 1},     {1, 1},
                              {2, 1}, {1, 0.5f}, {3, 0.25f}, {0, 0}};
    for (const auto& c : CASES) {
        theArena.weatherMode = (int)c[0];
        theArena.nightBlend = c[1];
        harnessDrawFrame();
        EXPECT_TRUE(shows(grab(), 400, 450, before)) << "the frame after weather " << c[0];
        harnessDrawFrame();
        before = rgb(skyColour((int)c[0], c[1]));
        EXPECT_TRUE(shows(grab(), 400, 450, before)) << "weather " << c[0] << " night " << c[1];
        const float grey = 0.6f + 0.4f * c[1];
        const Rgb a = over({0.05f, 0.05f, 0.07f}, c[1], {0.3f, 0.3f, 0.3f});
        const Rgb d = over({0.15f, 0.15f, 0.25f}, c[1], {0.8f, 0.8f, 0.7f});
        bare(eyeOn({0, 5, 0.01f}, {0, 0, 0}), 60, before, c[1]);
        glColor3f(grey, grey, grey);
        glNormal3f(0, 1, 0);
        glBegin(GL_QUADS);
        for (float corner : {0, 1, 2, 3})
            glVertex3f(corner == 1 || corner == 2 ? 0.3f : -0.3f, 0, corner < 2 ? 0.3f : -0.3f);
        glEnd();
        auto lit = [&](float a, float d) { return grey * (0.2f + a + d * ly) + 0.2f; };
        EXPECT_TRUE(shows(grab(), 400, 300, {lit(a.r, d.r), lit(a.g, d.g), lit(a.b, d.b)}, 2))
            << "the light at night " << c[1];
    }
}

// Stars 150 away around the eye in (1, 1, 0.9) at brightness x (0.7 + 0.3 sin(1.5 t + twinkle)) x
// night, t the tick count in seconds: 1.047 s (1.5 t = pi / 2) lights a star of twinkle 0 fully
// and one of twinkle pi / 2 at 0.7; only in a clear night sky from 0.3 dark.
TEST_F(Sky, StarsTwinkleAroundTheEyeInAClearNight) {
    fakePlatform.tickCount = 1047;
    buildStars();
    for (float& b : starField.brightness) b = 0;
    const float STARS[2][4] = {{1, 0.5f, 1, 0}, {1.05f, 0.45f, 0.5f, 1.5707964f}};
    for (int i = 0; i < 2; ++i) {
        starField.azimuth[i] = STARS[i][0];
        starField.elevation[i] = STARS[i][1];
        starField.brightness[i] = STARS[i][2];
        starField.twinkle[i] = STARS[i][3];
    }
    const struct {
        int weather;
        float night, alpha[2];
    } CASES[] = {
        {0, 0.8f, {0.8f, 0.28f}}, {0, 0.3f, {0.3f, 0.105f}}, {0, 0.29f, {0, 0}}, {1, 1, {0, 0}}};
    for (const auto& c : CASES) {
        const Vec3 eye = {c.night * 10, 2, 5};  // they follow the eye
        const float a = STARS[0][0], e = STARS[0][1];
        const Vec3 star0 = vecAdd(
            eye,
            vecScale({std::cos(e) * std::cos(a), std::sin(e), std::cos(e) * std::sin(a)}, 150));
        const PlayerState player = {eye, 0, 0};
        bare(eyeOn(eye, star0), 20, NIGHT);
        drawStars(&player, c.weather, c.night);
        const Frame f = grab();
        for (int i = 0; i < 2; ++i) {
            const float az = STARS[i][0], el = STARS[i][1];
            const Vec3 at = vecAdd(eye, vecScale({std::cos(el) * std::cos(az), std::sin(el),
                                                  std::cos(el) * std::sin(az)},
                                                 150));
            EXPECT_TRUE(showsAt(f, at, over({1, 1, 0.9f}, c.alpha[i], NIGHT), 2))
                << "star " << i << " at night " << c.night << " in weather " << c.weather;
        }
    }
}

// The moon 5 across at (80, 90, -60), lit by its picture; for phases 1 to 7 a disc of the sky's
// colour at 0.92 darkens the moon alone, its centre 10 (2 phase / 8 - 1) along the right axis
// (mirrored when waning). Seen from (10, 2, 5), right is (65, 0, 70) / 95.5. December 2026: the 1st
// full, the 2nd phase 1, the 7th phase 2, the 12th dark, the 21st phase 6.
TEST_F(Sky, TheMoonShowsItsPhaseByTheDate) {
    const Vec3 eye = {10, 2, 5}, right = {0.68045f, 0, 0.73279f};
    const struct {
        int day;
        const char* lit;  // at -3, 0 and 3 along the right axis
    } CASES[] = {{1, "LLL"}, {2, "DLL"}, {7, "D?L"}, {12, "DDD"}, {21, "D?L"}};
    const Rgb sky = rgb(skyColour(0, 1));
    for (const auto& c : CASES) {
        fakePlatform.day = c.day;
        const PlayerState player = {eye, 0, 0};
        bare(eyeOn(eye, MOON_POSITION), 10, sky);
        drawMoon(&player, WEATHER_CLEAR, 1);
        const Frame f = grab();
        for (int k = 0; k < 3; ++k) {
            int x, y;
            project(vecAdd(MOON_POSITION, vecScale(right, 3.0f * (k - 1))), &x, &y);
            if (c.lit[k] == 'L') EXPECT_GT(px(f, x, y)[0], 100) << "day " << c.day << " at " << k;
            if (c.lit[k] == 'D') EXPECT_LT(px(f, x, y)[0], 60) << "day " << c.day << " at " << k;
        }
        EXPECT_TRUE(showsAt(f, vecAdd(MOON_POSITION, vecScale(right, -6)), sky)) << c.day;
        const Vec3 beside = vecAdd(MOON_POSITION, vecAdd(vecScale(right, 4), Vec3{0, 4, 0}));
        EXPECT_TRUE(showsAt(f, beside, sky)) << "5.66 out, beside the moon on day " << c.day;
    }
    const PlayerState player = {eye, 0, 0};
    for (int weather : {WEATHER_RAIN, WEATHER_CLEAR}) {
        bare(eyeOn(eye, MOON_POSITION), 10, sky);
        drawMoon(&player, weather, weather == WEATHER_CLEAR ? 0.29f : 1);
        EXPECT_TRUE(showsAt(grab(), MOON_POSITION, sky)) << "no moon in weather " << weather;
    }
}

// The rainbow: 28 bands from 40 to 57.5 out, standing on the horizon 120 ahead along the yaw the
// rain stopped at, red inside through the stops to violet; alpha 0.6 at its inner edge down to
// 0.45 at the outer, times its own. Band 0 is red, band 14 (0, 0.8, 0), band 27 0.786 of the
// way from (0.2, 0, 0.8) to (0.5, 0, 0.8).
TEST_F(Sky, TheRainbowStandsWhereTheRainStopped) {
    const Rgb BG = rgb(skyColour(0, 0));
    const struct {
        float r, angle;  // out and round from its right foot
        Rgb colour;
        float alpha;
    } BANDS[] = {{40.3f, 90, {1, 0, 0}, 0.5974f},
                 {49.06f, 90, {0, 0.8f, 0}, 0.5223f},
                 {57.2f, 90, {0.4357f, 0, 0.8f}, 0.4527f},
                 {49.06f, 2, {0, 0.8f, 0}, 0.5223f}};
    const PlayerState player = {EYE, 0, 0};
    for (float yaw : {0, 90}) {
        const float c = std::cos(yaw * PI_F / 180), s = std::sin(yaw * PI_F / 180);
        for (float alpha : {1.0f, 0.5f, 0.0f}) {
            for (const auto& b : BANDS) {
                const float across = b.r * std::cos(b.angle * PI_F / 180);
                const Vec3 apex = {120 * c - across * s, b.r * std::sin(b.angle * PI_F / 180),
                                   120 * s + across * c};
                bare(eyeOn(EYE, apex), 10, BG);
                drawRainbow(&player, alpha, yaw);
                EXPECT_TRUE(showsAt(grab(), apex, over(b.colour, b.alpha * alpha, BG), 3))
                    << b.r << " out, " << b.angle << " round at yaw " << yaw << ", alpha " << alpha;
            }
        }
    }
}

// Clouds of five puffs 0.3 of their size across, at 0.55 of the weather's alpha, over every
// other step (no depth), both faces of each puff as the pass draws them: looking straight up at
// a cloud's middle the first and fourth puffs lie on the line, four layers in all. A clear sky
// shows six slots, rain 20.
TEST_F(Sky, CloudsBlendInTheWeathersColours) {
    drawClouds(&thePlayer, 0, 0);  // built on the first frame
    for (int i = 0; i < CLOUD_SLOTS; ++i) {
        cloudField.height[i] = 5000;
        cloudField.speed[i] = 0;
    }
    const Rgb BG = rgb(skyColour(0, 0));
    const struct {
        int slot, weather;
        float night;
        Rgb colour;
        float alpha;
    } CASES[] = {{0, 0, 0, {0.95f, 0.95f, 0.97f}, 0.7633f},
                 {3, 0, 1, {0.75f, 0.75f, 0.82f}, 0.7633f},
                 {10, 1, 0, {0.3f, 0.3f, 0.35f}, 0.9017f},
                 {10, 0, 0, BG, 0}};
    for (const auto& c : CASES) {
        cloudField.height[c.slot] = 60;
        cloudField.driftBase[c.slot] = 0;
        cloudField.offsetZ[c.slot] = 0;
        cloudField.size[c.slot] = 10;
        const PlayerState player = {EYE, 0, 0};
        bare(eyeOn(EYE, {0, 60, 1}), 60, BG);
        glDisable(GL_CULL_FACE);
        drawClouds(&player, c.weather, c.night);
        EXPECT_TRUE(showsAt(grab(), {0, 60, 0}, over(c.colour, c.alpha, BG), 3))
            << "slot " << c.slot;
        cloudField.height[c.slot] = 5000;
    }
}

// A whole clear night frame holds the stars and the moon; they go with rain.
TEST_F(Sky, AWholeClearNightFrameHoldsStarsAndMoon) {
    buildStars();
    harnessDrawFrame();
    for (float& s : cloudField.speed) s = 0;  // the clouds stay put from frame to frame
    fakePlatform.day = 1;                     // a full moon
    theArena.nightBlend = 1;
    harnessLookAt(MOON_POSITION);
    thePlayer.yaw += 0.5f;  // the crosshair off its middle
    harnessDrawFrame();     // the sky's colour comes a frame late
    auto frame = [](float stars, int weather) {
        for (float& b : starField.brightness) b = stars;
        theArena.weatherMode = weather;
        harnessDrawFrame();
        return grab();
    };
    const Frame night = frame(1, WEATHER_CLEAR), dark = frame(0, WEATHER_CLEAR);
    EXPECT_GT(differing(night, dark, 60), 10);
    setView(thePlayer, 60);
    int x, y;
    project(MOON_POSITION, &x, &y);
    EXPECT_GT(px(night, x, y)[0], 100);
    const Frame rain = frame(1, WEATHER_RAIN);
    EXPECT_LT(px(rain, x, y)[0], 60);
}
