#include <vector>

#include "probes.h"
#include "render/placed_mesh.h"
#include "render/quadric_mesh.h"
#include "render/scene.h"
#include "render/view_frustum.h"
#include "view_helpers.h"
#include "world/terrain_draw.h"
#include "world/textures.h"

// What makes frames cheap must leave them as they were: our quadrics against GLU's, culling
// against what reaches into the view, the ground's lists and kept colours against plain strips.

namespace {

using Frame = std::vector<unsigned char>;

Frame readFrame() {
    Frame f(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
    return f;
}

// Pixels that differ between two frames, in a box (rows counted from the bottom).
int differing(const Frame& a, const Frame& b, int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            size_t i = ((size_t)y * 800 + x) * 4;
            n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        }
    return n;
}

// Cleared to black, seen from above and aside, in the scene's light.
void shapeFrame() {
    probes::bareFrame(probes::eyeAt(0.3f, 3.0f, 3.0f, -90.0f, -40.0f), probes::Rgb{0, 0, 0});
    glColor3f(0.7f, 0.5f, 0.3f);
}

class FastDraw : public RenderTest {};

QuadricMesh mesh;

}  // namespace

TEST_F(FastDraw, OurQuadricsMatchGlusPixelForPixelAsStripsAndAsTriangles) {
    struct Shape { int sphere; double a, b, c; int slices, stacks; };  // a: radius, or base, top and height
    const Shape shapes[] = {{1, 1.0, 0, 0, 8, 6},     {1, 1.3, 0, 0, 10, 8},     {1, 0.9, 0, 0, 4, 3},
                            {1, 1.1, 0, 0, 5, 5},     {0, 1.0, 1.0, 1.5, 8, 1},  {0, 1.2, 0.05, 2.0, 8, 1},
                            {0, 0.8, 0.3, 1.4, 6, 3}};
    const Placement asIs = placementAt(0.0f, 0.0f, 0.0f);
    for (const Shape& s : shapes) {
        shapeFrame();
        Frame black = readFrame();
        GLUquadric* q = gluNewQuadric();
        s.sphere ? gluSphere(q, s.a, s.slices, s.stacks) : gluCylinder(q, s.a, s.b, s.c, s.slices, s.stacks);
        gluDeleteQuadric(q);
        Frame glu = readFrame();
        shapeFrame();
        s.sphere ? sphereMesh(&mesh, s.a, s.slices, s.stacks) : cylinderMesh(&mesh, s.a, s.b, s.c, s.slices, s.stacks);
        drawMesh(&mesh);
        Frame strips = readFrame();
        shapeFrame();
        glBegin(GL_TRIANGLES);
        placedTriangles(&mesh, &asIs, nullptr);
        glEnd();
        EXPECT_GT(differing(glu, black), 20000) << "shape " << s.a << " out of view";
        EXPECT_EQ(differing(glu, strips) + differing(glu, readFrame()), 0) << s.a << " " << s.slices;
    }
}

TEST_F(FastDraw, TheViewKeepsEveryBoxAndSphereThatReachesIntoIt) {
    PlayerState eye = probes::eyeAt(10.0f, 3.0f, -20.0f, 30.0f, 10.0f);
    glLoadIdentity();
    applyCamera(&eye);
    ViewFrustum view = currentViewFrustum();
    GLdouble model[16], projection[16];
    const GLint viewport[4] = {0, 0, 800, 600};
    glGetDoublev(GL_MODELVIEW_MATRIX, model), glGetDoublev(GL_PROJECTION_MATRIX, projection);
    unsigned seed = 12345;
    auto next = [&](float lo, float hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * (float)(seed >> 16 & 0x7FFF) / 32767.0f;
    };
    int reaching = 0, culled = 0;
    for (int i = 0; i < 3000; ++i) {
        float c[3] = {next(-150, 170), next(-40, 60), next(-190, 150)}, h = next(0.05f, 4.0f);
        Bounds box = {{c[0] - h, c[1] - h, c[2] - h}, {c[0] + h, c[1] + h, c[2] + h}, 0};
        // Seen if any of a grid of points through the box lands on the screen within the depth range.
        bool seen = false;
        for (int k = 0; k < 125 && !seen; ++k) {
            double x, y, z;
            gluProject(c[0] + h * (k % 5 - 2) / 2.0, c[1] + h * (k / 5 % 5 - 2) / 2.0, c[2] + h * (k / 25 - 2) / 2.0,
                       model, projection, viewport, &x, &y, &z);
            seen = x >= 0 && x <= 800 && y >= 0 && y <= 600 && z >= 0 && z <= 1;
        }
        reaching += seen;
        culled += !boundsInView(&view, &box);
        if (!seen) continue;
        EXPECT_TRUE(boundsInView(&view, &box)) << c[0] << ", " << c[1] << ", " << c[2] << " +- " << h;
        EXPECT_TRUE(sphereInView(&view, c[0], c[1], c[2], h * 1.7321f)) << c[0] << ", " << c[1] << ", " << c[2];
    }
    EXPECT_GT(reaching, 100);
    EXPECT_GT(culled, 1000);  // and it does leave out what lies elsewhere
}

