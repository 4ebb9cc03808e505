#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"
#include "world/bushes.h"
#include "world/fish.h"
#include "world/park.h"
#include "world/sign.h"
#include "world/terrain_draw.h"

namespace {

// The ground by its rules in double precision, built from the shared sequence on the first slope
// query.
struct RefGround {
    Rand* r;
    bool built;
    double H[129][129], sx[201], sz[201], CELL = 253.0 / 128.0;
    FishSchool fish;

    void build() {
        built = true;
        double hill[12][4], px[11], pz[11];
        auto sq = [](double v) { return v * v; };
        for (auto& h : hill)  // centre x, centre z, spread, height
            h[0] = r->f(-101.2f, 101.2f), h[1] = r->f(-101.2f, 101.2f), h[2] = r->f(15, 40),
            h[3] = r->f(1.5f, 5);
        for (int j = 0; j < 129; ++j)
            for (int i = 0; i < 129; ++i) {
                double x = i * CELL - 126.5, z = j * CELL - 126.5, s = 0;
                for (auto& h : hill)
                    s += h[3] * std::exp(-(sq(x - h[0]) + sq(z - h[1])) / (2 * sq(h[2])));
                double t = std::clamp(1 - std::sqrt(x * x + z * z) / 126.5, 0.0, 1.0);
                H[j][i] = s * t * t * (3 - 2 * t);
            }
        const double AT[11] = {-1.2, -1, -0.7, -0.4, -0.15, 0, 0.15, 0.4, 0.7, 1, 1.2};
        const float REACH[11] = {20, 10, 40, 50, 30, 20, 30, 50, 40, 10, 20};
        for (int c = 0; c < 11; ++c) px[c] = 126.5 * AT[c], pz[c] = r->f(-REACH[c], REACH[c]);
        for (int k = 0, g; k <= 200;
             ++k) {  // Catmull-Rom through the control points, 25 samples a segment
            double t = k / 25.0 - (g = std::min(7, k / 25));
            auto spline = [&](const double* p) {
                double a = p[g], b = p[g + 1], c = p[g + 2], d = p[g + 3], t2 = t * t, t3 = t2 * t;
                return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                              (3 * b - a - 3 * c + d) * t3);
            };
            sx[k] = spline(px), sz[k] = spline(pz);
        }
        for (int i = 0; i < FISH_COUNT; ++i)
            fish.targetAlong[i] = fish.along[i] = r->f(0.1f, 0.9f), fish.red[i] = r->f(0.7f, 1),
            fish.green[i] = r->f(0.3f, 0.8f), fish.blue[i] = r->f(0.1f, 0.4f),
            fish.phase[i] = r->f(0, 6.28f), fish.idleTimer[i] = r->f(2, 6), fish.moving[i] = 0;
        for (int k = 0; k < 200; ++k)  // the bed and its banks, lowered only, within 12 of a sample
            for (int j = 0; j < 129; ++j)
                for (int i = 0; i < 129; ++i) {
                    double d = std::hypot(i * CELL - 126.5 - sx[k], j * CELL - 126.5 - sz[k]);
                    double bed = d < 2.1 ? 0.5 * d / 2.1 - 0.5 : 0.5 + 0.5 * (d - 2.1) / 9.9;
                    if (d < 12) H[j][i] = std::min(H[j][i], bed);
                }
    }
    static int cellOf(double g,
                      double* f) {  // a grid coordinate's cell and fraction; far out, the border
        int i = g <= -1 ? -1 : g >= 128 ? 128 : (int)g;
        *f = i < 0 ? 0 : i > 127 ? 1 : g - i;
        return std::clamp(i, 0, 127);
    }
    double h(double x, double z) {
        if (!built) build();
        double fx, fz;
        int i = cellOf((x + 126.5) / CELL, &fx), j = cellOf((z + 126.5) / CELL, &fz);
        double a = H[j][i] + (H[j][i + 1] - H[j][i]) * fx,
               b = H[j + 1][i] + (H[j + 1][i + 1] - H[j + 1][i]) * fx;
        return a + (b - a) * fz;
    }
    double slope(double x1, double z1, double x2, double z2) {
        double d = std::hypot(x2 - x1, z2 - z1);
        return d < 0.01 ? 0 : std::fabs(h(x2, z2) - h(x1, z1)) / d;
    }
};

}  // namespace

