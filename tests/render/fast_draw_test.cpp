#include <vector>

#include "probes.h"
#include "render/placed_mesh.h"
#include "render/quadric_mesh.h"
#include "render/scene.h"
#include "render/view_frustum.h"
#include "view_helpers.h"
#include "world/terrain_draw.h"

// The shortcuts that make frames cheap must leave them as they were: our own
// quadrics against GLU's, the culled views against everything that reaches
// into them, the snow look's remembered colours against the cover.

namespace {

using Frame = std::vector<unsigned char>;

Frame readFrame() {
    Frame f(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
    return f;
}

int pixelsDiffering(const Frame& a, const Frame& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); i += 4) n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return n;
}

// A lit shape on black, seen from above and aside, ready to draw.
void shapeFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.2f, -0.3f, -4.0f);
    glRotatef(-65.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(25.0f, 0.0f, 0.0f, 1.0f);
    glColor3f(0.7f, 0.5f, 0.3f);
}

struct ShapeCase {
    int sphere;
    double a, b, c;  // radius, or base, top and height
    int slices, stacks;
};

void cut(const ShapeCase& s, QuadricMesh* mesh) {
    if (s.sphere)
        sphereMesh(mesh, s.a, s.slices, s.stacks);
    else
        cylinderMesh(mesh, s.a, s.b, s.c, s.slices, s.stacks);
}

class FastDraw : public RenderTest {};

QuadricMesh mesh;

}  // namespace

TEST_F(FastDraw, OurQuadricsMatchGlusPixelForPixelAsStripsAndAsTriangles) {
    const ShapeCase shapes[] = {{1, 1.0, 0, 0, 8, 6},   {1, 1.3, 0, 0, 10, 8},    {1, 0.9, 0, 0, 4, 3},
                                {1, 1.1, 0, 0, 5, 5},   {0, 1.0, 1.0, 1.5, 8, 1}, {0, 1.2, 0.05, 2.0, 8, 1},
                                {0, 0.8, 0.3, 1.4, 6, 3}};
    const Placement asIs = placementAt(0.0f, 0.0f, 0.0f);
    for (const ShapeCase& s : shapes) {
        shapeFrame();
        GLUquadric* q = gluNewQuadric();
        if (s.sphere)
            gluSphere(q, s.a, s.slices, s.stacks);
        else
            gluCylinder(q, s.a, s.b, s.c, s.slices, s.stacks);
        gluDeleteQuadric(q);
        Frame glu = readFrame();
        shapeFrame();
        cut(s, &mesh);
        drawMesh(&mesh);
        Frame strips = readFrame();
        shapeFrame();
        glBegin(GL_TRIANGLES);
        placedTriangles(&mesh, &asIs, nullptr);
        glEnd();
        Frame triangles = readFrame();
        EXPECT_GT(pixelsDiffering(glu, Frame(glu.size(), 0)), 20000) << "shape " << s.a << " out of view";
        EXPECT_EQ(pixelsDiffering(glu, strips), 0) << "shape " << s.a << ", " << s.slices << " x " << s.stacks;
        EXPECT_EQ(pixelsDiffering(glu, triangles), 0) << "shape " << s.a << ", " << s.slices << " x " << s.stacks;
    }
}

TEST_F(FastDraw, APlacementMovesAShapeAsTheMatrixStackWould) {
    // Turned about a slanting axis and squashed unevenly: any slip shows.
    sphereMesh(&mesh, 1.0, 10, 8);
    shapeFrame();
    glTranslatef(0.3f, -0.2f, 0.1f);
    glRotatef(37.0f, 0.2f, 1.0f, 0.4f);
    glScalef(1.3f, 0.6f, 0.9f);
    drawMesh(&mesh);
    Frame byMatrix = readFrame();
    shapeFrame();
    Placement p = placementAt(0.3f, -0.2f, 0.1f);
    placeRotate(&p, 37.0f, 0.2f, 1.0f, 0.4f);
    placeScale(&p, 1.3f, 0.6f, 0.9f);
    glBegin(GL_TRIANGLES);
    placedTriangles(&mesh, &p, nullptr);
    glEnd();
    // Only rounding may move a pixel, on an edge.
    EXPECT_LT(pixelsDiffering(byMatrix, readFrame()), 100);
}

