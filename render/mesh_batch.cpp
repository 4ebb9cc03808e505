#include "render/mesh_batch.h"

#include "render/gl.h"
#include "render/quadric_mesh.h"

namespace {

// The distinct shapes cut so far, each kept with its triangles. Enough for
// every shape the creatures use; past that a shape is cut afresh each time.
const int MAX_SHAPES = 48;
const int SHAPE_VERTICES = 8192;
const int SHAPE_CORNERS = 3 * SHAPE_VERTICES;

enum ShapeKind { SHAPE_SPHERE, SHAPE_CYLINDER, SHAPE_DISC };

struct ShapeKey {
    int kind;
    double a, b, c;  // radius, or base, top and height
    int slices, stacks;
};

struct CutShape {
    ShapeKey key;
    int firstVertex, vertexCount;
    int firstCorner, cornerCount;
};

CutShape shapes[MAX_SHAPES];
int shapeCount = 0;
MeshVertex shapeVertices[SHAPE_VERTICES];
int shapeCorners[SHAPE_CORNERS];
int shapeVertexCount = 0, shapeCornerCount = 0;
QuadricMesh mesh;
int meshCorners[MESH_MAX_CORNERS];

// One batch holds a creature many times over; a fuller one is drawn early.
const int BATCH_VERTICES = 4096;
const int BATCH_CORNERS = 3 * BATCH_VERTICES;
float batchPosition[BATCH_VERTICES][3];
float batchNormal[BATCH_VERTICES][3];
float batchColour[BATCH_VERTICES][4];
GLuint batchCorners[BATCH_CORNERS];
int batchVertexCount = 0, batchCornerCount = 0;

int sameKey(const ShapeKey& x, const ShapeKey& y) {
    return x.kind == y.kind && x.a == y.a && x.b == y.b && x.c == y.c && x.slices == y.slices &&
           x.stacks == y.stacks;
}

// The cut shape, from the store or cut now; the mesh scratch holds it when the store is full.
CutShape cutShape(const ShapeKey& key) {
    for (int i = 0; i < shapeCount; ++i)
        if (sameKey(shapes[i].key, key)) return shapes[i];
    if (key.kind == SHAPE_SPHERE)
        sphereMesh(&mesh, key.a, key.slices, key.stacks);
    else if (key.kind == SHAPE_CYLINDER)
        cylinderMesh(&mesh, key.a, key.b, key.c, key.slices, key.stacks);
    else
        discMesh(&mesh, key.a, key.slices);
    int corners = meshTriangles(&mesh, meshCorners);
    CutShape cut = {key, -1, mesh.vertexCount, -1, corners};
    if (shapeCount < MAX_SHAPES && shapeVertexCount + mesh.vertexCount <= SHAPE_VERTICES &&
        shapeCornerCount + corners <= SHAPE_CORNERS) {
        cut.firstVertex = shapeVertexCount;
        cut.firstCorner = shapeCornerCount;
        for (int i = 0; i < mesh.vertexCount; ++i)
            shapeVertices[shapeVertexCount++] = mesh.vertices[i];
        for (int i = 0; i < corners; ++i) shapeCorners[shapeCornerCount++] = meshCorners[i];
        shapes[shapeCount++] = cut;
    }
    return cut;
}

// Room for so many more; a full batch is drawn first.
int makeRoom(int vertices, int corners) {
    if (batchVertexCount + vertices > BATCH_VERTICES || batchCornerCount + corners > BATCH_CORNERS)
        drawMeshBatch();
    return vertices <= BATCH_VERTICES && corners <= BATCH_CORNERS;
}

void colourVertices(int first, int count, BatchColour colour) {
    for (int i = first; i < first + count; ++i) {
        batchColour[i][0] = colour.red;
        batchColour[i][1] = colour.green;
        batchColour[i][2] = colour.blue;
        batchColour[i][3] = colour.alpha;
    }
}

void batchShape(const ShapeKey& key, const Placement* p, BatchColour colour) {
    CutShape cut = cutShape(key);
    const MeshVertex* vertices =
        cut.firstVertex >= 0 ? &shapeVertices[cut.firstVertex] : mesh.vertices;
    const int* corners = cut.firstCorner >= 0 ? &shapeCorners[cut.firstCorner] : meshCorners;
    if (!makeRoom(cut.vertexCount, cut.cornerCount)) return;
    int first = batchVertexCount;
    placeVertices(p, vertices, cut.vertexCount, &batchPosition[first], &batchNormal[first]);
    colourVertices(first, cut.vertexCount, colour);
    for (int i = 0; i < cut.cornerCount; ++i)
        batchCorners[batchCornerCount++] = (GLuint)(first + corners[i]);
    batchVertexCount += cut.vertexCount;
}

}  // namespace

void beginMeshBatch() {
    batchVertexCount = 0;
    batchCornerCount = 0;
}

void batchSphere(const Placement* p, double radius, int slices, int stacks, BatchColour colour) {
    batchShape(ShapeKey{SHAPE_SPHERE, radius, 0.0, 0.0, slices, stacks}, p, colour);
}

void batchCylinder(const Placement* p, double baseRadius, double topRadius, double height,
                   int slices, BatchColour colour) {
    batchShape(ShapeKey{SHAPE_CYLINDER, baseRadius, topRadius, height, slices, 1}, p, colour);
}

void batchDisc(const Placement* p, double radius, int slices, BatchColour colour) {
    batchShape(ShapeKey{SHAPE_DISC, radius, 0.0, 0.0, slices, 1}, p, colour);
}

void batchTriangle(const Placement* p, const float corners[3][3], BatchColour colour) {
    if (!makeRoom(3, 3)) return;
    const MeshVertex vertices[3] = {
        {corners[0][0], corners[0][1], corners[0][2], 0.0f, 0.0f, 1.0f},
        {corners[1][0], corners[1][1], corners[1][2], 0.0f, 0.0f, 1.0f},
        {corners[2][0], corners[2][1], corners[2][2], 0.0f, 0.0f, 1.0f}};
    int first = batchVertexCount;
    placeVertices(p, vertices, 3, &batchPosition[first], &batchNormal[first]);
    colourVertices(first, 3, colour);
    for (int i = 0; i < 3; ++i) batchCorners[batchCornerCount++] = (GLuint)(first + i);
    batchVertexCount += 3;
}

void drawMeshBatch() {
    if (batchCornerCount > 0) {
        glVertexPointer(3, GL_FLOAT, 0, batchPosition);
        glNormalPointer(GL_FLOAT, 0, batchNormal);
        glColorPointer(4, GL_FLOAT, 0, batchColour);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glDrawElements(GL_TRIANGLES, batchCornerCount, GL_UNSIGNED_INT, batchCorners);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    beginMeshBatch();
}
