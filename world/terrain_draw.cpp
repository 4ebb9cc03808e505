#include "world/terrain_draw.h"

#include "core/random.h"
#include "render/gl.h"
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

void drawGrassLook(float cell) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, grassTexture);
    // The texture is the final colour: neither the light nor the time of day shades the grass.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int r = 0; r < TERRAIN_CELLS; ++r) {
        float z0 = r * cell - TERRAIN_HALF_SIZE;
        float z1 = z0 + cell;
        float t0 = (z0 + TERRAIN_HALF_SIZE) / TEXTURE_SPAN;
        float t1 = (z1 + TERRAIN_HALF_SIZE) / TEXTURE_SPAN;
        glBegin(GL_TRIANGLE_STRIP);
        for (int k = 0; k <= TERRAIN_CELLS; ++k) {
            float x = k * cell - TERRAIN_HALF_SIZE;
            float s = (x + TERRAIN_HALF_SIZE) / TEXTURE_SPAN;
            glNormal3f(0.0f, 1.0f, 0.0f);
            glTexCoord2f(s, t0);
            glVertex3f(x, terrainHeights[r][k], z0);
            glTexCoord2f(s, t1);
            glVertex3f(x, terrainHeights[r + 1][k], z1);
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
}

void snowVertex(float x, float y, float z, float cover) {
    GroundColour c = snowLookColour(x, z, cover);
    glColor3f(c.red, c.green, c.blue);
    glVertex3f(x, y, z);
}

// Lit like any other surface, all normals straight up, so snow darkens at
// night with the rest of the scene.
void drawSnowLook(float cell, float cover) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    for (int r = 0; r < TERRAIN_CELLS; ++r) {
        float z0 = r * cell - TERRAIN_HALF_SIZE;
        float z1 = z0 + cell;
        glBegin(GL_TRIANGLE_STRIP);
        for (int k = 0; k <= TERRAIN_CELLS; ++k) {
            float x = k * cell - TERRAIN_HALF_SIZE;
            glNormal3f(0.0f, 1.0f, 0.0f);
            snowVertex(x, terrainHeights[r][k], z0, cover);
            snowVertex(x, terrainHeights[r + 1][k], z1, cover);
        }
        glEnd();
    }
    glDisable(GL_LIGHTING);
}

}  // namespace

void drawTerrain(float cover) {
    if (!isTerrainBuilt()) buildTerrain();
    // Later steps switch back on what they need; the stream restores culling.
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    float cell = terrainCellSize();
    if (cover < SNOW_LOOK_MIN_COVER)
        drawGrassLook(cell);
    else
        drawSnowLook(cell, cover);
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
