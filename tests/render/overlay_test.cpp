#include <functional>

#include "hud/font.h"
#include "render/overlay.h"
#include "render_fixture.h"

namespace {

const Rgb BG = {0.4f, 0.45f, 0.5f}, WHITE = {1, 1, 1}, RED = {1, 0.2f, 0.2f};

// The overlay's 800 x 600 units over the viewport, unlit, both faces (as the HUD has it).
void overlayView() {
    bare(thePlayer, 60, BG);
    beginOverlay();
    glDisable(GL_CULL_FACE);
}

// The same line glyph by glyph through its font lists: padded with codes that have no glyph.
void listedText(float x, float y, const char* text) {
    drawText2D(x, y, (text + std::string(HUD_TEXT_SIZE, '\x01')).c_str());
}

Rgb wash(Rgb c) { return over({0, 0.05f, 0}, 0.04f, c); }  // the scope's lens over c
Rgb red(float a) { return over({0.7f, 0.15f, 0.15f}, a, BG); }
Rgb dark(float a) { return over({0, 0, 0}, a, BG); }

}  // namespace

// Text lands on the pixels its font lists would, over a black outline (129 glyphs, 8 pixels or more
// round each): the HUD's lines of a fresh game won with 17 enemies left; over a dozen lines (more
// than are kept put together), some again after they were pushed out, codes without a glyph, one
// too long to put together. A fresh context reads a fresh font (each glyph its code's next one);
// once read, the lists are not called.
TEST_F(RenderTest, TextLandsWhereItsFontListsWouldDrawIt) {
    overlayView();
    const Frame empty = grab();
    theArena.enemiesLeft = 17;
    theArena.victory = 1;
    drawHud(&theArena, &thePlayer, 0);
    const Frame hud = grab();
    overlayView();
    glColor3f(1, 1, 1);
    listedText(10, 570, "Score: 0");
    listedText(10, 545, "Enemies: 17");
    listedText(10, 10, "WASD-Move  Mouse-Look  Click-Shoot  R-Restart  B-Binoculars  ESC-Cursor");
    glColor3f(1, 0.8f, 0.6f);
    listedText(10, 520, "Rabbits: 25  Deer: 25");
    glColor3f(0.8f, 1, 0.8f);
    listedText(10, 495, "Accuracy: --");
    glColor3f(0, 1, 0);
    listedText(320, 300, "VICTORY!");
    glColor3f(1, 1, 0);
    listedText(300, 270, "Press R to restart");
    EXPECT_EQ(differing(hud, grab(), 0, 0, 0, 640, 600), 0);  // left of the map
    EXPECT_GT(640 * 600 - differing(hud, Frame(800 * 600 * 4), 3, 0, 0, 640, 600), 1032);
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) lines.push_back("Line " + std::string(i + 1, 'A' + i) + "\x01!");
    lines.insert(lines.end(), {std::string(130, 'W') + "\xC8-end", "Line A\x01!", "Line BB\x01!"});
    auto draw = [&](void (*text)(float, float, const char*)) {
        overlayView();
        glEnable(GL_TEXTURE_2D);  // text is never textured, whatever it meets
        glBindTexture(GL_TEXTURE_2D, signTexture);
        glColor3f(1, 1, 0);
        for (size_t i = 0; i < lines.size(); ++i) text(5, 580 - 40 * (float)i, lines[i].c_str());
        return grab();
    };
    auto agree = [&](const char* font) {
        const Frame fast = draw(drawText2D), listed = draw(listedText);
        EXPECT_GT(differing(listed, empty), 3000) << font;
        EXPECT_EQ(differing(fast, listed, 0), 0) << font;
    };
    agree("the font");
    const unsigned shifted = glGenLists(400) + 300;  // clear of the lists before: codes without a
    for (int i = 0; i < FONT_LIST_COUNT; ++i) {      // glyph still find none
        glNewList(shifted + i, GL_COMPILE);
        glCallList(fontListBase + (i + 1) % 95);
        glEndList();
    }
    fontListBase = shifted;
    parkBuilt.textGlyphs = 0;
    agree("a shifted font");
    fontListBase = glGenLists(400) + 300;  // lists that draw nothing, clear of those before
    const Frame fast = draw(drawText2D);
    EXPECT_GT(differing(fast, empty, 0), 2000);
    EXPECT_EQ(differing(fast, empty, 0, 0, 95, 800, 110), 0);  // the long line went to the lists
}

