#include "app/shell.h"
#include "render_fixture.h"

// The overlay as a player reads it: text on any ground, dots inside the map, any window shape.

namespace {

// The extent of the pixels of colour c in [x0, x1) x [y0, y1) of a frame w pixels wide.
struct Box {
    int left = 1 << 20, right = -1, bottom = 1 << 20, top = -1, count = 0;
};
Box find(const Frame& f, int w, Rgb c, int x0, int y0, int x1, int y1) {
    Box b;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (!near(&f[((size_t)y * w + x) * 4], c)) continue;
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.bottom = std::min(b.bottom, y);
            b.top = std::max(b.top, y);
            b.count += 1;
        }
    return b;
}

}  // namespace

// The map's frame runs along x 650 and 790, y 10 and 150: whatever column or row its line lights,
// an enemy's 4 x 4 dot at a corner of the park stays whole inside it (bottom right, then top left).
TEST_F(RenderTest, DotsAtTheParksEdgeStayInsideTheMap) {
    for (int i = 1; i < theArena.enemyCount; ++i) theArena.enemies[i].alive = 0;
    for (int white : {0, 1}) {
        theArena.enemies[0].position =
            makeVec3(126.4f - 252.8f * white, 0, 252.8f * white - 126.4f);
        bare(thePlayer, 60, {(float)white, (float)white, (float)white});
        drawHud(&theArena, &thePlayer, 0);
        EXPECT_EQ(find(grab(), 800, {1, 0.2f, 0.2f}, 651, 11, 789, 149).count, 16) << white;
    }
}

// A 2.56:1, a 6:7 and a 3:4 viewport in turn; s = min (w / 800, h / 600) pixels a unit: the
// vignette's ring 5 (250 to 270 out, 0.27 dark) shows green 0.73 x 0.45 x 255 = 83.8 260 s out
// every way, black in the view's corner (550 or more out); 20 s above the glare's centre (40 s left
// of and 50 s above the lens's) 0.08 (1 - 0.45) more, 0.96 of it through the wash (0, 0.05, 0) at
// 0.04: 121.4; the crosshair's arms are alike; the map is a square 10 s from the right and bottom,
// the score's baseline 10 s from the left, 30 s below the top, "VICTORY!" starts 80 s left of the
// centre.
TEST(OverlayShapes, VignetteMapAndTextKeepTheirProportionsAtAnyWindowShape) {
    resetFakePlatform();
    ASSERT_TRUE(harnessStart(20261205u, 1280, 800));
    for (const auto& [w, h] : {std::pair{1279, 500}, {600, 700}, {600, 800}}) {
        const float s = std::min(w / 800.0f, h / 600.0f);
        const int cx = w / 2, cy = h / 2, d = (int)(260 * s);
        Frame f((size_t)w * h * 4);
        resizeView(w, h);
        bare(thePlayer, 60, {0.4f, 0.45f, 0.5f});
        drawCrosshair();
        theArena.victory = 1;
        drawHud(&theArena, &thePlayer, 0);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
        const Box left = find(f, w, {1, 1, 1}, cx - 30, cy - 3, cx - 2, cy + 3);
        const Box up = find(f, w, {1, 1, 1}, cx - 3, cy + 2, cx + 3, cy + 30);
        EXPECT_NEAR(up.top - up.bottom, left.right - left.left, 1) << w << ": the crosshair's arms";
        const Box map = find(f, w, {1, 1, 1}, w - (int)(200 * s), 0, w, cy);  // right of the help
        EXPECT_NEAR(map.right - map.left, map.top - map.bottom, 1) << w;
        EXPECT_NEAR(map.right, w - 10 * s, 1) << w;
        EXPECT_NEAR(map.bottom, 10 * s, 1) << w;
        const Box score = find(f, w, {1, 1, 1}, 0, h - (int)(40 * s), w / 4, h);
        EXPECT_NEAR(score.left, 10 * s, 1) << w;
        EXPECT_NEAR(score.bottom, h - 30 * s, 1) << w;
        const Box victory = find(f, w, {0, 1, 0}, 0, 0, w, h);
        EXPECT_NEAR(victory.left, cx - 80 * s, 1) << w;
        EXPECT_NEAR(victory.bottom, cy, 1) << w;
        bare(thePlayer, 60, {0.4f, 0.45f, 0.5f});
        drawHud(&theArena, &thePlayer, 1);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
        auto green = [&](int x, int y) { return f[((size_t)y * w + x) * 4 + 1]; };
        for (const auto& [x, y] : {std::pair{cx + d, cy}, {cx - d, cy}, {cx, cy - d}, {cx, cy + d}})
            EXPECT_NEAR(green(x, y), 83.8, 1) << w << ": " << x << ", " << y;
        EXPECT_EQ(green(0, 0), 0) << w << ": the corner";
        EXPECT_NEAR(green(cx - (int)(40 * s), cy + (int)(70 * s)), 121.4, 2) << w << ": the glare";
    }
    offscreenClose();
}
