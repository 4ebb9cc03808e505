#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/animals.h"
#include "render/overlay.h"
#include "render_fixture.h"

// The overlay as a player reads it: text on any ground, dots inside the map, the victory lines
// clear of the last shot, and the same proportions at any window shape.

namespace {

class OverlayView : public RenderTest {};

bool lit(const unsigned char* p) { return std::max({p[0], p[1], p[2]}) > 128; }
bool dark(const unsigned char* p) { return std::max({p[0], p[1], p[2]}) < 64; }

// A frame of w x h pixels, rows from the bottom.
struct Shot {
    int w, h;
    Frame f;
    explicit Shot(int width, int height) : w(width), h(height), f((size_t)w * h * 4) {
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
    }
    const unsigned char* at(int x, int y) const { return &f[((size_t)y * w + x) * 4]; }
};

// The extent along x and y of the pixels of colour c in the box [x0, x1) x [y0, y1).
struct Box {
    int left = 1 << 20, right = -1, bottom = 1 << 20, top = -1, count = 0;
};
Box find(const Shot& s, Rgb c, int x0, int y0, int x1, int y1) {
    Box b;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (!near(s.at(x, y), c)) continue;
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.bottom = std::min(b.bottom, y);
            b.top = std::max(b.top, y);
            b.count += 1;
        }
    return b;
}

}  // namespace

// Over white, every pixel beside a glyph is dark; the line put together in one bitmap and the one
// drawn glyph by glyph (too long for one piece) leave the same pixels, outline and all.
TEST_F(OverlayView, EveryHudLineIsOutlinedDarkAndBothTextPathsAgree) {
    theArena.victory = 1;
    bare(thePlayer, 60, {0, 0, 0});
    drawHud(&theArena, &thePlayer, 0);
    const Frame onBlack = grab();
    bare(thePlayer, 60, {1, 1, 1});
    drawHud(&theArena, &thePlayer, 0);
    const Frame onWhite = grab();
    int glyphPixels = 0, paleNeighbours = 0;
    for (int y = 1; y < 599; ++y)
        for (int x = 1; x < 640; ++x) {  // the text, left of the map
            if (!lit(px(onBlack, x, y))) continue;
            glyphPixels += 1;
            for (int k = 0; k < 9; ++k) {
                int nx = x + k % 3 - 1, ny = y + k / 3 - 1;
                paleNeighbours += !lit(px(onBlack, nx, ny)) && !dark(px(onWhite, nx, ny));
            }
        }
    EXPECT_GT(glyphPixels, 1000);
    EXPECT_EQ(paleNeighbours, 0);

    const std::string line = "Score: 430";
    bare(thePlayer, 60, {1, 1, 1});
    beginOverlay();
    glColor3f(1, 1, 0);
    drawText2D(10, 300, line.c_str());
    drawText2D(10, 200, (line + std::string(128, 'W')).c_str());
    endOverlay();
    const Frame both = grab();
    int apart = 0;
    for (int y = -2; y < 12; ++y)
        for (int x = 8; x < 10 + 6 * 9 - 1; ++x)  // up to the outline of the line's last glyph
            apart +=
                !std::equal(px(both, x, 300 + y), px(both, x, 300 + y) + 3, px(both, x, 200 + y));
    EXPECT_EQ(apart, 0);
}

// The map's frame runs along overlay x 650 and 790, y 10 and 150, a pixel a unit at 800 x 600:
// whatever column or row its line lights, a dot inside it stays within 651 .. 788 and 11 .. 148.
// A 4 x 4-unit dot covers 16 pixels.
TEST_F(OverlayView, MapDotsStayWholeInsideTheFrameAtTheParksEdge) {
    for (AnimalRecord& a : animals) a.alive = 0;
    for (int i = 1; i < theArena.enemyCount; ++i) theArena.enemies[i].alive = 0;
    const float spots[][2] = {{126.4f, 0}, {-126.4f, 126.4f}, {30, -126.4f}, {-125.5f, 125.5f}};
    for (const auto& spot : spots) {
        theArena.enemies[0].position = makeVec3(spot[0], 0, spot[1]);
        bare(thePlayer, 60, {0.4f, 0.45f, 0.5f});
        drawHud(&theArena, &thePlayer, 0);
        const Box dot = find(Shot(800, 600), {1, 0.2f, 0.2f}, 600, 0, 800, 200);
        EXPECT_EQ(dot.count, 16) << spot[0] << ", " << spot[1];
        EXPECT_GE(dot.left, 651) << spot[0];
        EXPECT_LE(dot.right, 788) << spot[0];
        EXPECT_GE(dot.bottom, 11) << spot[1];
        EXPECT_LE(dot.top, 148) << spot[1];
    }
}

