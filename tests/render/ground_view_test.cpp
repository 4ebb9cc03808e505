#include "render_fixture.h"

// The ground as a player sees it: lit by the hour like the rest of the park, snow growing out of
// the grass's own look, ground all the way to the horizon past the park, the stream one band of
// water from bank to bank.

namespace {

const Rgb MAGENTA = {1, 0, 1};

struct GroundView : RenderTest {
    // The ground step alone under the light of the hour, the rest of the view magenta.
    Frame ground(const PlayerState& eye, float night, float cover, float fov = 60) {
        bare(eye, fov, MAGENTA);
        setSceneLight(night);
        drawTerrain(cover);
        return grab();
    }
    // A whole scene pass from where the player stands, cleared to magenta so any gap shows.
    Frame scene(float fov) {
        applyBinocularProjection(800, 600, 60 / fov);
        glClearColor(1, 0, 1, 1);
        renderScene(&thePlayer, &theArena, 0, 0);
        return grab();
    }
};

// The largest of a measure over pixels, and where it was taken.
struct Worst {
    double value = -1e9;
    int x = 0, y = 0;
};
void see(Worst* w, double v, int x, int y) {
    if (v > w->value) *w = Worst{v, x, y};
}

// The pixel a world point lands on, through the matrices GL holds; null off the screen.
const unsigned char* pixelAt(const Frame& f, Vec3 p) {
    int x = 0;
    int y = 0;
    project(p, &x, &y);
    return x < 0 || x >= 800 || y < 0 || y >= 600 ? nullptr : px(f, x, y);
}

// The stream's heading at sample k, degrees.
float streamHeading(int k) {
    const float dx = streamSampleX[k + 1] - streamSampleX[k - 1];
    return (float)(std::atan2(streamSampleZ[k + 1] - streamSampleZ[k - 1], dx) * 180 / M_PI);
}

}  // namespace

// Light at a flat spot, from the light table plus GL's scene ambient 0.2 and the surfaces'
// specular 0.2 (c = the cosine toward the light): red and green 0.7 + 0.8 c by day (clamped at 1)
// against 0.45 + 0.15 c at night, blue 0.7 + 0.7 c against 0.47 + 0.25 c. Night over day is at most
// 0.72 for any c, so lit grass keeps under three quarters of its daylight. Snow only ever blends
// toward white, so at night the bare grass can be no brighter than the snow look. The share of snow
// is patch value x cover, so a cover of 0.01 moves no channel by more than 1 % of 255.
TEST_F(GroundView, GrassTakesTheNightAndSnowGrowsOutOfItsLook) {
    const PlayerState eye = eyeOn(makeVec3(-20, terrainHeightAt(-20, -95) + 6, -95),
                                  makeVec3(-20, terrainHeightAt(-20, -75), -75));
    const Frame day = ground(eye, 0, 0);
    const Frame night = ground(eye, 1, 0);
    const Frame nightSnow = ground(eye, 1, 1);
    const Frame dayFirstSnow = ground(eye, 0, 0.01f);
    const Frame nightFirstSnow = ground(eye, 1, 0.01f);
    const Frame daySnow = ground(eye, 0, 1);
    Worst darker, snowBrighter, dayJump, nightJump;
    for (int y = 10; y < 260; y += 25) {
        for (int x = 10; x < 800; x += 45) {
            for (int c = 0; c < 3; ++c) {
                const int lit = px(day, x, y)[c];
                const int dark = px(night, x, y)[c];
                see(&darker, dark - (0.75 * lit + 2), x, y);
                see(&snowBrighter, dark - px(nightSnow, x, y)[c] - 1, x, y);
                see(&dayJump, std::abs(px(dayFirstSnow, x, y)[c] - lit), x, y);
                see(&nightJump, std::abs(px(nightFirstSnow, x, y)[c] - dark), x, y);
            }
        }
    }
    EXPECT_LE(darker.value, 0) << "night grass bright at " << darker.x << "," << darker.y;
    EXPECT_LE(snowBrighter.value, 0) << "above snow at " << snowBrighter.x << "," << snowBrighter.y;
    EXPECT_LE(dayJump.value, 3) << "first snow by day at " << dayJump.x << "," << dayJump.y;
    EXPECT_LE(nightJump.value, 3) << "first snow at night at " << nightJump.x << "," << nightJump.y;
    // Where the snow settles most, a full cover shows the snow colour (0.93 or more of each
    // channel) under a daylight near 1: every channel above 200.
    int white = 0;
    for (float x = -40; x <= 0; x += 0.5f) {
        for (float z = -88; z <= -60; z += 0.5f) {
            float least = 1;
            for (float d : {-2.5f, 0.0f, 2.5f})
                least = std::min({least, snowPatchAt(x + d, z), snowPatchAt(x, z + d)});
            const unsigned char* p = pixelAt(daySnow, makeVec3(x, terrainHeightAt(x, z), z));
            if (least < 0.999f || !p) continue;
            ++white;
            EXPECT_GT(std::min({p[0], p[1], p[2]}), 200) << x << ", " << z;
        }
    }
    EXPECT_GT(white, 0);
}

