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
// a rabbit (animal 4), a deer (animal 30, or dead), a tree (height, crown), a rock (its three
// sizes), or the stream's whole centre line moved to z.
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
            const int i = t.kind == RABBIT ? 4 : 30;
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

int living(bool enemies) {
    int n = 0;
    for (const EnemyRecord& e : theArena.enemies) n += enemies && e.alive;
    for (const AnimalRecord& a : animals) n += !enemies && a.alive;
    return n;
}

// What dies (a HitKind and whose index), how far along the ray the tracer ends, what the impact
// leaves (sparks where a rock was met, drops and a ripple where the water was).
enum Impact { QUIET, SPARK, SPLASH };
struct Shot {
    const char* name;
    std::vector<Thing> things;
    Vec3 eye, aim;
    int kills, victim;
    float reach;
    Impact impact = QUIET;
};

const int NONE = HIT_NOTHING, MAN = HIT_ENEMY, BUCK = HIT_DEER;
const Vec3 EYE = {0, 1.3f, 0}, LOW = {0, 0.7f, 0}, AHEAD = {0, 1.3f, -20}, WATER = {0, -0.25f, -40};
const Vec3 LOW_AHEAD = {0, 0.7f, -20};
const Thing BLUE_20 = {BLUE, -20};  // a blue shirt 20 ahead
const Shot SHOTS[] = {
    {"a blue shirt", {BLUE_20}, EYE, AHEAD, MAN, 0, 19.2f, QUIET},
    {"a red shirt", {{RED, -20}}, EYE, AHEAD, MAN, 0, 19.2f, QUIET},
    {"the nearer of two", {{RED, -30}, BLUE_20}, EYE, AHEAD, MAN, 1, 19.2f, QUIET},
    {"the first of two on one spot", {{BLUE, -20}, {RED, -20}}, EYE, AHEAD, MAN, 0, 19.2f, QUIET},
    {"past the dead", {{DEAD_RED, -10}, BLUE_20}, EYE, AHEAD, MAN, 1, 19.2f, QUIET},
    // Trunk centre 1.0, radius 0.6: met 10 - sqrt(0.27) away; it leaves no mark, the line goes on.
    {"behind a tree", {{TREE, -10, 5, 2}, BLUE_20}, EYE, AHEAD, NONE, 0, 80, QUIET},
    // Rock centre 0.4, radius 1.3: met 10 - sqrt(1.69 - 0.81) away.
    {"behind a rock",
     {{ROCK, -10, 1.5f, 0.8f, 1.6f}, BLUE_20},
     EYE,
     AHEAD,
     NONE,
     0,
     9.0619f,
     SPARK},
    // Rock and trunk centred on the ray, their near side 0.29 or 0.31 off.
    {"a rock 0.29 off", {{ROCK, -1.29f, 0.2f, 2.6f, 0.2f}, BLUE_20}, EYE, AHEAD, MAN, 0, 19.2f},
    {"a rock .31 off", {{ROCK, -1.31f, .2f, 2.6f, .2f}, BLUE_20}, EYE, AHEAD, NONE, 0, .31f, SPARK},
    {"a trunk 0.29 off", {{TREE, -1.07f, 6.5f, 1.5f}, BLUE_20}, EYE, AHEAD, MAN, 0, 19.2f},
    {"a trunk 0.31 off", {{TREE, -1.09f, 6.5f, 1.5f}, BLUE_20}, EYE, AHEAD, NONE, 0, 80},
    // Animals' spheres (0.3 and 0.6) stand their radius plus 0.1 up.
    {"a rabbit", {{RABBIT, -15}}, EYE, {0, 0.4f, -15}, HIT_RABBIT, 4, 15.026976f - 0.3f},
    {"a deer", {{DEER, -15}}, EYE, {0, 0.7f, -15}, BUCK, 30, 15.011995f - 0.6f},
    // From 0.7 up the level ray passes 0.6 under an enemy's centre: met 0.529 before it.
    {"a deer first", {{DEER, -10}, {RED, -20}}, LOW, LOW_AHEAD, BUCK, 30, 9.4f},
    {"an enemy first", {{DEER, -20}, {RED, -10}}, LOW, LOW_AHEAD, MAN, 0, 10 - 0.52915f},
    {"past a dead deer", {{DEAD_DEER, -10}, {RED, -20}}, LOW, LOW_AHEAD, MAN, 0, 20 - 0.52915f},
    {"the stream", {}, EYE, WATER, NONE, 0, 80, SPLASH},
    {"the bank", {}, EYE, {0, -0.25f, -37.9f}, NONE, 0, 80},
    {"the sky", {}, EYE, {0, 10, -40}, NONE, 0, 80},
    {"the stream behind a tree", {{TREE, -10, 5, 2}}, EYE, WATER, NONE, 0, 80, SPLASH},
    // A rock centred where the ray passes z = -10 (0.9125 up), radius 1.
    {"water behind a rock", {{ROCK, -10, 1, 1.825f, .175f}}, EYE, WATER, NONE, 0, 9.0075f, SPARK},
    {"the stream 79 off", {{STREAM, -79}}, EYE, {0, -0.25f, -78.98f}, NONE, 0, 80, SPLASH},
    {"the stream 81 off", {{STREAM, -81}}, EYE, {0, -0.25f, -81}, NONE, 0, 80},
    {"the stream 0.63 below", {}, {0, 0.3f, -40}, {0, -0.25f, -40.3f}, NONE, 0, 80, SPLASH},
    {"the stream 0.36 below", {}, {0, 0.1f, -40}, {0, -0.25f, -40.1f}, NONE, 0, 80},
};

}  // namespace

