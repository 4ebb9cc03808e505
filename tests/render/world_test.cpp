#include "render_fixture.h"

// The park as its records and rules say it looks, drawn afresh here (GLU quadrics placed by GL's
// matrices), against the game's: the ground, water and fish, trees, rocks, flowers, the sign,
// bushes.

namespace {

void disc(float y, float r) {
    glBegin(GL_TRIANGLE_FAN), glVertex3f(0, y, 0);
    for (int k = 0; k <= 8; ++k)
        glVertex3f(r * std::cos(2 * 3.14159f * k / 8), y, r * std::sin(2 * 3.14159f * k / 8));
    glEnd();
}

void ownGround(float cover) {
    const float cell = 253.0f / 128, span = 253.0f / 4, h = 126.5f;
    glDisable(GL_CULL_FACE), glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE),
        glBindTexture(GL_TEXTURE_2D, grassTexture);
    cover < 0.01f ? glEnable(GL_TEXTURE_2D) : glEnable(GL_LIGHTING);
    for (int r = 0; r < 128; ++r, glEnd())
        for (int k = (glBegin(GL_TRIANGLE_STRIP), 0); k <= 2 * 128 + 1; ++k) {
            float x = (k / 2) * cell - h, z = r * cell - h + (k % 2) * cell,
                  f = snowPatchAt(x, z) * cover;
            glColor3f(0.35f + 0.58f * f, 0.55f + 0.4f * f, 0.15f + 0.83f * f),
                glTexCoord2f((x + h) / span, (z + h) / span), glNormal3f(0, 1, 0);
            glVertex3f(x, terrainHeights[r + k % 2][k / 2], z);
        }
    glDisable(GL_TEXTURE_2D), glDisable(GL_LIGHTING);
}

void ownScenery() {
    glDisable(GL_LIGHTING), glPointSize(4), glBegin(GL_POINTS);
    for (const FlowerRecord& f : flowers)
        glColor3f(f.red, f.green, f.blue), glVertex3f(f.x, terrainHeightAt(f.x, f.z) + 0.02f, f.z);
    glEnd(), glEnable(GL_LIGHTING);
    for (const TreeRecord& t : trees) {
        float h = t.height, r = t.crownRadius;
        glPushMatrix(), glTranslatef(t.x, terrainHeightAt(t.x, t.z), t.z),
            glColor3f(0.35f, 0.22f, 0.1f);
        glPushMatrix(), glRotatef(-90, 1, 0, 0), glScalef(0.3f, 0.3f, 0.4f * h),
            gluCylinder(quadric(), 1, 1, 1, 8, 1), glPopMatrix(),
            disc(0, 0.3f);  // discs keep the normal before them
        cylinder({0.05f, 0.35f, 0.08f}, 0, 0.4f * h, 0, r, 0.1f, 0.6f * h, 8), disc(0.4f * h, r);
        cylinder({0.08f, 0.42f, 0.12f}, 0, 0.4f * h + 0.5f * 0.6f * h, 0, 0.7f * r, 0.05f,
                 0.7f * 0.6f * h, 8),
            glPopMatrix();
    }
    for (const RockRecord& k : rocks)
        glPushMatrix(), glTranslatef(k.x, terrainHeightAt(k.x, k.z) + 0.5f * k.sizeY, k.z),
            glRotatef(k.yaw, 0, 1, 0),
            sphere({k.red, k.green, k.blue}, 0, 0, 0, 1, 8, 6, k.sizeX, k.sizeY, k.sizeZ),
            glPopMatrix();
    glPushMatrix(), glTranslatef(signX, terrainHeightAt(signX, signZ), signZ),
        glRotatef(signYaw, 0, 1, 0);
    cylinder({0.35f, 0.22f, 0.1f}, 0, 0, 0, 0.08f, 0.08f, 2, 6), glTranslatef(0, 2, 0.01f);
    glDisable(GL_LIGHTING), glDisable(GL_CULL_FACE), glEnable(GL_TEXTURE_2D),
        glBindTexture(GL_TEXTURE_2D, signTexture);
    glColor3f(1, 1, 1), glBegin(GL_QUADS), glTexCoord2f(0, 1), glVertex3f(-1, 0, 0),
        glTexCoord2f(1, 1), glVertex3f(1, 0, 0);
    glTexCoord2f(1, 0), glVertex3f(1, 1.5f, 0), glTexCoord2f(0, 0), glVertex3f(-1, 1.5f, 0),
        glEnd();
    glEnable(GL_LIGHTING), glEnable(GL_CULL_FACE), glDisable(GL_TEXTURE_2D), glPopMatrix();
    for (const StreamBush& b : streamBushes) {
        glPushMatrix(), glTranslatef(b.x, terrainHeightAt(b.x, b.z), b.z);
        for (int p = 0; p < BUSH_PUFFS; ++p)
            glPushMatrix(), glTranslatef(b.puffX[p], 0.3f * b.puffHeight[p], b.puffZ[p]),
                glRotatef(-90, 1, 0, 0),
                sphere({b.puffRed[p], b.puffGreen[p], b.puffBlue[p]}, 0, 0, 0, b.puffRadius[p], 6,
                       4),
                glPopMatrix();
        for (int e = 0; e < BUSH_BERRIES && b.hasBerries; ++e)
            sphere({0.85f, 0.1f, 0.05f}, b.berryX[e], b.berryHeight[e], b.berryZ[e], 0.07f * b.size,
                   4, 3);
        glPopMatrix();
    }
}

