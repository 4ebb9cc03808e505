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

// The cofactors of the linear part: the inverse transpose up to a factor
// that the renormalisation removes (positive: nothing here is mirrored).
void normalMatrix(const Placement* p, double c[3][3]) {
    const double(*m)[4] = p->m;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            c[i][j] = m[i1][j1] * m[i2][j2] - m[i1][j2] * m[i2][j1];
        }
    }
}

void transformNormal(const double c[3][3], float nx, float ny, float nz, float* out) {
    for (int i = 0; i < 3; ++i) out[i] = (float)(c[i][0] * nx + c[i][1] * ny + c[i][2] * nz);
}

void transformPoint(const Placement* p, float x, float y, float z, float* out) {
    const double(*m)[4] = p->m;
    for (int i = 0; i < 3; ++i) out[i] = (float)(m[i][0] * x + m[i][1] * y + m[i][2] * z + m[i][3]);
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
    double c[3][3];
    normalMatrix(p, c);
    float n[3];
    transformNormal(c, nx, ny, nz, n);
    glNormal3f(n[0], n[1], n[2]);
}

void placedVertex(const Placement* p, float x, float y, float z, Bounds* bounds) {
    float w[3];
    transformPoint(p, x, y, z, w);
    glVertex3f(w[0], w[1], w[2]);
    if (bounds) growBounds(bounds, w[0], w[1], w[2]);
}

void placeVertices(const Placement* p, const MeshVertex* vertices, int count, float (*position)[3],
                   float (*normal)[3]) {
    double c[3][3];
    normalMatrix(p, c);
    for (int i = 0; i < count; ++i) {
        const MeshVertex& v = vertices[i];
        transformPoint(p, v.x, v.y, v.z, position[i]);
        transformNormal(c, v.nx, v.ny, v.nz, normal[i]);
    }
}

void placedTriangles(const QuadricMesh* mesh, const Placement* p, Bounds* bounds) {
    static int corners[MESH_MAX_CORNERS];
    int count = meshTriangles(mesh, corners);
    for (int i = 0; i < count; ++i) {
        const MeshVertex& q = mesh->vertices[corners[i]];
        placedNormal(p, q.nx, q.ny, q.nz);
        placedVertex(p, q.x, q.y, q.z, bounds);
    }
}