// The clock seeds the sequence, the first placement draw again: flowers, trees, rocks, animals
// (whose first slope query builds hills, stream, fish and bed), sign, enemies.
TEST(Park, StartUpPlacesEverythingInItsDrawOrder) {
    static struct {
        FlowerRecord flowers[FLOWER_COUNT];
        TreeRecord trees[TREE_COUNT];
        RockRecord rocks[ROCK_COUNT];
        AnimalRecord animals[ANIMAL_COUNT];
        ArenaState arena;
        RefGround g;
    } want;  // large: off the stack
    RefGround& g = want.g;
    const float COLOURS[5][3] = {
        {1, 0.9f, 0.2f}, {1, 0.3f, 0.4f}, {0.8f, 0.3f, 1}, {1, 0.6f, 0.8f}, {1, 1, 1}};
    for (uint32_t clock : {1780351200u, 1780437600u}) {
        startGame(clock);
        Rand r{clock};
        g.r = &r, g.built = false;
        for (FlowerRecord& f : want.flowers) {
            f.x = r.f(-125.5f, 125.5f), f.z = r.f(-125.5f, 125.5f);
            const float* c = COLOURS[r.i(0, 4)];
            f.red = c[0], f.green = c[1], f.blue = c[2];
        }
        struct {
            float slope(float, float, float, float) { return 0; }
        } level;  // scenery ignores the ground
        for (TreeRecord& t : want.trees)
            drawPlace(r, level, 125.5f, 6, &t.x, &t.z), t.height = r.f(3, 6),
                                                        t.crownRadius = r.f(1.5f, 3);
        for (RockRecord& k : want.rocks) {
            drawPlace(r, level, 124.5f, 5, &k.x, &k.z);
            k.sizeX = r.f(0.4f, 1.2f), k.sizeY = r.f(0.3f, 0.8f), k.sizeZ = r.f(0.4f, 1),
            k.yaw = r.f(0, 360);
            float grey = r.f(0.35f, 0.55f);
            k.red = grey + r.f(-0.05f, 0.05f), k.green = grey + r.f(-0.05f, 0.05f),
            k.blue = grey + r.f(-0.08f, 0.02f);
        }
        placeAnimalsByRule(r, g, want.animals);
        float sx, sz;
        for (bool clear = false;
             !clear;) {  // the sign: 3 from trees, sqrt 6 from rocks, 5 from every fifth sample
            sx = r.f(-40, 40), sz = r.f(-40, 40), clear = true;
            if (std::fabs(sx) < 5 && std::fabs(sz) < 5) sx = 20;
            for (const TreeRecord& t : want.trees) clear &= std::hypot(sx - t.x, sz - t.z) >= 3;
            for (const RockRecord& k : want.rocks)
                clear &= std::hypot(sx - k.x, sz - k.z) >= std::sqrt(6.0);
            for (int k = 0; k <= 200; k += 5) clear &= std::hypot(sx - g.sx[k], sz - g.sz[k]) >= 5;
        }
        EXPECT_TRUE(signX == sx && signZ == sz && signYaw == r.f(0, 360));
        want.arena = ArenaState{};
        want.arena.enemyCount = want.arena.enemiesLeft =
            placeEnemiesByRule(r, g, want.arena.enemies);

        ASSERT_TRUE(same(flowers, want.flowers, "fffff") && same(trees, want.trees, "ffff"));
        ASSERT_TRUE(same(rocks, want.rocks, "fffffffff") &&
                    same(animals, want.animals, ANIMAL_FIELDS));
        for (int j = 0; j < 129; ++j)
            for (int i = 0; i < 129; ++i)
                ASSERT_NEAR(terrainHeights[j][i], g.H[j][i], 1e-4) << i << ", " << j;
        for (int k = 0; k <= 200; ++k)
            ASSERT_TRUE(std::hypot(streamSampleX[k] - g.sx[k], streamSampleZ[k] - g.sz[k]) < 1e-3)
                << k;
        EXPECT_TRUE(same(fishSchool, g.fish, FISH_FIELDS));
        EXPECT_TRUE(same(theArena, want.arena, ARENA_FIELDS));
    }
}