// The winning shot's flash falls by 8 a second from 1 and its tracer lasts 0.2 s: after the first
// frame (which measures no time) fifteen of 16 ms (0.24 s) see both out, while the rest of the
// won game stays frozen as the shot left it.
TEST_F(OverlayView, TheWinningShotsFlashAndTracerPlayOutOverTheVictoryLines) {
    for (int i = 1; i < theArena.enemyCount; ++i) theArena.enemies[i].alive = 0;
    theArena.enemiesLeft = 1;
    EnemyRecord& last = theArena.enemies[0];
    Vec3 ahead = vecAdd(thePlayer.position, vecScale(viewDirection(&thePlayer), 3));
    last.position = makeVec3(ahead.x, terrainHeightAt(ahead.x, ahead.z), ahead.z);
    harnessLookAt(vecAdd(last.position, makeVec3(0, 1.3f, 0)));
    shellLeftButtonDown();  // captures the mouse
    shellLeftButtonDown();  // fires
    ASSERT_EQ(theArena.victory, 1);
    const float fallAngle = last.fallAngle, dropHeight = theArena.bloodDrops[0].position.y;
    for (int frame = 0; frame < 16; ++frame) {
        frameTick();
        fakePlatform.counter += 16000;
    }
    EXPECT_EQ(theArena.muzzleFlash, 0.0f);
    EXPECT_EQ(theArena.tracer.active, 0);
    EXPECT_EQ(last.fallAngle, fallAngle);
    EXPECT_EQ(theArena.bloodDrops[0].position.y, dropHeight);
}

// One canvas holds a 16:9, a 16:10 and a 3:4 viewport, one after the other. With
// s = min (w / 800, h / 600) pixels a unit (1.2, 1.33 and 0.75) the lens's rim stands 150 s from
// the centre every way, the vignette is alike at the same distance every way (its mask read back
// again for the new viewport), the crosshair's arms are alike, the map is a square 10 s from the
// right and bottom edges, the score's baseline starts 10 s from the left, 30 s below the top, and
// "VICTORY!" 80 s left of the centre.
TEST(OverlayShapes, RingCrosshairMapAndTextKeepTheirProportionsAtAnyWindowShape) {
    resetFakePlatform();
    ASSERT_TRUE(harnessStart(20261205u, 1280, 800));
    const Rgb bg = {0.4f, 0.45f, 0.5f};
    for (const auto& [w, h] : {std::pair{1280, 720}, {1280, 800}, {600, 800}}) {
        const float s = std::min(w / 800.0f, h / 600.0f);
        const int cx = w / 2, cy = h / 2;
        resizeView(w, h);
        bare(thePlayer, 60, bg);
        drawHud(&theArena, &thePlayer, 1);
        const Shot scope(w, h);
        // The rim darkens green below 84; scanned 10 pixels off the axes, clear of the reticle,
        // it is met at its inner edge, a pixel or two inside 150 s.
        auto rim = [&](int dx, int dy) {
            int k = 3;
            while (k < std::min(cx, cy) &&
                   scope.at(cx + k * dx + 10 * dy * dy, cy + k * dy + 10 * dx * dx)[1] >= 84)
                ++k;
            return k;
        };
        const int across = rim(1, 0) + rim(-1, 0), upDown = rim(0, 1) + rim(0, -1);
        EXPECT_NEAR(across, upDown, 1) << w;
        EXPECT_NEAR(across, 300 * s, 6) << w;
        const int d = (int)(260 * s);  // inside the sixth ring
        for (const auto& [x, y] : {std::pair{cx + d, cy}, {cx - d, cy}, {cx, cy - d}})
            EXPECT_NEAR(scope.at(x, y)[1], scope.at(cx, cy + d)[1], 2)
                << w << ": " << x << ", " << y;
        EXPECT_LT(scope.at(cx, cy + d)[1], scope.at(cx + 20, cy + 20)[1] - 20) << w;

        bare(thePlayer, 60, bg);
        drawCrosshair();
        theArena.victory = 1;
        drawHud(&theArena, &thePlayer, 0);
        theArena.victory = 0;
        const Shot plain(w, h);
        const Box left = find(plain, {1, 1, 1}, cx - 30, cy - 3, cx - 2, cy + 3),
                  right = find(plain, {1, 1, 1}, cx + 2, cy - 3, cx + 30, cy + 3),
                  down = find(plain, {1, 1, 1}, cx - 3, cy - 30, cx + 3, cy - 2),
                  up = find(plain, {1, 1, 1}, cx - 3, cy + 2, cx + 3, cy + 30);
        EXPECT_NEAR(right.right - right.left, left.right - left.left, 1) << w;
        EXPECT_NEAR(up.top - up.bottom, left.right - left.left, 1) << w;
        EXPECT_NEAR(down.top - down.bottom, left.right - left.left, 1) << w;
        const Box map = find(plain, {1, 1, 1}, w - (int)(200 * s), 0, w, cy);  // right of the help
        EXPECT_NEAR(map.right - map.left, map.top - map.bottom, 1) << w;
        EXPECT_NEAR(map.right, w - 10 * s, 1) << w;
        EXPECT_NEAR(map.bottom, 10 * s, 1) << w;
        const Box score = find(plain, {1, 1, 1}, 0, h - (int)(40 * s), w / 4, h);
        EXPECT_NEAR(score.left, 10 * s, 1) << w;
        EXPECT_NEAR(score.bottom, h - 30 * s, 1) << w;
        const Box victory = find(plain, {0, 1, 0}, 0, 0, w, h);
        EXPECT_NEAR(victory.left, cx - 80 * s, 1) << w;
        EXPECT_NEAR(victory.bottom, cy, 1) << w;
    }
    offscreenClose();
}
