#include "render_fixture.h"
#include "world/textures.h"

// The park as a player sees it: whole frames, and colours where each part lands in a bare frame.

namespace {

class World : public RenderTest {};

const Rgb BG = {0.1f, 0.2f, 0.9f};

// A creature's point (+y up, +z ahead) turned to its facing, tipped about its feet and lifted.
Vec3 bodyPoint(Vec3 feet, float facing, float fall, float lift, Vec3 p) {
    const float f = facing * PI_F / 180, a = fall * PI_F / 180;
    const float x = p.x * std::cos(a) - p.y * std::sin(a),
                y = p.x * std::sin(a) + p.y * std::cos(a);
    return vecAdd(feet, Vec3{x * std::cos(f) + p.z * std::sin(f), y + lift * std::sin(a),
                             -x * std::sin(f) + p.z * std::cos(f)});
}

}  // namespace

// Each creature's parts in their colours where they land, standing, turned and lying (an enemy's
// coat takes its shirt's colour, arms 0.8 of it), and nothing beside them; a body's time up, none.
TEST_F(World, CreaturesShowEachPartInItsColour) {
    const float x = 31, z = -17;
    const Vec3 feet = {x, terrainHeightAt(x, z), z};
    const Rgb SHIRT = {0.2f, 0.3f, 0.8f}, COAT = {0.65f, 0.45f, 0.25f}, FUR = {0.85f, 0.8f, 0.75f};
    const Rgb EYE = {0.08f, 0.05f, 0.02f}, ANTLER = {0.3f, 0.2f, 0.1f};
    enum { ENEMY, RABBIT, DEER };
    const struct {
        const char* name;
        int kind;
        float facing, fall, timer;
        Vec3 eye, part;
        Rgb colour;
    } PARTS[] = {
        {"enemy's coat", ENEMY, 0, 0, 0, {0, 1, 3}, {0, 0.5f, 0}, SHIRT},
        {"enemy's arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.35f, 1.2f, 0}, {0.16f, 0.24f, 0.64f}},
        {"beside its arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.46f, 1.3f, 0}, BG},
        {"above its head", ENEMY, 0, 0, 0, {0, 1.6f, 3}, {0, 1.58f, 0}, BG},
        {"its head fallen", ENEMY, 0, 90, 8, {-1.3f, 0.25f, 3}, {0, 1.3f, 0}, {0.9f, 0.7f, 0.6f}},
        {"rabbit's fur", RABBIT, 0, 0, 0, {1.2f, 0.3f, 0}, {0, 0.22f, 0}, FUR},
        {"rabbit's ear", RABBIT, 0, 0, 0, {1.2f, 0.5f, 0}, {0.04f, 0.52f, 0.08f}, {.95f, .8f, .8f}},
        {"rabbit's tail", RABBIT, 0, 0, 0, {1.2f, 0.1f, -0.19f}, {0, 0.1f, -0.19f}, FUR},
        {"deer's coat", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.62f, 0}, COAT},
        {"deer's leg", DEER, 90, 0, 0, {0, 0.5f, 2.5f}, {-0.1f, 0.3f, 0.12f}, {0.55f, 0.38f, 0.2f}},
        {"deer's tail", DEER, 90, 0, 0, {-2.5f, 0.7f, 0.01f}, {0, 0.65f, -0.4f}, {1, 1, 1}},
        {"deer's eye", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {-0.065f, 0.98f, 0.42f}, EYE},
        {"deer's nose", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {0, 0.93f, 0.545f}, {0.15f, 0.1f, 0.08f}},
        {"its antler", DEER, 90, 0, 0, {0.35f, 1.6f, 0.01f}, {-0.0209f, 1.1546f, 0.322f}, ANTLER},
        {"before its chest", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.56f, 0.55f}, BG},
        {"its coat fallen", DEER, 0, 90, 3, {-0.62f, 0.1f, 3}, {-0.12f, 0.62f, 0}, COAT},
        {"its time up", DEER, 0, 90, 0, {-0.62f, 4, 0.01f}, {0, 0.62f, 0}, BG},
    };
    const float LIFT[3] = {0.25f, 0.15f, 0.22f};
    for (const auto& p : PARTS) {
        const Vec3 at = bodyPoint(feet, p.facing, p.fall, LIFT[p.kind], p.part);
        bare(eyeOn(vecAdd(feet, p.eye), at), 60, BG);
        EnemyRecord e = {feet, 0, 0, p.fall == 0, p.fall, p.timer, {SHIRT.r, SHIRT.g, SHIRT.b}};
        AnimalRecord a = {p.kind == DEER, x, z, p.facing, 0, 0, 0, 0, p.fall == 0, p.fall, p.timer};
        if (p.kind == ENEMY) drawEnemy(&e);
        if (p.kind == RABBIT) drawRabbit(&a);
        if (p.kind == DEER) drawDeer(&a);
        EXPECT_TRUE(showsAt(grab(), at, p.colour, 4)) << p.name;
    }
}

