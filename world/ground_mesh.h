#pragma once

#include "render/sector_lists.h"

// The ground as it is drawn, built once from the height grid: the park's cells,
// their stream bed kept under the water from bank to bank, and around the park
// a flat skirt reaching past anything the view can show. Walking, shots and
// placement keep to the height grid itself; only the picture differs from it.

// The pieces, each culled on its own: the park's sectors, then the skirt's
// near and far rings, each cut into as many pieces along the park's edge.
enum GroundPart { GROUND_PARK, GROUND_NEAR_SKIRT, GROUND_FAR_SKIRT, GROUND_PARTS };

struct GroundPiece {
    int firstVertex;
    int vertexCount;
    int firstIndex;  // into groundIndices; the indices count from the piece's first vertex
    int triangleCount;
};

const int MAX_GROUND_VERTICES = 40000;
const int MAX_GROUND_TRIANGLES = 56000;

extern float groundVertices[MAX_GROUND_VERTICES][3];
extern unsigned short groundIndices[3 * MAX_GROUND_TRIANGLES];
extern GroundPiece groundPieces[GROUND_PARTS][SECTOR_COUNT];

// From the height grid and the stream's centre line as they stand.
void buildGroundMesh();
