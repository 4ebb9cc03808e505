#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "combat/shooting.h"
#include "support/world_fixture.h"
#include "world/park.h"

namespace {

using testworld::RED_SHIRT, testworld::BLUE_SHIRT, testworld::GREY_SHIRT;

// Level ground at 0, nothing in the park, a straight stream along z = -40.
void range() {
    startGame(1780351200u);
    testworld::flattenGround(0), testworld::clearPark(), testworld::emptyArena(&theArena);
    for (int k = 0; k <= 200; ++k) streamSampleX[k] = -126.5f + 1.265f * k, streamSampleZ[k] = -40;
}
void enemy(float x, float z, Vec3 shirt) { testworld::addEnemy(&theArena, x, z, shirt); }
void animal(int i, float x, float z) { animals[i] = AnimalRecord{i < 25 ? ANIMAL_RABBIT : ANIMAL_DEER, x, z, 0, 1000, 0, 0, 0, 1, 0, 0}; }
void moveStream(float z) {
    for (float& s : streamSampleZ) s = z;
}

struct Shot {
    const char* name;
    void (*place)();
    Vec3 eye, aim;
    int kills;    // HitKind
    int victim;   // index of the enemy or animal that dies
    float reach;  // from the eye along the ray to the tracer's end
    int sparks, splash, cue;
};

const Vec3 EYE = {0, 1.3f, 0}, LOW = {0, 0.7f, 0};
const Shot SHOTS[] = {
    {"a blue shirt", [] { enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 0, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    {"a red shirt", [] { enemy(0, -20, RED_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 0, 19.2f, 0, 0, SOUND_RED_ENEMY_KILL},
    {"a grey shirt", [] { enemy(0, -20, GREY_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 0, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    {"the nearer of two", [] { enemy(0, -30, RED_SHIRT), enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 1, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    {"the first of two on one spot", [] { enemy(0, -20, BLUE_SHIRT), enemy(0, -20, RED_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 0, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    {"past the dead", [] { enemy(0, -10, RED_SHIRT), theArena.enemies[0].alive = 0, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 1, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    // Trunk centre 1.0, radius 0.6: the level ray at 1.3 meets it 10 - sqrt(0.27) away.
    {"behind a tree", [] { trees[7] = {0, -10, 5, 2}, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_NOTHING, 0, 80, 0, 0, 0},
    // Rock centre 0.4, radius 1.3: met 10 - sqrt(1.69 - 0.81) away.
    {"behind a rock", [] { rocks[3] = {0, -10, 1.5f, 0.8f, 1.6f, 0.5f, 0.5f, 0.5f, 0}, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_NOTHING, 0, 10 - 0.938083f, 1, 0, 0},
    // Rock and trunk centred on the ray, their near side 0.29 or 0.31 from the eye.
    {"a rock 0.29 off", [] { rocks[3] = {0, -1.29f, 0.2f, 2.6f, 0.2f, 0.5f, 0.5f, 0.5f, 0}, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 0, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    {"a rock 0.31 off", [] { rocks[3] = {0, -1.31f, 0.2f, 2.6f, 0.2f, 0.5f, 0.5f, 0.5f, 0}, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_NOTHING, 0, 0.31f, 1, 0, 0},
    {"a trunk 0.29 off", [] { trees[9] = {0, -1.07f, 6.5f, 1.5f}, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_ENEMY, 0, 19.2f, 0, 0, SOUND_ENEMY_KILL},
    {"a trunk 0.31 off", [] { trees[9] = {0, -1.09f, 6.5f, 1.5f}, enemy(0, -20, BLUE_SHIRT); }, EYE, {0, 1.3f, -20}, HIT_NOTHING, 0, 80, 0, 0, 0},
    {"a rabbit", [] { animal(4, 0, -15); }, EYE, {0, 0.4f, -15}, HIT_RABBIT, 4, 15.026976f - 0.3f, 0, 0, SOUND_RABBIT_KILL},
    {"a deer", [] { animal(30, 0, -15); }, EYE, {0, 0.7f, -15}, HIT_DEER, 30, 15.011995f - 0.6f, 0, 0, SOUND_DEER_KILL},
    // From 0.7 up the level ray passes 0.6 under an enemy's centre: met 0.529 before it.
    {"a deer before an enemy", [] { animal(30, 0, -10), enemy(0, -20, RED_SHIRT); }, LOW, {0, 0.7f, -20}, HIT_DEER, 30, 9.4f, 0, 0, SOUND_DEER_KILL},
    {"an enemy before a deer", [] { animal(30, 0, -20), enemy(0, -10, RED_SHIRT); }, LOW, {0, 0.7f, -20}, HIT_ENEMY, 0, 10 - 0.52915f, 0, 0, SOUND_RED_ENEMY_KILL},
    {"past a dead deer", [] { animal(30, 0, -10), killAnimal(30), enemy(0, -20, RED_SHIRT); }, LOW, {0, 0.7f, -20}, HIT_ENEMY, 0, 20 - 0.52915f, 0, 0, SOUND_RED_ENEMY_KILL},
    {"the stream", [] {}, EYE, {0, -0.25f, -40}, HIT_NOTHING, 0, 80, 0, 1, 0},
    {"the bank", [] {}, EYE, {0, -0.25f, -37.9f}, HIT_NOTHING, 0, 80, 0, 0, 0},
    {"the sky", [] {}, EYE, {0, 10, -40}, HIT_NOTHING, 0, 80, 0, 0, 0},
    {"the stream behind a tree", [] { trees[7] = {0, -10, 5, 2}; }, EYE, {0, -0.25f, -40}, HIT_NOTHING, 0, 80, 0, 1, 0},
    // A rock centred where the ray passes z = -10 (0.9125 up), radius 1.
    {"the stream behind a rock", [] { rocks[3] = {0, -10, 1, 1.825f, 0.175f, 0.5f, 0.5f, 0.5f, 0}; }, EYE, {0, -0.25f, -40}, HIT_NOTHING, 0, 10.007507f - 1, 1, 0, 0},
    {"the stream 79 off", [] { moveStream(-79); }, EYE, {0, -0.25f, -78.98f}, HIT_NOTHING, 0, 80, 0, 1, 0},
    {"the stream 81 off", [] { moveStream(-81); }, EYE, {0, -0.25f, -81}, HIT_NOTHING, 0, 80, 0, 0, 0},
    {"the stream 0.63 below", [] {}, {0, 0.3f, -40}, {0, -0.25f, -40.3f}, HIT_NOTHING, 0, 80, 0, 1, 0},
    {"the stream 0.36 below", [] {}, {0, 0.1f, -40}, {0, -0.25f, -40.1f}, HIT_NOTHING, 0, 80, 0, 0, 0},
};

}  // namespace

TEST(Shooting, EachShotKillsScoresAndLeavesItsTraces) {
    for (const Shot& s : SHOTS) {
        SCOPED_TRACE(s.name);
        range();
        s.place();
        int left = theArena.enemiesLeft, enemyAlive[MAX_ENEMIES], animalAlive[ANIMAL_COUNT], kill = s.kills != HIT_NOTHING;
        // The victim dies, and one that was walking or tipping starts its fall from upright.
        for (int i = 0; i < MAX_ENEMIES; ++i) enemyAlive[i] = theArena.enemies[i].alive;
        for (int i = 0; i < ANIMAL_COUNT; ++i) animalAlive[i] = animals[i].alive;
        if (s.kills == HIT_ENEMY) enemyAlive[s.victim] = 0, theArena.enemies[s.victim].fallAngle = 5;
        if (kill && s.kills != HIT_ENEMY) animalAlive[s.victim] = 0, animals[s.victim].moving = 1, animals[s.victim].fallAngle = 5;
        thePlayer.position = s.eye;
        lookFromAt(&thePlayer, s.aim);
        Vec3 d = viewDirection(&thePlayer), right = vecNormalize(Vec3{-d.z, 0, d.x});
        fireWeapon();
        const ArenaState& a = theArena;
        EXPECT_EQ(playedSounds(), (s.cue ? std::vector<int>{SOUND_GUNSHOT, s.cue} : std::vector<int>{SOUND_GUNSHOT}));
        int score = s.kills == HIT_ENEMY ? 100 : s.kills == HIT_RABBIT ? 30 : s.kills == HIT_DEER ? 50 : 0;
        EXPECT_EQ(std::vector<int>({a.shotsFired, a.hits, a.score, a.lastHitKind, a.lastKillRed, a.enemiesLeft, a.sparkCount > 0,
                                    a.rippleCount, a.splashDropCount > 0, a.bloodPoolCount, a.bloodDropCount >= 30}),
                  std::vector<int>({1, kill, score, s.kills, s.cue == SOUND_RED_ENEMY_KILL, left - (s.kills == HIT_ENEMY), s.sparks,
                                    s.splash, s.splash, kill, kill}));
        for (int i = 0; i < MAX_ENEMIES; ++i) EXPECT_EQ(a.enemies[i].alive, enemyAlive[i]) << i;
        for (int i = 0; i < ANIMAL_COUNT; ++i) EXPECT_EQ(animals[i].alive, animalAlive[i]) << i;
        const float* fall = s.kills == HIT_ENEMY ? &a.enemies[s.victim].fallAngle : &animals[s.victim].fallAngle;
        EXPECT_TRUE(!kill || (fall[0] == 0 && fall[1] == 8 && (s.kills == HIT_ENEMY || !animals[s.victim].moving)));
        Vec3 end = vecAdd(s.eye, vecScale(d, s.reach)), muzzle = vecAdd(vecAdd(s.eye, vecScale(d, 2)), vecScale(right, 0.3f));
        muzzle.y -= 0.3f;
        EXPECT_NEAR(vecDistance(a.tracer.start, muzzle) + vecDistance(a.tracer.end, end), 0, 1e-3);
        EXPECT_TRUE(a.tracer.active && a.tracer.timeLeft == 0.2f && a.muzzleFlash == 1 && a.fireCooldown == 0.15f);
        // Sparks where the rock was met, a ripple where the water was, blood on the kill.
        Vec3 burst = s.kills == HIT_ENEMY ? vecAdd(a.enemies[s.victim].position, Vec3{0, 1.3f, 0}) : end;
        EXPECT_TRUE(!s.sparks || vecDistance(a.sparks[0].position, end) < 1e-3);
        EXPECT_TRUE(!s.splash || vecDistance(a.ripples[0].position, s.aim) < 1e-3);
        EXPECT_TRUE(!kill || vecDistance(a.bloodDrops[0].position, burst) < 1e-3);
    }
}

// The distance at which a ray along -z meets what was placed (a tree, a rock, an animal or enemy 0), or -1.
float probe(int kind, Vec3 o) {
    const Vec3 d = {0, 0, -1};
    SceneryHit scenery = kind == 0 ? testTreeHit(o, d) : testRockHit(o, d);
    AnimalHit animal = {0, 0, 0, 0};
    if (kind < 2) return scenery.hit ? scenery.distance : -1;
    if (kind == 2) return testAnimalHit(o, d, &animal), animal.hit ? animal.distance : -1;
    theArena.fireCooldown = 0, theArena.enemies[0].alive = 1;
    resolveShot(&theArena, o, d, o, 0, 0, 0, 0);
    return theArena.enemies[0].alive ? -1 : vecDistance(o, theArena.tracer.end);
}

// Every hit volume on ground 2 up, grazed from the side and from above, 0.02 inside and outside.
TEST(Shooting, HitVolumesHaveTheirCentresAndRadii) {
    struct Volume { void (*place)(); int kind; Vec3 centre; float radius; } VOLUMES[] = {
        {[] { trees[0] = {0, -10, 5, 2}; }, 0, {0, 3, -10}, 0.6f},  // trunk
        {[] { trees[0] = {0, -10, 5, 2}; }, 0, {0, 5.5f, -10}, 1.4f},  // crown
        {[] { rocks[0] = {0, -10, 1, 0.6f, 0.8f, 0.5f, 0.5f, 0.5f, 0}; }, 1, {0, 2.3f, -10}, 0.8f},
        {[] { animal(2, 0, -10); }, 2, {0, 2.4f, -10}, 0.3f},
        {[] { animal(40, 0, -10); }, 2, {0, 2.7f, -10}, 0.6f},
        {[] { enemy(0, -10, GREY_SHIRT); }, 3, {0, 3.3f, -10}, 0.8f}};
    for (const Volume& v : VOLUMES)
        for (int k = 0; k < 4; ++k) {
            range(), testworld::flattenGround(2), v.place();
            float o = v.radius + (k < 2 ? -0.02f : 0.02f), t = 10 - std::sqrt(v.radius * v.radius - o * o);
            Vec3 from = vecAdd(v.centre, k % 2 ? Vec3{0, o, 10} : Vec3{o, 0, 10});
            EXPECT_NEAR(probe(v.kind, from), k < 2 ? t : -1, 1e-3) << (&v - VOLUMES) << ", " << k;
        }
}

// The nearest living animal; on a tie the lower index; a miss leaves the caller's values.
TEST(Shooting, AnimalsOnTheRay) {
    range();
    animal(5, 0, -10), animal(6, 0, -5);
    AnimalHit h = {0, 0, 0, 0};
    testAnimalHit(Vec3{0, 0.4f, 0}, Vec3{0, 0, -1}, &h);
    EXPECT_TRUE(h.hit == 1 && h.index == 6 && h.kind == ANIMAL_RABBIT && std::fabs(h.distance - 4.7f) < 1e-4);
    animal(3, 0, -5), testAnimalHit(Vec3{0, 0.4f, 0}, Vec3{0, 0, -1}, &h);
    EXPECT_EQ(h.index, 3);
    h = AnimalHit{7, 8, 9, 10}, testAnimalHit(Vec3{0, 0.4f, 0}, Vec3{0, 1, 0}, &h);
    EXPECT_TRUE(h.hit == 0 && h.index == 8 && h.kind == 9 && h.distance == 10);
}

// Every third centre-line sample up to 198 counts, within 1.8.
TEST(Shooting, TheStreamIsWithinItsHalfWidthOfEveryThirdSample) {
    range();
    auto x = [](int k) { return -126.5f + 1.265f * k; };
    struct Case { float x, z; int in; } CASES[] = {
        {x(3), -40 + 1.79f, 1}, {x(3), -40 - 1.81f, 0}, {x(1), -38.3f, 0}, {x(0), -40, 1}, {x(198), -40, 1}, {x(200), -40, 0}};
    for (const Case& c : CASES) EXPECT_EQ(isInStream(c.x, c.z), c.in) << c.x << ", " << c.z;
    parkBuilt.stream = 0;
    EXPECT_EQ(isInStream(x(3), -40), 0);
}

// A click in the cooldown only sounds; the last kill wins, and then nothing fires.
TEST(Shooting, CooldownAndTheLastKill) {
    range();
    enemy(0, -20, RED_SHIRT), enemy(0, -30, BLUE_SHIRT);
    thePlayer.position = EYE;
    lookFromAt(&thePlayer, Vec3{0, 1.3f, -20});
    static ArenaState before;
    for (float cooldown : {1e-6f, 0.0f, 0.0f, 0.0f}) {
        theArena.fireCooldown = cooldown, before = theArena;
        fireWeapon();
        EXPECT_EQ(std::memcmp(&before, &theArena, sizeof before) == 0, cooldown > 0 || before.score == 200);
    }
    EXPECT_EQ(playedSounds(), (std::vector<int>{SOUND_GUNSHOT, SOUND_GUNSHOT, SOUND_RED_ENEMY_KILL, SOUND_GUNSHOT, SOUND_ENEMY_KILL}));
    EXPECT_TRUE(theArena.gameOver && theArena.victory && theArena.enemiesLeft == 0 && theArena.bloodPoolCount == 2);
}
