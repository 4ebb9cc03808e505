#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/shooting.h"
#include "player/input.h"
#include "support/world_fixture.h"

namespace {

// Level ground at 0, nothing in the park, a straight stream along z = -40.
void range() {
    startGame(1780351200u);
    testworld::flattenGround(0), testworld::clearPark(), testworld::emptyArena(&theArena);
    for (int k = 0; k <= 200; ++k) streamSampleX[k] = -126.5f + 1.265f * k, streamSampleZ[k] = -40;
}
// Things on the line x = 0 ahead of the eye.
void blue(float z) { testworld::addEnemy(&theArena, 0, z, testworld::BLUE_SHIRT); }
void red(float z) { testworld::addEnemy(&theArena, 0, z, testworld::RED_SHIRT); }
void animal(int i, float z) {
    animals[i] = AnimalRecord{i < 25 ? 0 : 1, 0, z, 0, 1000, 0, 0, 0, 1, 0, 0};
}
void tree(int i, float z, float h, float crown) { trees[i] = TreeRecord{0, z, h, crown}; }
void rock(float z, float x, float y, float w) {
    rocks[3] = RockRecord{0, z, x, y, w, 0.5f, 0.5f, 0.5f, 0};
}
void stream(float z) { std::fill(streamSampleZ, streamSampleZ + STREAM_SAMPLES, z); }

// What dies (a HitKind and an index), where along the ray the tracer ends, the impact effects, the
// kill's cue.
struct Shot {
    const char* name;
    void (*put)();
    Vec3 eye, aim;
    int kills, victim;
    float reach;
    int spark, splash, cue;
};

const int NONE = HIT_NOTHING, MAN = HIT_ENEMY, RABBIT = HIT_RABBIT, DEER = HIT_DEER;
const int CRY = SOUND_ENEMY_KILL, RED_CRY = SOUND_RED_ENEMY_KILL;
const Vec3 EYE = {0, 1.3f, 0}, LOW = {0, 0.7f, 0}, AHEAD = {0, 1.3f, -20}, WATER = {0, -0.25f, -40};
const Shot SHOTS[] = {
    {"a blue shirt", [] { blue(-20); }, EYE, AHEAD, MAN, 0, 19.2f, 0, 0, CRY},
    {"a red shirt", [] { red(-20); }, EYE, AHEAD, MAN, 0, 19.2f, 0, 0, RED_CRY},
    {"the nearer of two", [] { red(-30), blue(-20); }, EYE, AHEAD, MAN, 1, 19.2f, 0, 0, CRY},
    {"the first of two on one spot", [] { blue(-20), red(-20); }, EYE, AHEAD, MAN, 0, 19.2f, 0, 0,
     CRY},
    {"past the dead", [] { red(-10), theArena.enemies[0].alive = 0, blue(-20); }, EYE, AHEAD, MAN,
     1, 19.2f, 0, 0, CRY},
    // Trunk centre 1.0, radius 0.6: the level ray at 1.3 meets it 10 - sqrt(0.27) away, and goes
    // on 80.
    {"behind a tree", [] { tree(7, -10, 5, 2), blue(-20); }, EYE, AHEAD, NONE, 0, 80, 0, 0, 0},
    // Rock centre 0.4, radius 1.3: met 10 - sqrt(1.69 - 0.81) away.
    {"behind a rock", [] { rock(-10, 1.5f, 0.8f, 1.6f), blue(-20); }, EYE, AHEAD, NONE, 0,
     10 - 0.938083f, 1, 0, 0},
    // Rock and trunk centred on the ray, their near side 0.29 or 0.31 off.
    {"a rock 0.29 off", [] { rock(-1.29f, 0.2f, 2.6f, 0.2f), blue(-20); }, EYE, AHEAD, MAN, 0,
     19.2f, 0, 0, CRY},
    {"a rock 0.31 off", [] { rock(-1.31f, 0.2f, 2.6f, 0.2f), blue(-20); }, EYE, AHEAD, NONE, 0,
     0.31f, 1, 0, 0},
    {"a trunk 0.29 off", [] { tree(9, -1.07f, 6.5f, 1.5f), blue(-20); }, EYE, AHEAD, MAN, 0, 19.2f,
     0, 0, CRY},
    {"a trunk 0.31 off", [] { tree(9, -1.09f, 6.5f, 1.5f), blue(-20); }, EYE, AHEAD, NONE, 0, 80, 0,
     0, 0},
    {"a rabbit",
     [] { animal(4, -15); },
     EYE,
     {0, 0.4f, -15},
     RABBIT,
     4,
     15.026976f - 0.3f,
     0,
     0,
     SOUND_RABBIT_KILL},
    {"a deer",
     [] { animal(30, -15); },
     EYE,
     {0, 0.7f, -15},
     DEER,
     30,
     15.011995f - 0.6f,
     0,
     0,
     SOUND_DEER_KILL},
    // From 0.7 up the level ray passes 0.6 under an enemy's centre: met 0.529 before it.
    {"a deer first",
     [] { animal(30, -10), red(-20); },
     LOW,
     {0, 0.7f, -20},
     DEER,
     30,
     9.4f,
     0,
     0,
     SOUND_DEER_KILL},
    {"an enemy first",
     [] { animal(30, -20), red(-10); },
     LOW,
     {0, 0.7f, -20},
     MAN,
     0,
     10 - 0.52915f,
     0,
     0,
     RED_CRY},
    {"past a dead deer",
     [] { animal(30, -10), killAnimal(30), red(-20); },
     LOW,
     {0, 0.7f, -20},
     MAN,
     0,
     20 - 0.52915f,
     0,
     0,
     RED_CRY},
    {"the stream", [] {}, EYE, WATER, NONE, 0, 80, 0, 1, 0},
    {"the bank", [] {}, EYE, {0, -0.25f, -37.9f}, NONE, 0, 80, 0, 0, 0},
    {"the sky", [] {}, EYE, {0, 10, -40}, NONE, 0, 80, 0, 0, 0},
    {"the stream behind a tree", [] { tree(7, -10, 5, 2); }, EYE, WATER, NONE, 0, 80, 0, 1, 0},
    // A rock centred where the ray passes z = -10 (0.9125 up), radius 1.
    {"the stream behind a rock", [] { rock(-10, 1, 1.825f, 0.175f); }, EYE, WATER, NONE, 0,
     10.007507f - 1, 1, 0, 0},
    {"the stream 79 off", [] { stream(-79); }, EYE, {0, -0.25f, -78.98f}, NONE, 0, 80, 0, 1, 0},
    {"the stream 81 off", [] { stream(-81); }, EYE, {0, -0.25f, -81}, NONE, 0, 80, 0, 0, 0},
    {"the stream 0.63 below", [] {}, {0, 0.3f, -40}, {0, -0.25f, -40.3f}, NONE, 0, 80, 0, 1, 0},
    {"the stream 0.36 below", [] {}, {0, 0.1f, -40}, {0, -0.25f, -40.1f}, NONE, 0, 80, 0, 0, 0},
};

// The distance at which a ray along -z meets what was placed (a tree, a rock, an animal or enemy
// 0), or -1.
float probe(int kind, Vec3 o) {
    const Vec3 d = {0, 0, -1};
    SceneryHit scenery = kind == 0 ? testTreeHit(o, d) : testRockHit(o, d);
    AnimalHit animal = {0, 0, 0, 0};
    if (kind < 2)
        return !scenery.hit                ? -1
               : scenery.index == 3 * kind ? scenery.distance
                                           : 1e6f;  // trees[0] or rocks[3]
    if (kind == 2) return testAnimalHit(o, d, &animal), animal.hit ? animal.distance : -1;
    theArena.fireCooldown = 0, theArena.enemies[0].alive = 1;
    resolveShot(&theArena, o, d, o, 0, 0, 0, 0);
    return theArena.enemies[0].alive ? -1 : vecDistance(o, theArena.tracer.end);
}

}  // namespace

