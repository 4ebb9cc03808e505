#include "world/terrain_draw.h"

#include "core/random.h"
#include "render/gl.h"
#include "render/sector_lists.h"
#include "world/park.h"
#include "world/terrain.h"
#include "world/textures.h"

namespace {

const float PATCH_CELL = 2.0f * TERRAIN_HALF_SIZE / (float)SNOW_PATCH_CELLS;
const GroundColour GRASS = {0.35f, 0.55f, 0.15f};
const GroundColour SNOW = {0.93f, 0.95f, 0.98f};
// The grass image repeats four times across the park.
const float TEXTURE_SPAN = 2.0f * TERRAIN_HALF_SIZE / 4.0f;

float snowPatches[SNOW_PATCH_CELLS + 1][SNOW_PATCH_CELLS + 1];

void addSnowBlob(float cx, float cz, float radius) {
    int colLo, colHi, rowLo, rowHi;
    gridWindow(cx, radius, PATCH_CELL, SNOW_PATCH_CELLS, &colLo, &colHi);
    gridWindow(cz, radius, PATCH_CELL, SNOW_PATCH_CELLS, &rowLo, &rowHi);
    double r2 = (double)radius * radius;
    for (int j = rowLo; j <= rowHi; ++j) {
        for (int i = colLo; i <= colHi; ++i) {
            double dx = (double)(i * PATCH_CELL - TERRAIN_HALF_SIZE) - cx;
            double dz = (double)(j * PATCH_CELL - TERRAIN_HALF_SIZE) - cz;
            double d2 = dx * dx + dz * dz;
            if (d2 >= r2) continue;
            double t = 1.0 - d2 / r2;
            snowPatches[j][i] += (float)(t * t * (3.0 - 2.0 * t));
        }
    }
}

// The ground in SECTOR_GRID x SECTOR_GRID sectors of SECTOR_CELLS x SECTOR_CELLS cells.
const int SECTOR_CELLS = TERRAIN_CELLS / SECTOR_GRID;
// The snow look keeps each row of a sector as its own strip of vertex pairs.
const int ROW_VERTICES = 2 * (SECTOR_CELLS + 1);
const int SECTOR_VERTICES = SECTOR_CELLS * ROW_VERTICES;
const int SECTOR_INDICES = SECTOR_CELLS * (ROW_VERTICES - 2) * 3;

SectorLists grassLists;

// The snow look's colours follow the cover, so it is drawn from arrays whose
// colours are worked out again whenever a sector in view last had another cover.
struct SnowSector {
    float position[SECTOR_VERTICES][3];
    float colour[SECTOR_VERTICES][3];
    float cover;  // the colours' cover; negative before the first
};
SnowSector snowSectors[SECTOR_COUNT];
// Each row's strip as the triangles a strip is made of, in its order: the
// same triangles as drawing the strip, in one call for the whole sector.
GLushort snowTriangles[SECTOR_INDICES];

// The terrain rows and columns of a sector: rows from *r0, columns from *k0.
void sectorCells(int sector, int* r0, int* k0) {
    *r0 = (sector / SECTOR_GRID) * SECTOR_CELLS;
    *k0 = (sector % SECTOR_GRID) * SECTOR_CELLS;
}

void submitGrassSector(int sector, Bounds* bounds) {
    int r0, k0;
    sectorCells(sector, &r0, &k0);
    float cell = terrainCellSize();
    for (int r = r0; r < r0 + SECTOR_CELLS; ++r) {
        float z0 = r * cell - TERRAIN_HALF_SIZE;
        float z1 = z0 + cell;
        float t0 = (z0 + TERRAIN_HALF_SIZE) / TEXTURE_SPAN;
        float t1 = (z1 + TERRAIN_HALF_SIZE) / TEXTURE_SPAN;
        glBegin(GL_TRIANGLE_STRIP);
        for (int k = k0; k <= k0 + SECTOR_CELLS; ++k) {
            float x = k * cell - TERRAIN_HALF_SIZE;
            float s = (x + TERRAIN_HALF_SIZE) / TEXTURE_SPAN;
            glNormal3f(0.0f, 1.0f, 0.0f);
            glTexCoord2f(s, t0);
            glVertex3f(x, terrainHeights[r][k], z0);
            glTexCoord2f(s, t1);
            glVertex3f(x, terrainHeights[r + 1][k], z1);
            growBounds(bounds, x, terrainHeights[r][k], z0);
            growBounds(bounds, x, terrainHeights[r + 1][k], z1);
        }
        glEnd();
    }
}

void fillSnowSector(int sector) {
    int r0, k0;
    sectorCells(sector, &r0, &k0);
    float cell = terrainCellSize();
    SnowSector* s = &snowSectors[sector];
    int v = 0;
    for (int r = r0; r < r0 + SECTOR_CELLS; ++r) {
        float z0 = r * cell - TERRAIN_HALF_SIZE;
        float z1 = z0 + cell;
        for (int k = k0; k <= k0 + SECTOR_CELLS; ++k) {
            float x = k * cell - TERRAIN_HALF_SIZE;
            const float top[3] = {x, terrainHeights[r][k], z0};
            const float bottom[3] = {x, terrainHeights[r + 1][k], z1};
            for (int i = 0; i < 3; ++i) {
                s->position[v][i] = top[i];
                s->position[v + 1][i] = bottom[i];
            }
            v += 2;
        }
    }
    s->cover = -1.0f;
}

void buildSnowTriangles() {
    int n = 0;
    for (int row = 0; row < SECTOR_CELLS; ++row) {
        int base = row * ROW_VERTICES;
        for (int i = 0; i + 2 < ROW_VERTICES; ++i) {
            // Every other triangle of a strip runs its first two corners the other way round.
            snowTriangles[n++] = (GLushort)(base + i + (i & 1));
            snowTriangles[n++] = (GLushort)(base + i + 1 - (i & 1));
            snowTriangles[n++] = (GLushort)(base + i + 2);
        }
    }
}

void compileGround() {
    compileSectorLists(&grassLists, submitGrassSector);
    for (int s = 0; s < SECTOR_COUNT; ++s) fillSnowSector(s);
    buildSnowTriangles();
    parkBuilt.groundLists = 1;
}

void drawGrassLook(const ViewFrustum* view) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, grassTexture);
    // The texture is the final colour: neither the light nor the time of day shades the grass.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawSectorLists(&grassLists, view);
    glDisable(GL_TEXTURE_2D);
}

