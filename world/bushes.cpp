#include "world/bushes.h"

#include <cmath>

#include "core/random.h"
#include "render/gl.h"
#include "render/sector_lists.h"
#include "world/park.h"
#include "world/terrain.h"

static_assert(sizeof(StreamBush) == 57 * 4, "a bush is 57 four-byte values");

StreamBush streamBushes[BUSH_COUNT];

namespace {

// Bushes keep off the first and last stretch of the stream and inside the park.
const int FIRST_BANK_SAMPLE = 10;
const int LAST_BANK_SAMPLE = 190;
const float BUSH_LIMIT = 124.5f;

float clampToPark(float v) {
    if (v < -BUSH_LIMIT) return -BUSH_LIMIT;
    if (v > BUSH_LIMIT) return BUSH_LIMIT;
    return v;
}

void placeBush(StreamBush* b) {
    int k = randomInt(FIRST_BANK_SAMPLE, LAST_BANK_SAMPLE);
    float a = randomFloat(0.0f, 6.28318f);
    float d = randomFloat(4.0f, 11.0f);
    b->x = clampToPark(streamSampleX[k] + d * std::cos(a));
    b->z = clampToPark(streamSampleZ[k] + d * std::sin(a));
    float s = randomFloat(0.4f, 0.9f);
    b->size = s;
    b->hasBerries = randomInt(0, 100) < 25 ? 1 : 0;
    for (int p = 0; p < BUSH_PUFFS; ++p) {
        b->puffX[p] = randomFloat(-0.6f * s, 0.6f * s);
        b->puffZ[p] = randomFloat(-0.6f * s, 0.6f * s);
        b->puffHeight[p] = randomFloat(0.6f * s, 1.2f * s);
        b->puffRadius[p] = randomFloat(0.3f * s, 0.55f * s);
        b->puffRed[p] = 0.1f + randomFloat(-0.03f, 0.03f);
        b->puffGreen[p] = 0.35f + randomFloat(-0.05f, 0.05f);
        b->puffBlue[p] = 0.08f + randomFloat(-0.02f, 0.02f);
    }
    // Berry spots are drawn for bushes without berries too, keeping the sequence's order fixed.
    for (int e = 0; e < BUSH_BERRIES; ++e) {
        b->berryX[e] = randomFloat(-0.45f * s, 0.45f * s);
        b->berryZ[e] = randomFloat(-0.45f * s, 0.45f * s);
        b->berryHeight[e] = randomFloat(0.4f * s, 0.9f * s);
    }
}

SectorLists bushLists;
// Scratch for the sphere being placed; kept off the stack for its size.
QuadricMesh shape;

void submitBushSector(int sector, Bounds* bounds) {
    glBegin(GL_TRIANGLES);
    for (const StreamBush& b : streamBushes)
        if (sectorAt(b.x, b.z, TERRAIN_HALF_SIZE) == sector) submitStreamBush(&b, bounds);
    glEnd();
}

}  // namespace

void buildStreamBushes() {
    if (!isStreamBuilt()) buildStream();
    for (int i = 0; i < BUSH_COUNT; ++i) placeBush(&streamBushes[i]);
    parkBuilt.bushes = 1;
}

void drawStreamBushes() {
    if (!parkBuilt.bushes) buildStreamBushes();
    if (!parkBuilt.bushLists) {
        compileSectorLists(&bushLists, submitBushSector);
        parkBuilt.bushLists = 1;
    }
    glDisable(GL_TEXTURE_2D);
    ViewFrustum view = currentViewFrustum();
    drawSectorLists(&bushLists, &view);
    glEnable(GL_LIGHTING);
}

void submitStreamBush(const StreamBush* b, Bounds* bounds) {
    const Placement ground = placementAt(b->x, terrainHeightAt(b->x, b->z), b->z);
    for (int p = 0; p < BUSH_PUFFS; ++p) {
        Placement puff = ground;
        placeTranslate(&puff, b->puffX[p], 0.3f * b->puffHeight[p], b->puffZ[p]);
        placeRotate(&puff, -90.0f, 1.0f, 0.0f, 0.0f);
        glColor3f(b->puffRed[p], b->puffGreen[p], b->puffBlue[p]);
        sphereMesh(&shape, b->puffRadius[p], 6, 4);
        placedTriangles(&shape, &puff, bounds);
    }
    if (b->hasBerries) {
        glColor3f(0.85f, 0.1f, 0.05f);
        sphereMesh(&shape, 0.07f * b->size, 4, 3);
        for (int e = 0; e < BUSH_BERRIES; ++e) {
            Placement berry = ground;
            placeTranslate(&berry, b->berryX[e], b->berryHeight[e], b->berryZ[e]);
            placedTriangles(&shape, &berry, bounds);
        }
    }
}