// What is built on first use (clouds, stars, bushes, snow patches) continues the sequence in its
// own order.
TEST(Park, LazyBuildersDrawInTheirOrder) {
    startGame(1780351200u), seedRandom(77);
    Rand r{77};
    static struct {
        CloudField clouds;
        StarField stars;
        StreamBush bushes[BUSH_COUNT];
        double map[65][65];
    } ref;
    for (int k = 0; k <= 200; ++k)
        streamSampleX[k] = streamSampleZ[k] = k % 2 ? 120 : -120;  // bushes run off the park
    buildClouds(), buildStars(), buildStreamBushes(), buildSnowPatches();
    CloudField& k = ref.clouds;
    for (int i = 0; i < CLOUD_SLOTS; ++i)
        k.driftBase[i] = r.f(-130, 130), k.offsetZ[i] = r.f(-130, 130), k.height[i] = r.f(55, 80),
        k.speed[i] = r.f(1.5f, 4), k.size[i] = r.f(8, 20);
    for (int i = 0; i < STAR_COUNT; ++i)
        ref.stars.azimuth[i] = r.f(0, 6.28318f), ref.stars.elevation[i] = r.f(0.1f, 1.5f),
        ref.stars.brightness[i] = r.f(0.4f, 1), ref.stars.twinkle[i] = r.f(0, 6.28f);
    for (StreamBush& b : ref.bushes) {
        int k = r.i(10, 190);
        float a = r.f(0, 6.28318f), d = r.f(4, 11), s = b.size = r.f(0.4f, 0.9f);
        b.x = std::clamp(streamSampleX[k] + d * std::cos(a), -124.5f, 124.5f);
        b.z = std::clamp(streamSampleZ[k] + d * std::sin(a), -124.5f, 124.5f);
        b.hasBerries = r.i(0, 100) < 25;
        for (int p = 0; p < BUSH_PUFFS; ++p) {
            b.puffX[p] = r.f(-0.6f * s, 0.6f * s), b.puffZ[p] = r.f(-0.6f * s, 0.6f * s);
            b.puffHeight[p] = r.f(0.6f * s, 1.2f * s), b.puffRadius[p] = r.f(0.3f * s, 0.55f * s);
            b.puffRed[p] = 0.1f + r.f(-0.03f, 0.03f), b.puffGreen[p] = 0.35f + r.f(-0.05f, 0.05f);
            b.puffBlue[p] = 0.08f + r.f(-0.02f, 0.02f);
        }
        for (int e = 0; e < BUSH_BERRIES; ++e)
            b.berryX[e] = r.f(-0.45f * s, 0.45f * s), b.berryZ[e] = r.f(-0.45f * s, 0.45f * s),
            b.berryHeight[e] = r.f(0.4f * s, 0.9f * s);
    }
    const double cell = 253.0 / 64;
    for (int blob = 0; blob < 300; ++blob) {  // smoothstep blobs on squared distance, clamped to 1
        double cx = r.f(-126.5f, 126.5f), cz = r.f(-126.5f, 126.5f), rr = r.f(4, 14);
        for (int j = 0; j < 65; ++j)
            for (int i = 0; i < 65; ++i) {
                double t =
                    1 - (std::pow(i * cell - 126.5 - cx, 2) + std::pow(j * cell - 126.5 - cz, 2)) /
                            (rr * rr);
                if (t > 0) ref.map[j][i] = std::min(1.0, ref.map[j][i] + t * t * (3 - 2 * t));
            }
    }
    EXPECT_TRUE(same(cloudField, ref.clouds, "f") && same(starField, ref.stars, "f"));
    EXPECT_TRUE(same(streamBushes, ref.bushes, "fffi" + times("f", 53)));
    for (int j = 0; j < 65; ++j)
        for (int i = 0; i < 65; ++i)
            ASSERT_NEAR(snowPatchAt(i * cell - 126.5, j * cell - 126.5), ref.map[j][i], 1e-5)
                << i << "," << j;
    EXPECT_EQ(nextRandom(), r.next());
    // Between map points the value blends bilinearly.
    auto& m = ref.map;
    double a = m[20][30] + (m[20][31] - m[20][30]) * 0.25,
           b = m[21][30] + (m[21][31] - m[21][30]) * 0.25;
    float x = 30.25 * cell - 126.5, z = 20.6 * cell - 126.5, v = a + (b - a) * 0.6;
    EXPECT_TRUE(v > 0.05f && std::fabs(snowPatchAt(x, z) - v) < 1e-5);
}

