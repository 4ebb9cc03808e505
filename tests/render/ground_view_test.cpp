#include "render_fixture.h"

// The ground as a player sees it: lit by the hour like the rest of the park, snow growing out of
// the grass's own look, ground all the way to the horizon past the park, the stream one band of
// water from bank to bank.

namespace {

const Rgb MAGENTA = {1, 0, 1};

struct GroundView : RenderTest {
    // The ground step alone under the light of the hour, the rest of the view magenta.
    Frame ground(const PlayerState& eye, float night, float cover) {
        bare(eye, 60, MAGENTA);
        setSceneLight(night);
        drawTerrain(cover);
        return grab();
    }
    // A whole scene pass from where the player stands, cleared to magenta so any gap shows.
    Frame scene(float fov) {
        if (fov < 60)
            applyBinocularProjection(800, 600, 60 / fov);
        else
            applyNormalProjection(800, 600);
        glClearColor(1, 0, 1, 1);
        renderScene(&thePlayer, &theArena, 0, 0);
        return grab();
    }
};

// The largest of a measure over pixels, and where it was taken.
struct Worst {
    double value = -1e9;
    int x = 0, y = 0;
    void see(double v, int px, int py) {
        if (v <= value) return;
        value = v;
        x = px;
        y = py;
    }
};

}  // namespace

// Light at a flat spot, from the light table plus GL's scene ambient 0.2 and the surfaces'
// specular 0.2 (c = the cosine toward the light): red and green 0.7 + 0.8 c by day (clamped at 1)
// against 0.45 + 0.15 c at night, blue 0.7 + 0.7 c against 0.47 + 0.25 c. Night over day is at most
// 0.72 for any c, so lit grass keeps under three quarters of its daylight. Snow only ever blends
// toward white, so at night the bare grass can be no brighter than the snow look. The share of snow
// is patch value x cover, so a pixel's colour is linear in the cover: a cover of 0.01 moves no
// channel by more than 1 % of 255, and half the cover lies halfway between none and all.
TEST_F(GroundView, GrassTakesTheNightAndSnowGrowsOutOfItsLook) {
    const PlayerState eye = eyeOn(makeVec3(-20, terrainHeightAt(-20, -95) + 6, -95),
                                  makeVec3(-20, terrainHeightAt(-20, -75), -75));
    const Frame day = ground(eye, 0, 0);
    const Frame night = ground(eye, 1, 0);
    const Frame nightSnow = ground(eye, 1, 1);
    const Frame dayFirstSnow = ground(eye, 0, 0.01f);
    const Frame nightFirstSnow = ground(eye, 1, 0.01f);
    const Frame dayHalfSnow = ground(eye, 0, 0.5f);
    const Frame daySnow = ground(eye, 0, 1);
    Worst darker, snowBrighter, dayJump, nightJump, halfway;
    for (int y = 10; y < 260; y += 25) {
        for (int x = 10; x < 800; x += 45) {
            for (int c = 0; c < 3; ++c) {
                const int lit = px(day, x, y)[c];
                const int dark = px(night, x, y)[c];
                darker.see(dark - (0.75 * lit + 2), x, y);
                snowBrighter.see(dark - px(nightSnow, x, y)[c] - 1, x, y);
                dayJump.see(std::abs(px(dayFirstSnow, x, y)[c] - lit), x, y);
                nightJump.see(std::abs(px(nightFirstSnow, x, y)[c] - dark), x, y);
                halfway.see(std::abs(2 * px(dayHalfSnow, x, y)[c] - lit - px(daySnow, x, y)[c]), x,
                            y);
            }
        }
    }
    EXPECT_LE(darker.value, 0) << "night grass too bright at " << darker.x << ", " << darker.y;
    EXPECT_LE(snowBrighter.value, 0)
        << "bare above snow at " << snowBrighter.x << ", " << snowBrighter.y;
    EXPECT_LE(dayJump.value, 3) << "first snow by day at " << dayJump.x << ", " << dayJump.y;
    EXPECT_LE(nightJump.value, 3) << "first snow at night at " << nightJump.x << ", "
                                  << nightJump.y;
    EXPECT_LE(halfway.value, 3) << "half cover off the middle at " << halfway.x << ", "
                                << halfway.y;
    // Where the snow settles most, a full cover shows white.
    int white = 0;
    for (float x = -40; x <= 0; x += 0.5f) {
        for (float z = -88; z <= -60; z += 0.5f) {
            float least = 1;
            for (float d : {-2.5f, 0.0f, 2.5f})
                least = std::min({least, snowPatchAt(x + d, z), snowPatchAt(x, z + d)});
            int sx = 0;
            int sy = 0;
            project(makeVec3(x, terrainHeightAt(x, z), z), &sx, &sy);
            if (least < 0.999f || sx < 0 || sx >= 800 || sy < 0 || sy >= 600) continue;
            ++white;
            const unsigned char* p = px(daySnow, sx, sy);
            EXPECT_GT(std::min({p[0], p[1], p[2]}), 200) << x << ", " << z;
        }
    }
    EXPECT_GT(white, 0);
}

