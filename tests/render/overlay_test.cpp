#include <cstring>
#include <functional>

#include "hud/font.h"
#include "render_fixture.h"

extern const uint64_t NATIVE_FONT_GLYPHS[95];

// What is drawn over the scene, where a player sees it: the HUD's text and map, the crosshair and
// the flash, the scope frame, the effects and the weather, each blended as the rules say over a
// known background (a c + (1 - a) b, or b + a c).

namespace {

const Rgb BG = {0.4f, 0.45f, 0.5f};

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

// The overlay's 800 x 600 units over the viewport, unlit, unblended, both faces (as the HUD has
// it).
void overlayView() {
    bare(thePlayer, 60, BG);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 800, 0, 600);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

// Each line as calling its font lists draws it, over a black outline: the line a pixel off in each
// of the eight directions.
void listedText(float x, float y, const char* text) {
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glListBase(fontListBase - 32);
    glColor3f(0, 0, 0);
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            glRasterPos2f(x + (float)dx, y + (float)dy);
            if (dx != 0 || dy != 0) glCallLists((GLsizei)std::strlen(text), GL_BYTE, text);
        }
    }
    glColor4fv(colour);
    glRasterPos2f(x, y);
    glCallLists((GLsizei)std::strlen(text), GL_BYTE, text);
    glListBase(0);
}

// A line on whole units may land on either neighbouring row or column.
::testing::AssertionResult showsNear(const Frame& f, int x, int y, Rgb c, bool line) {
    if (line && (near(px(f, x - 1, y), c) || near(px(f, x, y - 1), c)))
        return ::testing::AssertionSuccess();
    return shows(f, x, y, c);
}

class Overlays : public RenderTest {};

}  // namespace

TEST_F(Overlays, EveryHudLineReadsBackInItsPlaceAndColour) {
    theArena.score = 430;
    theArena.enemiesLeft = 17;
    theArena.shotsFired = 3;
    theArena.hits = 1;
    theArena.victory = 1;
    for (int i : {0, 3, 4, 30, 31, 40, 45, 49}) animals[i].alive = 0;  // 3 rabbits and 5 deer
    bare(thePlayer, 60, BG);
    drawHud(&theArena, &thePlayer, 0);
    const Frame f = grab();
    const std::string help =
        "WASD-Move  Mouse-Look  Click-Shoot  R-Restart  B-Binoculars  ESC-Cursor";
    const struct {
        int x, y;
        std::string text;
        Rgb colour;
    } LINES[] = {{10, 570, "Score: 430", {1, 1, 1}},
                 {10, 545, "Enemies: 17", {1, 1, 1}},
                 {10, 520, "Rabbits: 22  Deer: 20", {1, 0.8f, 0.6f}},
                 {10, 495, "Accuracy: 33.3%", {0.8f, 1, 0.8f}},
                 {10, 10, help, {1, 1, 1}},
                 {320, 300, "VICTORY!", {0, 1, 0}},
                 {300, 270, "Press R to restart", {1, 1, 0}}};
    for (const auto& l : LINES)
        EXPECT_EQ(readText(f, l.x, l.y, l.colour, l.text.size() + 1), l.text);
    EXPECT_TRUE(shows(f, 30, 40, BG));  // the corner where the glyphs were read is put back
    theArena.muzzleFlash = 1;           // in a whole frame the HUD and the flash lie over the scene
    harnessDrawFrame();
    const Frame whole = grab();
    EXPECT_EQ(readText(whole, 10, 10, {1, 1, 1}, 72), help);
    EXPECT_EQ(px(whole, 420, 310)[0], 255);
    EXPECT_EQ(px(whole, 420, 310)[1], 255);
}

