#include <functional>

#include "render_fixture.h"

// The sky as a player sees it: the light, stars, moon, clouds and rainbow where they land.

namespace {

class Sky : public RenderTest {};

Rgb rgb(SkyColour c) { return {c.red, c.green, c.blue}; }

}  // namespace

// By the hour's light a grey g facing up shows g (0.2 + ambient + diffuse (n.l)) + 0.2 highlight.
TEST_F(Sky, TheSceneLightFollowsTheHour) {
    const float ly = vecNormalize(makeVec3(50, 80, 30)).y;
    for (float night : {0.0f, 0.5f, 1.0f}) {
        const float grey = 0.6f + 0.4f * night;
        const Rgb a = over({0.05f, 0.05f, 0.07f}, night, {0.3f, 0.3f, 0.3f});
        const Rgb d = over({0.15f, 0.15f, 0.25f}, night, {0.8f, 0.8f, 0.7f});
        bare(eyeOn({0, 5, 0.01f}, {0, 0, 0}), 60, {0, 0, 0}, night);
        glColor3f(grey, grey, grey);
        glRotatef(-90, 1, 0, 0);  // a square facing +z turned to face up
        glNormal3f(0, 0, 1);
        glRectf(-0.3f, -0.3f, 0.3f, 0.3f);
        auto lit = [&](float a, float d) { return grey * (0.2f + a + d * ly) + 0.2f; };
        EXPECT_TRUE(shows(grab(), 400, 300, {lit(a.r, d.r), lit(a.g, d.g), lit(a.b, d.b)}, 2))
            << "the light at night " << night;
    }
}

// Each step alone over the day sky, seen from (8, 2, 5). Stars in (1, 1, 0.9) at brightness x
// (0.7 + 0.3 sin(1.5 t + twinkle)) x night: at t = 1.047 s twinkle 0 gives 1, pi / 2 0.7; only in a
// clear sky from 0.3 dark. Rainbow bands 40 to 57.5 out, 120 ahead along the yaw, alpha 0.6 inside
// to 0.45 outside times its own: band 0 red, 14 (0, 0.8, 0), 27 0.786 of (0.2, 0, 0.8) to (0.5, 0,
// 0.8). Straight up through a cloud four puff faces at 0.55 of the weather's alpha: 1 - (1 - 0.55 x
// 0.55)^4 = 0.7633, in rain 1 - (1 - 0.55 x 0.8)^4 = 0.9017; the clear shows six slots.
TEST_F(Sky, StarsRainbowCloudsAndMoonStandAroundTheEyeInTheirColours) {
    const PlayerState p = {{8, 2, 5}, 0, 0};
    const Rgb BG = rgb(skyColour(0, 0)), STAR = {1, 1, 0.9f}, GREEN = {0, 0.8f, 0};
    fakePlatform.tickCount = 1047;
    buildStars();
    for (float& b : starField.brightness) b = 0;
    const float STARS[2][4] = {{1, 0.5f, 1, 0}, {1.05f, 0.45f, 0.5f, 1.5707964f}};  // az, el, b, tw
    for (int i = 0; i < 2; ++i) {
        starField.azimuth[i] = STARS[i][0];
        starField.elevation[i] = STARS[i][1];
        starField.brightness[i] = STARS[i][2];
        starField.twinkle[i] = STARS[i][3];
    }
    drawClouds(&p, 0, 0);  // built on the first frame
    for (float& h : cloudField.height) h = 5000;
    auto stars = [&](int weather, float night) { return [=] { drawStars(&p, weather, night); }; };
    auto rainbow = [&](float alpha, float yaw) { return [=] { drawRainbow(&p, alpha, yaw); }; };
    auto cloud = [&](int slot, int weather, float night) {
        return [=] {
            cloudField.height[slot] = 60;
            cloudField.driftBase[slot] = 0;
            cloudField.offsetZ[slot] = 0;
            cloudField.size[slot] = 10;
            cloudField.speed[slot] = 0;
            drawClouds(&p, weather, night);
            cloudField.height[slot] = 5000;
        };
    };
    // Stars at eye + 150 (cos el cos az, sin el, cos el sin az); at yaw 90 2 degrees round from the
    // bow's foot: 49.06 (-cos 2, sin 2, 0) from (8, 0, 125).
    const Vec3 star0 = {79.12f, 73.91f, 115.77f}, star1 = {75.21f, 67.24f, 122.16f};
    const Vec3 foot = {-41.03f, 1.712f, 125}, up = {8, 60, 5};
    const struct {
        const char* name;
        Vec3 at;
        Rgb colour;
        std::function<void()> draw;
    } ROWS[] = {
        {"bright star", star0, over(STAR, 0.8f, BG), stars(0, 0.8f)},
        {"dim star", star1, over(STAR, 0.28f, BG), stars(0, 0.8f)},
        {"dusk star", star1, over(STAR, 0.105f, BG), stars(0, 0.3f)},
        {"before dusk", star0, BG, stars(0, 0.29f)},
        {"red", Vec3{128, 40.3f, 5}, over({1, 0, 0}, 0.5974f, BG), rainbow(1, 0)},
        {"violet", Vec3{128, 57.2f, 5}, over({0.4357f, 0, 0.8f}, 0.4527f, BG), rainbow(1, 0)},
        {"green by its foot", foot, over(GREEN, 0.2612f, BG), rainbow(0.5f, 90)},
        {"faded", Vec3{128, 49.06f, 5}, BG, rainbow(0, 0)},
        {"clear cloud", up, over({0.95f, 0.95f, 0.97f}, 0.7633f, BG), cloud(0, 0, 0)},
        {"night cloud", up, over({0.75f, 0.75f, 0.82f}, 0.7633f, BG), cloud(3, 0, 1)},
        {"rain cloud", up, over({0.3f, 0.3f, 0.35f}, 0.9017f, BG), cloud(10, 1, 0)},
        {"11th slot in the clear", up, BG, cloud(10, 0, 0)}};
    for (const auto& r : ROWS) {
        bare(eyeOn(p.position, vecAdd(r.at, Vec3{0, 0, 1})), 60, BG);  // never straight up
        glDisable(GL_CULL_FACE);
        r.draw();
        EXPECT_TRUE(showsAt(grab(), r.at, r.colour, 3)) << r.name;
    }
    // A disc of the night sky darkens the moon alone, 7.5 left along the right axis (65, 0, 72) /
    // 97 on 2 December 2026 (phase 1), over it all on the 12th; no moon in rain.
    const Vec3 right = vecScale({65, 0, 72}, 1 / 97.0f);
    const Rgb sky = rgb(skyColour(0, 1));
    for (const auto& [day, weather, lit] :
         {std::tuple{2, 0, "DLL"}, {12, 0, "DDD"}, {1, WEATHER_RAIN, "DDD"}}) {
        fakePlatform.day = day;
        bare(eyeOn(p.position, MOON_POSITION), 10, sky);
        drawMoon(&p, weather, 1);
        const Frame f = grab();
        for (int k = 0; k < 3; ++k) {  // Lit or Dark at -3, 0 and 3 along the right axis
            int x, y;
            project(vecAdd(MOON_POSITION, vecScale(right, 3.0f * (k - 1))), &x, &y);
            EXPECT_EQ(px(f, x, y)[0] > 80 ? 'L' : 'D', lit[k]) << "day " << day << " at " << k;
        }
        const Vec3 beside = vecAdd(MOON_POSITION, vecAdd(vecScale(right, 4), Vec3{0, 4, 0}));
        EXPECT_TRUE(showsAt(f, beside, sky)) << "5.66 out, beside the moon on day " << day;
    }
}
