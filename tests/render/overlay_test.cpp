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
