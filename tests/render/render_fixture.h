#pragma once

// Frames of a seeded game drawn offscreen, and what the render tests hold them to: colours worked
// out from the rules, and the test's own drawings of the same things made with GLU's quadrics and
// GL's own matrices.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/scene.h"
#include "combat/creature_draw.h"
#include "combat/effects_draw.h"
#include "core/random.h"
#include "fakes/platform_fake.h"
#include "hud/crosshair.h"
#include "hud/hud.h"
#include "hud/scope_frame.h"
#include "player/input.h"
#include "render/gl.h"
#include "sky/clouds.h"
#include "sky/sky.h"
#include "sky/weather.h"
#include "tools/common/game_harness.h"
#include "tools/common/offscreen.h"
#include "world/bushes.h"
#include "world/fish.h"
#include "world/park.h"
#include "world/scenery_draw.h"
#include "world/sign.h"
#include "world/terrain.h"
#include "world/terrain_draw.h"
#include "world/textures.h"
#include "world/water_draw.h"

// A seeded game drawn offscreen at 800 x 600 for each test.
struct RenderTest : ::testing::Test {
    void SetUp() override {
        resetFakePlatform();
        ASSERT_TRUE(harnessStart(20261205u, 800, 600));
    }
    void TearDown()
        override {  // each test's last frame stays under the build tree for a person to look at
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        if (std::system("mkdir -p " GLADEWARDEN_RENDER_OUT) == 0)
            offscreenWritePng((GLADEWARDEN_RENDER_OUT "/" + name + ".png").c_str());
        offscreenClose();
    }
};

// A colour; a layer of c at alpha a over b.
struct Rgb {
    float r, g, b;
};
inline Rgb over(Rgb c, float a, Rgb b) {
    return {a * c.r + (1 - a) * b.r, a * c.g + (1 - a) * b.g, a * c.b + (1 - a) * b.b};
}

// RGBA rows from the bottom, as GL holds them; (x, y) counted from the bottom left.
using Frame = std::vector<unsigned char>;
inline Frame grab() {
    Frame f(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
    return f;
}
inline const unsigned char* px(const Frame& f, int x, int y) {
    return &f[((size_t)y * 800 + (size_t)x) * 4];
}
inline bool near(const unsigned char* p, Rgb c, int tol = 3) {
    return std::abs(p[0] - c.r * 255) <= tol + 0.5f && std::abs(p[1] - c.g * 255) <= tol + 0.5f &&
           std::abs(p[2] - c.b * 255) <= tol + 0.5f;
}
inline ::testing::AssertionResult shows(const Frame& f, int x, int y, Rgb c, int tol = 3) {
    const unsigned char* p = px(f, x, y);
    return (near(p, c, tol) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << +p[0] << " " << +p[1] << " " << +p[2] << " at " << x << ", " << y;
}
// Pixels in the box (x0, y0) .. (x1, y1) with a channel more than tol apart.
inline int differing(const Frame& a, const Frame& b, int tol = 24, int x0 = 0, int y0 = 0,
                     int x1 = 800, int y1 = 600) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0, d = 0; c < 3 && !d; ++c)
                n += d = std::abs(px(a, x, y)[c] - px(b, x, y)[c]) > tol;
    return n;
}

