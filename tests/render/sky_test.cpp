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

void moonDisc(Vec3 c, float rx, float rz, bool textured) {
    glBegin(GL_TRIANGLE_FAN), glTexCoord2f(0.5f, 0.5f), glVertex3f(c.x, c.y, c.z);
    for (float j = 0, a = 0; j <= 48; ++j, a = 2 * 3.14159f * j / 48)
        textured ? glTexCoord2f(0.5f + 0.5f * std::cos(a), 0.5f + 0.5f * std::sin(a)) : void(),
            glVertex3f(c.x + 5 * std::cos(a) * rx, c.y + 5 * std::sin(a),
                       c.z + 5 * std::cos(a) * rz);
    glEnd();
}

// The sky steps as the rules give them, the clouds as they stood before the frame.
void ownSky(const Vec3 e, int weather, float n, int phase, const CloudField& clouds, float rainbow,
            float yaw) {
    glDisable(GL_LIGHTING), glEnable(GL_BLEND), glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA),
        glDisable(GL_CULL_FACE);
    if (n >= 0.3f && weather == 0) {
        float t = (float)(fakePlatform.tickCount * 0.001);
        glDisable(GL_DEPTH_TEST), glPointSize(2), glBegin(GL_POINTS);
        for (int i = 0; i < STAR_COUNT; ++i) {
            float az = starField.azimuth[i], el = starField.elevation[i];
            glColor4f(1, 1, 0.9f,
                      starField.brightness[i] *
                          (0.7f + 0.3f * std::sin(1.5f * t + starField.twinkle[i])) * n);
            glVertex3f(e.x + 150 * std::cos(el) * std::cos(az), e.y + 150 * std::sin(el),
                       e.z + 150 * std::cos(el) * std::sin(az));
        }
        glEnd(), glPointSize(1), glEnable(GL_DEPTH_TEST);
        float dx = 80 - e.x, dz = -60 - e.z, l = std::hypot(dx, dz),
              s = 10 * (2 * phase / 8.0f - 1) * (phase > 4 ? -1 : 1);
        glEnable(GL_STENCIL_TEST), glStencilFunc(GL_ALWAYS, 1, 1),
            glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
        glEnable(GL_TEXTURE_2D), glBindTexture(GL_TEXTURE_2D, moonTexture), glColor4f(1, 1, 1, n);
        moonDisc(MOON_POSITION, -dz / l, dx / l, true), glDisable(GL_TEXTURE_2D);
        Rgb sky = skyOf(weather, n);  // the shadow darkens only the moon
        glStencilFunc(GL_EQUAL, 1, 1), glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP),
            glDisable(GL_DEPTH_TEST), glColor4f(sky.r, sky.g, sky.b, 0.92f);
        if (phase >= 1 && phase <= 7)
            moonDisc(vecAdd(MOON_POSITION, makeVec3(-dz / l * s, 0, dx / l * s)), -dz / l, dx / l,
                     false);
    }
    const float looks[3][5] = {{6, 0.95f, 0.95f, 0.97f, 0.55f},
                               {20, 0.3f, 0.3f, 0.35f, 0.8f},
                               {22, 0.5f, 0.5f, 0.55f, 0.7f}};
    const float* k = looks[weather == 1 || weather == 2 ? weather : 0];
    glDisable(GL_STENCIL_TEST), glDisable(GL_DEPTH_TEST),
        glColor4f(k[1] - 0.2f * n, k[2] - 0.2f * n, k[3] - 0.15f * n, k[4] * 0.55f);
    for (int i = 0; i < (int)k[0]; ++i)
        for (const float* p : CLOUD_PUFF_OFFSETS) {
            float s = clouds.size[i] * 0.3f,
                  x = e.x + cloudClock * clouds.speed[i] + clouds.driftBase[i];
            glPushMatrix(),
                glTranslatef(x + p[0] * s, clouds.height[i] + p[1] * s,
                             e.z + clouds.offsetZ[i] + p[2] * s),
                gluSphere(quadric(), s * p[3], 10, 8), glPopMatrix();
        }
    const float stops[7][3] = {{1, 0, 0},    {1, 0.5f, 0},    {1, 1, 0},      {0, 0.8f, 0},
                               {0, 0.4f, 1}, {0.2f, 0, 0.8f}, {0.5f, 0, 0.8f}};
    float psi = yaw * 3.14159f / 180, mx = e.x + 120 * std::cos(psi),
          mz = e.z + 120 * std::sin(psi);
    for (int i = 0; i < 28 && rainbow > 0; ++i, glEnd()) {
        float f0 = i / 28.0f, s = 6 * f0, w = s - std::min((int)s, 5);
        const float *lo = stops[std::min((int)s, 5)], *hi = lo + 3;
        glBegin(GL_QUAD_STRIP);
        for (float j = 0, th = 0; j <= 48; ++j, th = 3.14159f * j / 48)
            for (float f : {f0, (i + 1) / 28.0f}) {
                float r = 40 + 17.5f * f, a = (0.6f - 0.15f * f) * rainbow;
                glColor4f(lo[0] + (hi[0] - lo[0]) * w, lo[1] + (hi[1] - lo[1]) * w,
                          lo[2] + (hi[2] - lo[2]) * w, a);
                glVertex3f(mx - std::sin(psi) * r * std::cos(th), r * std::sin(th),
                           mz + std::cos(psi) * r * std::cos(th));
            }
    }
    glEnable(GL_DEPTH_TEST), glDisable(GL_BLEND), glEnable(GL_CULL_FACE);
}

