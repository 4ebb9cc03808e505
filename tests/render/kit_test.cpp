#include "render/mesh_batch.h"
#include "render/sector_lists.h"
#include "render_fixture.h"

// The drawing kit against GL's own ways: shapes cut as GLU cuts them, placed as GL's matrices
// place them, batched as drawn one by one; culling against GL's clip volume; lists as immediate
// drawing.

namespace {

struct Shape {
    int sphere;
    double a, b, c;  // radius, or base, top and height
    int slices, stacks;
};

// Moved, turned about a slanted axis and stretched unevenly, so the normals must follow.
void placeByGl(float s) {
    glTranslatef(0.3f * s, -0.2f * s, 0.1f * s);
    glRotatef(30, 1, 2, 0.5f);
    glScalef(1.2f, 0.8f, 1);
}
Placement placeByHand(float s) {
    Placement p = placementAt(0.3f * s, -0.2f * s, 0.1f * s);
    placeRotate(&p, 30, 1, 2, 0.5f);
    placeScale(&p, 1.2f, 0.8f, 1);
    return p;
}

// Lit by the scene's light, seen from 4 sizes away, above or below.
void litView(float size, float side = 1) {
    const Vec3 eye = vecScale({1.5f, 2, 3}, side * size);
    bare(eyeOn(eye, {0, 0, 0}), 60, {0.2f, 0.2f, 0.3f});
    setSceneLight(0);
    glColor3f(0.7f, 0.5f, 0.3f);
}

}  // namespace

// Spheres and cylinders, tapered and not, coarse and fine, drawn by GLU under GL's matrices, as
// placed triangles and from a batch, light the same pixels.
TEST_F(RenderTest, ShapesPlacedAndBatchedLookAsGluDrawsThem) {
    const Shape SHAPES[] = {
        {1, 1, 0, 0, 10, 8},          {1, 0.35, 0, 0, 6, 4},   {1, 0.07, 0, 0, 4, 3},
        {1, 2, 0, 0, 16, 16},         {0, 0.25, 0.2, 1, 8, 1}, {0, 1, 1, 1, 8, 1},
        {0, 0.01, 0.005, 0.22, 5, 1}, {0, 0.5, 0, 1, 3, 1},    {0, 0.5, 0.3, 1, 7, 3}};
    GLUquadric* q = gluNewQuadric();
    for (const Shape& s : SHAPES) {
        for (float side : {1, -1}) {
            const float size = (float)(s.sphere ? s.a : s.c);
            litView(size, side);
            placeByGl(size);
            if (s.sphere)
                gluSphere(q, s.a, s.slices, s.stacks);
            else
                gluCylinder(q, s.a, s.b, s.c, s.slices, s.stacks);
            const Frame glu = grab();
            litView(size, side);
            QuadricMesh mesh;
            if (s.sphere)
                sphereMesh(&mesh, s.a, s.slices, s.stacks);
            else
                cylinderMesh(&mesh, s.a, s.b, s.c, s.slices, s.stacks);
            const Placement p = placeByHand(size);
            glBegin(GL_TRIANGLES);
            placedTriangles(&mesh, &p, nullptr);
            glEnd();
            const Frame placed = grab();
            litView(size, side);
            beginMeshBatch();  // a batch's cylinders have one stack
            if (s.sphere)
                batchSphere(&p, s.a, s.slices, s.stacks, {0.7f, 0.5f, 0.3f, 1});
            else
                batchCylinder(&p, s.a, s.b, s.c, s.slices, {0.7f, 0.5f, 0.3f, 1});
            drawMeshBatch();
            const Frame batched = grab();
            litView(size, side);
            const int shown = differing(glu, grab(), 2);
            EXPECT_GT(shown, 500) << s.a;
            EXPECT_EQ(differing(placed, glu, 2), 0) << s.a << " placed, seen from " << side;
            if (s.stacks == 1 || s.sphere)
                EXPECT_EQ(differing(batched, glu, 2), 0) << s.a << " batched, seen from " << side;
        }
    }
    gluDeleteQuadric(q);
}

// Sixty shapes of their own sizes and triangles in one batch (past what the batch and its store of
// cut shapes hold, so it draws early and cuts some afresh) look as sixty batches of one.
TEST_F(RenderTest, OneBatchLooksAsOneBatchAShape) {
    Frame frames[2];
    for (int together = 0; together < 2; ++together) {
        litView(6);
        beginMeshBatch();
        for (int i = 0; i < 60; ++i) {
            const Placement p = placementAt(i % 8 - 3.5f, i / 8 - 3.5f, 0.1f * (i % 3));
            const BatchColour c = {0.2f + 0.01f * i, 0.5f, 0.9f - 0.01f * i, 1};
            const float corners[3][3] = {{0, 0, 0.5f}, {0.5f, 0, 0.5f}, {0, 0.5f, 0.5f}};
            if (i % 5 == 4)
                batchTriangle(&p, corners, c);
            else if (i % 2)
                batchSphere(&p, 0.4 + 0.001 * i, 16, 16, c);
            else
                batchCylinder(&p, 0.4, 0.1 + 0.001 * i, 0.5, 16, c);
            if (!together) drawMeshBatch();
        }
        drawMeshBatch();
        frames[together] = grab();
    }
    litView(6);
    EXPECT_GT(differing(frames[0], grab(), 2), 10000);
    EXPECT_EQ(differing(frames[0], frames[1], 2), 0);
}

