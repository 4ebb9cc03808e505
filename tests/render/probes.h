#pragma once

// Helpers for probing what one drawing step puts on the screen: where a
// world point lands, what a translucent layer over a known colour gives,
// and a bare frame in which a step can be drawn on its own.

#include <cmath>

#include "player/player.h"
#include "render/gl.h"
#include "render_fixture.h"

namespace probes {

struct Rgb {
    float red, green, blue;
};

// Screen position (x from the left, y from the top) of a world point seen by
// eye through a perspective of the given vertical angle on the 800 x 600 canvas.
inline void screenPoint(const PlayerState& eye, float fieldOfView, Vec3 p, int* x, int* y) {
    GLdouble projection[16], modelView[16];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(fieldOfView, 800.0 / 600.0, 0.1, 200.0);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyCamera(&eye);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glPopMatrix();
    const GLint viewport[4] = {0, 0, 800, 600};
    GLdouble wx, wy, wz;
    gluProject(p.x, p.y, p.z, modelView, projection, viewport, &wx, &wy, &wz);
    *x = (int)std::floor(wx);
    *y = 599 - (int)std::floor(wy);
}

inline PixelColour pixelAt(const PlayerState& eye, float fieldOfView, Vec3 p) {
    int x, y;
    screenPoint(eye, fieldOfView, p, &x, &y);
    return offscreenPixel(x, y);
}

// What a layer of colour c at alpha a leaves over what was there.
inline Rgb over(Rgb c, float a, Rgb below) {
    return Rgb{a * c.red + (1 - a) * below.red, a * c.green + (1 - a) * below.green,
               a * c.blue + (1 - a) * below.blue};
}

inline Rgb rgbOf(PixelColour p) { return Rgb{p.red / 255.0f, p.green / 255.0f, p.blue / 255.0f}; }

inline ::testing::AssertionResult near(PixelColour actual, Rgb expected, int tolerance = 4) {
    return colourNear(actual, toByte(expected.red), toByte(expected.green), toByte(expected.blue), tolerance);
}

// Cleared to one colour, the camera at eye and the scene light placed in the
// world as the pass places it; nothing else drawn.
inline void bareFrame(const PlayerState& eye, Rgb background) {
    glClearColor(background.red, background.green, background.blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glLoadIdentity();
    applyCamera(&eye);
    const GLfloat light[4] = {50.0f, 80.0f, 30.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
}

// Pixels in a rectangle that pass a test.
template <typename Test>
int countPixels(int x0, int y0, int x1, int y1, Test test) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (test(offscreenPixel(x, y))) ++n;
    return n;
}

inline PlayerState eyeAt(float x, float y, float z, float yaw, float pitch) {
    PlayerState p;
    p.position = makeVec3(x, y, z);
    p.yaw = yaw;
    p.pitch = pitch;
    return p;
}

}  // namespace probes
