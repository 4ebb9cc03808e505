#include "world/ground_mesh.h"

#include <algorithm>
#include <cmath>

#include "world/terrain.h"
#include "world/water_draw.h"

float groundVertices[MAX_GROUND_VERTICES][3];
unsigned short groundIndices[3 * MAX_GROUND_TRIANGLES];
GroundPiece groundPieces[GROUND_PARTS][SECTOR_COUNT];

namespace {

// The bed under the water is drawn at least this far below its surface, so
// no bank between the grid's points shows through it.
const float BED_LIMIT = WATER_LEVEL - 0.05f;
const int SECTOR_CELLS = TERRAIN_CELLS / SECTOR_GRID;
const int SECTOR_SIDE = SECTOR_CELLS + 1;

// The skirt: rings of vertices on rays from the park's centre. Each ring's
// sides are cut into SKIRT_STEPS equal steps and each ring lies one step out
// from the last, so the cells stay about square as they grow; the first ring
// fans in to the park's 128 edge points a side, the last lies 462 out, beyond
// the far plane's reach from anywhere in the park. Snow comes from the
// texture, so the vertices only need to carry the light, which changes slowly
// out there. The near part holds the rings out to 180, the far part the rest.
const int SKIRT_STEPS = 16;
const int NEAR_RINGS = 3;
const int SKIRT_RINGS = 11;
const int PIECES_PER_SIDE = SECTOR_COUNT / 4;

int vertexCount;
int triangleCount;
GroundPiece* piece;

// Grid points of the stream's bed that the water's body covers.
bool bedUnderWater[TERRAIN_SAMPLES][TERRAIN_SAMPLES];

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

// Sideways from the line through segment k, positive on its left.
double segmentOffset(int k, double x, double z) {
    double dx = streamSampleX[k + 1] - streamSampleX[k];
    double dz = streamSampleZ[k + 1] - streamSampleZ[k];
    double length = std::hypot(dx, dz);
    if (length <= 0.0) return 0.0;
    return (dx * (z - streamSampleZ[k]) - dz * (x - streamSampleX[k])) / length;
}

// The park's edge is never lowered: the skirt meets it there.
void markBedUnderWater() {
    for (auto& row : bedUnderWater)
        for (bool& b : row) b = false;
    const float cell = terrainCellSize();
    const float reach = WATER_HALF_WIDTH + cell;
    for (int k = 0; k < STREAM_SAMPLES - 1; ++k) {
        float x0 = std::fmin(streamSampleX[k], streamSampleX[k + 1]) - reach;
        float x1 = std::fmax(streamSampleX[k], streamSampleX[k + 1]) + reach;
        float z0 = std::fmin(streamSampleZ[k], streamSampleZ[k + 1]) - reach;
        float z1 = std::fmax(streamSampleZ[k], streamSampleZ[k + 1]) + reach;
        int i0 = std::max(1, (int)((x0 + TERRAIN_HALF_SIZE) / cell));
        int i1 = std::min(TERRAIN_CELLS - 1, (int)((x1 + TERRAIN_HALF_SIZE) / cell) + 1);
        int j0 = std::max(1, (int)((z0 + TERRAIN_HALF_SIZE) / cell));
        int j1 = std::min(TERRAIN_CELLS - 1, (int)((z1 + TERRAIN_HALF_SIZE) / cell) + 1);
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i)
                if (streamSegmentDistance(k, gridCoordinate(i), gridCoordinate(j)) <
                    WATER_HALF_WIDTH)
                    bedUnderWater[j][i] = true;
    }
}

struct GridCorner {
    int j, i;   // grid row and column
    int index;  // within the piece
};

bool isUnderWater(GridCorner c) { return bedUnderWater[c.j][c.i]; }

struct EdgeCut {
    float x, z, height;  // where the water's edge crosses a grid edge, the ground's height there
};

// Where the water's edge crosses the edge from a (under water) to b (not), or
// the other way: worked out the same way from either end, so the two cells
// sharing the edge cut it at the very same point.
EdgeCut cutEdge(GridCorner a, GridCorner b) {
    if (a.j * TERRAIN_SAMPLES + a.i > b.j * TERRAIN_SAMPLES + b.i) {
        GridCorner t = a;
        a = b;
        b = t;
    }
    double ax = gridCoordinate(a.i), az = gridCoordinate(a.j);
    double bx = gridCoordinate(b.i), bz = gridCoordinate(b.j);
    int nearest = 0;
    double best = 1e30;
    for (int k = 0; k < STREAM_SAMPLES - 1; ++k) {
        double d = streamSegmentDistance(k, (float)(0.5 * (ax + bx)), (float)(0.5 * (az + bz)));
        if (d < best) {
            best = d;
            nearest = k;
        }
    }
    double oa = segmentOffset(nearest, ax, az);
    double ob = segmentOffset(nearest, bx, bz);
    bool aUnder = isUnderWater(a);
    double outside = aUnder ? ob : oa;
    double t;
    if (std::fabs(outside) < WATER_HALF_WIDTH) {
        // An edge point inside the band: the cut comes at the edge point itself.
        t = aUnder ? 1.0 : 0.0;
    } else {
        double edge = outside > 0.0 ? WATER_HALF_WIDTH : -WATER_HALF_WIDTH;
        t = (edge - oa) / (ob - oa);
        if (t < 0.0) t = 0.0;
        if (t > 1.0) t = 1.0;
    }
    double ha = terrainHeights[a.j][a.i];
    double hb = terrainHeights[b.j][b.i];
    return EdgeCut{(float)((1.0 - t) * ax + t * bx), (float)((1.0 - t) * az + t * bz),
                   (float)((1.0 - t) * ha + t * hb)};
}