// Scenery in its colours where the park puts it, probed just inside and outside its edges. A tree
// of height 5, crown 2: a trunk 0.3 round to 2, a cone closed below from 2 round at 2 to 5, one
// from 1.4 round at 3.5 to 5.6. A rock 1.2 x 0.8 x 0.4 turned 90 stands 0.4 wide, 1.2 high. Flowers
// are unlit; a puff 0.4 round 0.3 up, a berry 0.07 round. The sign faces +x turned 90: a post 0.08
// round, 2 high, under a board 2 x 1.5, its picture upright from the front (upper left marked
// grey), seen from behind, unlit, whatever texture is bound.
TEST_F(World, SceneryShowsItsColours) {
    testworld::clearPark();
    testworld::flattenGround(0);
    trees[0] = TreeRecord{20, 20, 5, 2};
    rocks[0] = RockRecord{30, 20, 1.2f, 0.8f, 0.4f, 0.6f, 0.4f, 0.3f, 90};
    std::fill_n(flowers, FLOWER_COUNT, FlowerRecord{25, 30, 0.8f, 0.3f, 1});  // each in one spot
    const StreamBush BUSH = {25,     10,  1,      1,   {},     {}, {1},
                             {0.4f}, {0}, {0.5f}, {0}, {0.5f}, {}, {0.6f}};
    std::fill_n(streamBushes, BUSH_COUNT, BUSH);
    parkBuilt.bushes = 1;
    parkBuilt.sceneryLists = parkBuilt.bushLists = 0;
    signX = signZ = 30;
    signYaw = 90;
    std::vector<unsigned char> mark(64 * 64 * 4, 200);  // the picture's upper left corner, grey
    glBindTexture(GL_TEXTURE_2D, signTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, mark.data());
    const Rgb BARK = {0.35f, 0.22f, 0.1f}, LOWER = {0.05f, 0.35f, 0.08f},
              GREY = {.784f, .784f, .784f};
    const Rgb UPPER = {0.08f, 0.42f, 0.12f}, FLOWER = {0.8f, 0.3f, 1}, WOOD = {.471f, .294f, .118f};
    const Vec3 FRONT = {34, 2.75f, 30}, BEHIND = {26, 2.75f, 30};
    const struct {
        const char* name;
        Vec3 eye, point;
        Rgb colour;
        int night = 0;  // lit by the night sky
    } PARTS[] = {
        {"trunk", {20, 1, 25}, {20, 1, 20}, BARK},
        {"beside the trunk", {20, 1, 25}, {20.4f, 1, 20}, BG},
        {"trunk's foot from below", {19.5f, -1, 20.8f}, {19.85f, 0, 20}, BARK},
        {"beside its foot from below", {19.5f, -1, 20.8f}, {20.5f, 0, 20}, BG},
        {"lower crown's base from below", {21.2f, 1, 21.2f}, {21, 2, 20}, LOWER},
        {"lower crown's rim", {20, 2.1f, 26}, {21.8f, 2.1f, 20}, LOWER},
        {"beyond its rim", {20, 3.6f, 26}, {21.5f, 3.6f, 20}, BG},
        {"upper crown's tip", {20, 5.5f, 26}, {20, 5.5f, 20}, UPPER},
        {"above the tree", {20, 5.7f, 26}, {20, 5.7f, 20}, BG},
        {"rock", {30, 0.4f, 24}, {30, 0.4f, 20}, {0.6f, 0.4f, 0.3f}},
        {"beside the turned rock", {30, 0.4f, 24}, {30.6f, 0.4f, 20}, BG},
        {"above the rock", {30, 1.3f, 24}, {30, 1.3f, 20}, BG},
        {"flower", {25, 3, 30.01f}, {25, 0.02f, 30}, FLOWER},
        {"flower by night", {25, 3, 30.01f}, {25, 0.02f, 30}, FLOWER, 1},
        {"puff", {25, 0.6f, 14}, {25, 0.6f, 10}, {0, 0.5f, 0}},
        {"above the puff", {25, 0.75f, 14}, {25, 0.75f, 10}, BG},
        {"berry", {25.5f, 0.6f, 14}, {25.5f, 0.6f, 10}, {0.85f, 0.1f, 0.05f}},
        {"beside the berry", {25.5f, 3, 10.01f}, {25.62f, 0.6f, 10}, BG},
        {"board's upper left", FRONT, {30.01f, 3.3f, 30.875f}, GREY},
        {"its upper left from behind", BEHIND, {30.01f, 3.3f, 30.875f}, GREY},
        {"its lower left by night", FRONT, {30.01f, 2.4f, 30.5f}, WOOD, 1},
        {"left of the board", FRONT, {30.01f, 3.1f, 31.03f}, BG},
        {"above the board", FRONT, {30.01f, 3.53f, 29.5f}, BG},
        {"inside its lower edge", FRONT, {30.01f, 2.03f, 30.5f}, WOOD},
        {"sign's post", {34, 1, 30}, {30, 1, 30}, BARK},
        {"beside the post", {34, 0.3f, 30}, {30, 0.3f, 30.12f}, BG},
    };
    for (const auto& p : PARTS) {
        bare(eyeOn(p.eye, p.point), 40, BG, p.night ? 1.0f : -1.0f);
        glBindTexture(GL_TEXTURE_2D, grassTexture);
        drawFlowers();
        drawForest();
        const std::vector<float> pass = glState();
        drawSign();
        EXPECT_EQ(glState(), pass) << p.name << ": the sign hands back the pass's state";
        drawStreamBushes();
        EXPECT_TRUE(showsAt(grab(), p.point, p.colour, 4)) << p.name;
    }
}

