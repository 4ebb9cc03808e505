#pragma once

#include "render/placed_mesh.h"

// Quadric shapes moved into world coordinates on the CPU and gathered into
// one set of arrays, drawn with a single call. For things that move every
// frame and are put together from many small shapes (creatures, fish,
// clouds): one draw call a batch instead of one, with its matrix changes, a
// shape. The shapes are drawn as the triangles GL cuts their strips and fans
// into, in the order they were added, so they look as the strips would, and
// translucent ones blend in the same order.

// Empties the batch.
void beginMeshBatch();
struct BatchColour {
    float red, green, blue, alpha;
};

// A sphere, cylinder or disc as GLU cuts it (sizes as doubles, as GLU takes them),
// under the placement, in one colour (lit through the colour material).
void batchSphere(const Placement* p, double radius, int slices, int stacks, BatchColour colour);
void batchCylinder(const Placement* p, double baseRadius, double topRadius, double height,
                   int slices, BatchColour colour);
void batchDisc(const Placement* p, double radius, int slices, BatchColour colour);
// One triangle under the placement, facing along local +z.
void batchTriangle(const Placement* p, const float corners[3][3], BatchColour colour);
// Draws what the batch holds (separate triangles from vertex, normal and
// colour arrays) and empties it.
void drawMeshBatch();