TEST_F(FastDraw, ThingsReachingInFromBeyondTheEdgesAreDrawn) {
    testview::emptyPark();
    testworld::flattenGround(0.0f);
    standAt(70.0f, 0.0f);
    thePlayer.yaw = -90.0f;  // looking along -z, +x to the right
    harnessDrawFrame();
    Frame empty = readFrame();
    // A rock 10 away whose middle lies 3 degrees beyond the left edge (37.6
    // degrees out): 1.5 across, it reaches 1 unit into the view.
    float a = (37.6f + 3.0f) * PI_F / 180.0f;
    rocks[0] = RockRecord{70.0f - 10.0f * std::sin(a), -10.0f * std::cos(a), 1.5f, 1.0f, 1.5f, 0.5f, 0.5f, 0.5f, 0.0f};
    parkBuilt.sceneryLists = 0;  // moved after its lists were made
    harnessDrawFrame();
    EXPECT_GT(differing(empty, readFrame(), 0, 0, 30, 600), 300);
    // An enemy 2 ahead, looking 20 degrees up: its feet lie 20 degrees below
    // the bottom edge, its raised hands 4 degrees inside it.
    thePlayer.pitch = 20.0f;
    harnessDrawFrame();
    empty = readFrame();
    testworld::addEnemy(&theArena, 70.0f, -2.0f, testworld::RED_SHIRT);
    harnessDrawFrame();
    EXPECT_GT(differing(empty, readFrame(), 300, 0, 500, 30), 1000);
}

TEST_F(FastDraw, TheGroundLooksAsDrawnStripByStripWhateverTheCoverWas) {
    PlayerState eye = probes::eyeAt(20.0f, 6.0f, 60.0f, -120.0f, -25.0f);
    auto reference = [&](float cover) {
        probes::bareFrame(eye, probes::Rgb{0, 0, 0});
        const float cell = terrainCellSize(), span = 2.0f * TERRAIN_HALF_SIZE / 4.0f, h = TERRAIN_HALF_SIZE;
        bool grass = cover < SNOW_LOOK_MIN_COVER;
        glDisable(GL_BLEND), glColor3f(1.0f, 1.0f, 1.0f), glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        grass ? glEnable(GL_TEXTURE_2D) : glEnable(GL_LIGHTING);
        for (int r = 0; r < TERRAIN_CELLS; ++r) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int k = 0; k <= 2 * TERRAIN_CELLS + 1; ++k) {
                float x = (k / 2) * cell - h, z = r * cell - h + (k % 2) * cell;
                GroundColour c = snowLookColour(x, z, cover);
                grass ? glTexCoord2f((x + h) / span, (z + h) / span) : glColor3f(c.red, c.green, c.blue);
                glNormal3f(0.0f, 1.0f, 0.0f);
                glVertex3f(x, terrainHeights[r + k % 2][k / 2], z);
            }
            glEnd();
        }
        glDisable(GL_TEXTURE_2D);
        return readFrame();
    };
    auto drawn = [&](float cover) {
        probes::bareFrame(eye, probes::Rgb{0, 0, 0});
        drawTerrain(cover);
        return readFrame();
    };
    // Grass, then snow settling and melting: the colours kept for each sector follow.
    for (float cover : {0.0f, 0.3f, 0.9f, 0.3f, 0.0f})
        EXPECT_LT(differing(reference(cover), drawn(cover)), 50) << "cover " << cover;
    EXPECT_GT(differing(reference(0.3f), reference(0.9f)), 50000);
}
