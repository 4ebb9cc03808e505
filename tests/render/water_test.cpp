#include "render_fixture.h"
#include "world/ground_mesh.h"

// The stream as a player sees it, and the ground that holds it.

// The water's clock steps 0.016 a pass whatever the frame's time. The stream runs along +z on x = 0
// but for its first and last steps. At t = 1.68177, line j (f = j / 8) lies 1.2 - 0.3 j right of
// the centre, 0.03 + 0.03 sin(3t + 0.1 k + 5 f) above the water at sample k (z = 1.265 k - 126.5),
// at alpha 0.15 + 0.1 sin(2t + 12 f): line 7 crests at k = 110 (5.04531 + 11 + 4.375 = 6.5 pi) at
// 0.246, line 3 shows at 0.25. The water: 0.22 of (0.18, 0.5, 0.8) out to 1.5, under 0.15 of (0.3,
// 0.6, 0.9) out to 1.05. A fish at the middle, 0.35 down, heads along: its body 0.7 long, 0.28 wide
// (0.123 across 0.1 ahead), both faces at 0.85; 0.1 grey eyes 0.21 ahead, 0.042 aside; its fin, one
// face at 0.8 of its colour, 0.42 to 0.63 behind, 0.14 (d - 0.42) / 0.21 up and down at d behind.
TEST_F(RenderTest, WaterShimmersOnItsOwnClockAndFishShowThroughIt) {
    for (int i = 0; i < 5; ++i) harnessRunFrames(1, 0.1f);
    EXPECT_FLOAT_EQ(sceneClock, 5 * 0.016f);
    EXPECT_FLOAT_EQ(cloudClock, 5 * 0.016f);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = k == 0 || k == STREAM_SAMPLES - 1 ? 1.265f : 0;
        streamSampleZ[k] = -126.5f + 1.265f * k;
    }
    std::fill(fishSchool.along, fishSchool.along + FISH_COUNT, 0.1f);  // far off
    fishSchool.along[0] = 0.5f;  // idle, its tail straight after the step
    fishSchool.phase[0] = -0.04f;
    fishSchool.idleTimer[0] = 9;
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
        {"line 3", {0.31f, 3, 1}, {0.3f, -0.2f, 1}, over(line, 0.25f, two)},
        {"line 7's crest", left, {-0.9f, -0.19f, 12.65f}, over(line, 0.246f, BG)},
        {"fish", above, {-0.1f, -0.35f, 0.1f}, fish},
        {"beside the fish", above, {-0.16f, -0.35f, 0.1f}, two},
        {"its eye", above, {0.042f, -0.32f, 0.21f}, eye},
        {"its tail", beside, {0, -0.33f, -0.5f}, over(fin, 0.85f, BG)},
        {"above its tail", beside, {0, -0.27f, -0.5f}, BG},
        {"below its tail", beside, {0, -0.43f, -0.5f}, BG},
        {"past its tail", beside, {0, -0.35f, -0.68f}, BG},
    };
    for (const auto& p : PROBES) {
        fishSchool = school;
        bare(eyeOn(p.eye, p.point), 10, BG);
        glLineWidth(5);  // so a probe on a line lands on it
        drawStream(1.68177f);
        EXPECT_TRUE(showsAt(grab(), p.point, p.colour, 4)) << p.name;
    }
}

// The ground's triangles face up (the y of (b - a) x (c - a), twice the area seen from above, is
// negative facing down) and cover the park and the skirt's square, past the far plane's 200, once.
TEST_F(RenderTest, TheGroundsTrianglesFaceUpAndCoverItsSquareOnce) {
    buildGroundMesh();
    double up[GROUND_PARTS] = {};
    float out = 0;
    for (int i = 0; i < GROUND_PARTS * SECTOR_COUNT; ++i) {
        const GroundPiece& p = groundPieces[i / SECTOR_COUNT][i % SECTOR_COUNT];
        for (int n = p.firstIndex; n < p.firstIndex + 3 * p.triangleCount; n += 3) {
            const float* a = groundVertices[p.firstVertex + groundIndices[n]];
            const float* b = groundVertices[p.firstVertex + groundIndices[n + 1]];
            const float* c = groundVertices[p.firstVertex + groundIndices[n + 2]];
            up[i / SECTOR_COUNT] += (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
            out = std::max({out, std::fabs(a[0]), std::fabs(b[0]), std::fabs(c[0])});
        }
    }
    EXPECT_NEAR(up[GROUND_PARK], 2 * 253.0 * 253.0, 1);
    EXPECT_NEAR(up[GROUND_NEAR_SKIRT] + up[GROUND_FAR_SKIRT], 2 * (4.0 * out * out - 253 * 253), 2);
    EXPECT_GT(out, 126.5f + 200);
}
