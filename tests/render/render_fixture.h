#pragma once

#include <cstdlib>

#include "app/scene.h"
#include "combat/creature_draw.h"
#include "combat/effects_draw.h"
#include "hud/crosshair.h"
#include "hud/hud.h"
#include "hud/scope_frame.h"
#include "render/gl.h"
#include "sky/clouds.h"
#include "sky/sky.h"
#include "support/world_fixture.h"
#include "tools/common/offscreen.h"
#include "world/bushes.h"
#include "world/scenery_draw.h"
#include "world/sign.h"
#include "world/terrain_draw.h"
#include "world/water_draw.h"

struct RenderTest : ::testing::Test {  // a seeded game drawn offscreen; last frames kept
    void SetUp() override {
        resetFakePlatform();
        ASSERT_TRUE(harnessStart(20261205u, 800, 600));
    }
    void TearDown() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        if (std::system("mkdir -p " GLADEWARDEN_RENDER_OUT) == 0)
            offscreenWritePng((GLADEWARDEN_RENDER_OUT "/" + name + ".png").c_str());
        offscreenClose();
    }
};

struct Rgb {
    float r, g, b;
};
inline Rgb over(Rgb c, float a, Rgb b) {  // c at alpha a over b
    return {a * c.r + (1 - a) * b.r, a * c.g + (1 - a) * b.g, a * c.b + (1 - a) * b.b};
}

using Frame = std::vector<unsigned char>;  // RGBA rows from the bottom left, as GL reads them
inline Frame grab() {
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "what was drawn before this frame was read";
    Frame f(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, f.data());
    return f;
}
inline const unsigned char* px(const Frame& f, int x, int y) { return &f[(y * 800 + x) * 4]; }
inline Rgb rgbOf(const unsigned char* p) { return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f}; }
inline bool near(const unsigned char* p, Rgb c, int tol = 3) {
    return std::abs(p[0] - c.r * 255) <= tol + 0.5f && std::abs(p[1] - c.g * 255) <= tol + 0.5f &&
           std::abs(p[2] - c.b * 255) <= tol + 0.5f;
}
inline ::testing::AssertionResult shows(const Frame& f, int x, int y, Rgb c, int tol = 3) {
    const unsigned char* p = px(f, x, y);
    auto r = near(p, c, tol) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
    return r << +p[0] << " " << +p[1] << " " << +p[2] << " at " << x << ", " << y << " for "
             << c.r * 255 << " " << c.g * 255 << " " << c.b * 255;
}
inline int differing(const Frame& a, const Frame& b, int tol = 24, int x0 = 0, int y0 = 0,
                     int x1 = 800, int y1 = 600) {  // pixels of the box [x0, x1) x [y0, y1)
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += !near(px(a, x, y), rgbOf(px(b, x, y)), tol);
    return n;
}

inline void project(Vec3 p, int* x, int* y) {
    GLdouble model[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.x, p.y, p.z, model, projection, viewport, &wx, &wy, &wz);
    *x = (int)wx;
    *y = (int)wy;
}
inline ::testing::AssertionResult showsAt(const Frame& f, Vec3 p, Rgb c, int tol = 3) {
    int x, y;
    project(p, &x, &y);
    return shows(f, x, y, c, tol);
}
inline PlayerState eyeOn(Vec3 eye, Vec3 target) {
    PlayerState p{eye, 0, 0};
    lookFromAt(&p, target);
    return p;
}
inline void setView(const PlayerState& e, float fov) {
    const double yaw = e.yaw * M_PI / 180, pitch = e.pitch * M_PI / 180;
    const Vec3 p = e.position;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fov, 800.0 / 600.0, 0.1, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(p.x, p.y, p.z, p.x + std::cos(yaw) * std::cos(pitch), p.y + std::sin(pitch),
              p.z + std::sin(yaw) * std::cos(pitch), 0, 1, 0);
}
// Cleared to bg in the scene pass's state; lit by the hour, or so lit surfaces keep their colour.
inline void bare(const PlayerState& e, float fov, Rgb bg, float night = -1) {
    setView(e, fov);
    glClearColor(bg.r, bg.g, bg.b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    for (GLenum on : {GL_DEPTH_TEST, GL_LIGHTING, GL_CULL_FACE}) glEnable(on);
    for (GLenum off : {GL_BLEND, GL_TEXTURE_2D}) glDisable(off);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_ONE, GL_ZERO);  // no step should rely on the blend it finds
    glPointSize(1);
    glLineWidth(1);
    const GLfloat most[4] = {0.8f, 0.8f, 0.8f, 1}, none[4] = {0, 0, 0, 1}, all[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_SPECULAR, night < 0 ? none : all);
    glLightfv(GL_LIGHT0, GL_AMBIENT, most);  // over GL's 0.2 all around: a surface's own colour
    glLightfv(GL_LIGHT0, GL_DIFFUSE, none);
    if (night >= 0) setSceneLight(night);  // sets the ambient and diffuse afresh
}
// What a drawing step must hand back as it found it: switches, arrays, matrices and their stacks.
inline std::vector<float> glState() {
    std::vector<float> s;
    for (GLenum e : {GL_BLEND, GL_DEPTH_TEST, GL_LIGHTING, GL_CULL_FACE, GL_TEXTURE_2D, GL_FOG,
                     GL_STENCIL_TEST, GL_ALPHA_TEST, GL_COLOR_MATERIAL, GL_NORMALIZE,
                     GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_VERTEX_ARRAY, GL_COLOR_ARRAY,
                     GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY})
        s.push_back(glIsEnabled(e));
    for (GLenum q :
         {GL_DEPTH_WRITEMASK, GL_DEPTH_FUNC, GL_MATRIX_MODE, GL_MODELVIEW_STACK_DEPTH,
          GL_PROJECTION_STACK_DEPTH, GL_SHADE_MODEL, GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
        s.resize(s.size() + 16);
        glGetFloatv(q, &s[s.size() - 16]);
    }
    return s;
}
