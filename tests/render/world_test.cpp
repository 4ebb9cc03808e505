#include <functional>

#include "render_fixture.h"

// The park as a player sees it: what each step of the scene pass leaves showing in a whole frame,
// and the colours of creatures, scenery, water and snow where their parts land on the screen (in
// a bare frame whose light leaves every surface its own colour).

namespace {

class World : public RenderTest {};

const Rgb BG = {0.1f, 0.2f, 0.9f};

// A creature's point in its own frame (+y up, +z its head's side), turned to its facing and, dead,
// tipped onto its side about its feet and lifted by its half-width.
Vec3 bodyPoint(Vec3 feet, float facing, float fall, float lift, Vec3 p) {
    const float f = facing * PI_F / 180, a = fall * PI_F / 180;
    const float x = p.x * std::cos(a) - p.y * std::sin(a),
                y = p.x * std::sin(a) + p.y * std::cos(a);
    return vecAdd(feet, Vec3{x * std::cos(f) + p.z * std::sin(f), y + lift * std::sin(a),
                             -x * std::sin(f) + p.z * std::cos(f)});
}

}  // namespace

// Each step of the park, drawn alone in order over a bare frame, leaves pixels showing; a whole
// frame holds nearly all of them (the sky, the creatures and the HUD take the rest).
TEST_F(World, AWholeFrameHoldsWhatEachStepOfTheParkLeavesShowing) {
    harnessDrawFrame();  // the bushes grow on the first frame
    const StreamBush& b = streamBushes[0];
    const float ga = signYaw * PI_F / 180;
    const struct {
        Vec3 eye, target;
        std::vector<int> shown;  // the steps that must leave pixels in this view
    } VIEWS[] = {
        {{b.x + 6, terrainHeightAt(b.x + 6, b.z + 4) + 1.7f, b.z + 4},
         {b.x, terrainHeightAt(b.x, b.z), b.z},
         {0, 2, 5}},
        {{signX + 6 * std::sin(ga), terrainHeightAt(signX, signZ) + 3, signZ + 6 * std::cos(ga)},
         {signX, terrainHeightAt(signX, signZ) + 2.5f, signZ},
         {0, 3, 4}}};
    const std::function<void()> STEPS[] = {
        [] { drawTerrain(0); }, [] { drawStream(sceneClock); }, drawFlowers, drawForest, drawSign,
        drawStreamBushes};
    for (const auto& v : VIEWS) {
        thePlayer = eyeOn(v.eye, v.target);
        harnessDrawFrame();
        std::vector<Frame> after = {grab()};  // the whole frame, then the bare one step by step
        bare(thePlayer, 60, {1, 0, 1}, 0);
        after.push_back(grab());
        for (const auto& step : STEPS) {
            step();
            after.push_back(grab());
        }
        for (size_t k = 2; k < after.size(); ++k) {
            int left = 0, agree = 0;  // this step's pixels no later step covered
            for (int y = 0; y < 600; ++y) {
                for (int x = 0; x < 800; ++x) {
                    if (!differing(after[k], after[k - 1], 24, x, y, x + 1, y + 1)) continue;
                    if (differing(after[k], after.back(), 24, x, y, x + 1, y + 1)) continue;
                    left += 1;
                    agree += !differing(after[0], after.back(), 24, x, y, x + 1, y + 1);
                }
            }
            EXPECT_GE(agree, 0.9 * left) << "step " << k - 2;
            const bool wanted = std::count(v.shown.begin(), v.shown.end(), (int)k - 2) > 0;
            EXPECT_GE(wanted ? left : 300, 300) << "step " << k - 2;
        }
    }
}

