#include "render_fixture.h"
#include "world/textures.h"

// The park as a player sees it: whole frames, and colours where each part lands in a bare frame.

namespace {

class World : public RenderTest {};

const Rgb BG = {0.1f, 0.2f, 0.9f};

}  // namespace

// Each step of the park, drawn alone in order over a bare frame, leaves pixels showing; a whole
// frame holds nearly all of them (the sky, the creatures and the HUD take the rest).
TEST_F(World, AWholeFrameHoldsWhatEachStepOfTheParkLeavesShowing) {
    harnessDrawFrame();  // the bushes grow on the first frame
    const StreamBush& b = streamBushes[0];
    const float ga = signYaw * PI_F / 180, sg = terrainHeightAt(signX, signZ);
    const Vec3 bushEye = {b.x + 6, terrainHeightAt(b.x + 6, b.z + 4) + 1.7f, b.z + 4};
    const Vec3 signEye = {signX + 6 * std::sin(ga), sg + 3, signZ + 6 * std::cos(ga)};
    const struct {
        PlayerState eye;
        int shown[6];  // the steps that must leave pixels in this view
    } VIEWS[] = {{eyeOn(bushEye, {b.x, terrainHeightAt(b.x, b.z), b.z}), {1, 0, 1, 0, 0, 1}},
                 {eyeOn(signEye, {signX, sg + 2.5f, signZ}), {1, 0, 0, 1, 1, 0}}};
    void (*const STEPS[])() = {
        [] { drawTerrain(0); }, [] { drawStream(sceneClock); }, drawFlowers, drawForest, drawSign,
        drawStreamBushes};
    for (const auto& v : VIEWS) {
        thePlayer = v.eye;
        harnessDrawFrame();
        std::vector<Frame> after = {grab()};  // the whole frame, then the bare one step by step
        bare(thePlayer, 60, {1, 0, 1}, 0);
        after.push_back(grab());
        for (const auto& step : STEPS) {
            step();
            after.push_back(grab());
        }
        auto same = [](const Frame& p, const Frame& q, int i) {
            return near(&p[4 * i], rgbOf(&q[4 * i]), 24);
        };
        for (int k = 2; k < (int)after.size(); ++k) {
            int left = 0, agree = 0;  // this step's pixels no later step covered
            for (int i = 0; i < 800 * 600; ++i) {
                if (same(after[k], after[k - 1], i) || !same(after[k], after.back(), i)) continue;
                left += 1;
                agree += same(after[0], after.back(), i);
            }
            EXPECT_GE(agree, 0.9 * left) << "step " << k - 2;
            if (!v.shown[k - 2]) continue;
            EXPECT_GE(left, 300) << "step " << k - 2;
        }
    }
}

// Trees, a rock, a flower, a bush and the sign in their colours wherever the park puts them. The
// board reads upright from the front: the picture's first rows and columns (marked grey here) are
// its upper left, 2 to 3.5 above the foot of the post, a metre either side.
TEST_F(World, SceneryShowsItsColours) {
    testworld::clearPark();
    testworld::flattenGround(0);
    trees[0] = TreeRecord{20, 20, 5, 2};
    rocks[0] = RockRecord{30, 20, 1, 0.8f, 1, 0.6f, 0.4f, 0.3f, 30};
    flowers[0] = FlowerRecord{25, 30, 0.8f, 0.3f, 1};
    streamBushes[0] = {25,     10,     1,       1,       {},     {}, {1},
                       {0.4f}, {0.1f}, {0.35f}, {0.08f}, {0.5f}, {}, {0.6f}};
    parkBuilt.bushes = 1;
    parkBuilt.sceneryLists = 0;
    parkBuilt.bushLists = 0;
    signX = 20;
    signZ = 30;
    signYaw = 0;
    std::vector<unsigned char> mark(64 * 64 * 4, 200);
    glBindTexture(GL_TEXTURE_2D, signTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, mark.data());
    const Rgb WOOD = {120 / 255.0f, 75 / 255.0f, 30 / 255.0f}, GREY = {0.784f, 0.784f, 0.784f};
    const struct {
        const char* name;
        Vec3 eye, point;
        Rgb colour;
    } PARTS[] = {
        {"trunk", {20, 1, 25}, {20, 1, 20}, {0.35f, 0.22f, 0.1f}},
        {"lower crown", {20, 2.75f, 26}, {20, 2.75f, 20}, {0.05f, 0.35f, 0.08f}},
        {"upper crown", {20, 5.2f, 26}, {20, 5.2f, 20}, {0.08f, 0.42f, 0.12f}},
        {"rock", {30, 0.4f, 24}, {30, 0.4f, 20}, {0.6f, 0.4f, 0.3f}},
        {"flower", {25, 3, 30.01f}, {25, 0.02f, 30}, {0.8f, 0.3f, 1}},
        {"puff", {25, 0.6f, 14}, {25, 0.6f, 10}, {0.1f, 0.35f, 0.08f}},
        {"berry", {25.5f, 3, 10.01f}, {25.5f, 0.6f, 10}, {0.85f, 0.1f, 0.05f}},
        {"sign's post", {21, 1, 30}, {20, 1, 30}, {0.35f, 0.22f, 0.1f}},
        {"board's back", {20, 2.75f, 26}, {20, 2.75f, 30}, WOOD},
        {"board's upper left", {20, 2.75f, 34}, {19.05f, 3.45f, 30}, GREY},
        {"board's upper right", {20, 2.75f, 34}, {20.5f, 3.3f, 30}, WOOD},
        {"above the board", {20, 6, 34}, {20, 3.6f, 30}, BG},  // the tree behind out of line
    };
    for (const auto& p : PARTS) {
        bare(eyeOn(p.eye, p.point), 40, BG);
        for (auto draw : {drawFlowers, drawForest, drawSign, drawStreamBushes}) draw();
        EXPECT_TRUE(showsAt(grab(), p.point, p.colour, 4)) << p.name;
    }
}

// Texel (i, j) takes the sequence's next draw d: n = 0.12 d / 32767 - 0.06, green 0.45 + 0.15
// sin(i / 2) cos(0.7 j) + 0.03 sin(1.5 j + 0.3 i) + n, red 0.12 + n / 2, blue 0.08 + 0.3 n. From
// srand(77), (3, 0) takes 20304: n = 0.01436, (32, 162, 21); (0, 1) 15028: n = -0.00496, (29, 121,
// 20). The 1 x 1 texture of the far ground holds the texels' mean.
TEST_F(World, TheGrassTextureIsNoiseOverWavesOfGreen) {
    std::vector<unsigned char> got(64 * 64 * 3), mean(4);
    seedRandom(77);
    createGrassTexture();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, got.data());
    EXPECT_EQ(std::vector<int>(got.begin() + 9, got.begin() + 12), (std::vector<int>{32, 162, 21}));
    EXPECT_EQ(std::vector<int>(got.begin() + 192, got.begin() + 195),
              (std::vector<int>{29, 121, 20}));
    glBindTexture(GL_TEXTURE_2D, grassMeanTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, mean.data());
    for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (int k = c; k < 64 * 64 * 3; k += 3) sum += got[k];
        EXPECT_NEAR(mean[c], sum / 4096, 0.5) << "channel " << c;
    }
}
