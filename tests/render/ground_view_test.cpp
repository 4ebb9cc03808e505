#include "render_fixture.h"
#include "world/ground_mesh.h"

// The ground and the stream as a player sees them, and the ground mesh that keeps its bed under it.

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

// The water's clock steps 0.016 a pass whatever the frame's time. On a stream along +z (x = 0, z =
// 1.265 k - 126.5 at sample k, but for its ends), at t = 1.68177 line j (f = j / 8) lies 1.2 - 0.3
// j right and 0.03 + 0.03 sin(3t + 0.1 k + 5 f) over the water, at alpha 0.15 + 0.1 sin(2t + 12 f):
// line 7 crests at k = 110 (5.04531 + 11 + 4.375 = 6.5 pi) at 0.246. Water: 0.22 of (0.18, 0.5,
// 0.8) to 1.5 under 0.15 of (0.3, 0.6, 0.9) to 1.05. A fish 0.35 down heads along: body 0.7 by 0.28
// (0.123 across 0.1 ahead), two faces at 0.85; 0.1 grey eyes 0.21 ahead, 0.042 aside; an upright
// fin of 0.8 its colour 0.42 to 0.63 behind, 0.14 (d - 0.42) / 0.21 high at d.
TEST_F(RenderTest, WaterShimmersOnItsOwnClockAndFishShowThroughIt) {
    for (int i = 0; i < 5; ++i) harnessRunFrames(1, 0.1f);
    EXPECT_FLOAT_EQ(sceneClock, 5 * 0.016f);
    EXPECT_FLOAT_EQ(cloudClock, 5 * 0.016f);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = k == 0 || k == STREAM_SAMPLES - 1 ? 1.265f : 0;
        streamSampleZ[k] = -126.5f + 1.265f * k;
    }
    std::fill(fishSchool.along, fishSchool.along + FISH_COUNT, 0.1f);  // far off
    fishSchool.along[0] = 0.5f;  // idle, its tail straight after its step
    fishSchool.phase[0] = -0.04f;
    fishSchool.moving[0] = 0;
    const FishSchool school = fishSchool;
    auto faces = [](Rgb c, Rgb below) { return over(c, 0.85f, over(c, 0.85f, below)); };
    const Rgb BG = {0.1f, 0.2f, 0.9f}, one = over({0.18f, 0.5f, 0.8f}, 0.22f, BG);
    const Rgb two = over({0.3f, 0.6f, 0.9f}, 0.15f, one), line = {0.6f, 0.8f, 1};
    const Rgb f = {school.red[0], school.green[0], school.blue[0]}, fin = over(f, 0.8f, {});
    const Rgb fish = faces(f, two), eye = faces({0.1f, 0.1f, 0.1f}, fish);
    const Vec3 above = {0.01f, 3, 0}, left = {-3, -0.22f, 12.65f}, beside = {2, -0.28f, -0.5f};
    const struct {
        const char* name;
        Vec3 eye, point;
        Rgb colour;
    } PROBES[] = {
        {"one strip", above, {1.3f, -0.25f, 1}, one},
        {"past the water", above, {1.56f, -0.25f, 1}, BG},
        {"line 7's crest", left, {-0.9f, -0.19f, 12.65f}, over(line, 0.246f, BG)},
        {"fish", above, {-0.1f, -0.35f, 0.1f}, fish},
        {"beside the fish", above, {-0.16f, -0.35f, 0.1f}, two},
        {"its eye", above, {0.042f, -0.32f, 0.21f}, eye},
        {"its tail", beside, {0, -0.33f, -0.5f}, over(fin, 0.85f, BG)},
        {"over its fin", {-0.2f, 3, -0.55f}, {-0.2f, -0.35f, -0.55f}, two},
        {"past its tail", beside, {0, -0.35f, -0.68f}, BG},
    };
    for (const auto& p : PROBES) {
        fishSchool = school;
        bare(eyeOn(p.eye, p.point), 10, BG);
        glLineWidth(5);  // so a probe on a line lands on it
        drawStream(1.68177f);
        EXPECT_TRUE(showsAt(grab(), p.point, p.colour, 3)) << p.name;
    }
}

// The ground's triangles face up (the y of (b - a) x (c - a), twice the area seen from above, is
// negative facing down) and cover the park and the skirt's square, past the far plane's 200, once.
// Off the park's edge the bed within 1.3 of the centre line (a cut on the water's edge follows its
// nearest step, in tight bends up to 0.2 inside) lies 0.05 below the water or lower.
TEST_F(RenderTest, TheGroundCoversItsSquareOnceWithItsBedUnderTheWater) {
    buildGroundMesh();
    double up[GROUND_PARTS] = {};
    float out = 0, dry = 0;
    for (int i = 0; i < GROUND_PARTS * SECTOR_COUNT; ++i) {
        const GroundPiece& p = groundPieces[i / SECTOR_COUNT][i % SECTOR_COUNT];
        for (int n = p.firstIndex; n < p.firstIndex + 3 * p.triangleCount; n += 3) {
            const float* a = groundVertices[p.firstVertex + groundIndices[n]];
            const float* b = groundVertices[p.firstVertex + groundIndices[n + 1]];
            const float* c = groundVertices[p.firstVertex + groundIndices[n + 2]];
            up[i / SECTOR_COUNT] += (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
            out = std::max({out, std::fabs(a[0]), std::fabs(b[0]), std::fabs(c[0])});
            float d = 1e9f;  // a's distance from the centre line, if a park corner over -0.3
            for (int k = 0; i < SECTOR_COUNT && a[1] > -0.2999f && k < STREAM_SAMPLES - 1; ++k)
                d = std::min(d, streamSegmentDistance(k, a[0], a[2]));
            dry += d < 1.3f && std::fabs(a[0]) < 126.4f && std::fabs(a[2]) < 126.4f;
        }
    }
    EXPECT_NEAR(up[GROUND_PARK], 2 * 253.0 * 253.0, 1);
    EXPECT_NEAR(up[GROUND_NEAR_SKIRT] + up[GROUND_FAR_SKIRT], 2 * (4.0 * out * out - 253 * 253), 2);
    EXPECT_GT(out, 126.5f + 200);
    EXPECT_EQ(dry, 0) << "bed corners above the water";
}