// Whole frames through the game's camera, normal and zoomed: a figure 1.52 tall shows where this
// view's own projection puts it, and a body until its time is up.
TEST_F(World, TheLivingAndTheFreshlyDeadShowWhereTheyStand) {
    harnessDrawFrame();
    harnessStandAt(-20, -95);
    for (float& s : cloudField.speed) s = 0;  // the sky stays put from frame to frame
    EnemyRecord& e = theArena.enemies[theArena.enemyCount++];
    for (int zoomed : {0, 1}) {
        const float x = thePlayer.position.x + (zoomed ? 40 : 10);
        const float z = thePlayer.position.z + (zoomed ? 0.4f : 2), g = terrainHeightAt(x, z);
        auto frame = [&](int alive, float timer) {  // looking along +x
            e = EnemyRecord{{x, 0, z},         0, 0, alive, alive ? 0.0f : 90.0f, timer,
                            {0.2f, 0.3f, 0.8f}};
            thePlayer.yaw = 0;
            thePlayer.pitch = 0;
            theInput.binocularsOn = zoomed;
            harnessDrawFrame();
            return grab();
        };
        const Frame gone = frame(0, 0), standing = frame(1, 0);
        int hx, hy, ax, ay;  // just inside the top of the head, and just above it
        setView(thePlayer, zoomed ? 10 : 60);
        project({x, g + 1.45f, z}, &hx, &hy);
        project({x, g + 1.58f, z}, &ax, &ay);
        EXPECT_EQ(differing(standing, gone, 24, hx - 1, hy - 1, hx + 2, hy + 1), 6) << zoomed;
        EXPECT_EQ(differing(standing, gone, 24, ax - 3, ay, ax + 4, ay + 3), 0) << zoomed;
        EXPECT_GT(differing(frame(0, 1), gone), 100) << zoomed;
        for (int i : {0, 30}) {  // a rabbit, then a deer, where the body lay
            animals[i] = AnimalRecord{i / 30, x, z, 0, 9, 0, 0, 0, 1, 0, 0};
            EXPECT_GT(differing(frame(0, 0), gone), 100) << i;
            animals[i].alive = 0;
        }
    }
}

