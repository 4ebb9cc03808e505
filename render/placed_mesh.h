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

// glNormal3f of a normal given in the placement's frame (valid inside glBegin).
void placedNormal(const Placement* p, float nx, float ny, float nz);
// glVertex3f of a point given in the placement's frame.
void placedVertex(const Placement* p, float x, float y, float z, Bounds* bounds);
// Moves vertices into the world as the placement would: positions, and
// normals by its inverse transpose (left unnormalised), into two arrays.
void placeVertices(const Placement* p, const MeshVertex* vertices, int count, float (*position)[3],
                   float (*normal)[3]);
// The whole mesh under the placement, as the triangles GL cuts its strips and
// fans into (meshTriangles), inside a glBegin (GL_TRIANGLES) the caller
// opened: a list of scenery then holds one long run of separate triangles,
// colours changing along it, instead of thousands of short strips, which
// Mesa draws several times faster.
void placedTriangles(const QuadricMesh* mesh, const Placement* p, Bounds* bounds);