// Where a world point lands on the screen through the matrices GL holds.
inline void project(Vec3 p, int* x, int* y) {
    GLdouble model[16], projection[16], wx, wy, wz;  // and the viewport's
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model), glGetDoublev(GL_PROJECTION_MATRIX, projection),
        glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.x, p.y, p.z, model, projection, viewport, &wx, &wy, &wz), *x = (int)wx,
                                                                           *y = (int)wy;
}
inline PlayerState eyeOn(Vec3 eye, Vec3 target) {
    PlayerState p{eye, 0, 0};
    lookFromAt(&p, target);
    return p;
}
// A perspective of fov degrees and a camera made here, the light put in the world; `bare` clears to
// bg in the state the scene pass keeps between its steps, with a blend function no step should rely
// on.
inline void setView(const PlayerState& e, float fov) {
    const double yaw = e.yaw * M_PI / 180, pitch = e.pitch * M_PI / 180, x = e.position.x,
                 y = e.position.y, z = e.position.z;
    const GLfloat light[4] = {50.0f, 80.0f, 30.0f, 1.0f};
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), gluPerspective(fov, 800.0 / 600.0, 0.1, 200.0),
        glMatrixMode(GL_MODELVIEW), glLoadIdentity();
    gluLookAt(x, y, z, x + std::cos(yaw) * std::cos(pitch), y + std::sin(pitch),
              z + std::sin(yaw) * std::cos(pitch), 0, 1, 0),
        glLightfv(GL_LIGHT0, GL_POSITION, light);
}
inline void bare(const PlayerState& e, float fov, Rgb bg) {
    setView(e, fov), glClearColor(bg.r, bg.g, bg.b, 1),
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST), glEnable(GL_LIGHTING), glEnable(GL_CULL_FACE), glDisable(GL_BLEND),
        glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE), glBlendFunc(GL_ONE, GL_ZERO), glPointSize(1), glLineWidth(1);
}
// What a drawing step must hand back as it found it: switches, client arrays, depth writes,
// matrices and their stacks.
inline std::vector<float> glState() {
    std::vector<float> s;
    for (GLenum e : {GL_BLEND, GL_DEPTH_TEST, GL_LIGHTING, GL_CULL_FACE, GL_TEXTURE_2D, GL_FOG,
                     GL_STENCIL_TEST, GL_ALPHA_TEST, GL_COLOR_MATERIAL, GL_NORMALIZE,
                     GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_VERTEX_ARRAY, GL_COLOR_ARRAY,
                     GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY})
        s.push_back(glIsEnabled(e));
    for (GLenum q :
         {GL_DEPTH_WRITEMASK, GL_DEPTH_FUNC, GL_MATRIX_MODE, GL_MODELVIEW_STACK_DEPTH,
          GL_PROJECTION_STACK_DEPTH, GL_SHADE_MODEL, GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX})
        s.resize(s.size() + 16), glGetFloatv(q, &s[s.size() - 16]);
    return s;
}
inline std::vector<float> stateBefore;  // taken in the bare frame, or by a step's own set-up
// The game's drawing against the test's own in the same bare frame: the test's must show (at least
// `least` pixels off the background) and the two may differ (a channel more than tol apart) only in
// `slack` edge pixels.
inline ::testing::AssertionResult alike(const PlayerState& e, float fov, Rgb bg,
                                        const std::function<void()>& game,
                                        const std::function<void()>& own, int least = 100,
                                        int slack = 12, int tol = 24) {
    bare(e, fov, bg), stateBefore = glState(), game();
    if (auto now = glState(); now != stateBefore)
        return ::testing::AssertionFailure()
               << "the step left GL's state changed at "
               << std::mismatch(now.begin(), now.end(), stateBefore.begin()).first - now.begin();
    Frame g = grab();
    bare(e, fov, bg), own();
    Frame o = grab();
    int shown = 0, apart = differing(g, o, tol);
    for (size_t i = 0; i < o.size(); i += 4) shown += !near(&o[i], bg, 8);
    return (shown >= least && apart <= slack ? ::testing::AssertionSuccess()
                                             : ::testing::AssertionFailure())
           << shown << " pixels drawn, " << apart << " differ";
}

// GLU shapes placed by GL's matrices: colour, translate, turns about x and z, standing up
// (cylinders), scale.
inline GLUquadric* quadric() {
    static GLUquadric* q = gluNewQuadric();
    return q;
}
inline void sphere(Rgb c, float x, float y, float z, float r, int sl, int st, float sx = 1,
                   float sy = 1, float sz = 1, float alpha = 1) {
    glColor4f(c.r, c.g, c.b, alpha), glPushMatrix(), glTranslatef(x, y, z), glScalef(sx, sy, sz),
        gluSphere(quadric(), r, sl, st), glPopMatrix();
}
inline void cylinder(Rgb c, float x, float y, float z, float base, float top, float h, int sl,
                     float ax = 0, float az = 0) {
    glColor3f(c.r, c.g, c.b), glPushMatrix(), glTranslatef(x, y, z), glRotatef(ax, 1, 0, 0),
        glRotatef(az, 0, 0, 1), glRotatef(-90, 1, 0, 0);
    gluCylinder(quadric(), base, top, h, sl, 1), glPopMatrix();
}