// Each creature's parts in their colours where they land, standing, turned and lying: an enemy's
// coat takes its shirt's colour (arms 0.8 of it), its head is skin; the rabbit's fur, head and
// ears; the deer's coat, head, legs and tail. A body whose time is up is gone.
TEST_F(World, CreaturesShowEachPartInItsColour) {
    const float x = 31, z = -17;
    const Vec3 feet = {x, terrainHeightAt(x, z), z};
    const Rgb SHIRT = {0.2f, 0.3f, 0.8f}, SKIN = {0.9f, 0.7f, 0.6f}, COAT = {0.65f, 0.45f, 0.25f};
    const Rgb FUR = {0.85f, 0.8f, 0.75f}, EAR = {0.95f, 0.8f, 0.8f},
              DEER_EYE = {0.08f, 0.05f, 0.02f};
    const Rgb DEER_NOSE = {0.15f, 0.1f, 0.08f}, ANTLER = {0.3f, 0.2f, 0.1f};
    enum { ENEMY, RABBIT, DEER };
    const struct {
        const char* name;
        int kind;
        float facing, fall, timer;
        Vec3 eye, part;
        Rgb colour;
    } PARTS[] = {
        {"enemy's coat", ENEMY, 0, 0, 0, {0, 1, 3}, {0, 0.5f, 0}, SHIRT},
        {"enemy's head", ENEMY, 0, 0, 0, {0, 1, 3}, {0, 1.3f, 0}, SKIN},
        {"enemy's arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.35f, 1.2f, 0}, {0.16f, 0.24f, 0.64f}},
        {"beside its arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.46f, 1.3f, 0}, BG},
        {"beside its legs", ENEMY, 0, 0, 0, {0, 0.3f, 3}, {0.29f, 0.1f, 0}, BG},
        {"above its head", ENEMY, 0, 0, 0, {0, 1.6f, 3}, {0, 1.58f, 0}, BG},
        {"before its coat", ENEMY, 0, 0, 0, {3, 0.5f, 0}, {0, 0.5f, 0.3f}, BG},
        {"its head fallen", ENEMY, 0, 90, 8, {-1.3f, 0.25f, 3}, {0, 1.3f, 0}, SKIN},
        {"rabbit's fur", RABBIT, 0, 0, 0, {1.2f, 0.3f, 0}, {0, 0.22f, 0}, FUR},
        {"rabbit's head", RABBIT, 0, 0, 0, {1.2f, 0.3f, 0}, {0, 0.38f, 0.1f}, {0.9f, 0.85f, 0.8f}},
        {"rabbit's ear", RABBIT, 0, 0, 0, {1.2f, 0.5f, 0}, {0.04f, 0.52f, 0.08f}, EAR},
        {"above its ear", RABBIT, 0, 0, 0, {1.2f, 0.5f, 0}, {0.04f, 0.66f, 0.08f}, BG},
        {"rabbit's eye", RABBIT, 0, 0, 0, {0, 0.35f, 1.2f}, {0.03f, 0.35f, 0.18f}, {1, 0.6f, 0.6f}},
        {"rabbit's tail", RABBIT, 0, 0, 0, {1.2f, 0.1f, -0.19f}, {0, 0.1f, -0.19f}, FUR},
        {"deer's coat", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.62f, 0}, COAT},
        {"deer's head", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.95f, 0.38f}, {0.7f, 0.5f, 0.3f}},
        {"deer's leg", DEER, 90, 0, 0, {0, 0.5f, 2.5f}, {-0.1f, 0.3f, 0.12f}, {0.55f, 0.38f, 0.2f}},
        {"deer's tail", DEER, 90, 0, 0, {-2.5f, 0.7f, 0.01f}, {0, 0.65f, -0.4f}, {1, 1, 1}},
        {"deer's eye", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {-0.065f, 0.98f, 0.42f}, DEER_EYE},
        {"deer's nose", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {0, 0.93f, 0.545f}, DEER_NOSE},
        {"deer's ear", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {-0.0463f, 1.0976f, 0.34f}, COAT},
        {"its antler", DEER, 90, 0, 0, {0.35f, 1.6f, 0.01f}, {-0.0209f, 1.1546f, 0.322f}, ANTLER},
        {"before its chest", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.56f, 0.55f}, BG},
        {"behind its hind legs", DEER, 90, 0, 0, {0, 0.5f, 2.5f}, {-0.1f, 0.3f, -0.3f}, BG},
        {"beside its belly", DEER, 90, 0, 0, {0, 2, -0.99f}, {1, 0.56f, 0}, BG},
        {"its coat fallen", DEER, 0, 90, 3, {-0.62f, 0.1f, 3}, {-0.12f, 0.62f, 0}, COAT},
        {"its time up", DEER, 0, 90, 0, {-0.62f, 4, 0.01f}, {0, 0.62f, 0}, BG},
    };
    const float LIFT[3] = {0.25f, 0.15f, 0.22f};
    for (const auto& p : PARTS) {
        const Vec3 at = bodyPoint(feet, p.facing, p.fall, LIFT[p.kind], p.part);
        bare(eyeOn(vecAdd(feet, p.eye), at), 60, BG);
        const int alive = p.fall == 0;
        EnemyRecord e = {feet, 0, 0, alive, p.fall, p.timer, {SHIRT.r, SHIRT.g, SHIRT.b}};
        AnimalRecord a = {p.kind == DEER, x, z, p.facing, 0, 0, 0, 0, alive, p.fall, p.timer};
        if (p.kind == ENEMY)
            drawEnemy(&e);
        else if (p.kind == RABBIT)
            drawRabbit(&a);
        else
            drawDeer(&a);
        EXPECT_TRUE(showsAt(grab(), at, p.colour, 4)) << p.name;
    }
}

