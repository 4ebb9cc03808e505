#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/shooting.h"
#include "player/input.h"
#include "support/world_fixture.h"

namespace {

// What stands on the line x = 0 ahead of the eye: an enemy in a red or blue shirt (or a dead one),
// a rabbit, a deer (or a dead one), a tree (height, crown), a rock (its three sizes), or the
// stream's whole centre line moved to z.
enum ThingKind { RED, BLUE, DEAD_RED, RABBIT, DEER, DEAD_DEER, TREE, ROCK, STREAM };
struct Thing {
    ThingKind kind;
    float z, a = 0, b = 0, c = 0;
};

// Level ground, nothing in the park, a straight stream along z = -40, then the things.
void range(const std::vector<Thing>& things, float ground = 0) {
    startGame(1780351200u);
    testworld::flattenGround(ground);
    testworld::clearPark();
    testworld::emptyArena(&theArena);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = -126.5f + 1.265f * k;
        streamSampleZ[k] = -40;
    }
    for (const Thing& t : things) {
        if (t.kind <= DEAD_RED) {
            Vec3 shirt = t.kind == BLUE ? testworld::BLUE_SHIRT : testworld::RED_SHIRT;
            testworld::addEnemy(&theArena, 0, t.z, shirt)->alive = t.kind != DEAD_RED;
        } else if (t.kind <= DEAD_DEER) {
            int i = t.kind == RABBIT ? 4 : 30;
            animals[i] = AnimalRecord{i < 25 ? 0 : 1, 0, t.z, 0, 1000, 0, 0, 0, 1, 0, 0};
            if (t.kind == DEAD_DEER) killAnimal(i);
        } else if (t.kind == TREE) {
            trees[7] = TreeRecord{0, t.z, t.a, t.b};
        } else if (t.kind == ROCK) {
            rocks[3] = RockRecord{0, t.z, t.a, t.b, t.c, 0.5f, 0.5f, 0.5f, 0};
        } else {
            std::fill(streamSampleZ, streamSampleZ + STREAM_SAMPLES, t.z);
        }
    }
}

// What dies (a HitKind and an index), where along the ray the tracer ends, the impact effects, the
// kill's cue.
struct Shot {
    const char* name;
    std::vector<Thing> things;
    Vec3 eye, aim;
    int kills, victim;
    float reach;
    int spark, splash, cue;
};

