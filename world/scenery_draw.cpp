#include "world/scenery_draw.h"

#include "render/gl.h"
#include "render/placed_mesh.h"
#include "render/primitives.h"
#include "render/sector_lists.h"
#include "world/park.h"
#include "world/terrain.h"

namespace {

const int DISC_SEGMENTS = 8;

// Trees and rocks share lists (both lit); the flowers, unlit, have their own.
SectorLists forestLists;
SectorLists flowerLists;
// Scratch for the shape being placed; kept off the stack for its size.
QuadricMesh shape;

// A flat disc at height y closing the foot of a trunk or the base of a crown.
// It sets no normal of its own: it takes the one the shape before it left
// current, unturned, since that shape's turn is undone by the time it is drawn.
void drawFlatDisc(const Placement* p, float y, float radius, const MeshVertex& lastNormal, Bounds* bounds) {
    glBegin(GL_TRIANGLE_FAN);
    placedNormal(p, lastNormal.nx, lastNormal.ny, lastNormal.nz);
    placedVertex(p, 0.0f, y, 0.0f, bounds);
    for (int k = 0; k <= DISC_SEGMENTS; ++k) {
        CirclePoint c = circlePoint(k, DISC_SEGMENTS, PI_SHORT);
        placedVertex(p, radius * c.c, y, radius * c.s, bounds);
    }
    glEnd();
}

const MeshVertex& lastVertex(const QuadricMesh* mesh) { return mesh->vertices[mesh->vertexCount - 1]; }

// Quadric cylinders run along +z; this stands them upright.
void turnUp(Placement* p) { placeRotate(p, -90.0f, 1.0f, 0.0f, 0.0f); }

void submitForestSector(int sector, Bounds* bounds) {
    for (const TreeRecord& t : trees)
        if (sectorAt(t.x, t.z) == sector) submitTree(&t, bounds);
    for (const RockRecord& r : rocks)
        if (sectorAt(r.x, r.z) == sector) submitRock(&r, bounds);
}

void submitFlowerSector(int sector, Bounds* bounds) {
    const Placement world = placementAt(0.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    for (const FlowerRecord& f : flowers) {
        if (sectorAt(f.x, f.z) != sector) continue;
        glColor3f(f.red, f.green, f.blue);
        placedVertex(&world, f.x, terrainHeightAt(f.x, f.z) + 0.02f, f.z, bounds);
    }
    glEnd();
}

void compileScenery() {
    compileSectorLists(&forestLists, submitForestSector);
    compileSectorLists(&flowerLists, submitFlowerSector);
    parkBuilt.sceneryLists = 1;
}

}  // namespace

void drawFlowers() {
    if (!parkBuilt.sceneryLists) compileScenery();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glPointSize(4.0f);
    ViewFrustum view = currentViewFrustum();
    drawSectorLists(&flowerLists, &view);
    glEnable(GL_LIGHTING);
}

void drawForest() {
    if (!parkBuilt.sceneryLists) compileScenery();
    ViewFrustum view = currentViewFrustum();
    drawSectorLists(&forestLists, &view);
}

void submitTree(const TreeRecord* tree, Bounds* bounds) {
    float h = tree->height;
    float r = tree->crownRadius;
    const Placement base = placementAt(tree->x, terrainHeightAt(tree->x, tree->z), tree->z);

    glColor3f(0.35f, 0.22f, 0.1f);
    Placement trunk = base;
    turnUp(&trunk);
    placeScale(&trunk, 0.3f, 0.3f, 0.4f * h);
    cylinderMesh(&shape, 1.0f, 1.0f, 1.0f, 8, 1);
    drawPlacedMesh(&shape, &trunk, bounds);
    drawFlatDisc(&base, 0.0f, 0.3f, lastVertex(&shape), bounds);

    glColor3f(0.05f, 0.35f, 0.08f);
    Placement lower = base;
    placeTranslate(&lower, 0.0f, 0.4f * h, 0.0f);
    turnUp(&lower);
    cylinderMesh(&shape, r, 0.1f, 0.6f * h, 8, 1);
    drawPlacedMesh(&shape, &lower, bounds);
    drawFlatDisc(&base, 0.4f * h, r, lastVertex(&shape), bounds);

    // The upper cone starts halfway up the lower one and has no base.
    glColor3f(0.08f, 0.42f, 0.12f);
    Placement upper = base;
    placeTranslate(&upper, 0.0f, 0.4f * h + 0.5f * 0.6f * h, 0.0f);
    turnUp(&upper);
    cylinderMesh(&shape, 0.7f * r, 0.05f, 0.7f * 0.6f * h, 8, 1);
    drawPlacedMesh(&shape, &upper, bounds);
}

void submitRock(const RockRecord* rock, Bounds* bounds) {
    // Centred half its height above the ground: the lower half is buried.
    Placement p = placementAt(rock->x, terrainHeightAt(rock->x, rock->z) + 0.5f * rock->sizeY, rock->z);
    placeRotate(&p, rock->yaw, 0.0f, 1.0f, 0.0f);
    placeScale(&p, rock->sizeX, rock->sizeY, rock->sizeZ);
    glColor3f(rock->red, rock->green, rock->blue);
    sphereMesh(&shape, 1.0f, 8, 6);
    drawPlacedMesh(&shape, &p, bounds);
}