// Whatever of a creature shows in the view, standing or lying in any direction, is never culled.
TEST_F(World, CreaturesAtTheEdgeOfTheViewAreDrawn) {
    testworld::flattenGround(0);
    const PlayerState eye = eyeOn({0, 1.5f, 0}, {10, 1.5f, 0});
    for (int kind = 0; kind < 3; ++kind) {
        int seen = 0;
        for (float angle = 25; angle < 55; angle += 3) {
            for (float facing : {0, 90, 180, 270}) {
                for (float fall : {0, 90}) {
                    const float x = 8 * std::cos(angle * PI_F / 180),
                                z = 8 * std::sin(angle * PI_F / 180);
                    bare(eye, 60, BG);
                    const Frame empty = grab();
                    EnemyRecord e = {{x, 0, z}, 0, 0, fall == 0, fall, 1, {1, 0, 0}};
                    AnimalRecord a = {kind - 1, x, z, facing, 0, 0, 0, 0, fall == 0, fall, 1};
                    if (kind == 0)
                        drawEnemy(&e);
                    else if (kind == 1)
                        drawRabbit(&a);
                    else
                        drawDeer(&a);
                    if (!differing(grab(), empty, 0)) continue;
                    seen += 1;
                    const ViewFrustum view = currentViewFrustum();
                    EXPECT_TRUE(kind ? animalInView(&view, &a) : enemyInView(&view, &e))
                        << kind << " at " << angle << " facing " << facing << " fallen " << fall;
                }
            }
        }
        EXPECT_GT(seen, 20) << kind;
    }
}

// Trees (trunk, lower and upper crown), a rock, a flower, a bush's puff and berries and the sign's
// post in their colours, wherever the park has put them.
TEST_F(World, SceneryShowsItsColours) {
    testworld::clearPark();
    testworld::flattenGround(0);
    trees[0] = TreeRecord{20, 20, 5, 2};
    rocks[0] = RockRecord{30, 20, 1, 0.8f, 1, 0.6f, 0.4f, 0.3f, 30};
    flowers[0] = FlowerRecord{25, 30, 0.8f, 0.3f, 1};
    streamBushes[0] = StreamBush{25,
                                 10,
                                 1,
                                 1,
                                 {},
                                 {},
                                 {1, 1, 1, 1, 1},
                                 {0.4f, 0.4f, 0.4f, 0.4f, 0.4f},
                                 {0.1f, 0.1f, 0.1f, 0.1f, 0.1f},
                                 {0.35f, 0.35f, 0.35f, 0.35f, 0.35f},
                                 {0.08f, 0.08f, 0.08f, 0.08f, 0.08f},
                                 {0.5f},
                                 {},
                                 {0.6f}};
    parkBuilt.bushes = 1;
    parkBuilt.sceneryLists = 0;
    parkBuilt.bushLists = 0;
    signX = 20;
    signZ = 30;
    signYaw = 0;
    const struct {
        const char* name;
        Vec3 eye, point;
        Rgb colour;
    } PARTS[] = {
        {"trunk", {20, 1, 25}, {20, 1, 20}, {0.35f, 0.22f, 0.1f}},
        {"lower crown", {20, 2.75f, 26}, {20, 2.75f, 20}, {0.05f, 0.35f, 0.08f}},
        {"its rim", {21.3f, 2.75f, 26}, {21.3f, 2.75f, 20}, {0.05f, 0.35f, 0.08f}},
        {"upper crown", {20, 5.2f, 26}, {20, 5.2f, 20}, {0.08f, 0.42f, 0.12f}},
        {"rock", {30, 0.4f, 24}, {30, 0.4f, 20}, {0.6f, 0.4f, 0.3f}},
        {"above the rock", {30, 1.3f, 24}, {30, 1.3f, 20}, BG},
        {"flower", {25, 3, 30.01f}, {25, 0.02f, 30}, {0.8f, 0.3f, 1}},
        {"puff", {25, 0.6f, 14}, {25, 0.6f, 10}, {0.1f, 0.35f, 0.08f}},
        {"berry", {25.5f, 3, 10.01f}, {25.5f, 0.6f, 10}, {0.85f, 0.1f, 0.05f}},
        {"sign's post", {21, 1, 30}, {20, 1, 30}, {0.35f, 0.22f, 0.1f}},
        {"sign's board",
         {20, 2.75f, 34},
         {20, 2.75f, 30},
         {120 / 255.0f, 75 / 255.0f, 30 / 255.0f}},
        {"sign's board behind",
         {20, 2.75f, 26},
         {20, 2.75f, 30},
         {120 / 255.0f, 75 / 255.0f, 30 / 255.0f}},
    };
    for (const auto& p : PARTS) {
        bare(eyeOn(p.eye, p.point), 40, BG);
        drawFlowers();
        drawForest();
        drawSign();
        drawStreamBushes();
        EXPECT_TRUE(showsAt(grab(), p.point, p.colour, 4)) << p.name;
    }
}

