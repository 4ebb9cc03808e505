#include "world/terrain_draw.h"

#include <cmath>

#include "core/random.h"
#include "render/far_band.h"
#include "render/gl.h"
#include "render/sector_lists.h"
#include "world/ground_mesh.h"
#include "world/park.h"
#include "world/terrain.h"
#include "world/textures.h"

namespace {

struct GroundColour {
    float red, green, blue;
};

const float PATCH_CELL = 2.0f * TERRAIN_HALF_SIZE / (float)SNOW_PATCH_CELLS;
const GroundColour SNOW = {0.93f, 0.95f, 0.98f};
// The far band reaches down below the lowest ground, the stream's bed.
const float FAR_GROUND_LOWEST = -1.0f;
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

SectorLists groundLists[GROUND_PARTS];

void submitGroundPiece(const GroundPiece* piece, Bounds* bounds) {
    glNormal3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    for (int n = 0; n < 3 * piece->triangleCount; ++n) {
        const float* v = groundVertices[piece->firstVertex + groundIndices[piece->firstIndex + n]];
        glTexCoord2f((v[0] + TERRAIN_HALF_SIZE) / TEXTURE_SPAN,
                     (v[2] + TERRAIN_HALF_SIZE) / TEXTURE_SPAN);
        glVertex3fv(v);
        growBounds(bounds, v[0], v[1], v[2]);
    }
    glEnd();
}

void compileGround() {
    buildGroundMesh();
    compileSectorLists(&groundLists[GROUND_PARK], [](int s, Bounds* b) {
        submitGroundPiece(&groundPieces[GROUND_PARK][s], b);
    });
    compileSectorLists(&groundLists[GROUND_NEAR_SKIRT], [](int s, Bounds* b) {
        submitGroundPiece(&groundPieces[GROUND_NEAR_SKIRT][s], b);
    });
    compileSectorLists(&groundLists[GROUND_FAR_SKIRT], [](int s, Bounds* b) {
        submitGroundPiece(&groundPieces[GROUND_FAR_SKIRT][s], b);
    });
    parkBuilt.groundLists = 1;
}

// The snowy look is one texture over a span of twice the park (eight repeats
// of the grass picture), each texel the grass moved toward snow by the patch
// map's value there (reflected across the park's edges, so the skirt's
// patches run on from the park's) times the cover. The share of snow is patch
// x cover, so the look at any cover lies on the line from the bare grass to the
// full cover: the texture is worked out again only when the cover has moved by
// a step of 1/128 (under two levels of any channel), and the ground stays one
// textured pass at any cover.
const int SNOWY_REPEATS = 8;
const int SNOWY_TEXELS = SNOWY_REPEATS * GRASS_SIZE;
const int SNOWY_BYTES = SNOWY_TEXELS * SNOWY_TEXELS * 4;
const int COVER_STEPS = 128;
const float TEXEL_SPAN = TEXTURE_SPAN / GRASS_SIZE;
// RGBA per texel: the bare grass, full cover minus bare grass (in levels), and
// the look at the cover shown.
unsigned char bareTexels[SNOWY_BYTES];
short snowyDelta[SNOWY_BYTES];
unsigned char snowyTexels[SNOWY_BYTES];
unsigned int snowyTexture;
// Its mean colour, for the far band.
unsigned int snowyMeanTexture;
float bareMean[3];
float deltaMean[3];
int shownStep;

// The patch map reflected across the park's edges.
float mirroredIntoPark(float v) {
    const double span = 2.0 * TERRAIN_HALF_SIZE;
    double u = std::fmod((double)v + TERRAIN_HALF_SIZE, 2.0 * span);
    if (u < 0.0) u += 2.0 * span;
    if (u > span) u = 2.0 * span - u;
    return (float)(u - TERRAIN_HALF_SIZE);
}

// World coordinate of texel i's centre.
float texelCentre(int i) { return (i + 0.5f) * TEXEL_SPAN - TERRAIN_HALF_SIZE; }

// Once the patch map exists (the first snowy frame).
void prepareSnowyLook() {
    const float snow[3] = {SNOW.red, SNOW.green, SNOW.blue};
    const unsigned char* grass = grassPicture();
    double bare[3] = {0.0, 0.0, 0.0};
    double delta[3] = {0.0, 0.0, 0.0};
    for (int j = 0; j < SNOWY_TEXELS; ++j) {
        float z = mirroredIntoPark(texelCentre(j));
        for (int i = 0; i < SNOWY_TEXELS; ++i) {
            int n = j * SNOWY_TEXELS + i;
            float patch = snowPatchAt(mirroredIntoPark(texelCentre(i)), z);
            const unsigned char* g = &grass[((j % GRASS_SIZE) * GRASS_SIZE + i % GRASS_SIZE) * 3];
            for (int c = 0; c < 3; ++c) {
                bareTexels[4 * n + c] = g[c];
                snowyDelta[4 * n + c] = (short)std::lround((snow[c] * 255.0f - g[c]) * patch);
                bare[c] += g[c];
                delta[c] += snowyDelta[4 * n + c];
            }
            bareTexels[4 * n + 3] = 255;
            snowyDelta[4 * n + 3] = 0;
        }
    }
    for (int c = 0; c < 3; ++c) {
        bareMean[c] = (float)(bare[c] / (SNOWY_TEXELS * SNOWY_TEXELS));
        deltaMean[c] = (float)(delta[c] / (SNOWY_TEXELS * SNOWY_TEXELS));
    }
    snowyTexture = newLinearTexture(GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, SNOWY_TEXELS, SNOWY_TEXELS, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, snowyTexels);
    snowyMeanTexture = newLinearTexture(GL_REPEAT);
    shownStep = -1;
    parkBuilt.snowLayer = 1;
}

// The snowy look at a cover of step / COVER_STEPS: one flat pass over the
// bytes, so the compiler can do many at a time.
void showCoverStep(int step) {
    for (int b = 0; b < SNOWY_BYTES; ++b)
        snowyTexels[b] =
            (unsigned char)(bareTexels[b] + (snowyDelta[b] * step + COVER_STEPS / 2) / COVER_STEPS);
    glBindTexture(GL_TEXTURE_2D, snowyTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, SNOWY_TEXELS, SNOWY_TEXELS, GL_RGBA, GL_UNSIGNED_BYTE,
                    snowyTexels);
    unsigned char mean[4] = {0, 0, 0, 255};
    for (int c = 0; c < 3; ++c)
        mean[c] = (unsigned char)std::lround(bareMean[c] + deltaMean[c] * step / COVER_STEPS);
    glBindTexture(GL_TEXTURE_2D, snowyMeanTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, mean);
    shownStep = step;
}

}  // namespace

