#include "render/quadric_mesh.h"

#include <cmath>

#include "render/gl.h"

// The arithmetic below keeps GLU's types on purpose: angles are stored as
// floats before their sines are taken in double, sizes stay double until a
// value is stored. Changing any of it moves vertices by a rounding step.

namespace {

const double GLU_PI = 3.14159265358979323846;
// Sines and cosines by slice and by stack, the first repeated at the end to close the seam.
const int SLICE_CACHE = MESH_MAX_SLICES + 1;
const int STACK_CACHE = MESH_MAX_STACKS + 1;

int clampInt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

void beginStrip(QuadricMesh* mesh, unsigned mode) {
    MeshStrip* s = &mesh->strips[mesh->stripCount++];
    s->mode = mode;
    s->first = mesh->vertexCount;
    s->count = 0;
}

void addVertex(QuadricMesh* mesh, float nx, float ny, float nz, float x, float y, float z) {
    mesh->vertices[mesh->vertexCount++] = MeshVertex{x, y, z, nx, ny, nz};
    mesh->strips[mesh->stripCount - 1].count += 1;
}

}  // namespace

void cylinderMesh(QuadricMesh* mesh, double baseRadius, double topRadius, double height, int slices,
                  int stacks) {
    slices = clampInt(slices, 2, MESH_MAX_SLICES);
    stacks = clampInt(stacks, 1, MESH_MAX_STACKS);
    mesh->vertexCount = 0;
    mesh->stripCount = 0;

    float sinCache[SLICE_CACHE], cosCache[SLICE_CACHE];
    float sinNormal[SLICE_CACHE], cosNormal[SLICE_CACHE];
    float deltaRadius = (float)(baseRadius - topRadius);
    float length = (float)std::sqrt((double)(deltaRadius * deltaRadius) + height * height);
    if (length == 0.0f) return;
    float zNormal = deltaRadius / length;
    float xyNormalRatio = (float)(height / length);
    for (int i = 0; i < slices; ++i) {
        float angle = (float)(2 * GLU_PI * i / slices);
        sinNormal[i] = (float)(xyNormalRatio * std::sin((double)angle));
        cosNormal[i] = (float)(xyNormalRatio * std::cos((double)angle));
        sinCache[i] = (float)std::sin((double)angle);
        cosCache[i] = (float)std::cos((double)angle);
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];
    sinNormal[slices] = sinNormal[0];
    cosNormal[slices] = cosNormal[0];

    for (int j = 0; j < stacks; ++j) {
        float zLow = (float)(j * height / stacks);
        float zHigh = (float)((j + 1) * height / stacks);
        float radiusLow = (float)(baseRadius - deltaRadius * ((float)j / stacks));
        float radiusHigh = (float)(baseRadius - deltaRadius * ((float)(j + 1) / stacks));
        beginStrip(mesh, GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            addVertex(mesh, sinNormal[i], cosNormal[i], zNormal, radiusLow * sinCache[i],
                      radiusLow * cosCache[i], zLow);
            addVertex(mesh, sinNormal[i], cosNormal[i], zNormal, radiusHigh * sinCache[i],
                      radiusHigh * cosCache[i], zHigh);
        }
    }
}