// From the park's edges and corners facing out, and from the stream facing its banks, at several
// headings and pitches, normal and through the binoculars: every pixel more than two rows below the
// horizon shows something, never the clear colour. The horizon's row: 300 - 300 tan(pitch) /
// tan(half the field of view).
TEST_F(GroundView, PastTheParksEdgeTheGroundReachesTheHorizon) {
    const float e = TERRAIN_HALF_SIZE;
    const float spots[][3] = {{e, 0, 0},
                              {0, -e, -90},
                              {e, e, 45},
                              {-e, e, 135},
                              {-e, -e, -135},
                              {e, streamSampleZ[200], 0},
                              {streamSampleX[60], streamSampleZ[60], streamHeading(60) + 90},
                              {streamSampleX[140], streamSampleZ[140], streamHeading(140) - 90}};
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
    // Past the far plane the ground keeps its look: level from the corner through 10 degrees (3429
    // pixels' focal length), ground 200 away lies 1.7 * 3429 / 200 = 29 rows under the horizon (row
    // 300); the band above that has the mean colour of the textured ground 50 rows down.
    const Frame far =
        ground(eyeOn(makeVec3(126.5f, 1.7f, 126.5f), makeVec3(400, 1.7f, 400)), 0, 0, 10);
    for (int c = 0; c < 3; ++c) {
        double band = 0;
        double front = 0;
        for (int x = 0; x < 800; ++x) {
            band += px(far, x, 285)[c];
            front += px(far, x, 250)[c];
        }
        EXPECT_NEAR(band / 800, front / 800, 10) << "channel " << c;
    }
    int above = 0;  // and nothing of the ground rises above the horizon over the flat skirt
    for (int y = 302; y < 600; ++y)
        for (int x = 0; x < 800; ++x) above += !near(px(far, x, y), MAGENTA, 3);
    EXPECT_EQ(above, 0);
}

// Seen from above, points just inside the water's edges on both banks, all along stretches of the
// stream, show the ground through the water's body (0.18, 0.5, 0.8 at alpha 0.22), in clear
// weather and in snow; points just outside show the ground alone.
TEST_F(GroundView, TheStreamIsOneBandOfWaterFromBankToBank) {
    for (int middle : {9, 60, 100, 140, 191}) {
        const Vec3 centre = makeVec3(streamSampleX[middle], WATER_LEVEL, streamSampleZ[middle]);
        const PlayerState eye = eyeOn(vecAdd(centre, makeVec3(0.01f, 25, 0)), centre);
        Frame dry[2], wet[2];
        for (int cover = 0; cover < 2; ++cover) {
            dry[cover] = ground(eye, 0, cover);
            drawStream(1.3f);
            wet[cover] = grab();
        }
        for (int k = middle - 5; k <= middle + 5; ++k) {
            const float h = streamHeading(k) * PI_F / 180;
            for (float side : {-1.35f, 1.35f, -1.75f, 1.75f}) {
                const Vec3 p = makeVec3(streamSampleX[k] - side * std::sin(h), WATER_LEVEL,
                                        streamSampleZ[k] + side * std::cos(h));
                for (int cover = 0; cover < 2; ++cover) {
                    const unsigned char* g = pixelAt(dry[cover], p);
                    const Rgb under = {g[0] / 255.0f, g[1] / 255.0f, g[2] / 255.0f};
                    const float alpha = std::fabs(side) < 1.5f ? 0.22f : 0;
                    EXPECT_TRUE(
                        near(pixelAt(wet[cover], p), over({0.18f, 0.5f, 0.8f}, alpha, under)))
                        << "cover " << cover << " sample " << k << " side " << side;
                }
            }
        }
    }
}
