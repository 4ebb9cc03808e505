#include "render_fixture.h"

// The ground as a player sees it: its light, its snow, and ground out to the horizon.

namespace {

// The ground step alone under the light of the hour, the rest of the view magenta.
Frame ground(const PlayerState& eye, float night, float cover) {
    bare(eye, 60, {1, 0, 1});
    setSceneLight(night);
    drawTerrain(cover);
    return grab();
}

}  // namespace

// Light at a flat spot (c the cosine toward the light, ambient and specular included): red and
// green 0.7 + 0.8 c by day (clamped at 1) against 0.45 + 0.15 c at night, blue 0.7 + 0.7 c against
// 0.47 + 0.25 c; night over day is at most 0.72 for any c. Snow only blends toward white, so at
// night bare grass is no brighter than the snow look; a cover of 0.01 moves no channel over 1 %.
// Where the snow settles most, a full cover by day (0.93 or more of each channel) is over 200.
TEST_F(RenderTest, GrassTakesTheNightAndSnowGrowsOutOfItsLook) {
    const Vec3 from = {-20, terrainHeightAt(-20, -95) + 6, -95},
               to = {-20, terrainHeightAt(-20, -75), -75};
    const Frame day = ground(eyeOn(from, to), 0, 0);
    const Frame night = ground(eyeOn(from, to), 1, 0);
    const Frame nightSnow = ground(eyeOn(from, to), 1, 1);
    const Frame dayFirstSnow = ground(eyeOn(from, to), 0, 0.01f);
    const Frame nightFirstSnow = ground(eyeOn(from, to), 1, 0.01f);
    double darker = -1e9, snowBrighter = -1e9, dayJump = 0, nightJump = 0;
    for (int p = 0; p < 800 * 260; p += 37) {  // the 260 lowest rows, red, green and blue
        for (int i = 4 * p; i < 4 * p + 3; ++i) {
            const int lit = day[i], dark = night[i];
            darker = std::max(darker, dark - (0.75 * lit + 2));
            snowBrighter = std::max(snowBrighter, dark - nightSnow[i] - 1.0);
            dayJump = std::max(dayJump, std::abs(dayFirstSnow[i] - lit) + 0.0);
            nightJump = std::max(nightJump, std::abs(nightFirstSnow[i] - dark) + 0.0);
        }
    }
    EXPECT_LE(darker, 0) << "night grass over three quarters of its daylight";
    EXPECT_LE(snowBrighter, 0) << "night grass brighter than the snow look";
    EXPECT_LE(dayJump, 3) << "first snow by day";
    EXPECT_LE(nightJump, 3) << "first snow at night";
    const Frame snow = ground(eyeOn(from, to), 0, 1);
    int white = 0;
    for (float x = -40; x <= 0; x += 0.5f) {
        for (float z = -88; z <= -60; z += 0.5f) {
            float least = 1;
            for (float d : {-2.5f, 0.0f, 2.5f})
                least = std::min({least, snowPatchAt(x + d, z), snowPatchAt(x, z + d)});
            int i, j;  // the pixel the point lands on
            project({x, terrainHeightAt(x, z), z}, &i, &j);
            if (least < 0.999f || i < 0 || i >= 800 || j < 0 || j >= 600) continue;
            const unsigned char* p = px(snow, i, j);
            ++white;
            EXPECT_GT(std::min({p[0], p[1], p[2]}), 200) << x << ", " << z;
        }
    }
    EXPECT_GT(white, 0);
}

// From the park's edges and corners facing out, turned, pitched and zoomed: every pixel over two
// rows below the horizon, 300 - 300 tan(pitch) / tan(fov / 2), shows.
TEST_F(RenderTest, PastTheParksEdgeTheGroundReachesTheHorizon) {
    const float e = TERRAIN_HALF_SIZE;
    const float spots[][3] = {{e, 0, 0},    {0, -e, -90},   {e, e, 45},
                              {-e, e, 135}, {-e, -e, -135}, {e, streamSampleZ[200], 0}};
    const float TURNS[] = {-60, -20, 0, 35}, PITCHES[] = {-25, 0, 3, 20}, FOVS[] = {60, 10};
    for (const auto& s : spots) {
        harnessStandAt(s[0], s[1]);
        for (int i = 0; i < 32; ++i) {  // four turns by four pitches, at two fields of view
            const float turn = TURNS[i % 4], pitch = PITCHES[i / 4 % 4], fov = FOVS[i / 16];
            theArena.nightBlend = pitch > 0 ? 1.0f : 0.0f;
            theArena.snowCover = turn < 0 ? 1.0f : 0.0f;
            thePlayer.yaw = s[2] + turn;
            thePlayer.pitch = fov < 60 ? pitch / 8 : pitch;
            applyBinocularProjection(800, 600, 60 / fov);
            glClearColor(1, 0, 1, 1);
            renderScene(&thePlayer, &theArena, 0, 0);
            const Frame f = grab();
            const double t = std::tan(thePlayer.pitch * M_PI / 180);
            const int horizon = (int)(300 - 300 * t / std::tan(fov * M_PI / 360)) - 2;
            int gaps = 0;
            for (int y = 0; y < std::min(horizon, 600); ++y)
                for (int x = 0; x < 800; ++x) gaps += near(px(f, x, y), {1, 0, 1});
            EXPECT_EQ(gaps, 0) << s[0] << ", " << s[1] << " yaw " << thePlayer.yaw << " case " << i;
        }
    }
}
