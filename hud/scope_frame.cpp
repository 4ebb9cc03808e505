#include "hud/scope_frame.h"

#include <cmath>
#include <vector>

#include "hud/hud.h"
#include "render/gl.h"
#include "render/overlay.h"
#include "render/primitives.h"
#include "world/park.h"

namespace {

const int SCOPE_SEGMENTS = 64;
const int VIGNETTE_RINGS = 20;
// The solid black beyond the rings reaches at least this far, and always past the view's corners.
const float SCOPE_MASK_REACH = 800.0f;

// The vignette as a mask for the viewport it was read back at.
struct VignetteMask {
    unsigned texture;
    int width, height;                // the viewport's pixels
    int textureWidth, textureHeight;  // powers of two holding them
};

VignetteMask mask;
unsigned glassList = 0;  // rim, reticle, glare and wash
// The overlay space and the lens's centre in it, for the frame being drawn
// and for what the glass list was made at.
OverlaySpace space = {OVERLAY_WIDTH, OVERLAY_HEIGHT};
float centreX = 0.0f, centreY = 0.0f;
float glassX = 0.0f, glassY = 0.0f;
// Only touched when a mask is made: the frame saved while the rings are drawn alone.
std::vector<unsigned char> savedFrame;
std::vector<unsigned char> maskPixels;

void scopeVertex(int k, float r) {
    CirclePoint p = circlePoint(k, SCOPE_SEGMENTS, PI_SHORT);
    glVertex2f(centreX + p.c * r, centreY + p.s * r);
}

void scopeRing(float inner, float outer) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k <= SCOPE_SEGMENTS; ++k) {
        scopeVertex(k, outer);
        scopeVertex(k, inner);
    }
    glEnd();
}

void scopeCircle(float r) {
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k <= SCOPE_SEGMENTS; ++k) scopeVertex(k, r);
    glEnd();
}

void line(float x1, float y1, float x2, float y2) {
    glVertex2f(x1, y1);
    glVertex2f(x2, y2);
}

// Twenty rings darkening outward from the lens, then solid black beyond,
// each drawn as a grey of the alpha that darkens the view there: the mask.
void drawVignetteGreys() {
    const float r = SCOPE_LENS_RADIUS;
    float reach = std::sqrt(centreX * centreX + centreY * centreY) + 1.0f;
    if (reach < SCOPE_MASK_REACH) reach = SCOPE_MASK_REACH;
    for (int i = 0; i <= VIGNETTE_RINGS; ++i) {
        float alpha = i < VIGNETTE_RINGS ? 0.02f + 0.05f * (float)i : 1.0f;
        glColor4f(alpha, alpha, alpha, 1.0f);
        if (i < VIGNETTE_RINGS)
            scopeRing(r + 20.0f * (float)i, r + 20.0f * (float)(i + 1));
        else
            scopeRing(r + 400.0f, reach);
    }
}

