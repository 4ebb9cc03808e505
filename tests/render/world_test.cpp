#include "render_fixture.h"

// The park in whole frames: what each step leaves showing, and the creatures where they stand.

namespace {

class World : public RenderTest {};

}  // namespace

// Whole frames through the game's camera, normal and zoomed: a figure shows where this view's own
// projection puts it, and a body until its time is up.
TEST_F(World, AWholeFrameShowsTheLivingAndTheFreshlyDeadWhereTheyStand) {
    harnessDrawFrame(), harnessStandAt(-20, -95);
    for (float& s : cloudField.speed) s = 0;  // the sky stays put from frame to frame
    EnemyRecord& e = theArena.enemies[theArena.enemyCount++];
    for (int zoomed : {0, 1}) {
        float x = thePlayer.position.x + (zoomed ? 40 : 10),
              z = thePlayer.position.z + (zoomed ? 0.4f : 2), g = terrainHeightAt(x, z);
        auto frame = [&](int alive, float timer) {  // looking along +x, +z to the right
            e = EnemyRecord{makeVec3(x, 0, z),         0, 0, alive, alive ? 0.0f : 90.0f, timer,
                            makeVec3(0.2f, 0.3f, 0.8f)};
            return thePlayer.yaw = 0, thePlayer.pitch = 0, theInput.binocularsOn = zoomed,
                   harnessDrawFrame(), grab();
        };
        Frame gone = frame(0, 0), standing = frame(1, 0);
        int hx, hy, ax, ay;  // just inside the top of the head, and just above it
        setView(thePlayer, zoomed ? 10 : 60), project(makeVec3(x, g + 1.45f, z), &hx, &hy),
            project(makeVec3(x, g + 1.58f, z), &ax, &ay);
        EXPECT_EQ(differing(standing, gone, 24, hx - 1, hy - 1, hx + 2, hy + 1), 6) << zoomed;
        EXPECT_EQ(differing(standing, gone, 24, ax - 3, ay, ax + 4, ay + 3), 0) << zoomed;
        EXPECT_GT(differing(frame(0, 1), gone), 100) << zoomed;
    }
}

// A whole frame holds what each step of the park draws where the test's bare frame of the steps
// alone leaves it showing, and a rabbit and a deer put in view.
TEST_F(World, AWholeFrameHoldsEachStepOfTheParkAndEachKindOfAnimal) {
    const StreamBush& b =
        (harnessDrawFrame(), streamBushes[0]);  // the bushes grow on the first frame
    harnessStandAt(b.x + 6, b.z + 4), harnessLookAt(makeVec3(b.x, terrainHeightAt(b.x, b.z), b.z)),
        harnessDrawFrame();
    const std::function<void()> steps[] = {
        [] { drawTerrain(0); }, [] { drawStream(sceneClock); }, drawFlowers, drawForest, drawSign,
        drawStreamBushes};
    std::vector<Frame> after{grab(), (bare(thePlayer, 60, {1, 0, 1}),
                                      grab())};  // the whole frame, then the bare one step by step
    for (const auto& step : steps) step(), after.push_back(grab());
    for (size_t k = 2; k < after.size(); ++k) {
        int left = 0, agree = 0;
        for (int i = 0, x = 0, y = 0; i < 800 * 600; ++i, x = i % 800, y = i / 800) {
            const bool mine = differing(after[k], after[k - 1], 24, x, y, x + 1, y + 1) &&
                              !differing(after[k], after.back(), 24, x, y, x + 1, y + 1);
            left += mine,
                agree += mine && !differing(after[0], after.back(), 24, x, y, x + 1, y + 1);
        }
        EXPECT_TRUE(agree >= 0.9 * left && (left > 300 || k == 4 || k == 6))
            << k << ": " << agree << " of " << left;
    }
    const float x = (harnessStandAt(-20, -95), thePlayer.position.x + 6),
                z = thePlayer.position.z + 1;  // in the open, the animal looked at: in
    harnessLookAt(makeVec3(x, terrainHeightAt(x, z) + 0.2f, z));  // the middle of the view
    for (int kind : {ANIMAL_RABBIT, ANIMAL_DEER}) {
        auto frame = [&](int alive) {
            return animals[0] = AnimalRecord{kind, x, z, 0, 9, 0, 0, 0, alive, 0, 0},
                   harnessDrawFrame(), grab();
        };
        EXPECT_GT(differing(frame(0), frame(1), 24, 370, 285, 430, 315), 150) << kind;
    }
}

// The grass: 64 x 64 texels, each taking the sequence's next draw as noise over waves of green,
// clamped per channel; it repeats.
TEST_F(World, TheGrassTextureIsItsFormulaOverTheRandomSequence) {
    std::vector<unsigned char> got(64 * 64 * 3);
    GLint wrap[2], off = 0;
    seedRandom(77), createGrassTexture(), glPixelStorei(GL_PACK_ALIGNMENT, 1),
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, got.data());
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap),
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap + 1);
    auto byte = [](double v, double lo, double hi) { return (int)(std::clamp(v, lo, hi) * 255); };
    for (uint32_t k = 0, s = 77, i = 0, j = 0; k < 4096; ++k, i = k % 64, j = k / 64) {
        const double n = ((s = s * 214013u + 2531011u) >> 16 & 0x7fff) / 32767.0 * 0.12 - 0.06;
        const int want[3] = {byte(0.12 + 0.5 * n, 0.05, 0.35),
                             byte(0.45 + 0.15 * std::sin(0.5 * i) * std::cos(0.7 * j) + n +
                                      0.03 * std::sin(1.5 * j + 0.3 * i),
                                  0.25, 0.75),
                             byte(0.08 + 0.3 * n, 0.03, 0.25)};
        for (int c = 0; c < 3; ++c) off += std::abs(got[k * 3 + c] - want[c]) > 1;
    }
    EXPECT_TRUE(off == 0 && wrap[0] == GL_REPEAT && wrap[1] == GL_REPEAT) << off << " channels off";
}
