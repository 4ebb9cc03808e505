#pragma once

#include "render/quadric_mesh.h"

// Geometry moved into world coordinates on the CPU, once, instead of by the
// model-view matrix on every frame: scenery that never moves is submitted
// this way while its display lists are compiled. A Placement is built like
// the model-view matrix (each operation applies to what is drawn after it);
// normals follow it as GL moves them (the inverse transpose), and GL's
// normal renormalisation evens out their length.

struct Placement {
    double m[3][4];  // rows; the last column is the translation
};

// Everything submitted through a placement grows its box.
struct Bounds {
    float min[3], max[3];
    int empty;
};

Placement placementAt(float x, float y, float z);
void placeTranslate(Placement* p, float x, float y, float z);
void placeRotate(Placement* p, float degrees, float ax, float ay, float az);
void placeScale(Placement* p, float x, float y, float z);

Bounds emptyBounds();
void growBounds(Bounds* b, float x, float y, float z);

// glNormal3f of a normal given in the placement's frame.
void placedNormal(const Placement* p, float nx, float ny, float nz);
// glVertex3f of a point given in the placement's frame.
void placedVertex(const Placement* p, float x, float y, float z, Bounds* bounds);
// The whole mesh, strip by strip, as drawMesh would draw it under the placement.
void drawPlacedMesh(const QuadricMesh* mesh, const Placement* p, Bounds* bounds);