// Culling asked a second way: a point is in view when GL's own matrices put it inside the clip
// volume (a big sphere reaches in from outside); sectors in view come nearest box first.
TEST_F(RenderTest, CullingKeepsWhatIsInViewAndDropsWhatIsNot) {
    setView(eyeOn({10, 8, -20}, {40, 2, 15}), 60);
    const ViewFrustum view = currentViewFrustum();
    EXPECT_NEAR(std::hypot(view.eye[0] - 10, view.eye[1] - 8, view.eye[2] + 20), 0, 1e-3);
    double m[16], p[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    seedRandom(7);
    int in = 0, out = 0;
    for (int n = 0; n < 5000; ++n) {
        const double w[4] = {randomFloat(-150, 150), randomFloat(-30, 60), randomFloat(-150, 150),
                             1};
        double e[4] = {}, c[4] = {};  // eye and clip coordinates
        for (int r = 0; r < 16; ++r) e[r / 4] += m[r % 4 * 4 + r / 4] * w[r % 4];
        for (int r = 0; r < 16; ++r) c[r / 4] += p[r % 4 * 4 + r / 4] * e[r % 4];
        const float x = (float)w[0], y = (float)w[1], z = (float)w[2];
        const Bounds b = {{x, y, z}, {x, y, z}, 0};
        const bool inside =
            -e[2] > 0.11 && -e[2] < 199 && std::fabs(c[0]) < c[3] && std::fabs(c[1]) < c[3];
        const bool outside = -e[2] < 0.09 || -e[2] > 201 || std::fabs(c[0]) > 1.12 * c[3] ||
                             std::fabs(c[1]) > 1.12 * c[3];
        in += inside;
        out += outside;
        if (inside || outside) {
            EXPECT_EQ(boundsInView(&view, &b), inside) << x << " " << y << " " << z;
            EXPECT_EQ(sphereInView(&view, x, y, z, 0), inside) << x << " " << y << " " << z;
            EXPECT_EQ(sphereInView(&view, x, y, z, 400), 1) << x << " " << y << " " << z;
        }
    }
    EXPECT_GT(in, 100);
    EXPECT_GT(out, 1000);
    Bounds boxes[SECTOR_COUNT];
    const float size = 253.0f / SECTOR_GRID;  // a square's own sector, the border's beyond
    for (int s = 0; s < SECTOR_COUNT; ++s) {
        const float x = -126.5f + (s % SECTOR_GRID + 0.5f) * size;
        const float z = -126.5f + (s / SECTOR_GRID + 0.5f) * size;
        EXPECT_EQ(sectorAt(x, z, 126.5f), s);
        boxes[s] = emptyBounds();
        growBounds(&boxes[s], x + size / 2, 10, z + size / 2);
        growBounds(&boxes[s], x - size / 2, 0, z - size / 2);
    }
    EXPECT_EQ(sectorAt(-500, -500, 126.5f), 0);
    EXPECT_EQ(sectorAt(500, -500, 126.5f), SECTOR_GRID - 1);
    EXPECT_EQ(sectorAt(500, 500, 126.5f), SECTOR_COUNT - 1);
    boxes[9] = emptyBounds();  // nothing in it: never in view
    int order[SECTOR_COUNT], listed[SECTOR_COUNT] = {};
    const int count = sectorsInView(boxes, &view, order);
    EXPECT_TRUE(within(count, 9, 39));
    for (int i = 0; i < count; ++i) ++listed[order[i]];
    for (int i = 1; i < count; ++i)
        EXPECT_LE(boundsDistanceSquared(&view, &boxes[order[i - 1]]),
                  boundsDistanceSquared(&view, &boxes[order[i]]));
    for (int s = 0; s < SECTOR_COUNT; ++s)
        EXPECT_EQ(listed[s], boundsInView(&view, &boxes[s])) << s;
    EXPECT_EQ(listed[9], 0);
    // The distance to a box: to its nearest face, edge or corner, 0 inside.
    const Bounds b = {{11, 8, -20}, {12, 9, -19}, 0};
    EXPECT_NEAR(boundsDistanceSquared(&view, &b), 1 + 0 + 0, 1e-3);
    const Bounds c = {{12, 10, -25}, {13, 12, -22}, 0};
    EXPECT_NEAR(boundsDistanceSquared(&view, &c), 4 + 4 + 4, 1e-3);
}

// The forest and the bushes from their culled sector lists look as every tree, rock and bush
// submitted afresh, from near and far, high and low, at the edge of the park and in its middle.
TEST_F(RenderTest, SceneryListsLookAsImmediateDrawing) {
    const Rgb sky = {0.5f, 0.7f, 0.9f};
    const PlayerState views[] = {eyeOn({0, 30, 30}, {0, 0, 0}), eyeOn({-120, 4, -120}, {0, 0, 0}),
                                 eyeOn({100, 3, 20}, {60, 2, -40}), eyeOn({0, 60, 0}, {1, 0, 0})};
    for (const PlayerState& v : views) {
        bare(v, 60, sky);
        setSceneLight(0);
        drawForest();
        drawStreamBushes();
        const Frame lists = grab();
        bare(v, 60, sky);
        setSceneLight(0);
        glBegin(GL_TRIANGLES);
        for (const TreeRecord& t : trees) submitTree(&t, nullptr);
        for (const RockRecord& r : rocks) submitRock(&r, nullptr);
        glEnd();
        for (const StreamBush& b : streamBushes) drawStreamBush(&b);
        const Frame immediate = grab();
        bare(v, 60, sky);
        EXPECT_GT(differing(immediate, grab()), 2000) << v.position.x;
        EXPECT_LE(differing(lists, immediate, 2), 10) << v.position.x;
    }
}