TEST_F(FastDraw, TheViewKeepsEveryBoxAndSphereThatReachesIntoIt) {
    PlayerState eye = probes::eyeAt(10.0f, 3.0f, -20.0f, 30.0f, 10.0f);
    applyNormalProjection(800, 600);
    glLoadIdentity();
    applyCamera(&eye);
    ViewFrustum view = currentViewFrustum();
    GLdouble model[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const GLint viewport[4] = {0, 0, 800, 600};
    unsigned seed = 12345;
    auto next = [&](float lo, float hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * (float)((seed >> 8) & 0xFFFF) / 65535.0f;
    };
    int reaching = 0, culled = 0;
    for (int i = 0; i < 3000; ++i) {
        float c[3] = {next(-150, 170), next(-40, 60), next(-190, 150)}, h = next(0.05f, 4.0f);
        Bounds box = emptyBounds();
        growBounds(&box, c[0] - h, c[1] - h, c[2] - h);
        growBounds(&box, c[0] + h, c[1] + h, c[2] + h);
        // Seen if any of a grid of points through the box lands on the screen within the depth range.
        bool seen = false;
        for (int k = 0; k < 125 && !seen; ++k) {
            double x, y, z;
            gluProject(c[0] + h * (k % 5 - 2) / 2.0, c[1] + h * (k / 5 % 5 - 2) / 2.0,
                       c[2] + h * (k / 25 - 2) / 2.0, model, projection, viewport, &x, &y, &z);
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

// Pixels that changed since an earlier frame, in a box (rows counted from the bottom).
int changedIn(const Frame& before, int x0, int y0, int x1, int y1) {
    Frame now = readFrame();
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            size_t i = ((size_t)y * 800 + x) * 4;
            n += now[i] != before[i] || now[i + 1] != before[i + 1] || now[i + 2] != before[i + 2];
        }
    return n;
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
    EXPECT_GT(changedIn(empty, 0, 0, 30, 600), 300);

    // An enemy 2 ahead, looking 20 degrees up: its feet lie 20 degrees below
    // the bottom edge, its raised hands 4 degrees inside it.
    thePlayer.pitch = 20.0f;
    harnessDrawFrame();
    empty = readFrame();
    testworld::addEnemy(&theArena, 70.0f, -2.0f, testworld::RED_SHIRT);
    harnessDrawFrame();
    EXPECT_GT(changedIn(empty, 300, 0, 500, 30), 1000);
}

TEST_F(FastDraw, TheSnowLookFollowsTheCoverFromFrameToFrame) {
    testview::emptyPark();
    float x = 0.0f, z = 0.0f;
    for (float zz = -100.0f; zz <= 100.0f && x == 0.0f; zz += 4.0f)
        for (float xx = -100.0f; xx <= 100.0f && x == 0.0f; xx += 4.0f)
            if (snowPatchAt(xx, zz) > 0.99f && testview::streamDistance(xx, zz) > 15.0f) x = xx, z = zz;
    ASSERT_NE(x, 0.0f);
    standAt(x, z);
    thePlayer.pitch = -89.0f;
    auto groundAt = [&](float cover) {
        theArena.snowCover = cover;
        harnessDrawFrame();
        return offscreenPixel(300, 300);
    };
    PixelColour light = groundAt(0.3f), heavy = groundAt(0.9f), lightAgain = groundAt(0.3f);
    parkBuilt.groundLists = 0;  // the colours worked out afresh
    PixelColour heavyAfresh = groundAt(0.9f);
    EXPECT_GT(heavy.red, light.red + 30);
    EXPECT_TRUE(colourNear(lightAgain, light.red, light.green, light.blue, 0));
    EXPECT_TRUE(colourNear(heavy, heavyAfresh.red, heavyAfresh.green, heavyAfresh.blue, 0));
}
