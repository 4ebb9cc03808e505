#include "world/ground_mesh.h"

#include <algorithm>
#include <cmath>

#include "world/terrain.h"

float groundVertices[MAX_GROUND_VERTICES][3];
unsigned short groundIndices[3 * MAX_GROUND_TRIANGLES];
GroundPiece groundPieces[GROUND_PARTS][SECTOR_COUNT];

namespace {

const int SECTOR_CELLS = TERRAIN_CELLS / SECTOR_GRID;
const int SECTOR_SIDE = SECTOR_CELLS + 1;

// The skirt: rings of vertices on rays from the park's centre. Each ring's
// sides are cut into equal steps and each ring lies one step out from the
// last, so the cells stay about square as they grow. The near rings take 64
// steps a side (the snow patches' own spacing at the park's edge) out to
// 194.5, the far ones 32 out to 454, beyond the far plane's reach from
// anywhere in the park; the first ring meets the park's 128 edge points.
const int NEAR_STEPS = 64;
const int NEAR_RINGS = 14;
const int FAR_STEPS = 32;
const int FAR_RINGS = 14;
const int PIECES_PER_SIDE = SECTOR_COUNT / 4;

int vertexCount;
int triangleCount;
GroundPiece* piece;

float gridCoordinate(int i) { return i * terrainCellSize() - TERRAIN_HALF_SIZE; }

void beginPiece(GroundPiece* p) {
    piece = p;
    piece->firstVertex = vertexCount;
    piece->vertexCount = 0;
    piece->firstIndex = 3 * triangleCount;
    piece->triangleCount = 0;
}

// The new vertex's index within the piece.
int addVertex(float x, float y, float z) {
    if (vertexCount >= MAX_GROUND_VERTICES) return 0;
    groundVertices[vertexCount][0] = x;
    groundVertices[vertexCount][1] = y;
    groundVertices[vertexCount][2] = z;
    ++vertexCount;
    return piece->vertexCount++;
}

void addTriangle(int a, int b, int c) {
    if (triangleCount >= MAX_GROUND_TRIANGLES) return;
    unsigned short* t = &groundIndices[3 * triangleCount];
    t[0] = (unsigned short)a;
    t[1] = (unsigned short)b;
    t[2] = (unsigned short)c;
    ++triangleCount;
    ++piece->triangleCount;
}

// A triangle turned to face up (counter-clockwise seen from above).
void addUpTriangle(int a, int b, int c) {
    const float* p = groundVertices[piece->firstVertex + a];
    const float* q = groundVertices[piece->firstVertex + b];
    const float* r = groundVertices[piece->firstVertex + c];
    float up = (q[2] - p[2]) * (r[0] - p[0]) - (q[0] - p[0]) * (r[2] - p[2]);
    if (up >= 0.0f)
        addTriangle(a, b, c);
    else
        addTriangle(a, c, b);
}

void buildParkSector(int sector) {
    beginPiece(&groundPieces[GROUND_PARK][sector]);
    int r0 = (sector / SECTOR_GRID) * SECTOR_CELLS;
    int k0 = (sector % SECTOR_GRID) * SECTOR_CELLS;
    for (int j = r0; j <= r0 + SECTOR_CELLS; ++j) {
        for (int i = k0; i <= k0 + SECTOR_CELLS; ++i) {
            addVertex(gridCoordinate(i), terrainHeights[j][i], gridCoordinate(j));
        }
    }
    auto corner = [&](int j, int i) { return (j - r0) * SECTOR_SIDE + (i - k0); };
    for (int j = r0; j < r0 + SECTOR_CELLS; ++j) {
        for (int i = k0; i < k0 + SECTOR_CELLS; ++i) {
            addTriangle(corner(j, i), corner(j + 1, i), corner(j, i + 1));
            addTriangle(corner(j, i + 1), corner(j + 1, i), corner(j + 1, i + 1));
        }
    }
}

// Ring 0 is the park's edge; rings 1 .. NEAR_RINGS the near skirt, the rest the far.
float ringHalfSize(int ring) {
    double h = TERRAIN_HALF_SIZE * std::pow(1.0 + 2.0 / NEAR_STEPS, std::min(ring, NEAR_RINGS));
    if (ring > NEAR_RINGS) h *= std::pow(1.0 + 2.0 / FAR_STEPS, ring - NEAR_RINGS);
    return (float)h;
}

// Point p of a ring with the given steps a side, going round from the
// (-x, -z) corner along -z, then +x, +z and -x.
int addRingPoint(int ring, int p, int steps) {
    p %= 4 * steps;
    int side = p / steps;
    int k = p % steps;
    if (ring == 0) {
        // The park's own edge points, heights and all.
        const int columns[4] = {k, TERRAIN_CELLS, TERRAIN_CELLS - k, 0};
        const int rows[4] = {0, k, TERRAIN_CELLS, TERRAIN_CELLS - k};
        int i = columns[side];
        int j = rows[side];
        return addVertex(gridCoordinate(i), terrainHeights[j][i], gridCoordinate(j));
    }
    float f = (float)(2 * k - steps) / (float)steps;
    const float ux[4] = {f, 1.0f, -f, -1.0f};
    const float uz[4] = {-1.0f, f, 1.0f, -f};
    float h = ringHalfSize(ring);
    return addVertex(h * ux[side], 0.0f, h * uz[side]);
}

// The points of a ring from p0, count steps on; returns the first one's index.
int addRing(int ring, int steps, int p0, int count) {
    int first = piece->vertexCount;
    for (int q = 0; q <= count; ++q) addRingPoint(ring, p0 + q, steps);
    return first;
}

// Cells between an inner ring's points and the next ring's, count steps of
// the outer; each outer step spans one inner step or two.
void addSkirtBand(int inner, int outer, int count, int ratio) {
    for (int q = 0; q < count; ++q) {
        int o = outer + q;
        int i = inner + ratio * q;
        addUpTriangle(i, i + 1, o);
        addUpTriangle(i + 1, o + 1, o);
        if (ratio == 2) addUpTriangle(i + 1, i + 2, o + 1);
    }
}

void buildSkirtPiece(int side, int chunk) {
    int at = side * PIECES_PER_SIDE + chunk;
    int count = NEAR_STEPS / PIECES_PER_SIDE;
    int p0 = side * NEAR_STEPS + chunk * count;
    beginPiece(&groundPieces[GROUND_NEAR_SKIRT][at]);
    int inner = addRing(0, TERRAIN_CELLS, 2 * p0, 2 * count);
    int ring = 1;
    int outer = addRing(ring, NEAR_STEPS, p0, count);
    addSkirtBand(inner, outer, count, 2);
    for (; ring < NEAR_RINGS; ++ring) {
        inner = outer;
        outer = addRing(ring + 1, NEAR_STEPS, p0, count);
        addSkirtBand(inner, outer, count, 1);
    }
    beginPiece(&groundPieces[GROUND_FAR_SKIRT][at]);
    inner = addRing(ring, NEAR_STEPS, p0, count);
    count = FAR_STEPS / PIECES_PER_SIDE;
    p0 = side * FAR_STEPS + chunk * count;
    ring += 1;
    outer = addRing(ring, FAR_STEPS, p0, count);
    addSkirtBand(inner, outer, count, 2);
    for (; ring < NEAR_RINGS + FAR_RINGS; ++ring) {
        inner = outer;
        outer = addRing(ring + 1, FAR_STEPS, p0, count);
        addSkirtBand(inner, outer, count, 1);
    }
}

}  // namespace

void buildGroundMesh() {
    vertexCount = 0;
    triangleCount = 0;
    for (int s = 0; s < SECTOR_COUNT; ++s) buildParkSector(s);
    for (int side = 0; side < 4; ++side)
        for (int chunk = 0; chunk < PIECES_PER_SIDE; ++chunk) buildSkirtPiece(side, chunk);
}