const int NONE = HIT_NOTHING, MAN = HIT_ENEMY;
const int CRY = SOUND_ENEMY_KILL, RED_CRY = SOUND_RED_ENEMY_KILL;
const Vec3 EYE = {0, 1.3f, 0}, LOW = {0, 0.7f, 0}, AHEAD = {0, 1.3f, -20}, WATER = {0, -0.25f, -40};
const Shot SHOTS[] = {
    {"a blue shirt", {{BLUE, -20}}, EYE, AHEAD, MAN, 0, 19.2f, 0, 0, CRY},
    {"a red shirt", {{RED, -20}}, EYE, AHEAD, MAN, 0, 19.2f, 0, 0, RED_CRY},
    {"the nearer of two", {{RED, -30}, {BLUE, -20}}, EYE, AHEAD, MAN, 1, 19.2f, 0, 0, CRY},
    {"the first of two on one spot",
     {{BLUE, -20}, {RED, -20}},
     EYE,
     AHEAD,
     MAN,
     0,
     19.2f,
     0,
     0,
     CRY},
    {"past the dead", {{DEAD_RED, -10}, {BLUE, -20}}, EYE, AHEAD, MAN, 1, 19.2f, 0, 0, CRY},
    // Trunk centre 1.0, radius 0.6: the level ray at 1.3 meets it 10 - sqrt(0.27) away, and goes
    // on 80.
    {"behind a tree", {{TREE, -10, 5, 2}, {BLUE, -20}}, EYE, AHEAD, NONE, 0, 80, 0, 0, 0},
    // Rock centre 0.4, radius 1.3: met 10 - sqrt(1.69 - 0.81) away.
    {"behind a rock",
     {{ROCK, -10, 1.5f, 0.8f, 1.6f}, {BLUE, -20}},
     EYE,
     AHEAD,
     NONE,
     0,
     10 - 0.938083f,
     1,
     0,
     0},
    // Rock and trunk centred on the ray, their near side 0.29 or 0.31 off.
    {"a rock 0.29 off",
     {{ROCK, -1.29f, 0.2f, 2.6f, 0.2f}, {BLUE, -20}},
     EYE,
     AHEAD,
     MAN,
     0,
     19.2f,
     0,
     0,
     CRY},
    {"a rock 0.31 off",
     {{ROCK, -1.31f, 0.2f, 2.6f, 0.2f}, {BLUE, -20}},
     EYE,
     AHEAD,
     NONE,
     0,
     0.31f,
     1,
     0,
     0},
    {"a trunk 0.29 off",
     {{TREE, -1.07f, 6.5f, 1.5f}, {BLUE, -20}},
     EYE,
     AHEAD,
     MAN,
     0,
     19.2f,
     0,
     0,
     CRY},
    {"a trunk 0.31 off",
     {{TREE, -1.09f, 6.5f, 1.5f}, {BLUE, -20}},
     EYE,
     AHEAD,
     NONE,
     0,
     80,
     0,
     0,
     0},
    {"a rabbit",
     {{RABBIT, -15}},
     EYE,
     {0, 0.4f, -15},
     HIT_RABBIT,
     4,
     15.026976f - 0.3f,
     0,
     0,
     SOUND_RABBIT_KILL},
    {"a deer",
     {{DEER, -15}},
     EYE,
     {0, 0.7f, -15},
     HIT_DEER,
     30,
     15.011995f - 0.6f,
     0,
     0,
     SOUND_DEER_KILL},
    // From 0.7 up the level ray passes 0.6 under an enemy's centre: met 0.529 before it.
    {"a deer first",
     {{DEER, -10}, {RED, -20}},
     LOW,
     {0, 0.7f, -20},
     HIT_DEER,
     30,
     9.4f,
     0,
     0,
     SOUND_DEER_KILL},
    {"an enemy first",
     {{DEER, -20}, {RED, -10}},
     LOW,
     {0, 0.7f, -20},
     MAN,
     0,
     10 - 0.52915f,
     0,
     0,
     RED_CRY},
    {"past a dead deer",
     {{DEAD_DEER, -10}, {RED, -20}},
     LOW,
     {0, 0.7f, -20},
     MAN,
     0,
     20 - 0.52915f,
     0,
     0,
     RED_CRY},
    {"the stream", {}, EYE, WATER, NONE, 0, 80, 0, 1, 0},
    {"the bank", {}, EYE, {0, -0.25f, -37.9f}, NONE, 0, 80, 0, 0, 0},
    {"the sky", {}, EYE, {0, 10, -40}, NONE, 0, 80, 0, 0, 0},
    {"the stream behind a tree", {{TREE, -10, 5, 2}}, EYE, WATER, NONE, 0, 80, 0, 1, 0},
    // A rock centred where the ray passes z = -10 (0.9125 up), radius 1.
    {"the stream behind a rock",
     {{ROCK, -10, 1, 1.825f, 0.175f}},
     EYE,
     WATER,
     NONE,
     0,
     10.007507f - 1,
     1,
     0,
     0},
    {"the stream 79 off", {{STREAM, -79}}, EYE, {0, -0.25f, -78.98f}, NONE, 0, 80, 0, 1, 0},
    {"the stream 81 off", {{STREAM, -81}}, EYE, {0, -0.25f, -81}, NONE, 0, 80, 0, 0, 0},
    {"the stream 0.63 below", {}, {0, 0.3f, -40}, {0, -0.25f, -40.3f}, NONE, 0, 80, 0, 1, 0},
    {"the stream 0.36 below", {}, {0, 0.1f, -40}, {0, -0.25f, -40.1f}, NONE, 0, 80, 0, 0, 0},
};

enum Kind { ENEMIES, ANIMALS };
int living(Kind kind) {
    int n = 0;
    for (const EnemyRecord& e : theArena.enemies) n += kind == ENEMIES && e.alive;
    for (const AnimalRecord& a : animals) n += kind == ANIMALS && a.alive;
    return n;
}

// Two frames of 0.1 s: the cooldown has run out.
void tickAfterCooldown() {
    for (int i = 0; i < 2; ++i) {
        fakePlatform.counter += 100000;
        frameTick();
    }
}

}  // namespace