TEST(Shooting, EachShotKillsScoresAndLeavesItsTraces) {
    for (const Shot& s : SHOTS) {
        SCOPED_TRACE(s.name);
        range(), s.put();
        int left = theArena.enemiesLeft, kill = s.kills != NONE, enemyAlive[MAX_ENEMIES],
            animalAlive[ANIMAL_COUNT];
        // The victim dies, and one that was walking or tipping starts its fall from upright.
        for (int i = 0; i < MAX_ENEMIES; ++i) enemyAlive[i] = theArena.enemies[i].alive;
        for (int i = 0; i < ANIMAL_COUNT; ++i) animalAlive[i] = animals[i].alive;
        if (s.kills == MAN) enemyAlive[s.victim] = 0, theArena.enemies[s.victim].fallAngle = 5;
        AnimalRecord& prey = animals[s.victim];
        if (kill && s.kills != MAN) animalAlive[s.victim] = 0, prey.moving = 1, prey.fallAngle = 5;
        thePlayer.position = s.eye, lookFromAt(&thePlayer, s.aim), fireWeapon();
        Vec3 d = viewDirection(&thePlayer), right = vecNormalize(Vec3{-d.z, 0, d.x});
        const ArenaState& a = theArena;
        EXPECT_EQ(playedSounds(), (s.cue ? std::vector<int>{SOUND_GUNSHOT, s.cue}
                                         : std::vector<int>{SOUND_GUNSHOT}));
        int score = s.kills == MAN ? 100 : s.kills == RABBIT ? 30 : s.kills == DEER ? 50 : 0;
        EXPECT_EQ(std::vector<int>({a.shotsFired, a.hits, a.score, a.lastHitKind, a.lastKillRed,
                                    a.enemiesLeft, a.sparkCount > 0, a.rippleCount,
                                    a.splashDropCount > 0, a.bloodPoolCount}),
                  std::vector<int>({1, kill, score, s.kills, s.cue == RED_CRY,
                                    left - (s.kills == MAN), s.spark, s.splash, s.splash, kill}));
        for (int i = 0; i < MAX_ENEMIES; ++i) EXPECT_EQ(a.enemies[i].alive, enemyAlive[i]) << i;
        for (int i = 0; i < ANIMAL_COUNT; ++i) EXPECT_EQ(animals[i].alive, animalAlive[i]) << i;
        const float* fall = s.kills == MAN ? &a.enemies[s.victim].fallAngle : &prey.fallAngle;
        EXPECT_TRUE(!kill || (fall[0] == 0 && fall[1] == 8 && (s.kills == MAN || !prey.moving)));
        Vec3 end = vecAdd(s.eye, vecScale(d, s.reach));
        Vec3 muzzle =
            vecAdd(vecAdd(s.eye, vecScale(d, 2)), vecAdd(vecScale(right, 0.3f), Vec3{0, -0.3f, 0}));
        EXPECT_NEAR(vecDistance(a.tracer.start, muzzle) + vecDistance(a.tracer.end, end), 0, 1e-3);
        EXPECT_TRUE(a.tracer.active && a.tracer.timeLeft == 0.2f && a.muzzleFlash == 1 &&
                    a.fireCooldown == 0.15f);
        // Sparks where the rock was met, a ripple where the water was, blood on the kill.
        Vec3 burst = s.kills == MAN ? vecAdd(a.enemies[s.victim].position, Vec3{0, 1.3f, 0}) : end;
        EXPECT_TRUE(!s.spark || vecDistance(a.sparks[0].position, end) < 1e-3);
        EXPECT_TRUE(!s.splash || vecDistance(a.ripples[0].position, s.aim) < 1e-3);
        EXPECT_TRUE(!kill || (a.bloodDropCount >= 30 &&
                              vecDistance(a.bloodDrops[0].position, burst) < 1e-3));
    }
}