// The board reads upright from the front: the picture's first rows and columns (a mark laid on
// them here) are its upper left, 2 to 3.5 above the foot of the post, a metre either side.
TEST_F(World, TheSignsBoardReadsUprightFromTheFront) {
    std::vector<unsigned char> mark(64 * 64 * 4, 200);
    glBindTexture(GL_TEXTURE_2D, signTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, mark.data());
    const float ga = signYaw * PI_F / 180, g = terrainHeightAt(signX, signZ);
    const Vec3 right = {std::cos(ga), 0, -std::sin(ga)}, front = {std::sin(ga), 0, std::cos(ga)};
    auto onBoard = [&](float across, float up) {
        return vecAdd(Vec3{signX, g + up, signZ}, vecScale(right, across));
    };
    bare(eyeOn(vecAdd(onBoard(0, 2.75f), vecScale(front, 4)), onBoard(0, 2.75f)), 40, BG);
    drawSign();
    const Frame f = grab();
    const Rgb grey = {200 / 255.0f, 200 / 255.0f, 200 / 255.0f},
              wood = {120 / 255.0f, 75 / 255.0f, 30 / 255.0f};
    EXPECT_TRUE(showsAt(f, onBoard(-0.95f, 3.45f), grey, 4));
    EXPECT_TRUE(showsAt(f, onBoard(0.5f, 3.3f), wood, 4));
    EXPECT_TRUE(showsAt(f, onBoard(-0.95f, 2.3f), wood, 4));
    EXPECT_TRUE(showsAt(f, onBoard(0, 3.6f), BG, 4));
    EXPECT_TRUE(showsAt(f, onBoard(1.1f, 2.75f), BG, 4));
}

// The grass: 64 x 64 texels, each the sequence's next draw d as noise n = 0.12 d / 32767 - 0.06
// over waves of green 0.45 + 0.15 sin(i / 2) cos(0.7 j) + 0.03 sin(1.5 j + 0.3 i), red 0.12 +
// n / 2, blue 0.08 + 0.3 n; it repeats. From srand(77): texel (0, 0) takes d = 290 (n = -0.05894:
// 0.0905, 0.3911, 0.0623), texel (3, 0) d = 20304 (n = 0.01436: 0.1272, 0.5996 + 0.0235 + n =
// 0.6375, 0.0843).
TEST_F(World, TheGrassTextureIsNoiseOverWavesOfGreen) {
    std::vector<unsigned char> got(64 * 64 * 3);
    seedRandom(77);
    createGrassTexture();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, got.data());
    EXPECT_EQ(std::vector<int>(got.begin(), got.begin() + 3), (std::vector<int>{23, 99, 15}));
    EXPECT_EQ(std::vector<int>(got.begin() + 9, got.begin() + 12), (std::vector<int>{32, 162, 21}));
    GLint wrap[2];
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap + 1);
    EXPECT_EQ(wrap[0], GL_REPEAT);
    EXPECT_EQ(wrap[1], GL_REPEAT);
}