// Heights between and beyond the grid points, slopes and the centre line on the game's grid; built
// once.
TEST(Park, HeightSlopeAndCentreLineQueries) {
    startGame(1780351200u);
    static RefGround g;
    g.built = true;
    for (int j = 0; j < 129; ++j) std::copy(terrainHeights[j], terrainHeights[j] + 129, g.H[j]);
    const float c = 253.0f / 128, e = 126.5f;
    for (float x : {-1e9f, -200.0f, -e - 1.5f * c, -e - 0.5f * c, -e, -77.7f, -3.1f, 0.0f, 41.3f,
                    e - 0.01f, e, 1e9f})
        for (float z : {-1e9f, -e - 0.5f * c, -e, -33.3f, 0.0f, 8.8f, 99.9f, e, 1e9f})
            ASSERT_NEAR(terrainHeightAt(x, z), g.h(x, z), 1e-4) << x << ", " << z;
    for (float x : {-60.3f, 10.2f, 88.8f})
        for (float d : {0.0f, 0.009f, 0.011f, 0.5f, 3.0f})
            ASSERT_NEAR(terrainSlopeBetween(x, x / 2, x + d * 0.6f, x / 2 - d * 0.8f),
                        g.slope(x, x / 2, x + d * 0.6f, x / 2 - d * 0.8f), 1e-3)
                << d;
    for (float u : {0.0f, 0.3333f, 0.5025f, 0.999f, 1.0f}) {
        int k = std::min(199, (int)(u * 200));
        float f = u * 200 - (int)(u * 200), x, z;
        streamPointAt(u, &x, &z);
        EXPECT_NEAR(x, streamSampleX[k] + (streamSampleX[k + 1] - streamSampleX[k]) * f, 1e-3) << u;
        EXPECT_NEAR(z, streamSampleZ[k] + (streamSampleZ[k + 1] - streamSampleZ[k]) * f, 1e-3) << u;
    }
    seedRandom(5), terrainHeightAt(1, 1);
    EXPECT_EQ(nextRandom(), Rand{5}.next());
}

// The sign keeps 3 from trees, sqrt 6 from rocks and, once there is a stream, 5 from every fifth
// sample.
TEST(Park, SignSpots) {
    startGame(1780351200u), testworld::clearPark();
    for (int k = 0; k <= 200; ++k) streamSampleX[k] = k - 100.0f, streamSampleZ[k] = -60;
    trees[0] = TreeRecord{10, 0, 4, 2}, rocks[0] = RockRecord{30, 0, 1, 1, 1, 0.5f, 0.5f, 0.5f, 0};
    struct Case {
        float x, z;
        int clear;
    } CASES[] = {{10, 3, 1},          {10, 2.99f, 0},      {30, 2.45f, 1},    {30, 2.44f, 0},
                 {0, -54.99f, 1},     {0, -55.01f, 0},     {2.5f, -55.6f, 1}, {0, -55.6f, 0},
                 {100.5f, -55.5f, 0}, {-100.5f, -55.5f, 0}};
    for (const Case& k : CASES) EXPECT_EQ(signSpotIsClear(k.x, k.z), k.clear) << k.x << ", " << k.z;
    EXPECT_EQ((parkBuilt.stream = 0, signSpotIsClear(0, -60)), 1);
}