// Everything over the scene where a player sees it over a ground b, blended as the rules say
// (a c + (1 - a) b, or b + a c added), over whatever stands nearer, the scene pass's steps handing
// GL's state back. The map 140 across for the park's 253, its stream 2 wide at 0.8,
// an arrow 7 by 6 kept 7 inside, a backing of black at 0.5 then green at 0.3, darker at night. The
// crosshair's arms from 4 to 12 out. The flash adds 0.25 v of (1, 0.8, 0.2), within 30 v of the
// middle 0.8 v of (1, 1, 0.6) more. Scope ring i darkens 0.02 + 0.05 i from 150 + 20 i out; over
// the lens (whatever blending and texturing it meets) a wash (0, 0.05, 0) at 0.04, hairs 0.85 from
// 12 to 140 out, ticks 0.5 every 30, 4 a side (7 at 120), mark 0.8, a rim 3 out, glare 0.08 over
// 216 degrees of an ellipse 60 x 40 about (360, 350) from its right end. Sprites shrink to half as
// they fade; pools at 0.7 f; ripples at 0.5 f 0.24 below; the tracer adds a to a / 2, a = time left
// / 0.2; streaks 0.8 long at 0.7 fade over their last half second; snow at 0.5 + 0.15 fall speed,
// at most 0.9, a flake 4 pixels square.
TEST_F(RenderTest, EachOverlayShowsInItsPlaceColourAndBlend) {
    for (int i = 0; i < theArena.enemyCount; ++i) theArena.enemies[i].alive = i == 0;
    for (int i = 0; i < ANIMAL_COUNT; ++i) animals[i].alive = i == 0 || i == 30;
    theArena.enemies[0].position = Vec3{0, 0, 0};  // at (720, 80)
    animals[0].x = animals[0].z = -63.25f;         // at (685, 45)
    animals[30].x = animals[30].z = 63.25f;        // at (755, 115)
    for (int k = 0; k < STREAM_SAMPLES; ++k)       // even samples along y = 27.5, odd ones 32.5 up
        streamSampleZ[k] = k % 2 ? -36.14f : -94.875f;
    thePlayer = PlayerState{{0, 5, 100}, 0, 0};      // at (720, 135.3), pointing right
    const PlayerState north = {{0, 5, 100}, 90, 0};  // its tip 7 up, its base 3 either side
    const PlayerState low = {{-126.5f, 5, -126.5f}, 0, 0}, high = {{126.5f, 5, 126.5f}, 0, 0};
    const Rgb BLOOD = {0.6f, 0.05f, 0.05f}, WATER = {0.7f, 0.85f, 1}, RAIN = {0.9f, 0.92f, 0.95f};
    const Vec3 at = {0.1f, 0.5f, 0}, flat = {0.1f, 0.02f, 0.2f};  // in front of the ground
    const BloodDrop drop = {at, {}, 0.5f, 1, 0.1f, {0.6f, 0.05f, 0.05f}, 0};
    const BloodPool pool = {flat, 0.5f, 1, 1};
    const Ripple ripple = {flat, 0.6f, 2, 2};
    const ShotTracer tracer = {{-0.8f, 0.4f, 0}, {0.8f, 0.4f, 0}, 0.1f, 1};
    const RainDrop rain[3] = {
        {0.2f, 1.2f, 0, -15, 1}, {-0.3f, 1.2f, 0, -15, 0.2f}, {0, 1.2f, 0, -15, 1}};
    const SnowFlake flake = {-0.3f, 0.8f, 0, 0, -3, 0, 0.05f, 0};
    auto map = [&] { drawHud(&theArena, &thePlayer, 0); };
    auto mapFor = [&](const PlayerState& p) { return [&] { drawHud(&theArena, &p, 0); }; };
    auto flash = [](float v) { return [=] { drawMuzzleFlashOverlay(v); }; };
    auto drops = [&](int n) { return [&, n] { drawRain(rain, n); }; };
    auto snow = [&] { drawSnow(&flake, 1); };
    auto pooled = [&] { drawBloodPool(&pool); };
    const Rgb backing = over({0.2f, 0.5f, 0.2f}, 0.3f, dark(0.5f)),
              nightBacking = over({0.08f, 0.12f, 0.15f}, 0.3f, dark(0.5f)),
              nightStream = over({0.15f, 0.25f, 0.5f}, 0.8f, nightBacking),
              glare = wash(over(WHITE, 0.08f, BG)), poolRed = over({0.5f, 0, 0}, 0.7f, BG),
              rim = over({0.25f, 0.28f, 0.22f}, 0.4f, dark(0.02f)),
              lensRim = wash(over({.15f, .18f, .12f}, .6f, BG)), hair = wash(red(0.85f)),
              tick = wash(red(0.5f));
    enum View { SCENE, NEAR, HUD, NIGHT, LENS };  // from HUD on in the overlay's own state
    const struct {
        const char* name;
        View view;
        std::function<void()> draw;
        Vec3 at;  // a pixel, or NEAR a world point
        Rgb colour;
        bool line = false;  // which may land on a neighbouring row or column
    } CASES[] = {
        {"enemy", HUD, map, {720, 80, 0}, RED},
        {"rabbit", HUD, map, {685, 45, 0}, {1, 1, 0.2f}},
        {"deer", HUD, map, {755, 115, 0}, {0.2f, 1, 0.2f}},
        {"arrow", HUD, map, {722, 135, 0}, {0.3f, 0.5f, 1}},
        {"past its tip", HUD, map, {730, 135, 0}, backing},
        {"arrow pointing up", HUD, mapFor(north), {720, 139, 0}, {0.3f, 0.5f, 1}},
        {"right of its base", HUD, mapFor(north), {724, 135, 0}, backing},
        {"arrow 7 in from a corner", HUD, mapFor(low), {659, 17, 0}, {0.3f, 0.5f, 1}},
        {"and from the other", HUD, mapFor(high), {785, 143, 0}, {0.3f, 0.5f, 1}},
        {"stream", HUD, map, {700, 27, 0}, over({0.4f, 0.7f, 1}, 0.8f, backing), true},
        {"no odd sample on it", HUD, map, {700, 60, 0}, backing},
        {"nor between", HUD, map, {700, 44, 0}, backing},
        {"backing at night", NIGHT, map, {700, 100, 0}, nightBacking},
        {"stream at night", NIGHT, map, {700, 27, 0}, nightStream, true},
        {"flash", SCENE, flash(1), {100, 300, 0}, {0.65f, 0.65f, 0.55f}},
        {"half a flash", SCENE, flash(0.5f), {420, 300, 0}, {0.525f, 0.55f, 0.525f}},
        {"its middle", SCENE, flash(0.5f), {410, 300, 0}, {0.925f, 0.95f, 0.765f}},
        {"no flash", SCENE, flash(0), {400, 300, 0}, BG},
        {"ring 5", LENS, drawScopeFrame, {584, 484, 0}, dark(0.27f)},
        {"ring 17", LENS, drawScopeFrame, {0, 0, 0}, dark(0.87f)},
        {"left bar", SCENE, drawCrosshair, {392, 300, 0}, WHITE},
        {"above it", SCENE, drawCrosshair, {392, 301, 0}, BG},
        {"right bar", SCENE, drawCrosshair, {405, 300, 0}, WHITE},
        {"upper bar", SCENE, drawCrosshair, {400, 305, 0}, WHITE},
        {"dot", SCENE, drawCrosshair, {400, 300, 0}, RED},
        {"below the lower bar", SCENE, drawCrosshair, {400, 286, 0}, BG},
        {"the gap right of it", SCENE, drawCrosshair, {402, 300, 0}, BG},
        {"hair", LENS, drawScopeFrame, {300, 300, 0}, hair, true},
        {"right hair from 12", LENS, drawScopeFrame, {416, 300, 0}, hair},
        {"the gap before it", LENS, drawScopeFrame, {408, 300, 0}, wash(BG)},
        {"to 140", LENS, drawScopeFrame, {536, 300, 0}, hair},
        {"top hair", LENS, drawScopeFrame, {400, 436, 0}, hair, true},
        {"tick", LENS, drawScopeFrame, {429, 303, 0}, tick},  // lines land left of or below x, y
        {"past it", LENS, drawScopeFrame, {429, 306, 0}, wash(BG)},
        {"left tick", LENS, drawScopeFrame, {369, 303, 0}, tick},
        {"lower tick", LENS, drawScopeFrame, {398, 270, 0}, tick, true},
        {"long tick", LENS, drawScopeFrame, {519, 306, 0}, tick},
        {"past it", LENS, drawScopeFrame, {519, 309, 0}, wash(BG)},
        {"before the left hair", LENS, drawScopeFrame, {255, 300, 0}, wash(BG)},
        {"lens rim", LENS, drawScopeFrame, {549, 300, 0}, lensRim, true},
        {"mark", LENS, drawScopeFrame, {402, 302, 0}, wash(red(0.8f)), true},
        {"its lower left", LENS, drawScopeFrame, {398, 298, 0}, wash(red(0.8f)), true},
        {"outer rim", LENS, drawScopeFrame, {553, 300, 0}, rim, true},
        {"glare 55 along its right end", LENS, drawScopeFrame, {415, 353, 0}, glare},
        {"none 65 along", LENS, drawScopeFrame, {425, 353, 0}, wash(BG)},
        {"glare 0.8 out at 213 degrees", LENS, drawScopeFrame, {319, 332, 0}, glare},
        {"none at 225", LENS, drawScopeFrame, {326, 327, 0}, wash(BG)},
        {"blood", NEAR, [&] { drawBloodDrop(&drop); }, {0.16f, 0.5f, 0}, over(BLOOD, 0.45f, BG)},
        {"its edge", NEAR, [&] { drawBloodDrop(&drop); }, {0.19f, 0.5f, 0}, BG},
        {"pool", NEAR, pooled, flat, poolRed},
        {"beyond it", NEAR, pooled, {0.1f, 0.02f, 0.6f}, BG},
        {"its east", NEAR, pooled, {0.4f, 0.02f, 0.21f}, poolRed},
        {"ripple", NEAR, [&] { drawRipple(&ripple); }, {0.7f, -0.24f, 0.2f}, over(WATER, 0.5f, BG)},
        {"tracer", NEAR, [&] { drawTracer(&tracer); }, {0, 0.4f, 0}, {0.775f, 0.7875f, 0.6125f}},
        {"rain", NEAR, drops(2), {0.2f, 0.8f, 0}, over(RAIN, 0.7f, BG)},
        {"rain's end", NEAR, drops(2), {0.2f, 0.3f, 0}, BG},
        {"last drops", NEAR, drops(2), {-0.3f, 0.8f, 0}, over(RAIN, 0.28f, BG)},
        {"a third drop", NEAR, drops(3), {0, 0.8f, 0}, over(RAIN, 0.7f, BG)},
        {"past the count", NEAR, drops(2), {0, 0.8f, 0}, BG},  // the third still in the arrays
        {"fast snow", NEAR, snow, {-0.3f, 0.8f, 0}, over(WHITE, 0.9f, BG)}};
    const PlayerState eye = eyeOn({0.3f, 2.2f, 3}, {0, 0.3f, 0});
    for (const auto& c : CASES) {
        theArena.nightBlend = c.view == NIGHT;
        bare(c.view == NEAR ? eye : thePlayer, c.view == NEAR ? 50 : 60, BG);
        if (c.view == LENS) overlayView();
        glPointSize(4);   // as the flowers leave it
        glClearDepth(0);  // as if everything stood nearer
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1);
        const std::vector<float> before = glState();
        if (c.view == LENS) glBlendFunc(GL_ONE, GL_ONE);
        for (GLenum on : {GL_BLEND, GL_TEXTURE_2D})
            if (c.view == LENS) glEnable(on);
        c.draw();
        if (c.view == HUD || c.view == NIGHT) glEnable(GL_CULL_FACE);  // the HUD leaves it off
        EXPECT_TRUE(glState() == before) << c.name << " keeps GL's state";
        const Frame f = grab();
        int x = (int)c.at.x, y = (int)c.at.y;
        if (c.view == NEAR) project(c.at, &x, &y);
        if (c.line && (near(px(f, x - 1, y), c.colour) || near(px(f, x, y - 1), c.colour)))
            continue;
        EXPECT_TRUE(shows(f, x, y, c.colour)) << c.name;
    }
    bare(eye, 50, BG);  // a flake 4 pixels square
    const Frame empty = grab();
    snow();
    EXPECT_EQ(differing(grab(), empty, 8), 16);
}