void ownStream(float t) {
    glDisable(GL_LIGHTING), glDisable(GL_CULL_FACE), glEnable(GL_BLEND), glDepthMask(GL_FALSE),
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    auto point = [](int k, float o, float y) {  // o across the current at sample k
        int a = std::min(k, 199);
        float dx = streamSampleX[a + 1] - streamSampleX[a],
              dz = streamSampleZ[a + 1] - streamSampleZ[a], l = std::hypot(dx, dz);
        l = l > 0.001f ? l : 1,
        glVertex3f(streamSampleX[k] - o * dz / l, y, streamSampleZ[k] + o * dx / l);
    };
    const float strips[2][6] = {{0.18f, 0.5f, 0.8f, 0.22f, 1.5f, -0.25f},
                                {0.3f, 0.6f, 0.9f, 0.15f, 1.05f, -0.23f}};
    for (const float* s : strips) {
        glColor4f(s[0], s[1], s[2], s[3]), glBegin(GL_TRIANGLE_STRIP);
        for (int k = 0; k <= 200; ++k) point(k, s[4], s[5]), point(k, -s[4], s[5]);
        glEnd();
    }
    for (float f = 0; f < 1; f += 0.125f, glEnd()) {
        glColor4f(0.6f, 0.8f, 1.0f, 0.15f + 0.1f * std::sin(2 * t + 12 * f)),
            glBegin(GL_LINE_STRIP);
        for (int k = 0; k <= 200; ++k)
            point(k, (f - 0.5f) * 3 * 0.8f, -0.22f + 0.03f * std::sin(3 * t + 0.1f * k + 5 * f));
    }
    const FishSchool& s = fishSchool;
    for (int i = 0, k = 0; i < FISH_COUNT; ++i) {
        float x, z, S = 0.35f;
        k = std::min((int)(s.along[i] * 200), 199), streamPointAt(s.along[i], &x, &z),
        glPushMatrix(), glTranslatef(x, -0.35f, z);  // nose (local +x) down the current
        glRotatef(-std::atan2(streamSampleZ[k + 1] - streamSampleZ[k],
                              streamSampleX[k + 1] - streamSampleX[k]) *
                      180 / 3.14159f,
                  0, 1, 0);
        sphere({s.red[i], s.green[i], s.blue[i]}, 0, 0, 0, S, 6, 4, 1, 0.5f, 0.4f, 0.85f);
        for (float side : {-1, 1})
            sphere({0.1f, 0.1f, 0.1f}, 0.6f * S, 0.1f * S, 0.12f * S * side, 0.08f * S, 4, 4, 1, 1,
                   1, 0.85f);
        glPushMatrix(), glTranslatef(-1.2f * S, 0, 0),
            glRotatef(15 * std::sin(s.phase[i]), 0, 1, 0);
        glColor4f(0.8f * s.red[i], 0.8f * s.green[i], 0.8f * s.blue[i], 0.85f),
            glBegin(GL_TRIANGLES), glVertex3f(0, 0, 0);
        glVertex3f(-0.6f * S, 0.4f * S, 0), glVertex3f(-0.6f * S, -0.4f * S, 0), glEnd(),
            glPopMatrix(), glPopMatrix();
    }
    glDepthMask(GL_TRUE), glDisable(GL_BLEND), glEnable(GL_CULL_FACE), glEnable(GL_LIGHTING);
}

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

