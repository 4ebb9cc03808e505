#include "hud/crosshair.h"

#include "render/gl.h"
#include "render/overlay.h"

void drawLine2D(float x1, float y1, float x2, float y2) {
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex2f(x1, y1);
    glVertex2f(x2, y2);
    glEnd();
}

void drawCrosshair() {
    OverlaySpace space = beginOverlay();
    const float cx = space.width / 2.0f;
    const float cy = space.height / 2.0f;
    // Blending is off at this point of the pass: the mark is opaque.
    glColor3f(1.0f, 1.0f, 1.0f);
    drawLine2D(cx - 12.0f, cy, cx - 4.0f, cy);
    drawLine2D(cx + 4.0f, cy, cx + 12.0f, cy);
    drawLine2D(cx, cy - 12.0f, cx, cy - 4.0f);
    drawLine2D(cx, cy + 4.0f, cx, cy + 12.0f);
    // The dot takes the point size the flowers left (4).
    glColor3f(1.0f, 0.2f, 0.2f);
    glBegin(GL_POINTS);
    glVertex2f(cx, cy);
    glEnd();
    endOverlay();
}
