#pragma once

// The park's ground: a heightfield of generated hills over a 253 x 253 square
// centred on the origin, with a winding stream carved from west to east.

const float TERRAIN_HALF_SIZE = 126.5f;
const int TERRAIN_CELLS = 128;
const int TERRAIN_SAMPLES = TERRAIN_CELLS + 1;
const int HILL_COUNT = 12;
const int STREAM_SAMPLES = 201;
const int STREAM_CONTROL_POINTS = 11;
// Height of the stream's water surface; the bed lies below it.
const float WATER_LEVEL = -0.25f;

// Row j is z = -126.5 + j * cell, column i is x = -126.5 + i * cell.
extern float terrainHeights[TERRAIN_SAMPLES][TERRAIN_SAMPLES];
extern float streamSampleX[STREAM_SAMPLES];
extern float streamSampleZ[STREAM_SAMPLES];

float terrainCellSize();
int isTerrainBuilt();
int isStreamBuilt();

// Builds the terrain on first use; valid anywhere (clamps outside the grid).
float terrainHeightAt(float x, float z);
float terrainSlopeBetween(float x1, float z1, float x2, float z2);
// Bilinear lookup in a grid of (cells + 1) x (cells + 1) samples spread over
// the park, row-major by z; outside it the border cells are used.
float sampleParkGrid(const float* grid, int cells, float x, float z);

void buildTerrain();
void buildStream();
void carveStreamBed();
// u in [0, 1): the point at that fraction of the centre line.
void streamPointAt(float u, float* x, float* z);
// Distance from (x, z) to the centre line's segment from sample k to k + 1.
float streamSegmentDistance(int k, float x, float z);

// Index window [lo, hi] of a grid with the given cell size and last index
// that covers centre +- reach with a margin (used for carving and snow blobs).
void gridWindow(float centre, float reach, float cell, int lastIndex, int* lo, int* hi);
