#include "world/terrain.h"

#include <cmath>
#include <cstddef>

#include "core/random.h"
#include "world/fish.h"
#include "world/park.h"

float terrainHeights[TERRAIN_SAMPLES][TERRAIN_SAMPLES];
float streamSampleX[STREAM_SAMPLES];
float streamSampleZ[STREAM_SAMPLES];

namespace {

const float CELL_SIZE = 253.0f / 128.0f;

float hillX[HILL_COUNT];
float hillZ[HILL_COUNT];
float hillSpread[HILL_COUNT];
float hillAmplitude[HILL_COUNT];

float controlX[STREAM_CONTROL_POINTS];
float controlZ[STREAM_CONTROL_POINTS];

// The bank shape: carved within 12 units of the centre line.
const float STREAM_BED_HALF_WIDTH = 2.1f;
const float STREAM_BANK_REACH = 12.0f;

// In double throughout, so the knots come out exactly: sample 0 is control
// point 1 and sample 200 control point 9 to the last bit.
float catmullRom(double p0, double p1, double p2, double p3, float t) {
    double t1 = t;
    double t2 = t1 * t1;
    double t3 = t2 * t1;
    return (float)(0.5 * (2.0 * p1 + (-p0 + p2) * t1 + (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3) * t2 +
                          (-p0 + 3.0 * p1 - 3.0 * p2 + p3) * t3));
}

// Grid coordinate kept within a cell of the grid before it becomes an index,
// so any query (however far out) lands on the border samples.
float keepNearGrid(float g, int cells) {
    if (g < -1.0f) return -1.0f;
    if (g > (float)cells + 1.0f) return (float)cells + 1.0f;
    return g;
}

}  // namespace

void gridWindow(float centre, float reach, float cell, int lastIndex, int* lo, int* hi) {
    *lo = (int)((centre - reach + TERRAIN_HALF_SIZE) / cell) - 1;
    *hi = (int)((centre + reach + TERRAIN_HALF_SIZE) / cell) + 2;
    if (*lo < 0) *lo = 0;
    if (*hi > lastIndex) *hi = lastIndex;
}

float terrainCellSize() { return CELL_SIZE; }
int isTerrainBuilt() { return parkBuilt.terrain; }
int isStreamBuilt() { return parkBuilt.stream; }

float sampleParkGrid(const float* grid, int cells, float x, float z) {
    const float cell = 2.0f * TERRAIN_HALF_SIZE / (float)cells;
    float gx = keepNearGrid((x + TERRAIN_HALF_SIZE) / cell, cells);
    float gz = keepNearGrid((z + TERRAIN_HALF_SIZE) / cell, cells);
    int ix = (int)gx;
    int iz = (int)gz;
    float fx = gx - (float)ix;
    float fz = gz - (float)iz;
    if (ix < 0) {
        ix = 0;
        fx = 0.0f;
    }
    if (ix >= cells) {
        ix = cells - 1;
        fx = 1.0f;
    }
    if (iz < 0) {
        iz = 0;
        fz = 0.0f;
    }
    if (iz >= cells) {
        iz = cells - 1;
        fz = 1.0f;
    }
    const float* row0 = grid + (size_t)iz * (size_t)(cells + 1);
    const float* row1 = row0 + cells + 1;
    float a = row0[ix] + (row0[ix + 1] - row0[ix]) * fx;
    float b = row1[ix] + (row1[ix + 1] - row1[ix]) * fx;
    return a + (b - a) * fz;
}

float terrainHeightAt(float x, float z) {
    if (!parkBuilt.terrain) buildTerrain();
    return sampleParkGrid(&terrainHeights[0][0], TERRAIN_CELLS, x, z);
}

float terrainSlopeBetween(float x1, float z1, float x2, float z2) {
    float h1 = terrainHeightAt(x1, z1);
    float h2 = terrainHeightAt(x2, z2);
    double dx = (double)x2 - x1;
    double dz = (double)z2 - z1;
    float d = (float)std::sqrt(dx * dx + dz * dz);
    if (d < 0.01f) return 0.0f;
    return std::fabs(h2 - h1) / d;
}

