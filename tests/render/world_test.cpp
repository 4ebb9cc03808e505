#include "render_fixture.h"

// The park as its records and rules say it looks, drawn afresh here (GLU quadrics placed by GL's
// matrices), against the game's: creatures in every pose.

namespace {

enum Kind { RABBIT, DEER, ENEMY };
struct Pose {
    int kind, alive, moving;
    float gait, facing, fall, timer;
};

void ownCreature(const Pose& p, float x, float z) {
    if (!p.alive && p.timer <= 0) return;
    glPushMatrix(), glTranslatef(x, terrainHeightAt(x, z), z),
        glRotatef(p.kind != ENEMY ? p.facing : 0, 0, 1, 0);
    const float lift[3] = {0.15f, 0.22f,
                           0.25f};  // tipping onto its side, it rises by its half-width
    if (!p.alive)
        glTranslatef(0, lift[p.kind] * std::sin(p.fall * PI_F / 180), 0),
            glRotatef(p.fall, 0, 0, 1);
    float s = std::sin(p.gait), walks = p.alive && p.moving, b = walks && p.fall < 90 ? s : 0;
    if (p.kind == ENEMY) {
        cylinder({0.8f, 0.2f, 0.2f}, 0, 0, 0, 0.25f, 0.2f, 1, 8),
            sphere({0.9f, 0.7f, 0.6f}, 0, 1.3f, 0, 0.22f, 8, 8);
        for (float side : {-1, 1})
            cylinder({0.64f, 0.16f, 0.16f}, 0.35f * side, 0.9f, 0, 0.08f, 0.08f, 0.6f, 6),
                cylinder({0.48f, 0.12f, 0.12f}, 0.12f * side, 0, 0, 0.1f, 0.1f, 0.5f, 6);
    } else if (p.kind == RABBIT) {
        b *= 0.04f, sphere({0.85f, 0.8f, 0.75f}, 0, b + 0.22f, 0, 0.18f, 6, 6, 1, 0.8f, 1.2f),
            sphere({0.9f, 0.85f, 0.8f}, 0, b + 0.38f, 0.1f, 0.1f, 6, 6);
        for (float side : {-1, 1})
            sphere({0.95f, 0.8f, 0.8f}, 0.04f * side, b + 0.52f, 0.08f, 0.1f, 4, 4, 0.3f, 1, 0.2f),
                sphere({1, 0.6f, 0.6f}, 0.03f * side, b + 0.35f, 0.18f, 0.02f, 4, 4);
        sphere({0.85f, 0.8f, 0.75f}, 0, 0.1f, -0.15f, 0.06f, 4, 4);
    } else {
        b *= 0.03f;
        float w = walks ? 8 * s : 0, f = std::sin(w * 0.0175f) * 0.06f;
        const Rgb leg = {0.55f, 0.38f, 0.2f}, coat = {0.65f, 0.45f, 0.25f},
                  antler = {0.3f, 0.2f, 0.1f};
        const float legs[4][3] = {
            {-0.1f, 0.12f, 1}, {0.1f, 0.12f, -1}, {-0.1f, -0.15f, -1}, {0.1f, -0.15f, 1}};
        for (const auto& l : legs)  // diagonal legs swing together
            cylinder(leg, l[0], b + 0.5f, l[1], 0.04f, 0.035f, 0.28f, 6, l[2] * w),
                cylinder(leg, l[0], b + 0.22f, l[1] + l[2] * f, 0.035f, 0.03f, 0.24f, 6),
                sphere({0.15f, 0.1f, 0.05f}, l[0], 0, l[1] + l[2] * f, 0.035f, 4, 4);
        sphere(coat, 0, b + 0.62f, 0, 1, 10, 8, 0.22f, 0.18f, 0.45f),
            sphere({0.75f, 0.55f, 0.35f}, 0, b + 0.56f, 0, 1, 8, 6, 0.18f, 0.1f, 0.38f);
        cylinder({0.6f, 0.42f, 0.22f}, 0, b + 0.78f, 0.3f, 0.08f, 0.06f, 0.22f, 8, -30),
            sphere({0.7f, 0.5f, 0.3f}, 0, b + 0.95f, 0.38f, 0.1f, 8, 6, 1, 0.85f, 1.2f);
        sphere({0.6f, 0.4f, 0.22f}, 0, b + 0.92f, 0.48f, 0.06f, 6, 6, 0.7f, 0.6f, 1),
            sphere({0.15f, 0.1f, 0.08f}, 0, b + 0.93f, 0.53f, 0.025f, 4, 4);
        for (float s : {-1, 1}) {
            sphere({0.08f, 0.05f, 0.02f}, 0.065f * s, b + 0.98f, 0.42f, 0.018f, 4, 4),
                sphere({1, 1, 1}, 0.063f * s, b + 0.985f, 0.435f, 0.006f, 3, 3);
            cylinder(coat, 0.06f * s, b + 1.06f, 0.34f, 0.025f, 0.015f, 0.08f, 5, 0, 20 * s);
            cylinder({0.8f, 0.55f, 0.4f}, 0.06f * s, b + 1.07f, 0.35f, 0.015f, 0.008f, 0.06f, 4, 0,
                     20 * s);
            cylinder(antler, 0.04f * s, b + 1.05f, 0.35f, 0.01f, 0.005f, 0.22f, 5, -15, 10 * s);
            cylinder(antler, 0.05f * s, b + 1.15f, 0.33f, 0.006f, 0.003f, 0.1f, 4, -40, 30 * s);
            cylinder(antler, 0.04f * s, b + 1.22f, 0.3f, 0.006f, 0.003f, 0.08f, 4, -50, 5 * s);
        }
        sphere({1, 1, 1}, 0, b + 0.65f, -0.4f, 0.05f, 5, 5, 0.8f, 1, 1.2f);
    }
    glPopMatrix();
}

class World : public RenderTest {};

}  // namespace

