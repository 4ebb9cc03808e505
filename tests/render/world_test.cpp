#include "render_fixture.h"
#include "app/frame_tick.h"
#include "world/textures.h"

// The park as a player sees it: whole frames, and colours where each part lands in a bare frame.

namespace {

class World : public RenderTest {};

const Rgb BG = {0.1f, 0.2f, 0.9f};

}  // namespace

// Scenery in its colours where the park puts it, probed just inside and outside its edges. A tree
// of height 5, crown 2: a trunk 0.3 round to 2, a cone closed below from 2 round at 2 to 5, one
// from 1.4 round at 3.5 to 5.6. A rock 1.2 x 0.8 x 0.4 turned 90 stands 0.4 wide, 1.2 high. Flowers
// are unlit; a puff 0.4 round 0.3 up, a berry 0.07 x the bush's size (0.5) round. The sign faces +x
// turned 90: a post 0.08 round, 2 high, under a board 2 x 1.5, its picture upright from the front
// (upper left marked grey), seen from behind, unlit, whatever texture is bound.
TEST_F(World, SceneryShowsItsColours) {
    testworld::clearPark();
    testworld::flattenGround(0);
    trees[0] = TreeRecord{20, 20, 5, 2};
    rocks[0] = RockRecord{30, 20, 1.2f, 0.8f, 0.4f, 0.6f, 0.4f, 0.3f, 90};
    std::fill_n(flowers, FLOWER_COUNT, FlowerRecord{25, 30, 0.8f, 0.3f, 1});  // each in one spot
    const StreamBush BUSH = {25,     10,  0.5f,   1,   {},     {}, {1},
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
        {"beside the berry", {25.5f, 3, 10.01f}, {25.55f, 0.6f, 10}, BG},
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

// The whole frame, from its first: the day sky the world's setting up cleared to, the sign 4 ahead,
// which moved away leaves the view, and the map over the scene pass in the lower right corner.
TEST_F(World, TheWholeFrameShowsTheSkyTheSignAndTheMapOverTheScene) {
    testworld::clearPark();
    parkBuilt.sceneryLists = 0;
    signZ = 19;
    signYaw = 0;
    thePlayer = PlayerState{{0, terrainHeightAt(0, 19) + 2.75f, 23}, -90, 0};  // level with it
    auto frameWith = [&](float x) {
        signX = x;
        harnessDrawFrame();
        return grab();
    };
    const Frame whole = frameWith(0);
    EXPECT_TRUE(shows(whole, 799, 599, {135 / 255.0f, 207 / 255.0f, 235 / 255.0f})) << "day sky";
    EXPECT_GT(differing(whole, frameWith(1000), 24, 350, 250, 450, 350), 5000) << "the sign";
    drawScenePass();
    EXPECT_GT(differing(whole, grab(), 24, 650, 10, 790, 150), 5000) << "the map";
}