void sphereMesh(QuadricMesh* mesh, double radius, int slices, int stacks) {
    slices = clampInt(slices, 2, MESH_MAX_SLICES);
    stacks = clampInt(stacks, 2, MESH_MAX_STACKS);
    mesh->vertexCount = 0;
    mesh->stripCount = 0;

    // "a" caches run around the axis (by slice), "b" caches from pole to pole (by stack).
    float sinA[SLICE_CACHE] = {}, cosA[SLICE_CACHE] = {};
    float sinB[STACK_CACHE] = {}, cosB[STACK_CACHE] = {};
    float ringRadius[STACK_CACHE] = {}, ringZ[STACK_CACHE] = {};
    for (int i = 0; i < slices; ++i) {
        float angle = (float)(2 * GLU_PI * i / slices);
        sinA[i] = (float)std::sin((double)angle);
        cosA[i] = (float)std::cos((double)angle);
    }
    for (int j = 0; j <= stacks; ++j) {
        float angle = (float)(GLU_PI * j / stacks);
        sinB[j] = (float)std::sin((double)angle);
        cosB[j] = (float)std::cos((double)angle);
        ringRadius[j] = (float)(radius * std::sin((double)angle));
        ringZ[j] = (float)(radius * std::cos((double)angle));
    }
    sinA[slices] = sinA[0];
    cosA[slices] = cosA[0];

    // The cap around +z, wound backwards round the axis so it faces out.
    beginStrip(mesh, GL_TRIANGLE_FAN);
    addVertex(mesh, sinA[0] * sinB[0], cosA[0] * sinB[0], cosB[0], 0.0f, 0.0f, (float)radius);
    for (int i = slices; i >= 0; --i)
        addVertex(mesh, sinA[i] * sinB[1], cosA[i] * sinB[1], cosB[1], ringRadius[1] * sinA[i],
                  ringRadius[1] * cosA[i], ringZ[1]);

    // The cap around -z. Its pole's normal takes the slice cache at the
    // stack count, as GLU's does (a vanishing sideways part either way).
    int last = stacks - 1;
    beginStrip(mesh, GL_TRIANGLE_FAN);
    addVertex(mesh, sinA[stacks] * sinB[stacks], cosA[stacks] * sinB[stacks], cosB[stacks], 0.0f,
              0.0f, (float)-radius);
    for (int i = 0; i <= slices; ++i)
        addVertex(mesh, sinA[i] * sinB[last], cosA[i] * sinB[last], cosB[last],
                  ringRadius[last] * sinA[i], ringRadius[last] * cosA[i], ringZ[last]);

    // The bands between, each from its lower ring (toward -z) ... upper first.
    for (int j = 1; j < stacks - 1; ++j) {
        beginStrip(mesh, GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            addVertex(mesh, sinA[i] * sinB[j + 1], cosA[i] * sinB[j + 1], cosB[j + 1],
                      ringRadius[j + 1] * sinA[i], ringRadius[j + 1] * cosA[i], ringZ[j + 1]);
            addVertex(mesh, sinA[i] * sinB[j], cosA[i] * sinB[j], cosB[j], ringRadius[j] * sinA[i],
                      ringRadius[j] * cosA[i], ringZ[j]);
        }
    }
}

void discMesh(QuadricMesh* mesh, double radius, int slices) {
    slices = clampInt(slices, 2, MESH_MAX_SLICES);
    mesh->vertexCount = 0;
    mesh->stripCount = 0;

    // GLU cuts a disc as a partial disc swept through 360 degrees, its angles
    // reckoned from the sweep in degrees.
    float sinCache[SLICE_CACHE], cosCache[SLICE_CACHE];
    for (int i = 0; i < slices; ++i) {
        float angle = (float)(((GLU_PI * 360.0) / 180.0) * i / slices);
        sinCache[i] = (float)std::sin((double)angle);
        cosCache[i] = (float)std::cos((double)angle);
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];

    // A fan about the centre, wound backwards round the axis so it faces +z.
    float rim = (float)radius;
    beginStrip(mesh, GL_TRIANGLE_FAN);
    addVertex(mesh, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    for (int i = slices; i >= 0; --i)
        addVertex(mesh, 0.0f, 0.0f, 1.0f, rim * sinCache[i], rim * cosCache[i], 0.0f);
}

int meshTriangles(const QuadricMesh* mesh, int* corners) {
    int n = 0;
    for (int s = 0; s < mesh->stripCount; ++s) {
        const MeshStrip& strip = mesh->strips[s];
        int v = strip.first;
        if (strip.mode == GL_QUAD_STRIP) {
            for (int i = 0; i + 3 < strip.count; i += 2) {
                const int quad[6] = {i + 2, i, i + 3, i, i + 1, i + 3};
                for (int k : quad) corners[n++] = v + k;
            }
        } else {
            for (int i = 0; i + 2 < strip.count; ++i) {
                const int triangle[3] = {0, i + 1, i + 2};
                for (int k : triangle) corners[n++] = v + k;
            }
        }
    }
    return n;
}