// One of a cell's two triangles, corners counter-clockwise from above. Where
// the water's edge crosses it, the part under the water is kept below the
// surface and the part outside keeps the grid's heights, with the bank's
// face standing between them along the edge.
void addCellTriangle(GridCorner a, GridCorner b, GridCorner c) {
    const GridCorner v[3] = {a, b, c};
    int under = isUnderWater(a) + isUnderWater(b) + isUnderWater(c);
    if (under == 0 || under == 3) {
        addTriangle(a.index, b.index, c.index);
        return;
    }
    // The corner on its own, and the two after it in turn.
    int l = 0;
    while (isUnderWater(v[l]) == (under == 2)) ++l;
    GridCorner lone = v[l];
    GridCorner m = v[(l + 1) % 3];
    GridCorner n = v[(l + 2) % 3];
    EdgeCut p = cutEdge(lone, m);
    EdgeCut q = cutEdge(lone, n);
    int pUnder = addVertex(p.x, std::fmin(p.height, BED_LIMIT), p.z);
    int pBank = addVertex(p.x, p.height, p.z);
    int qUnder = addVertex(q.x, std::fmin(q.height, BED_LIMIT), q.z);
    int qBank = addVertex(q.x, q.height, q.z);
    bool loneUnder = isUnderWater(lone);
    addTriangle(lone.index, loneUnder ? pUnder : pBank, loneUnder ? qUnder : qBank);
    addTriangle(loneUnder ? pBank : pUnder, m.index, n.index);
    addTriangle(loneUnder ? pBank : pUnder, n.index, loneUnder ? qBank : qUnder);
    if (p.height <= BED_LIMIT && q.height <= BED_LIMIT) return;
    // The bank's face looks out over the water.
    GridCorner water = loneUnder ? lone : m;
    float dx = q.x - p.x;
    float dz = q.z - p.z;
    float toWater = -dz * (gridCoordinate(water.i) - p.x) + dx * (gridCoordinate(water.j) - p.z);
    if (toWater > 0.0f) {
        addTriangle(pUnder, qUnder, qBank);
        addTriangle(pUnder, qBank, pBank);
    } else {
        addTriangle(qUnder, pUnder, pBank);
        addTriangle(qUnder, pBank, qBank);
    }
}

void buildParkSector(int sector) {
    beginPiece(&groundPieces[GROUND_PARK][sector]);
    int r0 = (sector / SECTOR_GRID) * SECTOR_CELLS;
    int k0 = (sector % SECTOR_GRID) * SECTOR_CELLS;
    for (int j = r0; j <= r0 + SECTOR_CELLS; ++j) {
        for (int i = k0; i <= k0 + SECTOR_CELLS; ++i) {
            float h = terrainHeights[j][i];
            addVertex(gridCoordinate(i), bedUnderWater[j][i] ? std::fmin(h, BED_LIMIT) : h,
                      gridCoordinate(j));
        }
    }
    auto corner = [&](int j, int i) { return GridCorner{j, i, (j - r0) * SECTOR_SIDE + (i - k0)}; };
    for (int j = r0; j < r0 + SECTOR_CELLS; ++j) {
        for (int i = k0; i < k0 + SECTOR_CELLS; ++i) {
            addCellTriangle(corner(j, i), corner(j + 1, i), corner(j, i + 1));
            addCellTriangle(corner(j, i + 1), corner(j + 1, i), corner(j + 1, i + 1));
        }
    }
}

// Ring 0 is the park's edge.
float ringHalfSize(int ring) {
    return (float)(TERRAIN_HALF_SIZE * std::pow(1.0 + 2.0 / SKIRT_STEPS, ring));
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
// the outer, each spanning `ratio` steps of the inner: the inner points fan
// to the outer step's nearer end.
void addSkirtBand(int inner, int outer, int count, int ratio) {
    for (int q = 0; q < count; ++q) {
        int o = outer + q;
        int i = inner + ratio * q;
        for (int j = 0; j < ratio / 2; ++j) addUpTriangle(i + j, i + j + 1, o);
        addUpTriangle(i + ratio / 2, o + 1, o);
        for (int j = ratio / 2; j < ratio; ++j) addUpTriangle(i + j, i + j + 1, o + 1);
    }
}

void buildSkirtPiece(int side, int chunk) {
    const int count = SKIRT_STEPS / PIECES_PER_SIDE;
    const int ratio = TERRAIN_CELLS / SKIRT_STEPS;
    const int p0 = side * SKIRT_STEPS + chunk * count;
    const int at = side * PIECES_PER_SIDE + chunk;
    beginPiece(&groundPieces[GROUND_NEAR_SKIRT][at]);
    int outer = addRing(0, TERRAIN_CELLS, ratio * p0, ratio * count);
    for (int ring = 1; ring <= SKIRT_RINGS; ++ring) {
        if (ring == NEAR_RINGS + 1) {
            beginPiece(&groundPieces[GROUND_FAR_SKIRT][at]);
            outer = addRing(NEAR_RINGS, SKIRT_STEPS, p0, count);
        }
        int inner = outer;
        outer = addRing(ring, SKIRT_STEPS, p0, count);
        addSkirtBand(inner, outer, count, ring == 1 ? ratio : 1);
    }
}

}  // namespace

void buildGroundMesh() {
    vertexCount = 0;
    triangleCount = 0;
    markBedUnderWater();
    for (int s = 0; s < SECTOR_COUNT; ++s) buildParkSector(s);
    for (int side = 0; side < 4; ++side)
        for (int chunk = 0; chunk < PIECES_PER_SIDE; ++chunk) buildSkirtPiece(side, chunk);
}
