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

}  // namespace

// Text lands on the pixels its font lists would: the HUD's lines of a fresh game won with 17
// enemies left; over a dozen lines (more than are kept put together), some again after they were
// pushed out, codes without a glyph, one too long to put together. A fresh context reads a fresh
// font (each glyph its code's next one); once read, the lists are not called.
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
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) lines.push_back("Line " + std::string(i + 1, 'A' + i) + "\x01!");
    lines.insert(lines.end(), {std::string(130, 'W') + "\xC8-end", "Line A\x01!", "Line BB\x01!"});
    auto draw = [&](void (*text)(float, float, const char*)) {
        overlayView();
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
// GL's state back. The map 140 across for the park's 253, its stream 2 wide at 0.8, a backing of
// black at 0.5 then green at 0.3, darker at night. The flash adds 0.25 v of (1, 0.8, 0.2), within
// 30 v of the middle 0.8 v of (1, 1, 0.6) more. Scope ring i darkens 0.02 + 0.05 i from 150 + 20 i
// out; over the lens a wash (0, 0.05, 0) at 0.04, glare 0.08, hairs 0.85, ticks 0.5, mark 0.8, a
// rim 3 outside. Sprites shrink to half as they fade; pools at 0.7 f; ripples at 0.5 f 0.24 below;
// the tracer adds a to a / 2, a = time left / 0.2; streaks 0.8 long at 0.7 fade over their last
// half second; snow at 0.5 + 0.15 fall speed, at most 0.9, a flake 4 pixels square.
TEST_F(RenderTest, EachOverlayShowsInItsPlaceColourAndBlend) {
    for (int i = 0; i < theArena.enemyCount; ++i) theArena.enemies[i].alive = i == 0;
    for (int i = 0; i < ANIMAL_COUNT; ++i) animals[i].alive = i == 0 || i == 30;
    theArena.enemies[0].position = Vec3{0, 0, 0};                          // at (720, 80)
    animals[0].x = animals[0].z = -63.25f;                                 // at (685, 45)
    animals[30].x = animals[30].z = 63.25f;                                // at (755, 115)
    for (int k = 0; k < STREAM_SAMPLES; ++k) streamSampleZ[k] = -94.875f;  // along y = 27.5
    thePlayer = PlayerState{{0, 5, 100}, 0, 0};  // at (720, 135.3), pointing right
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
    auto flash = [](float v) { return [=] { drawMuzzleFlashOverlay(v); }; };
    auto drops = [&](int n) { return [&, n] { drawRain(rain, n); }; };
    auto snow = [&] { drawSnow(&flake, 1); };
    auto wash = [](Rgb c) { return over({0, 0.05f, 0}, 0.04f, c); };
    auto red = [](float a) { return over({0.7f, 0.15f, 0.15f}, a, BG); };
    auto dark = [](float a) { return over({0, 0, 0}, a, BG); };
    const Rgb backing = over({0.2f, 0.5f, 0.2f}, 0.3f, dark(0.5f)),
              nightBacking = over({0.08f, 0.12f, 0.15f}, 0.3f, dark(0.5f)),
              nightStream = over({0.15f, 0.25f, 0.5f}, 0.8f, nightBacking),
              rim = over({0.25f, 0.28f, 0.22f}, 0.4f, dark(0.02f));
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
        {"stream", HUD, map, {700, 27, 0}, over({0.4f, 0.7f, 1}, 0.8f, backing), true},
        {"backing at night", NIGHT, map, {700, 100, 0}, nightBacking},
        {"stream at night", NIGHT, map, {700, 27, 0}, nightStream, true},
        {"left bar", SCENE, drawCrosshair, {392, 300, 0}, WHITE},
        {"above it", SCENE, drawCrosshair, {392, 301, 0}, BG},
        {"right bar", SCENE, drawCrosshair, {405, 300, 0}, WHITE},
        {"dot", SCENE, drawCrosshair, {400, 300, 0}, RED},
        {"below the lower bar", SCENE, drawCrosshair, {400, 286, 0}, BG},
        {"the gap right of it", SCENE, drawCrosshair, {402, 300, 0}, BG},
        {"flash", SCENE, flash(1), {100, 300, 0}, {0.65f, 0.65f, 0.55f}},
        {"half a flash", SCENE, flash(0.5f), {420, 300, 0}, {0.525f, 0.55f, 0.525f}},
        {"its middle", SCENE, flash(0.5f), {410, 300, 0}, {0.925f, 0.95f, 0.765f}},
        {"no flash", SCENE, flash(0), {400, 300, 0}, BG},
        {"ring 5", LENS, drawScopeFrame, {584, 484, 0}, dark(0.27f)},
        {"ring 17", LENS, drawScopeFrame, {0, 0, 0}, dark(0.87f)},
        {"glare", LENS, drawScopeFrame, {360, 370, 0}, wash(over(WHITE, 0.08f, BG))},
        {"hair", LENS, drawScopeFrame, {300, 300, 0}, wash(red(0.85f)), true},
        {"top hair", LENS, drawScopeFrame, {400, 436, 0}, wash(red(0.85f)), true},
        {"tick", LENS, drawScopeFrame, {430, 303, 0}, wash(red(0.5f)), true},
        {"lower tick", LENS, drawScopeFrame, {398, 270, 0}, wash(red(0.5f)), true},
        {"before the left hair", LENS, drawScopeFrame, {255, 300, 0}, wash(BG)},
        {"lens rim",
         LENS,
         drawScopeFrame,
         {549, 300, 0},
         wash(over({.15f, .18f, .12f}, .6f, BG)),
         true},
        {"mark", LENS, drawScopeFrame, {402, 302, 0}, wash(red(0.8f)), true},
        {"outer rim", LENS, drawScopeFrame, {553, 300, 0}, rim, true},
        {"blood", NEAR, [&] { drawBloodDrop(&drop); }, {0.16f, 0.5f, 0}, over(BLOOD, 0.45f, BG)},
        {"its edge", NEAR, [&] { drawBloodDrop(&drop); }, {0.19f, 0.5f, 0}, BG},
        {"pool", NEAR, [&] { drawBloodPool(&pool); }, flat, over({0.5f, 0, 0}, 0.7f, BG)},
        {"beyond it", NEAR, [&] { drawBloodPool(&pool); }, {0.1f, 0.02f, 0.6f}, BG},
        {"its east",
         NEAR,
         [&] { drawBloodPool(&pool); },
         {0.4f, 0.02f, 0.21f},
         over({0.5f, 0, 0}, 0.7f, BG)},
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
        c.draw();
        EXPECT_TRUE(c.view > NEAR || glState() == before) << c.name << " keeps GL's state";
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
