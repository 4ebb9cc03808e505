#include "render_fixture.h"

extern const uint64_t NATIVE_FONT_GLYPHS[95];

// What is drawn over the scene: effects, weather, crosshair, flash and the HUD, against the test's
// own drawing of each over a known background: the blend (a c + (1 - a) b, or b + a c) and alpha
// the rules give, to the pixel.

namespace {

const Rgb BG = {0.4f, 0.45f, 0.5f};

// Unlit, over everything, both faces, in the given blend; in overlay units.
void blend(bool additive) {
    glDisable(GL_LIGHTING), glDisable(GL_DEPTH_TEST), glDisable(GL_CULL_FACE), glEnable(GL_BLEND),
        glBlendFunc(GL_SRC_ALPHA, additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
}
void overlay() {
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), gluOrtho2D(0, 800, 0, 600),
        glMatrixMode(GL_MODELVIEW), glLoadIdentity(), blend(false);
}
// Points, in overlay units or the world's, drawn with GL_POINTS, _LINES, _LINE_STRIP, _TRIANGLE_FAN
// or _QUADS in one colour.
struct Point {
    float x, y, z = 0;
};
void shape(GLenum mode, Rgb c, float a, std::vector<Point> points) {
    glColor4f(c.r, c.g, c.b, a), glBegin(mode);
    for (Point p : points) glVertex3f(p.x, p.y, p.z);
    glEnd();
}
// A fan from c through k + 1 points at angles 2 pi i / k and radii rx (a), ry (a), flat in x-z or
// x-y.
using Radius = std::function<float(float)>;
std::vector<Point> fan(Point c, int k, const Radius& rx, const Radius& ry, bool flat,
                       bool centre = true) {
    std::vector<Point> v(centre, c);
    for (float i = 0, a = 0; i <= k; ++i, a = 2 * PI_F * i / k)
        v.push_back(flat ? Point{c.x + rx(a) * std::cos(a), c.y, c.z + ry(a) * std::sin(a)}
                         : Point{c.x + rx(a) * std::cos(a), c.y + ry(a) * std::sin(a), c.z});
    return v;
}
Radius radius(float r) {
    return [=](float) { return r; };
}

// The text whose glyphs stand in pixels of colour c from overlay (x, y) on, over `cells` cells.
std::string readText(const Frame& f, int x, int y, Rgb c, size_t cells) {
    std::string s;
    for (size_t i = 0; i < cells; ++i) {
        uint64_t bits = 0;  // rows from the top, each from the left
        for (int j = 0; j < 35; ++j)
            bits = bits << 1 | near(px(f, x + 6 * (int)i + j % 5, y + 6 - j / 5), c, 2);
        const uint64_t* g = std::find(NATIVE_FONT_GLYPHS, NATIVE_FONT_GLYPHS + 95, bits);
        s += g == NATIVE_FONT_GLYPHS + 95 ? '?' : (char)(32 + (g - NATIVE_FONT_GLYPHS));
    }
    return s.erase(s.find_last_not_of(' ') + 1);
}

class Overlays : public RenderTest {};

}  // namespace