TEST_F(World, BodyPlansStandWalkFallAndLieAsTheRulesDrawThem) {
    const float x = 31, z = -17, g = terrainHeightAt(x, z);
    struct Case {
        Pose pose;
        float distance, fov, lookUp;
    } cases[] = {{{ENEMY, 1, 0, 0, 0, 0, 0}, 3, 60, 0.8f},
                 {{ENEMY, 0, 0, 0, 0, 45, 8}, 3, 60, 0.5f},
                 {{ENEMY, 0, 0, 0, 0, 90, 0.5f}, 3, 60, 0.3f},
                 {{ENEMY, 0, 0, 0, 0, 90, 0}, 3, 60, 0.3f},
                 {{RABBIT, 1, 0, 2, 30, 0, 0}, 1.2f, 60, 0.3f},
                 {{RABBIT, 1, 1, 1.1f, 200, 0, 0}, 1.2f, 60, 0.3f},
                 {{RABBIT, 1, 1, 4.4f, 0, 0, 0}, 2.5f, 10, 0.4f},
                 {{RABBIT, 0, 1, 1.1f, 120, 90, 2}, 1.2f, 60, 0.2f},
                 {{DEER, 1, 0, 1, 60, 0, 0}, 2.5f, 60, 0.6f},
                 {{DEER, 1, 1, 1.2f, 250, 0, 0}, 2.5f, 60, 0.6f},
                 {{DEER, 1, 1, 4, 0, 0, 0}, 4, 10, 1},
                 {{DEER, 0, 1, 1.2f, 100, 50, 3}, 2.5f, 60, 0.5f},
                 {{DEER, 0, 0, 0, 330, 90, 1}, 2.5f, 60, 0.3f}};
    for (const Case& c : cases) {
        const Pose& p = c.pose;
        AnimalRecord a{p.kind, x, z, p.facing, 0, 0, p.gait, p.moving, p.alive, p.fall, p.timer};
        EnemyRecord e{makeVec3(x, 50, z),        0, 0, p.alive, p.fall, p.timer,
                      makeVec3(0.8f, 0.2f, 0.2f)};
        auto game = [&] {
            p.kind == ENEMY ? drawEnemy(&e) : p.kind == RABBIT ? drawRabbit(&a) : drawDeer(&a);
        };
        PlayerState eye = eyeOn(makeVec3(x + 0.4f * c.distance, g + 1, z + c.distance),
                                makeVec3(x, g + c.lookUp, z));
        EXPECT_TRUE(alike(
            eye, c.fov, {0.3f, 0.45f, 0.6f}, game, [&] { ownCreature(p, x, z); },
            p.alive || p.timer > 0 ? 200 : 0))
            << &c - cases;
    }
}

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