// Every hit volume on ground 2 up, grazed from the side and from above, 0.02 inside and outside.
TEST(Shooting, HitVolumesHaveTheirCentresAndRadii) {
    struct Volume {
        void (*place)();
        int kind;
        Vec3 centre;
        float radius;
    } VOLUMES[] = {{[] { tree(0, -10, 5, 2); }, 0, {0, 3, -10}, 0.6f},     // trunk
                   {[] { tree(0, -10, 5, 2); }, 0, {0, 5.5f, -10}, 1.4f},  // crown
                   {[] { rock(-10, 1, 0.6f, 0.8f); }, 1, {0, 2.3f, -10}, 0.8f},
                   {[] { animal(2, -10); }, 2, {0, 2.4f, -10}, 0.3f},
                   {[] { animal(40, -10); }, 2, {0, 2.7f, -10}, 0.6f},
                   {[] { blue(-10); }, 3, {0, 3.3f, -10}, 0.8f}};
    for (const Volume& v : VOLUMES)
        for (int k = (range(), testworld::flattenGround(2), v.place(), 0); k < 4; ++k) {
            float o = v.radius + (k < 2 ? -0.02f : 0.02f),
                  t = 10 - std::sqrt(v.radius * v.radius - o * o);
            Vec3 from = vecAdd(v.centre, k % 2 ? Vec3{0, o, 10} : Vec3{o, 0, 10});
            EXPECT_NEAR(probe(v.kind, from), k < 2 ? t : -1, 1e-3) << (&v - VOLUMES) << ", " << k;
        }
}