// The water's clock steps 0.016 on every pass whatever the frame's time; the shimmer lines ride
// 0.03 above the water level, within 0.03 of it; a fish shows at 0.85 over the water strips (0.22
// and 0.15 of their blues over what lies below), both faces of its body (the water's step draws
// both faces).
TEST_F(World, WaterShimmersOnItsOwnClockAndFishShowThroughIt) {
    for (int i = 0; i < 5; ++i) harnessRunFrames(1, 0.1f);
    EXPECT_FLOAT_EQ(sceneClock, 5 * 0.016f);
    EXPECT_FLOAT_EQ(cloudClock, 5 * 0.016f);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {  // a straight stream along z = 0
        streamSampleX[k] = -126.5f + 1.265f * k;
        streamSampleZ[k] = 0;
    }
    int top = 0;  // the highest row any line reaches, seen edge-on from beside the stream
    for (float t = 0; t < 2; t += 0.25f) {
        bare(eyeOn({0, -0.22f, 3}, {0, -0.22f, 0}), 10, BG);
        const Frame empty = grab();
        drawStream(t);
        const Frame f = grab();
        for (int y = top; y < 600; ++y)
            if (differing(f, empty, 8, 0, y, 800, y + 1)) top = y;
    }
    int high, x;  // the nearest line (0.9 across) at its crest
    project({0, -0.19f, 0.9f}, &x, &high);
    EXPECT_NEAR(top, high, 3);
    fishSchool.along[0] = 0.5f;  // at (0, -0.35, 0), nose along +x, idle
    fishSchool.moving[0] = 0;
    fishSchool.idleTimer[0] = 9;
    const Vec3 body = {0.05f, -0.35f, 0.1f};  // between two shimmer lines
    bare(eyeOn({0.05f, 2, 0.11f}, body), 20, BG);
    drawStream(0);
    const Rgb water = over({0.3f, 0.6f, 0.9f}, 0.15f, over({0.18f, 0.5f, 0.8f}, 0.22f, BG));
    const Rgb fish = {fishSchool.red[0], fishSchool.green[0], fishSchool.blue[0]};
    EXPECT_TRUE(showsAt(grab(), body, over(fish, 0.85f, over(fish, 0.85f, water)), 4));
    const Vec3 tail = {-0.525f, -0.35f, 0};  // 1.2 to 1.8 of its size behind, seen edge-on to
    bare(eyeOn({-0.525f, -0.35f, 2}, tail), 20, BG);  // the water
    drawStream(0);
    EXPECT_TRUE(
        showsAt(grab(), tail, over({0.8f * fish.r, 0.8f * fish.g, 0.8f * fish.b}, 0.85f, BG), 4));
}

// Only the particles counted in their arrays show in a whole frame, and the rain and snow only in
// their own weather, whatever lies in the slots beyond.
TEST_F(World, OnlyCountedParticlesAndTheWeathersOwnShow) {
    harnessDrawFrame();
    harnessStandAt(-20, -95);
    thePlayer.pitch = 10;
    for (float& s : cloudField.speed) s = 0;
    const Vec3 at = vecAdd(thePlayer.position, vecScale(viewDirection(&thePlayer), 3));
    auto frame = [&](int counted) {
        ArenaState& a = theArena;
        a.bloodDrops[0] = BloodDrop{at, {}, 1, 1, 0.2f, {1, 0, 0}, 0};
        a.bloodPools[0] = BloodPool{vecAdd(at, Vec3{0, -0.5f, 0}), 0.5f, 1, 1};
        a.splashDrops[0] = SplashDrop{vecAdd(at, Vec3{0.3f, 0, 0}), {}, 1, 1, 0.2f};
        a.ripples[0] = Ripple{vecAdd(at, Vec3{-0.3f, 0, 0}), 0.3f, 1, 1};
        a.sparks[0] = Spark{vecAdd(at, Vec3{0, 0.3f, 0}), {}, 1, 1, {1, 1, 0}};
        a.bloodDropCount = a.bloodPoolCount = a.splashDropCount = a.rippleCount = counted;
        a.sparkCount = counted;
        rainDrops[0] = RainDrop{at.x + 0.5f, at.y + 0.5f, at.z, -15, 1};
        rainSplashes[0] = RainSplash{at.x - 0.5f, at.y - 0.4f, at.z, 0.5f, 0.3f, 0.3f};
        snowFlakes[0] = SnowFlake{at.x, at.y + 0.5f, at.z, 0, -2, 0, 0.1f, 0};
        rainDropCount = rainSplashCount = snowFlakeCount = 1;
        a.weatherMode = counted ? WEATHER_RAIN : WEATHER_CLEAR;
        harnessDrawFrame();
        return grab();
    };
    testworld::emptyArena(&theArena);
    theArena.weatherMode = WEATHER_CLEAR;
    rainDropCount = rainSplashCount = snowFlakeCount = 0;
    harnessDrawFrame();
    const Frame clean = grab();
    EXPECT_EQ(differing(frame(0), clean), 0);
    EXPECT_GT(differing(frame(1), clean), 1000);
}