TEST_F(Overlays, EffectsAndWeatherInTheirShapesBlendsAndFades) {
    const PlayerState eye = eyeOn(makeVec3(0.3f, 2.2f, 3), makeVec3(0, 0.3f, 0));
    const Rgb blood = {0.6f, 0.05f, 0.05f}, spark = {1, 0.8f, 0.3f}, water = {0.7f, 0.85f, 1};
    const Vec3 at = makeVec3(0.1f, 0.5f, 0), flat = makeVec3(0.1f, 0.02f, 0.2f);
    ShotTracer tracers[2] = {{{-0.8f, 0.4f, 0}, {0.8f, 0.4f, 0}, 0.3f, 1},
                             {{-0.8f, 0.4f, 0}, {0.8f, 0.4f, 0}, 0.1f, 1}};
    BloodDrop drops[2] = {{at, {}, 1, 1, 0.1f, {0.6f, 0.05f, 0.05f}, 0},
                          {at, {}, 0.5f, 1, 0.1f, {0.6f, 0.05f, 0.05f}, 0}};
    Spark sparks[2] = {{at, {}, 0.2f, 0.2f, {1, 0.8f, 0.3f}},
                       {at, {}, 0.1f, 0.2f, {1, 0.8f, 0.3f}}};
    BloodPool pools[2] = {{flat, 0.5f, 1, 1}, {flat, 0.5f, 0.4f, 1}};
    Ripple ripples[2] = {{flat, 0.6f, 2, 2}, {flat, 0.6f, 0.8f, 2}};
    RainDrop rain[4] = {{-0.5f, 1.5f, 0, -15, 0.2f},
                        {0, 1.2f, 0.3f, -18, 1},
                        {0.6f, 1.0f, -0.2f, -16, 0.35f},
                        {0.2f, 1.1f, 0, -15, 1}};  // 3 drawn
    SnowFlake flakes[2] = {{-0.3f, 0.8f, 0, 0.5f, -1.2f, 0, 0.05f, 10},
                           {0.4f, 0.6f, 0.2f, -0.5f, -3, 0.3f, 0.1f, 90}};
    RainSplash splashes[2] = {{0.1f, 0, 0.1f, 0.35f, 0.3f, 0.4f},
                              {0.1f, 0, 0.1f, 0.35f, 0.1f, 0.4f}};
    SplashDrop splash = {at, {}, 0.3f, 0.6f, 0.08f};
    auto line = [](float a) {  // fading towards its far end
        return [=] {
            blend(true), glLineWidth(3), glBegin(GL_LINES), glColor4f(1, 0.9f, 0.3f, a),
                glVertex3f(-0.8f, 0.4f, 0), glColor4f(1, 0.9f, 0.3f, 0.5f * a),
                glVertex3f(0.8f, 0.4f, 0), glEnd();
        };
    };
    auto quad = [&](bool add, Rgb c, float a, float h) {
        return [=] {
            blend(add), shape(GL_QUADS, c, a,
                              {{at.x - h, at.y - h, 0},
                               {at.x + h, at.y - h, 0},
                               {at.x + h, at.y + h, 0},
                               {at.x - h, at.y + h, 0}});
        };
    };
    Radius rx = [](float a) { return (0.8f + 0.2f * std::sin(3 * a)) * 0.5f; },
           rz = [](float a) { return (0.8f + 0.2f * std::cos(2 * a)) * 0.5f; };
    auto pool = [&](float f) {
        return [=] {
            blend(false), shape(GL_TRIANGLE_FAN, {0.5f, 0, 0}, 0.7f * f,
                                fan({flat.x, flat.y, flat.z}, 16, rx, rz, true));
        };
    };
    auto ripple = [&](float f) {
        return [=] {
            blend(false), glLineWidth(2),
                shape(GL_LINE_STRIP, water, 0.5f * f,
                      fan({flat.x, -0.24f, flat.z}, 32, radius(0.6f), radius(0.6f), true, false));
        };
    };
    auto crown = [&](const RainSplash&
                         s) {  // seen from above: the pass keeps culling on, so it must face up
        float t = 1 - s.life / s.initialLife, ring = (0.2f + 0.8f * t) * s.radius,
              h = 0.01f + 0.15f * t;
        return [=] {
            auto r = [=](float a) { return (0.8f + 0.2f * std::sin(5 * a)) * ring; };
            blend(false), shape(GL_TRIANGLE_FAN, {0.8f, 0.85f, 0.9f}, 0.5f * (1 - t),
                                fan({s.x, h, s.z}, 8, r, r, true));
            std::vector<Point> streaks;  // four, while the crown is young
            for (float k = 0, b = 0.3f; k < 4 && t < 0.5f; ++k, b = 2 * PI_F * k / 4 + 0.3f)
                streaks.push_back(
                    {s.x + 0.3f * ring * std::cos(b), h, s.z + 0.3f * ring * std::sin(b)}),
                    streaks.push_back({s.x + 0.45f * ring * std::cos(b), h + 0.4f * t,
                                       s.z + 0.45f * ring * std::sin(b)});
            shape(GL_LINES, {0.85f, 0.9f, 0.95f}, 0.6f * (1 - 2 * t), streaks);
        };
    };
    auto snow = [](const SnowFlake& f) {
        return [=] {
            blend(false), glPointSize(4),
                shape(GL_POINTS, {1, 1, 1}, std::fmin(0.9f, std::fabs(f.vy) * 0.15f + 0.5f),
                      {{f.x, f.y, f.z}});
        };
    };
    auto rainLines = [&] {
        for (const RainDrop& d : {rain[0], rain[1], rain[2]})
            blend(false), glLineWidth(2),
                shape(GL_LINES, {0.9f, 0.92f, 0.95f}, 0.7f * std::fmin(1.0f, 2 * d.life),
                      {{d.x, d.y, d.z}, {d.x, d.y - 0.8f, d.z}});
    };
    const std::pair<std::function<void()>, std::function<void()>> cases[] = {
        {[&] { drawTracer(&tracers[0]); }, line(1)},
        {[&] { drawTracer(&tracers[1]); }, line(0.5f)},
        {[&] { drawBloodDrop(&drops[0]); }, quad(false, blood, 0.9f, 0.1f)},
        {[&] { drawBloodDrop(&drops[1]); }, quad(false, blood, 0.45f, 0.075f)},
        {[&] { drawSplashDrop(&splash); }, quad(false, water, 0.4f, 0.06f)},
        {[&] { drawSpark(&sparks[0]); }, quad(true, spark, 1, 0.03f)},
        {[&] { drawSpark(&sparks[1]); }, quad(true, spark, 0.5f, 0.0225f)},
        {[&] { drawBloodPool(&pools[0]); }, pool(1)},
        {[&] { drawBloodPool(&pools[1]); }, pool(0.4f)},
        {[&] { drawRipple(&ripples[0]); }, ripple(1)},
        {[&] { drawRipple(&ripples[1]); }, ripple(0.4f)},
        {[&] { drawRain(rain, 3); }, rainLines},
        {[&] { drawSnow(&flakes[0], 1); }, snow(flakes[0])},
        {[&] { drawSnow(&flakes[1], 1); }, snow(flakes[1])},
        {[&] { drawRainSplashes(&splashes[0], 1); }, crown(splashes[0])},
        {[&] { drawRainSplashes(&splashes[1], 1); }, crown(splashes[1])},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(alike(eye, 50, BG, c.first, c.second, 12, 0, 2)) << &c - cases;
}

// The crosshair takes the 4-pixel points the flowers leave; the flash tints the whole view and
// bursts at the centre.
TEST_F(Overlays, CrosshairAndMuzzleFlash) {
    auto crosshair = [] {
        overlay(), glLineWidth(2), glDisable(GL_BLEND), glPointSize(4),
            shape(GL_POINTS, {1, 0.2f, 0.2f}, 1, {{400, 300}});
        shape(GL_LINES, {1, 1, 1}, 1,
              {{388, 300},
               {396, 300},
               {404, 300},
               {412, 300},
               {400, 288},
               {400, 296},
               {400, 304},
               {400, 312}});
    };
    EXPECT_TRUE(alike(
        thePlayer, 60, BG, [] { glPointSize(4), drawCrosshair(); }, crosshair, 60, 0, 2));
    for (float v : {1.0f, 0.5f, 0.0f}) {
        auto flash = [=] {
            overlay(), blend(true),
                shape(GL_QUADS, {1, 0.8f, 0.2f}, 0.25f * v,
                      {{0, 0}, {800, 0}, {800, 600}, {0, 600}});
            shape(GL_TRIANGLE_FAN, {1, 1, 0.6f}, 0.8f * v,
                  fan({400, 300, 0}, 12, radius(30 * v), radius(30 * v), false));
        };
        EXPECT_TRUE(alike(
            thePlayer, 60, BG, [=] { drawMuzzleFlashOverlay(v); }, flash, v > 0 ? 400000 : 0, 0, 2))
            << v;
    }
}

TEST_F(Overlays, EveryHudLineReadsBackInItsPlaceAndColour) {
    theArena.score = 430, theArena.enemiesLeft = 17, theArena.shotsFired = 3, theArena.hits = 1,
    theArena.victory = 1;
    for (int i : {0, 3, 4, 30, 31, 40, 45, 49})
        animals[i].alive = 0;  // three rabbits and five deer
    Frame f = (bare(thePlayer, 60, BG), drawHud(&theArena, &thePlayer, 0), grab()), whole;
    const std::string help =
        "WASD-Move  Mouse-Look  Click-Shoot  R-Restart  B-Binoculars  ESC-Cursor";
    struct Line {
        int x, y;
        std::string text;
        Rgb colour;
    } lines[] = {{10, 570, "Score: 430", {1, 1, 1}},
                 {10, 545, "Enemies: 17", {1, 1, 1}},
                 {10, 520, "Rabbits: 22  Deer: 20", {1, 0.8f, 0.6f}},
                 {10, 495, "Accuracy: 33.3%", {0.8f, 1, 0.8f}},
                 {10, 10, help, {1, 1, 1}},
                 {320, 300, "VICTORY!", {0, 1, 0}},
                 {300, 270, "Press R to restart", {1, 1, 0}}};
    for (const Line& l : lines)
        EXPECT_EQ(readText(f, l.x, l.y, l.colour, l.text.size() + 1), l.text);
    EXPECT_TRUE(shows(f, 30, 40, BG));  // the corner where the glyphs were read is put back
    // Codes without a glyph take no room; a line too long to put together in one piece goes glyph
    // by glyph.
    std::string longLine;
    for (int i = 0; i < 128; ++i) longLine += (char)('A' + i % 26);
    bare(thePlayer, 60, BG), overlay(), glDisable(GL_BLEND), glColor3f(1, 1, 0),
        drawText2D(10, 300, ("Go\x01" + longLine).c_str()), drawText2D(10, 200, "Go\x01on");
    f = grab(), theArena.muzzleFlash = 1, harnessDrawFrame(),
    whole = grab();  // in a whole frame the HUD and the flash lie over the scene
    EXPECT_EQ(readText(f, 10, 300, {1, 1, 0}, 131), "Go" + longLine);
    EXPECT_EQ(readText(f, 10, 200, {1, 1, 0}, 5), "Goon");
    EXPECT_EQ(readText(whole, 10, 10, {1, 1, 1}, 72), help);
    EXPECT_TRUE(px(whole, 420, 310)[0] == 255 && px(whole, 420, 310)[1] == 255);
}
