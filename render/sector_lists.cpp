#include "render/sector_lists.h"

#include "render/gl.h"

int sectorAt(float x, float z, float halfSize) {
    const float size = 2.0f * halfSize / (float)SECTOR_GRID;
    int column = (int)((x + halfSize) / size);
    int row = (int)((z + halfSize) / size);
    column = column < 0 ? 0 : (column >= SECTOR_GRID ? SECTOR_GRID - 1 : column);
    row = row < 0 ? 0 : (row >= SECTOR_GRID ? SECTOR_GRID - 1 : row);
    return row * SECTOR_GRID + column;
}

void compileSectorLists(SectorLists* lists, void (*submitSector)(int sector, Bounds* bounds)) {
    lists->firstList = glGenLists(SECTOR_COUNT);
    for (int s = 0; s < SECTOR_COUNT; ++s) {
        lists->bounds[s] = emptyBounds();
        if (!lists->firstList) continue;
        glNewList(lists->firstList + (unsigned)s, GL_COMPILE);
        submitSector(s, &lists->bounds[s]);
        glEndList();
    }
}

int sectorsInView(const Bounds* bounds, const ViewFrustum* view, int* order) {
    float distance[SECTOR_COUNT];
    int count = 0;
    for (int s = 0; s < SECTOR_COUNT; ++s) {
        if (!boundsInView(view, &bounds[s])) continue;
        float d = boundsDistanceSquared(view, &bounds[s]);
        int i = count++;
        for (; i > 0 && distance[i - 1] > d; --i) {
            order[i] = order[i - 1];
            distance[i] = distance[i - 1];
        }
        order[i] = s;
        distance[i] = d;
    }
    return count;
}

void drawSectorLists(const SectorLists* lists, const ViewFrustum* view) {
    if (!lists->firstList) return;
    int order[SECTOR_COUNT];
    int count = sectorsInView(lists->bounds, view, order);
    for (int i = 0; i < count; ++i) glCallList(lists->firstList + (unsigned)order[i]);
}