// Text goes out a line at a time, landing on the pixels its font lists would: over a dozen lines
// (more than are kept put together), some again after they were pushed out, codes without a
// glyph, a line too long to put together (glyph by glyph). A fresh context reads the glyphs afresh
// (here a font whose every glyph is its code's next one); once read, the lists are not called.
TEST_F(Overlays, TextLandsWhereItsFontListsWouldDrawIt) {
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) lines.push_back("Line " + std::string(i + 1, 'A' + i) + "\x01!");
    lines.push_back(std::string(130, 'W') + "\xC8" + "end");
    lines.push_back("Line A\x01!");
    lines.push_back("Line BB\x01!");
    auto draw = [&](void (*text)(float, float, const char*)) {
        overlayView();
        glColor3f(1, 1, 0);
        for (size_t i = 0; i < lines.size(); ++i) text(5, 580 - 40 * (float)i, lines[i].c_str());
        return grab();
    };
    for (int font = 0; font < 2; ++font) {
        if (font == 1) {  // clear of the lists before, so codes without a glyph still find none
            const unsigned shifted = glGenLists(400) + 300;
            for (int i = 0; i < FONT_LIST_COUNT; ++i) {
                glNewList(shifted + i, GL_COMPILE);
                glCallList(fontListBase + (i + 1) % 95);
                glEndList();
            }
            fontListBase = shifted;
            parkBuilt.textGlyphs = 0;
        }
        const Frame fast = draw(drawText2D), listed = draw(listedText);
        overlayView();
        EXPECT_GT(differing(listed, grab()), 3000) << font;
        EXPECT_EQ(differing(fast, listed, 0), 0) << font;
    }
    for (int i = 0; i < FONT_LIST_COUNT; ++i) {  // the lists now draw nothing
        glNewList(fontListBase + i, GL_COMPILE);
        glEndList();
    }
    const Frame fast = draw(drawText2D);
    overlayView();
    const Frame empty = grab();
    EXPECT_GT(differing(fast, empty, 0), 2000);
    EXPECT_EQ(differing(fast, empty, 0, 0, 95, 800, 110), 0);  // the long line went to the lists
}

// The map in the bottom right corner, 140 across for the park's 253: living enemies red, rabbits
// yellow, deer green, each a 4 x 4 dot; the stream a line of 2; the player a blue arrow pointing
// its way, kept 7 inside the frame; a backing of black at 0.5, then green at 0.3 darkening at
// night; a white frame.
TEST_F(Overlays, TheMapShowsTheStreamTheLivingAndThePlayer) {
    for (int i = 0; i < theArena.enemyCount; ++i) theArena.enemies[i].alive = i == 0;
    for (int i = 0; i < ANIMAL_COUNT; ++i) animals[i].alive = i == 0 || i == 30;
    theArena.enemies[0].position = Vec3{0, 0, 0};  // at (720, 80)
    animals[0].x = animals[0].z = -63.25f;         // at (685, 45)
    animals[30].x = 63.25f;                        // at (755, 115)
    animals[30].z = 63.25f;
    for (int k = 0; k < STREAM_SAMPLES; ++k) streamSampleZ[k] = -94.875f;  // along y = 27.5
    for (float night : {0.0f, 1.0f}) {
        theArena.nightBlend = night;
        thePlayer = PlayerState{{0, 5, 100}, 0, 0};  // at (720, 135.3), pointing right
        bare(thePlayer, 60, BG);
        drawHud(&theArena, &thePlayer, 0);
        const Frame f = grab();
        const Rgb backing = over({0.2f - 0.12f * night, 0.5f - 0.38f * night, 0.2f - 0.05f * night},
                                 0.3f, over({0, 0, 0}, 0.5f, BG));
        const Rgb stream = {0.4f - 0.25f * night, 0.7f - 0.45f * night, 1 - 0.5f * night};
        const struct {
            const char* name;
            int x, y;
            Rgb colour;
            bool line = false;
        } SPOTS[] = {{"enemy", 720, 80, {1, 0.2f, 0.2f}},
                     {"rabbit", 685, 45, {1, 1, 0.2f}},
                     {"over the enemy", 718, 83, backing},
                     {"deer", 755, 115, {0.2f, 1, 0.2f}},
                     {"arrow", 722, 135, {0.3f, 0.5f, 1}},
                     {"beside it", 721, 139, backing},
                     {"backing", 700, 100, backing},
                     {"outside", 640, 80, BG},
                     {"stream", 700, 27, over(stream, 0.8f, backing), true},
                     {"frame", 720, 150, {1, 1, 1}, true}};
        for (const auto& s : SPOTS)
            EXPECT_TRUE(showsNear(f, s.x, s.y, s.colour, s.line))
                << s.name << " at night " << night;
    }
    thePlayer = PlayerState{{126.5f, 5, -200}, 90, 0};  // (790, -30) kept to (783, 17), up
    bare(thePlayer, 60, BG);
    drawHud(&theArena, &thePlayer, 0);
    const Frame f = grab();
    EXPECT_TRUE(shows(f, 783, 19, {0.3f, 0.5f, 1}));
    EXPECT_FALSE(near(px(f, 778, 18), {0.3f, 0.5f, 1}));  // 3 either side of its foot
}