// A shot scores its victim (100 an enemy, 30 a rabbit, 50 a deer), kills it and starts its fall
// from upright, with the kill's cry (the red shirts' own); the tracer runs from the muzzle (2
// ahead, 0.3 right, 0.3 down) to what was hit or 80 out; blood bursts on a kill (at an enemy's
// chest).
TEST(Shooting, EachShotKillsScoresAndLeavesItsTraces) {
    for (const Shot& s : SHOTS) {
        SCOPED_TRACE(s.name);
        range(s.things);
        const ArenaState& a = theArena;
        animals[s.victim].moving = 1;
        animals[s.victim].fallAngle = 5;
        theArena.enemies[s.victim].fallAngle = 5;
        const int left = a.enemiesLeft, enemies = living(true), beasts = living(false);
        const int man = s.kills == MAN, beast = s.kills > MAN, kill = man || beast;
        thePlayer.position = s.eye;
        lookFromAt(&thePlayer, s.aim);
        fireWeapon();
        const bool red = man && a.enemies[s.victim].colour.x > 0.5f;
        const int cue = !kill ? 0
                        : man ? (red ? SOUND_RED_ENEMY_KILL : SOUND_ENEMY_KILL)
                              : (s.kills == BUCK ? SOUND_DEER_KILL : SOUND_RABBIT_KILL);
        std::vector<int> sounds = {SOUND_GUNSHOT};
        if (cue) sounds.push_back(cue);
        EXPECT_EQ(playedSounds(), sounds);
        // Shots, hits, score, what was hit, a red kill, enemies left and living, animals living.
        EXPECT_EQ((std::vector<int>{a.shotsFired, a.hits, a.score, a.lastHitKind, a.lastKillRed,
                                    a.enemiesLeft, living(true), living(false)}),
                  (std::vector<int>{1, kill,
                                    man               ? 100
                                    : s.kills == BUCK ? 50
                                    : beast           ? 30
                                                      : 0,
                                    s.kills, red, left - man, enemies - man, beasts - beast}));
        const float fall = man ? a.enemies[s.victim].fallAngle : animals[s.victim].fallAngle;
        const float timer = man ? a.enemies[s.victim].corpseTimer : animals[s.victim].corpseTimer;
        EXPECT_EQ(fall, kill ? 0 : 5);
        EXPECT_EQ(timer, kill ? 8 : 0);
        EXPECT_EQ(animals[s.victim].moving, !beast);
        // Sparks, ripples, splash drops, blood pools, a burst of 30 or more drops.
        EXPECT_EQ((std::vector<int>{a.sparkCount > 0, a.rippleCount, a.splashDropCount > 0,
                                    a.bloodPoolCount, a.bloodDropCount >= 30}),
                  (std::vector<int>{s.impact == SPARK, s.impact == SPLASH, s.impact == SPLASH, kill,
                                    kill}));
        const Vec3 d = viewDirection(&thePlayer), right = vecNormalize(Vec3{-d.z, 0, d.x});
        const Vec3 end = vecAdd(s.eye, vecScale(d, s.reach));
        const Vec3 muzzle = vecAdd(vecAdd(s.eye, vecScale(d, 2)), vecScale(right, 0.3f));
        EXPECT_NEAR(vecDistance(a.tracer.start, vecAdd(muzzle, Vec3{0, -0.3f, 0})), 0, 1e-3);
        EXPECT_NEAR(vecDistance(a.tracer.end, end), 0, 1e-3);
        EXPECT_TRUE(same(a.tracer, ShotTracer{a.tracer.start, a.tracer.end, 0.2f, 1}, "fffffffi"));
        EXPECT_EQ(a.muzzleFlash, 1);
        EXPECT_EQ(a.fireCooldown, 0.15f);
        const Vec3 chest = vecAdd(a.enemies[s.victim].position, Vec3{0, 1.3f, 0});
        const Vec3 traced[3] = {man ? chest : end, end, s.aim};  // blood, sparks, ripple
        const Vec3 where[3] = {a.bloodDrops[0].position, a.sparks[0].position,
                               a.ripples[0].position};
        for (int k = 0; k < 3; ++k) {
            const bool shown = k == 0 ? kill : k == 1 ? s.impact == SPARK : s.impact == SPLASH;
            EXPECT_NEAR(shown ? vecDistance(where[k], traced[k]) : 0, 0, 1e-3) << k;
        }
    }
}