// A shot scores its victim (100, 30, 50) and kills it, its fall starting from upright; the tracer
// runs from the muzzle (2 ahead, 0.3 right, 0.3 down) to what was hit or 80 out; sparks where a
// rock was met, a ripple and drops where the water was, blood on a kill.
TEST(Shooting, EachShotKillsScoresAndLeavesItsTraces) {
    for (const Shot& s : SHOTS) {
        SCOPED_TRACE(s.name);
        range(s.things);
        const ArenaState& a = theArena;
        const int left = a.enemiesLeft, kill = s.kills != NONE;
        AnimalRecord& prey = animals[s.victim];
        prey.moving = 1;
        prey.fallAngle = 5;
        theArena.enemies[s.victim].fallAngle = 5;
        const int enemiesBefore = living(ENEMIES), animalsBefore = living(ANIMALS);
        thePlayer.position = s.eye;
        lookFromAt(&thePlayer, s.aim);
        fireWeapon();
        const int score = s.kills == MAN ? 100 : s.kills == HIT_RABBIT ? 30 : s.kills ? 50 : 0;
        const std::vector<int> sounds =
            s.cue ? std::vector<int>{SOUND_GUNSHOT, s.cue} : std::vector<int>{SOUND_GUNSHOT};
        EXPECT_EQ(playedSounds(), sounds);
        EXPECT_EQ(a.shotsFired, 1);
        EXPECT_EQ(a.hits, kill);
        EXPECT_EQ(a.score, score);
        EXPECT_EQ(a.lastHitKind, s.kills);
        EXPECT_EQ(a.lastKillRed, s.cue == RED_CRY);
        EXPECT_EQ(a.enemiesLeft, left - (s.kills == MAN));
        EXPECT_EQ(a.gameOver, a.enemiesLeft == 0 && s.kills == MAN);
        EXPECT_EQ(living(ENEMIES), enemiesBefore - (s.kills == MAN));
        EXPECT_EQ(living(ANIMALS), animalsBefore - (kill && s.kills != MAN));
        if (s.kills == MAN) {
            EXPECT_EQ(a.enemies[s.victim].alive, 0);
            EXPECT_EQ(a.enemies[s.victim].fallAngle, 0);
            EXPECT_EQ(a.enemies[s.victim].corpseTimer, 8);
        } else if (kill) {
            EXPECT_EQ(prey.alive, 0);
            EXPECT_EQ(prey.moving, 0);
            EXPECT_EQ(prey.fallAngle, 0);
            EXPECT_EQ(prey.corpseTimer, 8);
        }
        const Vec3 d = viewDirection(&thePlayer), right = vecNormalize(Vec3{-d.z, 0, d.x});
        const Vec3 end = vecAdd(s.eye, vecScale(d, s.reach));
        const Vec3 muzzle = vecAdd(vecAdd(s.eye, vecScale(d, 2)), vecScale(right, 0.3f));
        EXPECT_NEAR(vecDistance(a.tracer.start, vecAdd(muzzle, Vec3{0, -0.3f, 0})), 0, 1e-3);
        EXPECT_NEAR(vecDistance(a.tracer.end, end), 0, 1e-3);
        EXPECT_EQ(a.tracer.active, 1);
        EXPECT_EQ(a.tracer.timeLeft, 0.2f);
        EXPECT_EQ(a.muzzleFlash, 1);
        EXPECT_EQ(a.fireCooldown, 0.15f);
        EXPECT_EQ(a.sparkCount > 0, s.spark);
        EXPECT_EQ(a.rippleCount, s.splash);
        EXPECT_EQ(a.splashDropCount > 0, s.splash);
        EXPECT_EQ(a.bloodPoolCount, kill);
        EXPECT_EQ(a.bloodDropCount >= 30, kill);
        EXPECT_NEAR(s.spark ? vecDistance(a.sparks[0].position, end) : 0, 0, 1e-3);
        EXPECT_NEAR(s.splash ? vecDistance(a.ripples[0].position, s.aim) : 0, 0, 1e-3);
        const Vec3 chest = vecAdd(a.enemies[s.victim].position, Vec3{0, 1.3f, 0});
        const Vec3 burst = s.kills == MAN ? chest : end;
        EXPECT_NEAR(kill ? vecDistance(a.bloodDrops[0].position, burst) : 0, 0, 1e-3);
    }
}