// The crosshair: white bars of 2 from 4 to 12 out, a 4-pixel red dot. The flash: the whole view
// plus 0.25 v of (1, 0.8, 0.2), and within 30 v of the middle 0.8 v of (1, 1, 0.6).
TEST_F(Overlays, CrosshairAndMuzzleFlash) {
    bare(thePlayer, 60, BG);  // in the scene pass, which gets its state back
    glPointSize(4);           // as the flowers leave it
    const std::vector<float> before = glState();
    drawCrosshair();
    EXPECT_EQ(glState(), before);
    const Frame f = grab();
    const int SPOTS[][3] = {{392, 300, 1}, {408, 300, 1}, {400, 292, 1}, {400, 308, 1},
                            {400, 300, 2}, {384, 300, 0}, {400, 314, 0}, {396, 304, 0},
                            {392, 301, 0}, {400, 286, 0}};
    const Rgb COLOURS[3] = {BG, {1, 1, 1}, {1, 0.2f, 0.2f}};
    for (const auto& s : SPOTS)
        EXPECT_TRUE(shows(f, s[0], s[1], COLOURS[s[2]])) << s[0] << ", " << s[1];
    const struct {
        float v;
        int x;
        Rgb colour;
    } FLASHES[] = {{1, 100, {0.65f, 0.65f, 0.55f}},      {1, 420, {1, 1, 1}},
                   {0.5f, 100, {0.525f, 0.55f, 0.525f}}, {0.5f, 410, {0.925f, 0.95f, 0.765f}},
                   {0.5f, 420, {0.525f, 0.55f, 0.525f}}, {0, 400, BG}};
    for (const auto& c : FLASHES) {
        bare(thePlayer, 60, BG);
        drawMuzzleFlashOverlay(c.v);
        EXPECT_EQ(glState(), before);
        EXPECT_TRUE(shows(grab(), c.x, 300, c.colour)) << c.v << " at " << c.x;
    }
}

// The scope over the HUD: ring i of twenty darkens the view by 0.02 + 0.05 i from 150 + 20 i out;
// over the lens a wash of (0, 0.05, 0) at 0.04, a glare arc of white at 0.08 up and left of the
// middle, red hairs at 0.85, ticks at 0.5 and a mark at 0.8; a second rim 3 outside the lens.
// The rings follow a change of the viewport.
TEST_F(Overlays, TheScopeDarkensOutwardInRingsOverTheReticleAndGlass) {
    auto wash = [](Rgb c) { return over({0, 0.05f, 0}, 0.04f, c); };
    const Rgb red = {0.7f, 0.15f, 0.15f};
    const struct {
        const char* name;
        int x, y;
        Rgb colour;
        bool line = false;
    } SPOTS[] = {
        {"ring 0", 560, 300, over({0, 0, 0}, 0.02f, BG)},
        {"ring 5", 400 + 184, 300 + 184, over({0, 0, 0}, 0.27f, BG)},
        {"ring 9", 740, 300, over({0, 0, 0}, 0.47f, BG)},
        {"ring 12", 798, 300, over({0, 0, 0}, 0.62f, BG)},
        {"ring 17", 0, 0, over({0, 0, 0}, 0.87f, BG)},
        {"lens", 450, 250, wash(BG)},
        {"glare", 360, 370, wash(over({1, 1, 1}, 0.08f, BG))},
        {"hair", 300, 300, wash(over(red, 0.85f, BG)), true},
        {"top hair", 400, 350, wash(over(red, 0.85f, BG)), true},
        {"below the mark", 400, 293, wash(BG)},
        {"tick", 430, 303, wash(over(red, 0.5f, BG)), true},
        {"upper tick", 402, 330, wash(over(red, 0.5f, BG)), true},
        {"mark", 402, 302, wash(over(red, 0.8f, BG)), true},
        {"outer rim", 553, 300, over({0.25f, 0.28f, 0.22f}, 0.4f, over({}, 0.02f, BG)), true}};
    for (int shrink = 1; shrink <= 2; ++shrink) {
        overlayView();
        glViewport(0, 0, 800 / shrink, 600 / shrink);
        drawScopeFrame();
        glViewport(0, 0, 800, 600);
        const Frame f = grab();
        for (const auto& s : SPOTS)
            EXPECT_TRUE(showsNear(f, s.x / shrink, s.y / shrink, s.colour, s.line))
                << s.name << " at 1 / " << shrink;
    }
}

