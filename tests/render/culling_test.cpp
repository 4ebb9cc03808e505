#include "render/sector_lists.h"
#include "render_fixture.h"

// Culling asked a second way: a point is in view when GL's own matrices put it inside the clip
// volume; sectors in view come nearest box first.
TEST_F(RenderTest, CullingKeepsWhatIsInViewAndDropsWhatIsNot) {
    setView(eyeOn({10, 8, -20}, {40, 2, 15}), 60);
    const ViewFrustum view = currentViewFrustum();
    double m[16], p[16], eye = std::hypot(view.eye[0] - 10, view.eye[1] - 8, view.eye[2] + 20);
    glGetDoublev(GL_MODELVIEW_MATRIX, m), glGetDoublev(GL_PROJECTION_MATRIX, p);
    uint32_t state = 7;
    auto draw = [&](double lo, double hi) {
        return lo + (hi - lo) * ((state = state * 1664525u + 1013904223u) >> 8) / 16777216.0;
    };
    int in = 0, out = 0, wrong = 0;
    for (int n = 0; n < 5000; ++n) {
        const double w[4] = {draw(-150, 150), draw(-30, 60), draw(-150, 150), 1};
        double e[4] = {}, c[4] = {};
        for (int r = 0; r < 16; ++r) e[r / 4] += m[r % 4 * 4 + r / 4] * w[r % 4];
        for (int r = 0; r < 16; ++r) c[r / 4] += p[r % 4 * 4 + r / 4] * e[r % 4];
        const Bounds b = {
            {(float)w[0], (float)w[1], (float)w[2]}, {(float)w[0], (float)w[1], (float)w[2]}, 0};
        const bool box = boundsInView(&view, &b),
                   point = sphereInView(&view, (float)w[0], (float)w[1], (float)w[2], 0);
        if (-e[2] > 0.11 && -e[2] < 199 && std::fabs(c[0]) < c[3] && std::fabs(c[1]) < c[3])
            ++in, wrong += !box || !point;
        if (-e[2] < 0.09 || -e[2] > 201 || std::fabs(c[0]) > 1.12 * c[3] ||
            std::fabs(c[1]) > 1.12 * c[3])  // a big sphere still reaches in
            ++out, wrong +=
                   box || point || !sphereInView(&view, (float)w[0], (float)w[1], (float)w[2], 400);
    }
    Bounds boxes[SECTOR_COUNT] = {emptyBounds()};
    EXPECT_TRUE(eye < 1e-3 && wrong == 0 && in > 100 && out > 1000 &&
                !boundsInView(&view, &boxes[0]))
        << eye << " " << wrong << " " << in << " " << out;

    const float size = 2 * TERRAIN_HALF_SIZE /
                       SECTOR_GRID;  // a square's own sector, the border's for points beyond
    for (int s = 0; s < SECTOR_COUNT; ++s) {
        const float x = -TERRAIN_HALF_SIZE + (s % SECTOR_GRID + 0.5f) * size,
                    z = -TERRAIN_HALF_SIZE + (s / SECTOR_GRID + 0.5f) * size;
        EXPECT_EQ(sectorAt(x, z, TERRAIN_HALF_SIZE), s);
        boxes[s] = emptyBounds(), growBounds(&boxes[s], x - size / 2, 0, z - size / 2),
        growBounds(&boxes[s], x + size / 2, 10, z + size / 2);
    }
    EXPECT_EQ(sectorAt(-500, -500, TERRAIN_HALF_SIZE) +
                  sectorAt(500, -500, TERRAIN_HALF_SIZE) * 100 +
                  sectorAt(500, 500, TERRAIN_HALF_SIZE) * 10000,
              (SECTOR_GRID - 1) * 100 + (SECTOR_COUNT - 1) * 10000);
    auto distance = [&](const Bounds& b) {
        float d = 0;
        for (int k = 0; k < 3; ++k)
            d += std::pow(std::max({b.min[k] - view.eye[k], view.eye[k] - b.max[k], 0.0f}), 2.0f);
        return d;
    };
    int order[SECTOR_COUNT], listed[SECTOR_COUNT] = {}, count = sectorsInView(boxes, &view, order),
                             sorted = 1;
    for (int i = 0; i < count; ++i)
        ++listed[order[i]],
            sorted &= i == 0 || distance(boxes[order[i - 1]]) <= distance(boxes[order[i]]);
    for (int s = 0; s < SECTOR_COUNT; ++s)
        EXPECT_EQ(listed[s], boundsInView(&view, &boxes[s])) << s;
    EXPECT_TRUE(sorted && count > 8 && count < 40) << count;
}