TEST_F(World, GroundWaterTreesRocksFlowersSignAndBushesFromNearAndFar) {
    std::vector<unsigned char> mark(
        64 * 64 * 4, 200);  // a mark in the board's upper left shows which way up and round it is
    glBindTexture(GL_TEXTURE_2D, signTexture),
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, mark.data());
    float fx, fz, ga = signYaw * PI_F / 180;
    const Vec3 sign = makeVec3(signX, terrainHeightAt(signX, signZ) + 2.75f, signZ),
               front = makeVec3(std::sin(ga), 0, std::cos(ga));
    bare(thePlayer, 60, {0, 0, 0}), drawStreamBushes();  // the bushes grow on the first frame
    StreamBush* berries =
        &streamBushes[0];  // shrunk leaves let every berry show; changed after its lists were made
    for (float& r : berries->puffRadius)
        r *= 0.4f, berries->hasBerries = 1, parkBuilt.bushLists = 0;
    for (int i = 0; i < 3; ++i)  // fish idling and swimming where the stream is seen
        fishSchool.along[i] = 0.5f + 0.004f * i, fishSchool.phase[i] = 1.0f + i,
        fishSchool.moving[i] = i == 1, fishSchool.targetAlong[i] = 0.7f,
        fishSchool.idleTimer[i] = 9;
    streamPointAt(0.5f, &fx, &fz);
    auto above = [](float x, float z, float dy) {
        return makeVec3(x, terrainHeightAt(x, z) + dy, z);
    };
    struct View {
        Vec3 eye, target;
        float fov, cover;
    } views[] = {
        {above(0, 25, 1.7f), above(0, 0, 1), 60, 0},
        {vecAdd(sign, vecScale(front, 4)), sign, 40, 0.3f},
        {vecAdd(sign, vecScale(front, -4)), sign, 40, 0.9f},
        {above(trees[0].x + 7, trees[0].z + 4, 2), above(trees[0].x, trees[0].z, 2), 50, 0.3f},
        {above(rocks[0].x + 2, rocks[0].z - 2, 1.5f), above(rocks[0].x, rocks[0].z, 0), 40, 0},
        {above(berries->x + 0.5f, berries->z - 0.5f, 3), above(berries->x, berries->z, 0), 30, 0},
        {makeVec3(fx + 2, 3, fz + 2), makeVec3(fx, -0.3f, fz), 50, 0.02f},
        {makeVec3(streamSampleX[1] + 3, 3, streamSampleZ[1] + 2),
         makeVec3(streamSampleX[0], -0.3f, streamSampleZ[0]), 50, 0},
        {makeVec3(-30, 60, 10), makeVec3(-30, 0, 9.9f), 60, 1},
        {above(40, -60, 1.7f), above(-80, 60, 3), 8, 0}};
    for (const View& v : views) {
        auto game = [&] {
            drawTerrain(v.cover), drawStream(1.3f), drawFlowers(), drawForest(), drawSign(),
                drawStreamBushes();
        };
        EXPECT_TRUE(alike(
            eyeOn(v.eye, v.target), v.fov, {0.55f, 0.75f, 0.9f}, game,
            [&] { ownGround(v.cover), ownStream(1.3f), ownScenery(); }, 2000))
            << &v - views;
    }
    for (float side : {1, -1})  // the board is unlit, in the wood's own colour from either side
        EXPECT_TRUE(shows((bare(eyeOn(vecAdd(sign, vecScale(front, 4 * side)),
                                      vecAdd(sign, makeVec3(0, -0.3f, 0))),
                                40, {0, 0, 0}),
                           glBindTexture(GL_TEXTURE_2D, grassTexture), drawSign(), grab()),
                          400, 300, {120 / 255.0f, 75 / 255.0f, 30 / 255.0f}, 2));
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