// From the park's edges and corners, facing out at several headings and pitches, normal and through
// the binoculars: every pixel more than two rows below the horizon shows something, never the clear
// colour. The horizon's row: 300 - 300 tan(pitch) / tan(half the field of view).
TEST_F(GroundView, PastTheParksEdgeTheGroundReachesTheHorizon) {
    const float mouth = streamSampleZ[STREAM_SAMPLES - 1];
    const float spots[][3] = {{126.5f, 0, 0},           {0, -126.5f, -90},
                              {126.5f, 126.5f, 45},     {-126.5f, 126.5f, 135},
                              {-126.5f, -126.5f, -135}, {126.5f, mouth, 0}};
    for (const auto& s : spots) {
        harnessStandAt(s[0], s[1]);
        for (float turn : {-60.0f, -20.0f, 0.0f, 35.0f}) {
            for (float pitch : {-25.0f, 0.0f, 3.0f, 20.0f}) {
                for (float fov : {60.0f, 10.0f}) {
                    theArena.nightBlend = pitch > 0 ? 1.0f : 0.0f;
                    theArena.snowCover = turn < 0 ? 1.0f : 0.0f;
                    thePlayer.yaw = s[2] + turn;
                    thePlayer.pitch = fov < 60 ? pitch / 8 : pitch;
                    const Frame f = scene(fov);
                    const double t = std::tan(thePlayer.pitch * M_PI / 180);
                    const int horizon = (int)(300 - 300 * t / std::tan(fov * M_PI / 360)) - 2;
                    int gaps = 0;
                    for (int y = 0; y < std::min(horizon, 600); ++y)
                        for (int x = 0; x < 800; ++x) gaps += near(px(f, x, y), MAGENTA, 3);
                    EXPECT_EQ(gaps, 0) << s[0] << ", " << s[1] << " heading " << thePlayer.yaw
                                       << " pitch " << thePlayer.pitch << " fov " << fov;
                }
            }
        }
    }
}

// Seen from above, points just inside the water's edges on both banks, all along stretches of the
// stream, show the ground through the water's body (0.18, 0.5, 0.8 at alpha 0.22), in clear
// weather and in snow; points just outside show the ground alone.
TEST_F(GroundView, TheStreamIsOneBandOfWaterFromBankToBank) {
    for (float cover : {0.0f, 1.0f}) {
        for (int middle : {9, 60, 100, 140, 191}) {
            const Vec3 centre = makeVec3(streamSampleX[middle], WATER_LEVEL, streamSampleZ[middle]);
            const PlayerState eye = eyeOn(vecAdd(centre, makeVec3(0.01f, 25, 0)), centre);
            const Frame dry = ground(eye, 0, cover);
            drawStream(1.3f);
            const Frame wet = grab();
            for (int k = middle - 5; k <= middle + 5; ++k) {
                const float dx = streamSampleX[k + 1] - streamSampleX[k - 1];
                const float dz = streamSampleZ[k + 1] - streamSampleZ[k - 1];
                const float length = std::hypot(dx, dz);
                for (float side : {-1.35f, 1.35f, -1.75f, 1.75f}) {
                    int sx = 0;
                    int sy = 0;
                    project(makeVec3(streamSampleX[k] - side * dz / length, WATER_LEVEL,
                                     streamSampleZ[k] + side * dx / length),
                            &sx, &sy);
                    const unsigned char* g = px(dry, sx, sy);
                    const Rgb under = {g[0] / 255.0f, g[1] / 255.0f, g[2] / 255.0f};
                    const float alpha = std::fabs(side) < 1.5f ? 0.22f : 0;
                    EXPECT_TRUE(shows(wet, sx, sy, over({0.18f, 0.5f, 0.8f}, alpha, under), 3))
                        << "cover " << cover << " sample " << k << " side " << side;
                }
            }
        }
    }
}
