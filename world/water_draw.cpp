#include "world/water_draw.h"

#include <cmath>

#include "render/gl.h"
#include "render/mesh_batch.h"
#include "world/fish.h"
#include "world/terrain.h"

namespace {

const float SURFACE_HALF_WIDTH = 1.05f;
const int RIPPLE_LINES = 8;
const float FISH_DEPTH = 0.1f;
const float FISH_SIZE = 0.35f;
const float FISH_ALPHA = 0.85f;

// The sideways direction of the current at sample k: a right angle to the
// way the centre line runs there.
void streamSide(int k, float* px, float* pz) {
    int a = k < STREAM_SAMPLES - 1 ? k : STREAM_SAMPLES - 2;
    float dx = streamSampleX[a + 1] - streamSampleX[a];
    float dz = streamSampleZ[a + 1] - streamSampleZ[a];
    float length = std::sqrt(dx * dx + dz * dz);
    if (length > 0.001f) {
        dx /= length;
        dz /= length;
    }
    *px = -dz;
    *pz = dx;
}

// Scratch for one strip or line along the stream, drawn from arrays: the
// water takes a few calls a frame instead of one for every vertex.
float streamVertices[2 * STREAM_SAMPLES][3];

void drawStreamVertices(GLenum mode, int count) {
    glVertexPointer(3, GL_FLOAT, 0, streamVertices);
    glDrawArrays(mode, 0, count);
}

void waterStrip(float halfWidth, float y) {
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        float px, pz;
        streamSide(k, &px, &pz);
        float x = streamSampleX[k];
        float z = streamSampleZ[k];
        float* a = streamVertices[2 * k];
        float* b = streamVertices[2 * k + 1];
        a[0] = x + halfWidth * px;
        a[1] = y;
        a[2] = z + halfWidth * pz;
        b[0] = x - halfWidth * px;
        b[1] = y;
        b[2] = z - halfWidth * pz;
    }
    drawStreamVertices(GL_TRIANGLE_STRIP, 2 * STREAM_SAMPLES);
}

void rippleLines(float t) {
    for (int j = 0; j < RIPPLE_LINES; ++j) {
        float f = (float)j / (float)RIPPLE_LINES;
        glColor4f(0.6f, 0.8f, 1.0f, 0.15f + 0.1f * std::sin(2.0f * t + 12.0f * f));
        float o = (f - 0.5f) * 2.0f * WATER_HALF_WIDTH * 0.8f;
        for (int k = 0; k < STREAM_SAMPLES; ++k) {
            float px, pz;
            streamSide(k, &px, &pz);
            float h = 0.03f * std::sin(3.0f * t + 0.1f * (float)k + 5.0f * f);
            streamVertices[k][0] = streamSampleX[k] + o * px;
            streamVertices[k][1] = WATER_LEVEL + 0.03f + h;
            streamVertices[k][2] = streamSampleZ[k] + o * pz;
        }
        drawStreamVertices(GL_LINE_STRIP, STREAM_SAMPLES);
    }
}

// Adds fish i to the batch: body, tail and eyes, in that order.
void batchFish(int i) {
    const FishSchool* f = &fishSchool;
    float fx, fz;
    streamPointAt(f->along[i], &fx, &fz);
    int k = (int)(f->along[i] * 200.0f);
    if (k > STREAM_SAMPLES - 2) k = STREAM_SAMPLES - 2;
    float heading = (float)std::atan2(streamSampleZ[k + 1] - streamSampleZ[k],
                                      streamSampleX[k + 1] - streamSampleX[k]) *
                    180.0f / 3.14159f;
    const float s = FISH_SIZE;
    Placement fish = placementAt(fx, WATER_LEVEL - FISH_DEPTH, fz);
    // The fish's nose is its local +x; turning it toward (cos h, sin h) in
    // (x, z) is a turn of -h about +y.
    placeRotate(&fish, -heading, 0.0f, 1.0f, 0.0f);

    Placement body = fish;
    placeScale(&body, 1.0f, 0.5f, 0.4f);
    batchSphere(&body, s, 6, 4, BatchColour{f->red[i], f->green[i], f->blue[i], FISH_ALPHA});

    Placement tail = fish;
    placeTranslate(&tail, -1.2f * s, 0.0f, 0.0f);
    placeRotate(&tail, 15.0f * std::sin(f->phase[i]), 0.0f, 1.0f, 0.0f);
    const float fin[3][3] = {
        {0.0f, 0.0f, 0.0f}, {-0.6f * s, 0.4f * s, 0.0f}, {-0.6f * s, -0.4f * s, 0.0f}};
    batchTriangle(&tail, fin,
                  BatchColour{0.8f * f->red[i], 0.8f * f->green[i], 0.8f * f->blue[i], FISH_ALPHA});

    for (int side = -1; side <= 1; side += 2) {
        Placement eye = fish;
        placeTranslate(&eye, 0.6f * s, 0.1f * s, -0.12f * s * (float)side);
        batchSphere(&eye, 0.08f * s, 4, 4, BatchColour{0.1f, 0.1f, 0.1f, FISH_ALPHA});
    }
}

}  // namespace

void drawStream(float clock) {
    if (!isStreamBuilt()) buildStream();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The water tests depth against the bed but writes none, so the fish show through.
    glDepthMask(GL_FALSE);

    glNormal3f(0.0f, 1.0f, 0.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glColor4f(0.18f, 0.5f, 0.8f, 0.22f);
    waterStrip(WATER_HALF_WIDTH, WATER_LEVEL);
    glColor4f(0.3f, 0.6f, 0.9f, 0.15f);
    waterStrip(SURFACE_HALF_WIDTH, WATER_LEVEL + 0.02f);
    rippleLines(clock);
    glDisableClientState(GL_VERTEX_ARRAY);

    // Drawing takes no random draws, so updating the whole school first keeps the sequence.
    updateFishSchool();
    // The whole school in one draw, fish after fish, so they blend as before.
    beginMeshBatch();
    for (int i = 0; i < FISH_COUNT; ++i) batchFish(i);
    drawMeshBatch();

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
}