void buildTerrain() {
    for (int h = 0; h < HILL_COUNT; ++h) {
        hillX[h] = randomFloat(-101.2f, 101.2f);
        hillZ[h] = randomFloat(-101.2f, 101.2f);
        hillSpread[h] = randomFloat(15.0f, 40.0f);
        hillAmplitude[h] = randomFloat(1.5f, 5.0f);
    }
    for (int j = 0; j < TERRAIN_SAMPLES; ++j) {
        for (int i = 0; i < TERRAIN_SAMPLES; ++i) {
            double x = (double)(i * CELL_SIZE - TERRAIN_HALF_SIZE);
            double z = (double)(j * CELL_SIZE - TERRAIN_HALF_SIZE);
            double s = 0.0;
            for (int h = 0; h < HILL_COUNT; ++h) {
                double dx = x - hillX[h];
                double dz = z - hillZ[h];
                double sigma = hillSpread[h];
                s += hillAmplitude[h] * std::exp(-(dx * dx + dz * dz) / (2.0 * sigma * sigma));
            }
            double r = std::sqrt(x * x + z * z);
            double t = 1.0 - r / TERRAIN_HALF_SIZE;
            if (t < 0.0) t = 0.0;
            terrainHeights[j][i] = (float)(s * t * t * (3.0 - 2.0 * t));
        }
    }
    // Flag first: height queries while the stream is carved must not rebuild.
    parkBuilt.terrain = 1;
    buildStream();
    carveStreamBed();
}

void buildStream() {
    static const float CONTROL_X_FACTOR[STREAM_CONTROL_POINTS] = {
        -1.2f, -1.0f, -0.7f, -0.4f, -0.15f, 0.0f, 0.15f, 0.4f, 0.7f, 1.0f, 1.2f};
    static const float CONTROL_Z_REACH[STREAM_CONTROL_POINTS] = {20, 10, 40, 50, 30, 20,
                                                                 30, 50, 40, 10, 20};
    for (int c = 0; c < STREAM_CONTROL_POINTS; ++c) {
        controlX[c] = TERRAIN_HALF_SIZE * CONTROL_X_FACTOR[c];
        controlZ[c] = randomFloat(-CONTROL_Z_REACH[c], CONTROL_Z_REACH[c]);
    }
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        float s = (float)k / 200.0f * 8.0f;
        int seg = (int)s;
        if (seg > 7) seg = 7;
        float t = s - (float)seg;
        streamSampleX[k] =
            catmullRom(controlX[seg], controlX[seg + 1], controlX[seg + 2], controlX[seg + 3], t);
        streamSampleZ[k] =
            catmullRom(controlZ[seg], controlZ[seg + 1], controlZ[seg + 2], controlZ[seg + 3], t);
    }
    initFishSchool();
    parkBuilt.stream = 1;
}

void carveStreamBed() {
    if (!parkBuilt.stream) buildStream();
    for (int k = 0; k < STREAM_SAMPLES - 1; ++k) {
        float sx = streamSampleX[k];
        float sz = streamSampleZ[k];
        int colLo, colHi, rowLo, rowHi;
        gridWindow(sx, STREAM_BANK_REACH, CELL_SIZE, TERRAIN_CELLS, &colLo, &colHi);
        gridWindow(sz, STREAM_BANK_REACH, CELL_SIZE, TERRAIN_CELLS, &rowLo, &rowHi);
        for (int j = rowLo; j <= rowHi; ++j) {
            for (int i = colLo; i <= colHi; ++i) {
                double dx = (double)(i * CELL_SIZE - TERRAIN_HALF_SIZE) - sx;
                double dz = (double)(j * CELL_SIZE - TERRAIN_HALF_SIZE) - sz;
                double d = std::sqrt(dx * dx + dz * dz);
                float target;
                if (d < STREAM_BED_HALF_WIDTH) {
                    target = (float)(0.5 * d / STREAM_BED_HALF_WIDTH - 0.5);
                } else if (d < STREAM_BANK_REACH) {
                    target = (float)(0.5 + 0.5 * (d - STREAM_BED_HALF_WIDTH) /
                                               (STREAM_BANK_REACH - STREAM_BED_HALF_WIDTH));
                } else {
                    continue;
                }
                if (target < terrainHeights[j][i]) terrainHeights[j][i] = target;
            }
        }
    }
}

void streamPointAt(float u, float* x, float* z) {
    float s = u * 200.0f;
    int k = (int)s;
    float f = s - (float)k;
    if (k < 0) k = 0;
    if (k > STREAM_SAMPLES - 2) k = STREAM_SAMPLES - 2;
    *x = streamSampleX[k] + (streamSampleX[k + 1] - streamSampleX[k]) * f;
    *z = streamSampleZ[k] + (streamSampleZ[k + 1] - streamSampleZ[k]) * f;
}

float streamSegmentDistance(int k, float x, float z) {
    double ax = streamSampleX[k];
    double az = streamSampleZ[k];
    double dx = streamSampleX[k + 1] - ax;
    double dz = streamSampleZ[k + 1] - az;
    double length2 = dx * dx + dz * dz;
    double t = length2 > 0.0 ? ((x - ax) * dx + (z - az) * dz) / length2 : 0.0;
    if (t < 0.0) t = 0.0;
    if (t > 1.0) t = 1.0;
    return (float)std::hypot(x - ax - t * dx, z - az - t * dz);
}