// Texel (i, j) takes the sequence's next draw d: n = 0.12 d / 32767 - 0.06, green 0.45 + 0.15
// sin(i / 2) cos(0.7 j) + 0.03 sin(1.5 j + 0.3 i) + n, red 0.12 + n / 2, blue 0.08 + 0.3 n. From
// srand(77), (3, 0) takes 20304: n = 0.01436, (32, 162, 21); (0, 1) 15028: n = -0.00496, (29, 121,
// 20), shown at their centres on the ground. The 1 x 1 texture of the far ground holds their mean.
TEST_F(World, TheGrassTextureIsNoiseOverWavesOfGreen) {
    seedRandom(77);
    createGrassTexture();
    const int TEXELS[][5] = {{3, 0, 32, 162, 21}, {0, 1, 29, 121, 20}};  // i, j, its colour
    for (const auto& t : TEXELS) {  // on the flat corner, 4 repeats across the park
        const Vec3 at = {-126.5f + (t[0] + 0.5f) * 253 / 256, 0,
                         -126.5f + (t[1] + 0.5f) * 253 / 256};
        bare(eyeOn({at.x + 0.3f, 5, at.z}, at), 40, BG);
        drawTerrain(0);
        const Rgb colour = {t[2] / 255.0f, t[3] / 255.0f, t[4] / 255.0f};
        EXPECT_TRUE(showsAt(grab(), at, colour, 0)) << "texel " << t[0] << ", " << t[1];
    }
    std::vector<unsigned char> mean(4);
    glBindTexture(GL_TEXTURE_2D, grassMeanTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, mean.data());
    for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (int k = c; k < 64 * 64 * 3; k += 3) sum += grassPicture()[k];
        EXPECT_NEAR(mean[c], sum / 4096, 0.5) << "channel " << c;
    }
}

// The water's clock steps 0.016 a pass whatever the frame's time; shimmer lines ride 0.03 above
// the water, within 0.03 of it; a fish shows at 0.85, both faces of it, under the water's strips
// (0.22 and 0.15 of their blues over what lies below).
TEST_F(World, WaterShimmersOnItsOwnClockAndFishShowThroughIt) {
    for (int i = 0; i < 5; ++i) harnessRunFrames(1, 0.1f);
    EXPECT_FLOAT_EQ(sceneClock, 5 * 0.016f);
    EXPECT_FLOAT_EQ(cloudClock, 5 * 0.016f);
    for (int k = 0; k < STREAM_SAMPLES; ++k) streamSampleX[k] = -126.5f + 1.265f * k;
    std::fill(streamSampleZ, streamSampleZ + STREAM_SAMPLES, 0.0f);  // a straight stream on z = 0
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
    const Vec3 body = {0.05f, -0.35f, 0.1f};
    bare(eyeOn({0.05f, 2, 0.11f}, body), 20, BG);  // from above, between two shimmer lines
    drawStream(0);
    const Rgb water = over({0.3f, 0.6f, 0.9f}, 0.15f, over({0.18f, 0.5f, 0.8f}, 0.22f, BG));
    const Rgb fish = {fishSchool.red[0], fishSchool.green[0], fishSchool.blue[0]};
    EXPECT_TRUE(showsAt(grab(), body, over(fish, 0.85f, over(fish, 0.85f, water)), 4));
    EXPECT_TRUE(showsAt(grab(), {0.6f, -0.35f, 0.1f}, water, 3)) << "the water beside it";
}