// A click in the cooldown only sounds; the last kill wins, and then nothing fires.
TEST(Shooting, CooldownAndTheLastKill) {
    range(), red(-20), blue(-30);
    thePlayer.position = EYE, lookFromAt(&thePlayer, AHEAD);
    static ArenaState before;
    for (float cooldown : {1e-6f, 0.0f, 0.0f, 0.0f}) {
        theArena.fireCooldown = cooldown, before = theArena;
        fireWeapon();
        EXPECT_EQ(std::memcmp(&before, &theArena, sizeof before) == 0,
                  cooldown > 0 || before.score == 200);
    }
    EXPECT_EQ(playedSounds(),
              (std::vector<int>{SOUND_GUNSHOT, SOUND_GUNSHOT, RED_CRY, SOUND_GUNSHOT, CRY}));
    EXPECT_TRUE(theArena.gameOver && theArena.victory && theArena.enemiesLeft == 0 &&
                theArena.bloodPoolCount == 2);
}

// A whole game through the shell: near each enemy in turn, with a clear line of fire, aim and
// click, until victory.
TEST(Shooting, AWholeGameCanBeWon) {
    startGame(1780351200u), frameTick(),
        shellLeftButtonDown();  // the first click captures the mouse
    int enemies = theArena.enemyCount;
    for (int target = 0; target < enemies; ++target) {
        const EnemyRecord& e = theArena.enemies[target];
        for (int spot = 0, clear = 0; spot < 96 && !clear;
             ++spot) {  // around it, nearer in dense wood, chest or head
            Vec3 aim = {e.position.x, e.position.y + (spot < 48 ? 1.3f : 1.9f), e.position.z};
            float angle = spot * 22.5f * PI_F / 180, reach = 7.0f - 1.5f * (spot % 48 / 16);
            float x = aim.x + reach * std::cos(angle), z = aim.z + reach * std::sin(angle);
            harnessStandAt(std::fmax(-126, std::fmin(126, x)), std::fmax(-126, std::fmin(126, z))),
                harnessLookAt(aim);
            Vec3 eye = thePlayer.position, d = viewDirection(&thePlayer);
            float t = vecDistance(aim, eye);
            SceneryHit tree = testTreeHit(eye, d), rock = testRockHit(eye, d);
            AnimalHit animal = {0, 0, 0, 0};
            testAnimalHit(eye, d, &animal);
            clear = (!tree.hit || tree.distance > t) && (!rock.hit || rock.distance > t);
            clear = clear && (!animal.hit || animal.distance > t);
        }
        shellLeftButtonDown();
        ASSERT_EQ(e.alive, 0) << "no clear shot at enemy " << target;
        fakePlatform.counter += 100000, frameTick(), fakePlatform.counter += 100000,
            frameTick();  // out of cooldown
    }
    EXPECT_TRUE(theInput.mouseCaptured && theArena.victory && theArena.gameOver &&
                theFrame.victoryShown);
    EXPECT_TRUE(theArena.score == 100 * enemies && theArena.shotsFired == enemies &&
                theArena.hits == enemies);
}