class Sky : public RenderTest {};

}  // namespace

TEST_F(Sky, StarsMoonCloudsAndRainbowByWeatherHourAndDate) {
    fakePlatform.tickCount = 123456;
    drawClouds(&thePlayer, 0, 0);  // built on the first frame; then one of them is put overhead
    cloudField.speed[0] = 0, cloudField.driftBase[0] = 15, cloudField.offsetZ[0] = -30,
    cloudField.height[0] = 62;
    const Vec3 up = vecAdd(thePlayer.position, makeVec3(15, 60, -30)),
               bow = vecAdd(thePlayer.position, makeVec3(90.6f, 40, 78.7f)), moon = MOON_POSITION;
    // December 2026: the 1st is full, the 7th phase 2, the 12th dark, the 21st phase 6; `least`
    // pixels must show.
    struct Case {
        int weather;
        float night;
        int day, phase;
        float rainbow;
        Vec3 look;
        float fov;
        int least;
    } cases[] = {{0, 1, 1, 0, 0, up, 70, 3000},     {0, 1, 1, 0, 0, moon, 10, 20000},
                 {0, 1, 7, 2, 0, moon, 10, 20000},  {0, 0.6f, 12, 4, 0, moon, 10, 5000},
                 {0, 1, 21, 6, 0, moon, 10, 20000}, {1, 1, 7, 2, 0, moon, 10, 0},
                 {0, 0.29f, 7, 2, 0, moon, 10, 0},  {0, 0.3f, 7, 2, 0, moon, 10, 20000},
                 {2, 0.3f, 1, 0, 0, up, 70, 5000},  {1, 0, 1, 0, 0, up, 70, 5000},
                 {0, 0, 1, 0, 1, bow, 60, 20000},   {0, 0, 1, 0, 0.5f, bow, 20, 20000},
                 {0, 0.5f, 1, 0, 0, up, 70, 3000}};
    for (const Case& c : cases) {
        const PlayerState eye = eyeOn(thePlayer.position, c.look);
        const CloudField before = cloudField;
        const float yaw = 41;  // where the rain stopped
        auto game = [&] {      // culling is off here in the pass (the HUD leaves it so) and a drawn
                               // rainbow turns it on for the ground; each step sets its
            auto textured = [] {
                glEnable(GL_TEXTURE_2D), glBindTexture(GL_TEXTURE_2D, grassTexture);
            };  // own texturing and lighting
            c.rainbow > 0 ? void() : glDisable(GL_CULL_FACE),
                stateBefore = glState(), fakePlatform.day = c.day, glDisable(GL_CULL_FACE),
                textured(), drawStars(&eye, c.weather, c.night), textured(),
                drawMoon(&eye, c.weather, c.night);
            textured(), drawClouds(&eye, c.weather, c.night), textured(),
                drawRainbow(&eye, c.rainbow, yaw), glEnable(GL_LIGHTING), glDisable(GL_TEXTURE_2D);
        };
        EXPECT_TRUE(alike(
            eye, c.fov, skyOf(c.weather, c.night), game,
            [&] { ownSky(eye.position, c.weather, c.night, c.phase, before, c.rainbow, yaw); },
            c.least, 20))
            << &c - cases;
    }
}

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
