#include "render/primitives.h"

#include "render/gl.h"
#include "render/quadric_mesh.h"
#include "world/park.h"

namespace {

// Enough for every distinct shape the creatures, fish, clouds and sign use.
const int MAX_SHAPES = 64;

struct ShapeKey {
    int sphere;
    double a, b, c;  // radius, or base, top and height
    int slices, stacks;
};

struct ShapeList {
    ShapeKey key;
    unsigned list;
};

ShapeList shapes[MAX_SHAPES];
int shapeCount = 0;
QuadricMesh mesh;

int sameKey(const ShapeKey& x, const ShapeKey& y) {
    return x.sphere == y.sphere && x.a == y.a && x.b == y.b && x.c == y.c && x.slices == y.slices &&
           x.stacks == y.stacks;
}

void cutMesh(const ShapeKey& key) {
    if (key.sphere)
        sphereMesh(&mesh, key.a, key.slices, key.stacks);
    else
        cylinderMesh(&mesh, key.a, key.b, key.c, key.slices, key.stacks);
}

void drawShape(const ShapeKey& key) {
    if (!parkBuilt.shapeLists) {
        // A fresh context: the old list names mean nothing in it.
        shapeCount = 0;
        parkBuilt.shapeLists = 1;
    }
    for (int i = 0; i < shapeCount; ++i) {
        if (sameKey(shapes[i].key, key)) {
            glCallList(shapes[i].list);
            return;
        }
    }
    cutMesh(key);
    unsigned list = shapeCount < MAX_SHAPES ? glGenLists(1) : 0;
    if (!list) {
        drawMesh(&mesh);
        return;
    }
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    drawMesh(&mesh);
    glEndList();
    shapes[shapeCount++] = ShapeList{key, list};
}

}  // namespace

void drawCylinder(double baseRadius, double topRadius, double height, int slices) {
    drawShape(ShapeKey{0, baseRadius, topRadius, height, slices, 1});
}

void drawSphere(double radius, int slices, int stacks) { drawShape(ShapeKey{1, radius, 0.0, 0.0, slices, stacks}); }
