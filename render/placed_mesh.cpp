#include "render/placed_mesh.h"

#include <cmath>

#include "render/gl.h"

namespace {

// p = p * t, with t given as three rows of a 3 x 4 affine matrix.
void postMultiply(Placement* p, const double t[3][4]) {
    Placement r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            double v = j == 3 ? p->m[i][3] : 0.0;
            for (int k = 0; k < 3; ++k) v += p->m[i][k] * t[k][j];
            r.m[i][j] = v;
        }
    }
    *p = r;
}

}  // namespace

Placement placementAt(float x, float y, float z) {
    return Placement{{{1, 0, 0, x}, {0, 1, 0, y}, {0, 0, 1, z}}};
}

void placeTranslate(Placement* p, float x, float y, float z) {
    const double t[3][4] = {{1, 0, 0, x}, {0, 1, 0, y}, {0, 0, 1, z}};
    postMultiply(p, t);
}

void placeRotate(Placement* p, float degrees, float ax, float ay, float az) {
    double length = std::sqrt((double)ax * ax + (double)ay * ay + (double)az * az);
    if (length == 0.0) return;
    double x = ax / length, y = ay / length, z = az / length;
    double a = degrees * 3.14159265358979323846 / 180.0;
    double s = std::sin(a), c = std::cos(a), k = 1.0 - c;
    const double t[3][4] = {{x * x * k + c, x * y * k - z * s, x * z * k + y * s, 0},
                            {y * x * k + z * s, y * y * k + c, y * z * k - x * s, 0},
                            {x * z * k - y * s, y * z * k + x * s, z * z * k + c, 0}};
    postMultiply(p, t);
}

void placeScale(Placement* p, float x, float y, float z) {
    const double t[3][4] = {{x, 0, 0, 0}, {0, y, 0, 0}, {0, 0, z, 0}};
    postMultiply(p, t);
}

Bounds emptyBounds() { return Bounds{{0, 0, 0}, {0, 0, 0}, 1}; }

void growBounds(Bounds* b, float x, float y, float z) {
    const float v[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        if (b->empty || v[i] < b->min[i]) b->min[i] = v[i];
        if (b->empty || v[i] > b->max[i]) b->max[i] = v[i];
    }
    b->empty = 0;
}

void placedNormal(const Placement* p, float nx, float ny, float nz) {
    // The cofactors of the linear part: the inverse transpose up to a factor
    // that the renormalisation removes (positive: nothing here is mirrored).
    const double(*m)[4] = p->m;
    double c[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            c[i][j] = m[i1][j1] * m[i2][j2] - m[i1][j2] * m[i2][j1];
        }
    }
    glNormal3f((float)(c[0][0] * nx + c[0][1] * ny + c[0][2] * nz), (float)(c[1][0] * nx + c[1][1] * ny + c[1][2] * nz),
               (float)(c[2][0] * nx + c[2][1] * ny + c[2][2] * nz));
}

void placedVertex(const Placement* p, float x, float y, float z, Bounds* bounds) {
    const double(*m)[4] = p->m;
    float wx = (float)(m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3]);
    float wy = (float)(m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3]);
    float wz = (float)(m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3]);
    glVertex3f(wx, wy, wz);
    if (bounds) growBounds(bounds, wx, wy, wz);
}

void drawPlacedMesh(const QuadricMesh* mesh, const Placement* p, Bounds* bounds) {
    for (int s = 0; s < mesh->stripCount; ++s) {
        const MeshStrip& strip = mesh->strips[s];
        glBegin(strip.mode);
        for (int v = strip.first; v < strip.first + strip.count; ++v) {
            const MeshVertex& q = mesh->vertices[v];
            placedNormal(p, q.nx, q.ny, q.nz);
            placedVertex(p, q.x, q.y, q.z, bounds);
        }
        glEnd();
    }
}