void drawTerrain(float cover) {
    if (!isTerrainBuilt()) buildTerrain();
    // Later steps switch back on what they need; the stream restores culling.
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    if (!parkBuilt.groundLists) compileGround();
    int snowy = cover >= SNOW_LOOK_MIN_COVER;
    // Built here even when no ground is in view, as on the first snowy frame it always was.
    if (snowy && !parkBuilt.snowPatches) buildSnowPatches();
    if (snowy && !parkBuilt.snowLayer) prepareSnowyLook();
    int step = (int)std::lround(cover * COVER_STEPS);
    if (snowy && step != shownStep) showCoverStep(step);
    ViewFrustum view = currentViewFrustum();
    // The eye is always above the ground, so a ray that meets a slope from
    // behind has crossed the ground nearer by: the slopes facing away are
    // hidden, and culling them spares the rasteriser their triangles.
    glEnable(GL_CULL_FACE);
    // Lit like any other surface, all normals straight up, so the ground
    // darkens at night with the rest of the scene.
    glEnable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (snowy) {
        // The lists count repeats of the grass picture; the snowy texture holds eight.
        glMatrixMode(GL_TEXTURE);
        glScalef(1.0f / SNOWY_REPEATS, 1.0f / SNOWY_REPEATS, 1.0f);
        glMatrixMode(GL_MODELVIEW);
    }
    glBindTexture(GL_TEXTURE_2D, snowy ? snowyTexture : grassTexture);
    for (const SectorLists& lists : groundLists) drawSectorLists(&lists, &view);
    if (snowy) {
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
    }
    // Beyond the far plane, the ground's mean look.
    glBindTexture(GL_TEXTURE_2D, snowy ? snowyMeanTexture : grassMeanTexture);
    drawFarBand(FAR_GROUND_LOWEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
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
