#include "render/far_band.h"

#include <cmath>

#include "render/gl.h"

namespace {

// A convex polygon in the far plane, in eye coordinates (x, y).
struct FarPolygon {
    float x[8], y[8];
    int count;
};

// Keeps the part of the polygon where a x + b y + c >= 0.
void clipFarPolygon(FarPolygon* p, float a, float b, float c) {
    FarPolygon kept;
    kept.count = 0;
    for (int i = 0; i < p->count; ++i) {
        int j = (i + 1) % p->count;
        float di = a * p->x[i] + b * p->y[i] + c;
        float dj = a * p->x[j] + b * p->y[j] + c;
        if (di >= 0.0f) {
            kept.x[kept.count] = p->x[i];
            kept.y[kept.count] = p->y[i];
            ++kept.count;
        }
        if ((di >= 0.0f) != (dj >= 0.0f)) {
            float t = di / (di - dj);
            kept.x[kept.count] = p->x[i] + (p->x[j] - p->x[i]) * t;
            kept.y[kept.count] = p->y[i] + (p->y[j] - p->y[i]) * t;
            ++kept.count;
        }
    }
    *p = kept;
}

}  // namespace

void drawFarBand(float lowestY) {
    GLfloat m[16], p[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    // A perspective's far distance from its depth terms; the band stands just inside it.
    float distance = 0.998f * p[14] / (p[10] + 1.0f);
    // World up in eye coordinates, and the eye's world height.
    float ux = m[4], uy = m[5], uz = m[6];
    float eyeY = -(ux * m[12] + uy * m[13] + uz * m[14]);
    // The view's rectangle in that plane, a little wide, cut to the heights
    // from lowestY up to the horizon: height = eyeY + ux x + uy y - uz distance.
    float w = 1.01f * distance / p[0];
    float h = 1.01f * distance / p[5];
    FarPolygon band = {{-w, w, w, -w}, {-h, -h, h, h}, 4};
    clipFarPolygon(&band, ux, uy, eyeY - uz * distance - lowestY);
    clipFarPolygon(&band, -ux, -uy, uz * distance);
    if (band.count < 3) return;
    glPushMatrix();
    glLoadIdentity();
    glNormal3f(ux, uy, uz);
    glBegin(GL_TRIANGLE_FAN);
    for (int i = 0; i < band.count; ++i) glVertex3f(band.x[i], band.y[i], -distance);
    glEnd();
    glPopMatrix();
}