// Every hit volume on ground 2 up, grazed from the side and from above, 0.02 inside and outside:
// the trunk and crown spheres (0.12 and 0.7 of height and crown, at 0.2 and 0.7 of the height), a
// rock's (its mean size, half its height up), an animal's (0.3 or 0.6, lifted 0.1 above its own
// radius), an enemy's (0.8 at 1.3).
TEST(Shooting, HitVolumesHaveTheirCentresAndRadii) {
    const struct {
        const char* name;
        Thing thing;
        Vec3 centre;
        float radius;
    } VOLUMES[] = {{"trunk", {TREE, -10, 5, 2}, {0, 3, -10}, 0.6f},
                   {"crown", {TREE, -10, 5, 2}, {0, 5.5f, -10}, 1.4f},
                   {"rock", {ROCK, -10, 1, 0.6f, 0.8f}, {0, 2.3f, -10}, 0.8f},
                   {"rabbit", {RABBIT, -10}, {0, 2.4f, -10}, 0.3f},
                   {"deer", {DEER, -10}, {0, 2.7f, -10}, 0.6f},
                   {"enemy", {BLUE, -10}, {0, 3.3f, -10}, 0.8f}};
    const Vec3 along = {0, 0, -1};
    for (const auto& v : VOLUMES) {
        for (int k = 0; k < 4; ++k) {
            range({v.thing}, 2);
            const float off = v.radius + (k < 2 ? -0.02f : 0.02f);
            const Vec3 from = vecAdd(v.centre, k % 2 ? Vec3{0, off, 10} : Vec3{off, 0, 10});
            float t = -1;  // where the ray meets it, -1 for a miss
            if (v.thing.kind == TREE) {
                SceneryHit hit = testTreeHit(from, along);
                t = hit.hit ? hit.distance : -1;
            } else if (v.thing.kind == ROCK) {
                SceneryHit hit = testRockHit(from, along);
                t = hit.hit ? hit.distance : -1;
            } else if (v.thing.kind != BLUE) {
                AnimalHit hit = {0, 0, 0, 0};
                testAnimalHit(from, along, &hit);
                t = hit.hit ? hit.distance : -1;
            } else {
                resolveShot(&theArena, from, along, from, 0, 0, 0, 0);
                t = theArena.enemies[0].alive ? -1 : vecDistance(from, theArena.tracer.end);
            }
            const float want = k < 2 ? 10 - std::sqrt(v.radius * v.radius - off * off) : -1;
            EXPECT_NEAR(t, want, 1e-3) << v.name << (k % 2 ? " from above" : " from the side")
                                       << (k < 2 ? ", inside" : ", outside");
        }
    }
}

// A click in the cooldown only sounds; the last kill wins, and then nothing fires.
TEST(Shooting, CooldownAndTheLastKill) {
    range({{RED, -20}, {BLUE, -30}});
    thePlayer.position = EYE;
    lookFromAt(&thePlayer, AHEAD);
    static ArenaState before;
    for (float cooldown : {1e-6f, 0.0f, 0.0f, 0.0f}) {
        theArena.fireCooldown = cooldown;
        before = theArena;
        fireWeapon();
        const bool unchanged = std::memcmp(&before, &theArena, sizeof before) == 0;
        EXPECT_EQ(unchanged, cooldown > 0 || before.score == 200) << before.score;
    }
    EXPECT_EQ(playedSounds(),
              (std::vector<int>{SOUND_GUNSHOT, SOUND_GUNSHOT, RED_CRY, SOUND_GUNSHOT, CRY}));
    EXPECT_EQ(theArena.gameOver, 1);
    EXPECT_EQ(theArena.victory, 1);
    EXPECT_EQ(theArena.enemiesLeft, 0);
    EXPECT_EQ(theArena.bloodPoolCount, 2);
}

// A whole game through the shell: near each enemy in turn, with a clear line of fire, aim and
// click, until victory.
TEST(Shooting, AWholeGameCanBeWon) {
    startGame(1780351200u);
    frameTick();
    shellLeftButtonDown();  // the first click captures the mouse
    const int enemies = theArena.enemyCount;
    for (int target = 0; target < enemies; ++target) {
        const EnemyRecord& e = theArena.enemies[target];
        // Around it, nearer in dense wood, at the chest or the head.
        for (int spot = 0, clear = 0; spot < 96 && !clear; ++spot) {
            const Vec3 aim = {e.position.x, e.position.y + (spot < 48 ? 1.3f : 1.9f), e.position.z};
            const float angle = spot * 22.5f * PI_F / 180, reach = 7.0f - 1.5f * (spot % 48 / 16);
            const float x = aim.x + reach * std::cos(angle), z = aim.z + reach * std::sin(angle);
            harnessStandAt(std::fmax(-126, std::fmin(126, x)), std::fmax(-126, std::fmin(126, z)));
            harnessLookAt(aim);
            const Vec3 eye = thePlayer.position, d = viewDirection(&thePlayer);
            const float t = vecDistance(aim, eye);
            SceneryHit tree = testTreeHit(eye, d), rock = testRockHit(eye, d);
            AnimalHit animal = {0, 0, 0, 0};
            testAnimalHit(eye, d, &animal);
            clear = (!tree.hit || tree.distance > t) && (!rock.hit || rock.distance > t) &&
                    (!animal.hit || animal.distance > t);
        }
        shellLeftButtonDown();
        ASSERT_EQ(e.alive, 0) << "no clear shot at enemy " << target;
        tickAfterCooldown();
    }
    EXPECT_EQ(theInput.mouseCaptured, 1);
    EXPECT_EQ(theArena.victory, 1);
    EXPECT_EQ(theFrame.victoryShown, 1);
    EXPECT_EQ(theArena.score, 100 * enemies);
    EXPECT_EQ(theArena.shotsFired, enemies);
    EXPECT_EQ(theArena.hits, enemies);
}
