#include "render/view_frustum.h"

#include <cmath>

#include "render/gl.h"

namespace {

// How far outside the screen the side planes stand, as a fraction of its
// half-width: 20 pixels on an 800-pixel-wide window, far more than the
// widest point (4 pixels) or line (3 pixels) reaches past its centre.
const float SIDE_MARGIN = 0.05f;
// Near and far: enough to take in a rounding step of a world coordinate.
const float DEPTH_SLACK = 0.01f;

void setPlane(float* plane, const float* a, float aScale, const float* b, float bSign) {
    for (int i = 0; i < 4; ++i) plane[i] = a[i] * aScale + b[i] * bSign;
    float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    if (length > 0.0f)
        for (int i = 0; i < 4; ++i) plane[i] /= length;
}

}  // namespace

ViewFrustum currentViewFrustum() {
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    // Rows of projection x model-view (both stored column by column).
    float row[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float v = 0.0f;
            for (int k = 0; k < 4; ++k) v += projection[k * 4 + r] * modelView[c * 4 + k];
            row[r][c] = v;
        }
    ViewFrustum f;
    const float wide = 1.0f + SIDE_MARGIN;
    setPlane(f.plane[0], row[3], wide, row[0], 1.0f);   // left
    setPlane(f.plane[1], row[3], wide, row[0], -1.0f);  // right
    setPlane(f.plane[2], row[3], wide, row[1], 1.0f);   // bottom
    setPlane(f.plane[3], row[3], wide, row[1], -1.0f);  // top
    setPlane(f.plane[4], row[3], 1.0f, row[2], 1.0f);   // near
    setPlane(f.plane[5], row[3], 1.0f, row[2], -1.0f);  // far
    for (int i = 4; i < 6; ++i) f.plane[i][3] += DEPTH_SLACK;
    // The eye sits where the model-view matrix takes a point to the origin:
    // minus the translation turned back by the transpose of the rotation.
    for (int i = 0; i < 3; ++i)
        f.eye[i] = -(modelView[i * 4 + 0] * modelView[12] + modelView[i * 4 + 1] * modelView[13] +
                     modelView[i * 4 + 2] * modelView[14]);
    return f;
}

int boundsInView(const ViewFrustum* view, const Bounds* b) {
    if (b->empty) return 0;
    for (const float* p : view->plane) {
        // The corner farthest along the plane's normal.
        float x = p[0] >= 0.0f ? b->max[0] : b->min[0];
        float y = p[1] >= 0.0f ? b->max[1] : b->min[1];
        float z = p[2] >= 0.0f ? b->max[2] : b->min[2];
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0.0f) return 0;
    }
    return 1;
}

float boundsDistanceSquared(const ViewFrustum* view, const Bounds* b) {
    float d2 = 0.0f;
    for (int i = 0; i < 3; ++i) {
        float e = view->eye[i];
        float d = e < b->min[i] ? b->min[i] - e : (e > b->max[i] ? e - b->max[i] : 0.0f);
        d2 += d * d;
    }
    return d2;
}

int sphereInView(const ViewFrustum* view, float x, float y, float z, float radius) {
    for (const float* p : view->plane)
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < -radius) return 0;
    return 1;
}
