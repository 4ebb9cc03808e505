#include "render/mesh_batch.h"
#include "render/sector_lists.h"
#include "render_fixture.h"

// The drawing kit against GL's own ways: GLU's shapes, GL's matrices and its clip volume.

namespace {

// Lit by the scene's light, seen from 4 sizes away, above or below.
void litView(float size, float side = 1) {
    bare(eyeOn(vecScale({1.5f, 2, 3}, side * size), {0, 0, 0}), 60, {0.2f, 0.2f, 0.3f}, 0);
    glColor3f(0.7f, 0.5f, 0.3f);
}

}  // namespace

// Spheres and cylinders, tapered and not, coarse and fine, drawn by GLU under GL's matrices (moved,
// turned about a slanted axis and stretched unevenly, so the normals must follow), as placed
// triangles and from a batch, light the same pixels. Cut, they hold GLU's unit normals; drawn, a
// batch switches its arrays back off.
TEST_F(RenderTest, ShapesPlacedAndBatchedLookAsGluDrawsThem) {
    const struct {
        int sphere;
        double a, b, c;  // radius, or base, top and height
        int slices, stacks;
    } SHAPES[] = {{1, 1, 0, 0, 10, 8},          {1, 0.35, 0, 0, 6, 4},   {1, 0.07, 0, 0, 4, 3},
                  {1, 2, 0, 0, 16, 16},         {0, 0.25, 0.2, 1, 8, 1}, {0, 1, 1, 1, 8, 1},
                  {0, 0.01, 0.005, 0.22, 5, 1}, {0, 0.5, 0, 1, 3, 1},    {0, 0.5, 0.3, 1, 7, 3}};
    GLUquadric* q = gluNewQuadric();
    for (const auto& s : SHAPES) {
        for (float side : {1, -1}) {
            const float size = (float)(s.sphere ? s.a : s.c);
            litView(size, side);
            glTranslatef(0.3f * size, -0.2f * size, 0.1f * size);
            glRotatef(30, 1, 2, 0.5f);
            glScalef(1.2f, 0.8f, 1);
            if (s.sphere)
                gluSphere(q, s.a, s.slices, s.stacks);
            else
                gluCylinder(q, s.a, s.b, s.c, s.slices, s.stacks);
            const Frame glu = grab();
            Placement p = placementAt(0.3f * size, -0.2f * size, 0.1f * size);
            placeRotate(&p, 30, 1, 2, 0.5f);
            placeScale(&p, 1.2f, 0.8f, 1);
            QuadricMesh mesh;
            if (s.sphere)
                sphereMesh(&mesh, s.a, s.slices, s.stacks);
            else
                cylinderMesh(&mesh, s.a, s.b, s.c, s.slices, s.stacks);
            for (const MeshVertex* v = mesh.vertices; v < mesh.vertices + mesh.vertexCount; ++v)
                EXPECT_NEAR(vecLength({v->nx, v->ny, v->nz}), 1, 1e-5f) << s.a << ": a normal";
            litView(size, side);
            glBegin(GL_TRIANGLES);
            placedTriangles(&mesh, &p, nullptr);
            glEnd();
            const Frame placed = grab();
            litView(size, side);
            const std::vector<float> found = glState();
            beginMeshBatch();  // sixty smaller spheres inside, past what a batch and its store hold
            for (int k = 60; s.sphere && k >= 0; --k)
                batchSphere(&p, s.a * (1 - 0.005 * k), s.slices, s.stacks, {0.7f, 0.5f, 0.3f, 1});
            if (!s.sphere) batchCylinder(&p, s.a, s.b, s.c, s.slices, {0.7f, 0.5f, 0.3f, 1});
            drawMeshBatch();
            EXPECT_EQ(glState(), found) << s.a << ": the batch's arrays switched back off";
            const Frame batched = grab();
            EXPECT_EQ(differing(placed, glu, 2), 0) << s.a << " placed, seen from " << side;
            if (s.stacks > 1 && !s.sphere) continue;  // a batch's cylinders have one stack
            EXPECT_EQ(differing(batched, glu, 2), 0) << s.a << " batched, seen from " << side;
        }
    }
    gluDeleteQuadric(q);
}

// A point is in view when GL's own matrices put it inside the clip volume; a box is as far as its
// nearest face, edge or corner.
TEST_F(RenderTest, CullingKeepsWhatIsInViewAndDropsWhatIsNot) {
    setView(eyeOn({10, 8, -20}, {40, 2, 15}), 60);
    const ViewFrustum view = currentViewFrustum();
    EXPECT_NEAR(std::hypot(view.eye[0] - 10, view.eye[1] - 8, view.eye[2] + 20), 0, 1e-3);
    double m[16], p[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    seedRandom(7);
    for (int n = 0; n < 5000; ++n) {
        const float x = randomFloat(-150, 150), y = randomFloat(-30, 60),
                    z = randomFloat(-150, 150);
        const double w[4] = {x, y, z, 1};
        double e[4] = {}, c[4] = {};  // eye and clip coordinates, by GL's column-major matrices
        for (int r = 0; r < 16; ++r) e[r % 4] += m[r] * w[r / 4];
        for (int r = 0; r < 16; ++r) c[r % 4] += p[r] * e[r / 4];
        const bool inside =
            -e[2] > 0.11 && -e[2] < 199 && std::fabs(c[0]) < c[3] && std::fabs(c[1]) < c[3];
        const bool outside = -e[2] < 0.09 || -e[2] > 201 || std::fabs(c[0]) > 1.12 * c[3] ||
                             std::fabs(c[1]) > 1.12 * c[3];
        if (!inside && !outside) continue;
        const Bounds b = {{x, y, z}, {x, y, z}, 0};
        EXPECT_EQ(boundsInView(&view, &b), inside) << x << " " << y << " " << z;
        EXPECT_EQ(sphereInView(&view, x, y, z, 0), inside) << x << " " << y << " " << z;
    }
    // Sector squares 253 / 8 wide from -126.5, row by row; whatever lies beyond, in the border's.
    EXPECT_EQ(sectorAt(-126.5f + 253 * 2.5f / 8, -126.5f + 253 * 5.5f / 8, 126.5f), 5 * 8 + 2);
    EXPECT_EQ(sectorAt(-500, 500, 126.5f), SECTOR_COUNT - SECTOR_GRID);
    EXPECT_EQ(sectorAt(500, -500, 126.5f), SECTOR_GRID - 1);
    const Bounds box = {{12, 10, -25}, {13, 12, -22}, 0};  // its corner (12, 10, -22) from the eye
    EXPECT_NEAR(boundsDistanceSquared(&view, &box), 4 + 4 + 4, 1e-3);
}
