#pragma once

#include "render/view_frustum.h"

// Static geometry cut by where it stands into pieces (a grid of square
// sectors over a square ground, or any other cut into as many), each compiled
// into its own display list with the box around what it holds, so that a
// frame draws only the pieces it can see.

const int SECTOR_GRID = 8;  // sectors per side
const int SECTOR_COUNT = SECTOR_GRID * SECTOR_GRID;

struct SectorLists {
    unsigned firstList;  // 0 until compiled
    Bounds bounds[SECTOR_COUNT];
};

// The sector holding the point, the grid covering the square of the given
// half size about the origin; points outside go to the border sectors.
int sectorAt(float x, float z, float halfSize);
// Compiles one list per sector with what submitSector draws for it (every
// vertex through a placement that grows the sector's bounds). Takes new list
// names: the old ones may belong to a context that is gone.
void compileSectorLists(SectorLists* lists, void (*submitSector)(int sector, Bounds* bounds));
// The sectors whose boxes reach into the view, nearest first (so that what
// lies behind fails the depth test before it is shaded), into order; returns
// how many.
int sectorsInView(const Bounds* bounds, const ViewFrustum* view, int* order);
// Calls the lists of the sectors in view, nearest first.
void drawSectorLists(const SectorLists* lists, const ViewFrustum* view);