void colourSnowSector(SnowSector* s, float cover) {
    for (int v = 0; v < SECTOR_VERTICES; ++v) {
        GroundColour c = snowLookColour(s->position[v][0], s->position[v][2], cover);
        s->colour[v][0] = c.red;
        s->colour[v][1] = c.green;
        s->colour[v][2] = c.blue;
    }
    s->cover = cover;
}

// Lit like any other surface, all normals straight up, so snow darkens at
// night with the rest of the scene.
void drawSnowLook(const ViewFrustum* view, float cover) {
    // Built here even when no ground is in view, as on the first snowy frame it always was.
    if (!parkBuilt.snowPatches) buildSnowPatches();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    int order[SECTOR_COUNT];
    int count = sectorsInView(grassLists.bounds, view, order);
    for (int i = 0; i < count; ++i) {
        SnowSector* s = &snowSectors[order[i]];
        if (s->cover != cover) colourSnowSector(s, cover);
        glVertexPointer(3, GL_FLOAT, 0, s->position);
        glColorPointer(3, GL_FLOAT, 0, s->colour);
        glDrawElements(GL_TRIANGLES, SECTOR_INDICES, GL_UNSIGNED_SHORT, snowTriangles);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LIGHTING);
}

}  // namespace

void drawTerrain(float cover) {
    if (!isTerrainBuilt()) buildTerrain();
    // Later steps switch back on what they need; the stream restores culling.
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    if (!parkBuilt.groundLists) compileGround();
    ViewFrustum view = currentViewFrustum();
    // The eye is always above the ground, so a ray that meets a slope from
    // behind has crossed the ground nearer by: the slopes facing away are
    // hidden, and culling them spares the rasteriser their triangles.
    glEnable(GL_CULL_FACE);
    if (cover < SNOW_LOOK_MIN_COVER)
        drawGrassLook(&view);
    else
        drawSnowLook(&view, cover);
    glDisable(GL_CULL_FACE);
}

float snowPatchAt(float x, float z) {
    if (!parkBuilt.snowPatches) buildSnowPatches();
    return sampleParkGrid(&snowPatches[0][0], SNOW_PATCH_CELLS, x, z);
}

void buildSnowPatches() {
    for (auto& row : snowPatches)
        for (float& v : row) v = 0.0f;
    for (int blob = 0; blob < SNOW_PATCH_BLOBS; ++blob) {
        float cx = randomFloat(-TERRAIN_HALF_SIZE, TERRAIN_HALF_SIZE);
        float cz = randomFloat(-TERRAIN_HALF_SIZE, TERRAIN_HALF_SIZE);
        float radius = randomFloat(4.0f, 14.0f);
        addSnowBlob(cx, cz, radius);
    }
    // Overlapping blobs saturate.
    for (auto& row : snowPatches)
        for (float& v : row) v = v > 1.0f ? 1.0f : v;
    parkBuilt.snowPatches = 1;
}

GroundColour snowLookColour(float x, float z, float cover) {
    float f = snowPatchAt(x, z) * cover;
    GroundColour c;
    c.red = GRASS.red + (SNOW.red - GRASS.red) * f;
    c.green = GRASS.green + (SNOW.green - GRASS.green) * f;
    c.blue = GRASS.blue + (SNOW.blue - GRASS.blue) * f;
    return c;
}