// The effects over the scene, unlit and over whatever stands nearer: squares in the x-y plane
// shrinking to half as they fade (blood 0.9 f, splashes 0.8 f, sparks added at f); pools of
// (0.5, 0, 0) at 0.7 f; ripples of (0.7, 0.85, 1) at 0.5 f at 0.24 below; the tracer added from a
// at the muzzle to a / 2, a = time left / 0.2. Rain: streaks 0.8 long of (0.9, 0.92, 0.95) at 0.7,
// fading over their last half second; snow: points of white at 0.5 + 0.15 x fall speed, at most
// 0.9; a splash's crown (0.8, 0.85, 0.9) at 0.5 (1 - t). Each hands GL's state back.
TEST_F(Overlays, EffectsAndWeatherShowInTheirShapesBlendsAndFades) {
    const Rgb DARK = {0.1f, 0.15f, 0.2f}, blood = {0.6f, 0.05f, 0.05f}, water = {0.7f, 0.85f, 1};
    const Vec3 at = {0.1f, 0.5f, 0}, flat = {0.1f, 0.02f, 0.2f};
    const BloodDrop drops[2] = {{at, {}, 1, 1, 0.1f, {0.6f, 0.05f, 0.05f}, 0},
                                {at, {}, 0.5f, 1, 0.1f, {0.6f, 0.05f, 0.05f}, 0}};
    const SplashDrop splash = {at, {}, 0.3f, 0.6f, 0.08f};
    const Spark spark = {at, {}, 0.2f, 0.2f, {0.8f, 0.6f, 0.3f}};
    const BloodPool pools[2] = {{flat, 0.5f, 1, 1}, {flat, 0.5f, 0.4f, 1}};
    const Ripple ripple = {flat, 0.6f, 2, 2};
    const ShotTracer tracers[2] = {{{-0.8f, 0.4f, 0}, {0.8f, 0.4f, 0}, 0.2f, 1},
                                   {{-0.8f, 0.4f, 0}, {0.8f, 0.4f, 0}, 0.1f, 1}};
    const RainDrop rain[3] = {
        {0.2f, 1.2f, 0, -15, 1}, {-0.3f, 1.2f, 0, -15, 0.2f}, {0, 1.2f, 0, -15, 1}};
    const SnowFlake flakes[2] = {{0.3f, 0.8f, 0, 0, -1.2f, 0, 0.05f, 0},
                                 {-0.3f, 0.8f, 0, 0, -3, 0, 0.05f, 0}};
    const RainSplash splashes[2] = {{0.1f, 0, 0.2f, 0.35f, 0.4f, 0.4f},
                                    {0.1f, 0, 0.2f, 0.35f, 0.2f, 0.4f}};
    const struct {
        const char* name;
        std::function<void()> draw;
        Vec3 point;
        Rgb colour;
    } CASES[] = {
        {"blood", [&] { drawBloodDrop(&drops[0]); }, {0.18f, 0.5f, 0}, over(blood, 0.9f, DARK)},
        {"blood's edge", [&] { drawBloodDrop(&drops[0]); }, {0.22f, 0.5f, 0}, DARK},
        {"fading blood",
         [&] { drawBloodDrop(&drops[1]); },
         {0.16f, 0.5f, 0},
         over(blood, 0.45f, DARK)},
        {"its edge", [&] { drawBloodDrop(&drops[1]); }, {0.19f, 0.5f, 0}, DARK},
        {"splash", [&] { drawSplashDrop(&splash); }, at, over(water, 0.4f, DARK)},
        {"spark", [&] { drawSpark(&spark); }, at, {0.9f, 0.75f, 0.5f}},
        {"pool", [&] { drawBloodPool(&pools[0]); }, flat, over({0.5f, 0, 0}, 0.7f, DARK)},
        {"old pool", [&] { drawBloodPool(&pools[1]); }, flat, over({0.5f, 0, 0}, 0.28f, DARK)},
        {"beyond the pool", [&] { drawBloodPool(&pools[0]); }, {0.1f, 0.02f, 0.8f}, DARK},
        {"behind the pool", [&] { drawBloodPool(&pools[0]); }, {0.1f, 0.02f, -0.25f}, DARK},
        {"ripple", [&] { drawRipple(&ripple); }, {0.7f, -0.24f, 0.2f}, over(water, 0.5f, DARK)},
        {"tracer", [&] { drawTracer(&tracers[0]); }, {0, 0.4f, 0}, {0.85f, 0.825f, 0.425f}},
        {"late tracer", [&] { drawTracer(&tracers[1]); }, {0, 0.4f, 0}, {0.475f, 0.4875f, 0.3125f}},
        {"rain",
         [&] { drawRain(rain, 2); },
         {0.2f, 0.8f, 0},
         over({0.9f, 0.92f, 0.95f}, 0.7f, DARK)},
        {"rain's end", [&] { drawRain(rain, 2); }, {0.2f, 0.3f, 0}, DARK},
        {"last drops",
         [&] { drawRain(rain, 2); },
         {-0.3f, 0.8f, 0},
         over({0.9f, 0.92f, 0.95f}, 0.28f, DARK)},
        {"past the count", [&] { drawRain(rain, 2); }, {0, 0.8f, 0}, DARK},
        {"slow snow", [&] { drawSnow(flakes, 2); }, {0.3f, 0.8f, 0}, over({1, 1, 1}, 0.68f, DARK)},
        {"fast snow", [&] { drawSnow(flakes, 2); }, {-0.3f, 0.8f, 0}, over({1, 1, 1}, 0.9f, DARK)},
        {"new crown",
         [&] { drawRainSplashes(splashes, 1); },
         {0.1f, 0.01f, 0.2f},
         over({0.8f, 0.85f, 0.9f}, 0.5f, DARK)},
        {"half-spent crown",
         [&] { drawRainSplashes(&splashes[1], 1); },
         {0.1f, 0.085f, 0.2f},
         over({0.8f, 0.85f, 0.9f}, 0.25f, DARK)},
    };
    const PlayerState eye = eyeOn({0.3f, 2.2f, 3}, {0, 0.3f, 0});
    for (const auto& c : CASES) {
        bare(eye, 50, DARK);
        glDisable(GL_LIGHTING);  // a wall of the background's colour in front of it all
        glColor3f(DARK.r, DARK.g, DARK.b);
        glBegin(GL_QUADS);
        for (float corner : {0, 1, 2, 3})
            glVertex3f(corner == 1 || corner == 2 ? 2 : -2, corner < 2 ? -1 : 3, 1.2f);
        glEnd();
        glEnable(GL_LIGHTING);
        const std::vector<float> before = glState();
        c.draw();
        EXPECT_EQ(glState(), before) << c.name;
        EXPECT_TRUE(showsAt(grab(), c.point, c.colour, 3)) << c.name;
    }
    bare(eye, 50, DARK);  // a streak 2 pixels wide
    const Frame empty = grab();
    drawRain(rain, 1);
    int top, bottom, x;
    project({0.2f, 1.2f, 0}, &x, &top);
    project({0.2f, 0.4f, 0}, &x, &bottom);
    EXPECT_TRUE(within(differing(grab(), empty, 8), 1.6f * (top - bottom), 2.4f * (top - bottom)));
    bare(eye, 50, DARK);  // a flake 4 pixels square
    drawSnow(flakes, 1);
    EXPECT_EQ(differing(grab(), empty, 8), 16);
}