void drawScopeReticle() {
    const float cx = centreX, cy = centreY, r = SCOPE_LENS_RADIUS;
    // Four hairs leaving a 24-unit gap at the centre.
    glColor4f(0.7f, 0.15f, 0.15f, 0.85f);
    glLineWidth(1.5f);
    glBegin(GL_LINES);
    line(cx - r + 10.0f, cy, cx - 12.0f, cy);
    line(cx + 12.0f, cy, cx + r - 10.0f, cy);
    line(cx, cy - r + 10.0f, cx, cy - 12.0f);
    line(cx, cy + 12.0f, cx, cy + r - 10.0f);
    glEnd();

    glColor4f(0.7f, 0.15f, 0.15f, 0.5f);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    for (int i = 1; i <= 4; ++i) {
        float d = 30.0f * (float)i;
        float h = i == 4 ? 7.0f : 4.0f;
        line(cx - d, cy - h, cx - d, cy + h);
        line(cx + d, cy - h, cx + d, cy + h);
        line(cx - h, cy - d, cx + h, cy - d);
        line(cx - h, cy + d, cx + h, cy + d);
    }
    glEnd();

    glColor4f(0.7f, 0.15f, 0.15f, 0.8f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(cx, cy - 4.0f);
    glVertex2f(cx + 4.0f, cy);
    glVertex2f(cx, cy + 4.0f);
    glVertex2f(cx - 4.0f, cy);
    glEnd();
}

// Everything over the vignette, blended: rim, reticle, glare and green wash.
void drawGlass() {
    const float r = SCOPE_LENS_RADIUS;
    glLineWidth(3.0f);
    glColor4f(0.15f, 0.18f, 0.12f, 0.6f);
    scopeCircle(r);
    glLineWidth(1.0f);
    glColor4f(0.25f, 0.28f, 0.22f, 0.4f);
    scopeCircle(r + 3.0f);

    drawScopeReticle();

    // A faint glare arc in the upper left of the glass.
    const float gx = centreX - 40.0f, gy = centreY + 50.0f;
    glColor4f(1.0f, 1.0f, 1.0f, 0.08f);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(gx, gy);
    for (int k = 0; k <= 20; ++k) {
        float t = (float)k / 20.0f * 1.2f * PI_SHORT;
        glVertex2f(gx + 60.0f * std::cos(t), gy + 40.0f * std::sin(t));
    }
    glEnd();

    // A faint green wash over the view.
    glColor4f(0.0f, 0.05f, 0.0f, 0.04f);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(centreX, centreY);
    for (int k = 0; k <= SCOPE_SEGMENTS; ++k) scopeVertex(k, r);
    glEnd();
    glLineWidth(1.0f);
}

int powerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// Draws the rings alone into the frame, each pixel the grey of the alpha
// that darkens it (0 where no ring is), reads that back as the mask and puts
// the frame back as it was. Blending and texturing are off.
void makeMask(int width, int height) {
    savedFrame.resize((size_t)width * (size_t)height * 4);
    maskPixels.resize((size_t)width * (size_t)height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, savedFrame.data());

    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glRectf(0.0f, 0.0f, space.width, space.height);
    drawVignetteGreys();
    glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, maskPixels.data());

    glRasterPos2f(0.0f, 0.0f);
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, savedFrame.data());

    if (!mask.texture) glGenTextures(1, &mask.texture);
    mask.width = width;
    mask.height = height;
    mask.textureWidth = powerOfTwoAtLeast(width);
    mask.textureHeight = powerOfTwoAtLeast(height);
    glBindTexture(GL_TEXTURE_2D, mask.texture);
    // One texel a pixel, never blended with its neighbours.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, mask.textureWidth, mask.textureHeight, 0, GL_ALPHA,
                 GL_UNSIGNED_BYTE, nullptr);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_ALPHA, GL_UNSIGNED_BYTE,
                    maskPixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// An overlay rectangle of the mask, each pixel taking the texel under it.
void maskRectangle(float x0, float y0, float x1, float y1) {
    float s = (float)mask.width / (float)mask.textureWidth / space.width;
    float t = (float)mask.height / (float)mask.textureHeight / space.height;
    glTexCoord2f(x0 * s, y0 * t);
    glVertex2f(x0, y0);
    glTexCoord2f(x1 * s, y0 * t);
    glVertex2f(x1, y0);
    glTexCoord2f(x1 * s, y1 * t);
    glVertex2f(x1, y1);
    glTexCoord2f(x0 * s, y1 * t);
    glVertex2f(x0, y1);
}

// Black over the whole view, at each pixel the alpha of the mask's texel
// under it (an alpha texture leaves the colour black under either texture
// environment mode the frame may have left). The mask is clear inside the
// lens, so a square well inside it (corners 148.5 out, the innermost ring
// starting 149.8 out) is left out: those pixels would not change.
void drawMask() {
    const float h = 105.0f;
    const float left = centreX - h, right = centreX + h, bottom = centreY - h, top = centreY + h;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, mask.texture);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    maskRectangle(0.0f, 0.0f, space.width, bottom);
    maskRectangle(0.0f, top, space.width, space.height);
    maskRectangle(0.0f, bottom, left, top);
    maskRectangle(right, bottom, space.width, top);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void drawScopeFrame() {
    if (!parkBuilt.scopeFrame) {
        // A fresh rendering context: names made in the old one mean nothing here.
        mask = VignetteMask{};
        glassList = 0;
        parkBuilt.scopeFrame = 1;
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    space = overlaySpaceFor(viewport[2], viewport[3]);
    centreX = space.width / 2.0f;
    centreY = space.height / 2.0f;
    if (!mask.texture || viewport[2] != mask.width || viewport[3] != mask.height)
        makeMask(viewport[2], viewport[3]);

    glEnable(GL_BLEND);
    // The mask's colour is black, so only the view's own share counts: the same pixels as the
    // usual blend for less of the rasteriser's work over the whole view.
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
    drawMask();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (!glassList || glassX != centreX || glassY != centreY) {
        if (!glassList) glassList = glGenLists(1);
        glassX = centreX;
        glassY = centreY;
        if (glassList) glNewList(glassList, GL_COMPILE);
        drawGlass();
        if (glassList) glEndList();
    }
    if (glassList) glCallList(glassList);
    glDisable(GL_BLEND);
}
