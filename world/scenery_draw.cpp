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
// Submitted as the triangles a fan from its centre is cut into.
void placedFlatDisc(const Placement* p, float y, float radius, const MeshVertex& lastNormal,
                    Bounds* bounds) {
    placedNormal(p, lastNormal.nx, lastNormal.ny, lastNormal.nz);
    for (int k = 0; k < DISC_SEGMENTS; ++k) {
        CirclePoint a = circlePoint(k, DISC_SEGMENTS, PI_SHORT);
        CirclePoint b = circlePoint(k + 1, DISC_SEGMENTS, PI_SHORT);
        placedVertex(p, 0.0f, y, 0.0f, bounds);
        placedVertex(p, radius * a.c, y, radius * a.s, bounds);
        placedVertex(p, radius * b.c, y, radius * b.s, bounds);
    }
}

const MeshVertex& lastVertex(const QuadricMesh* mesh) {
    return mesh->vertices[mesh->vertexCount - 1];
}

// Quadric cylinders run along +z; this stands them upright.
void turnUp(Placement* p) { placeRotate(p, -90.0f, 1.0f, 0.0f, 0.0f); }

void submitForestSector(int sector, Bounds* bounds) {
    glBegin(GL_TRIANGLES);
    for (const TreeRecord& t : trees)
        if (sectorAt(t.x, t.z, TERRAIN_HALF_SIZE) == sector) submitTree(&t, bounds);
    for (const RockRecord& r : rocks)
        if (sectorAt(r.x, r.z, TERRAIN_HALF_SIZE) == sector) submitRock(&r, bounds);
    glEnd();
}

void submitFlowerSector(int sector, Bounds* bounds) {
    const Placement world = placementAt(0.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    for (const FlowerRecord& f : flowers) {
        if (sectorAt(f.x, f.z, TERRAIN_HALF_SIZE) != sector) continue;
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
    placedTriangles(&shape, &trunk, bounds);
    placedFlatDisc(&base, 0.0f, 0.3f, lastVertex(&shape), bounds);

    glColor3f(0.05f, 0.35f, 0.08f);
    Placement lower = base;
    placeTranslate(&lower, 0.0f, 0.4f * h, 0.0f);
    turnUp(&lower);
    cylinderMesh(&shape, r, 0.1f, 0.6f * h, 8, 1);
    placedTriangles(&shape, &lower, bounds);
    placedFlatDisc(&base, 0.4f * h, r, lastVertex(&shape), bounds);

    // The upper cone starts halfway up the lower one and has no base.
    glColor3f(0.08f, 0.42f, 0.12f);
    Placement upper = base;
    placeTranslate(&upper, 0.0f, 0.4f * h + 0.5f * 0.6f * h, 0.0f);
    turnUp(&upper);
    cylinderMesh(&shape, 0.7f * r, 0.05f, 0.7f * 0.6f * h, 8, 1);
    placedTriangles(&shape, &upper, bounds);
}

void submitRock(const RockRecord* rock, Bounds* bounds) {
    // Centred half its height above the ground: the lower half is buried.
    Placement p =
        placementAt(rock->x, terrainHeightAt(rock->x, rock->z) + 0.5f * rock->sizeY, rock->z);
    placeRotate(&p, rock->yaw, 0.0f, 1.0f, 0.0f);
    placeScale(&p, rock->sizeX, rock->sizeY, rock->sizeZ);
    glColor3f(rock->red, rock->green, rock->blue);
    sphereMesh(&shape, 1.0f, 8, 6);
    placedTriangles(&shape, &p, bounds);
}
