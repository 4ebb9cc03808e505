#include "render/overlay.h"

#include "render/gl.h"

OverlaySpace overlaySpaceFor(int viewportWidth, int viewportHeight) {
    double w = viewportWidth > 0 ? viewportWidth : 1;
    double h = viewportHeight > 0 ? viewportHeight : 1;
    // The side the reference area fills keeps its exact length.
    if (w * OVERLAY_HEIGHT >= h * OVERLAY_WIDTH)
        return OverlaySpace{(float)(OVERLAY_HEIGHT * w / h), OVERLAY_HEIGHT};
    return OverlaySpace{OVERLAY_WIDTH, (float)(OVERLAY_WIDTH * h / w)};
}

OverlaySpace beginOverlay() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    OverlaySpace space = overlaySpaceFor(viewport[2], viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, space.width, 0.0, space.height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    return space;
}

void endOverlay() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
