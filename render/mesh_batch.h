#pragma once

#include "render/placed_mesh.h"

// Quadric shapes moved into world coordinates on the CPU and gathered into
// one set of arrays, drawn with a single call. For things that move every
// frame and are put together from many small shapes (the creatures): one
// draw call a creature instead of one, with its matrix changes, a shape.
// The shapes are drawn as the triangles GL cuts their strips and fans into,
// so they look as the strips would.

// Empties the batch.
void beginMeshBatch();
// A sphere or cylinder as GLU cuts it (sizes as doubles, as GLU takes them),
// under the placement, in one colour (lit through the colour material).
void batchSphere(const Placement* p, double radius, int slices, int stacks, float red, float green, float blue);
void batchCylinder(const Placement* p, double baseRadius, double topRadius, double height, int slices, float red,
                   float green, float blue);
// Draws what the batch holds (separate triangles from vertex, normal and
// colour arrays) and empties it.
void drawMeshBatch();