// Every hit volume on ground 2 up, grazed from the side and from above, 0.02 inside and outside:
// the trunk and crown spheres (0.12 and 0.7 of height and crown, at 0.2 and 0.7 of the height), a
// rock's (its mean size, half its height up), an animal's, an enemy's (0.8 at 1.3).
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
    for (const auto& v : VOLUMES) {
        for (int k = 0; k < 4; ++k) {
            range({v.thing}, 2);
            const float off = v.radius + (k < 2 ? -0.02f : 0.02f);
            const Vec3 from = vecAdd(v.centre, k % 2 ? Vec3{0, off, 10} : Vec3{off, 0, 10});
            const Vec3 along = {0, 0, -1};
            AnimalHit animal = {0, 0, 0, 0};
            testAnimalHit(from, along, &animal);
            const SceneryHit scenery =
                v.thing.kind == TREE ? testTreeHit(from, along) : testRockHit(from, along);
            resolveShot(&theArena, from, along, from, 0, 0, 0, 0);
            const float t = v.thing.kind >= TREE        ? (scenery.hit ? scenery.distance : -1)
                            : v.thing.kind >= RABBIT    ? (animal.hit ? animal.distance : -1)
                            : theArena.enemies[0].alive ? -1
                                                        : vecDistance(from, theArena.tracer.end);
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
    EXPECT_EQ(playedSounds(), (std::vector<int>{SOUND_GUNSHOT, SOUND_GUNSHOT, SOUND_RED_ENEMY_KILL,
                                                SOUND_GUNSHOT, SOUND_ENEMY_KILL}));
    EXPECT_EQ((std::vector<int>{theArena.gameOver, theArena.victory, theArena.enemiesLeft}),
              (std::vector<int>{1, 1, 0}));
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
        for (int i = 0; i < 2; ++i) {  // out of the cooldown
            fakePlatform.counter += 100000;
            frameTick();
        }
    }
    EXPECT_EQ(theInput.mouseCaptured, 1);
    EXPECT_EQ(theFrame.victoryShown, 1);
    EXPECT_EQ((std::vector<int>{theArena.score, theArena.shotsFired, theArena.hits}),
              (std::vector<int>{100 * enemies, enemies, enemies}));
}
