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
        int left = theArena.enemiesLeft, enemyAlive[MAX_ENEMIES], animalAlive[ANIMAL_COUNT];
        for (int i = 0; i < MAX_ENEMIES; ++i) enemyAlive[i] = theArena.enemies[i].alive;
        for (int i = 0; i < ANIMAL_COUNT; ++i) animalAlive[i] = animals[i].alive;
        // The victim dies, and a falling or walking one starts its fall from upright.
        if (s.kills == HIT_ENEMY) enemyAlive[s.victim] = 0, theArena.enemies[s.victim].fallAngle = 5;
        if (s.kills == HIT_RABBIT || s.kills == HIT_DEER) animalAlive[s.victim] = 0, animals[s.victim].moving = 1;
        thePlayer.position = s.eye;
        lookFromAt(&thePlayer, s.aim);
        Vec3 d = viewDirection(&thePlayer), right = vecNormalize(Vec3{-d.z, 0, d.x});
        fireWeapon();
        const ArenaState& a = theArena;
        std::vector<int> cues = {SOUND_GUNSHOT};
        if (s.cue) cues.push_back(s.cue);
        EXPECT_EQ(playedSounds(), cues);
        EXPECT_EQ(a.shotsFired, 1);
        EXPECT_EQ(a.hits, s.kills != HIT_NOTHING);
        EXPECT_EQ(a.lastHitKind, s.kills);
        EXPECT_EQ(a.lastKillRed, s.cue == SOUND_RED_ENEMY_KILL);
        EXPECT_EQ(a.score, s.kills == HIT_ENEMY ? 100 : s.kills == HIT_RABBIT ? 30 : s.kills == HIT_DEER ? 50 : 0);
        EXPECT_EQ(a.enemiesLeft, left - (s.kills == HIT_ENEMY));
        for (int i = 0; i < MAX_ENEMIES; ++i) EXPECT_EQ(a.enemies[i].alive, enemyAlive[i]) << i;
        for (int i = 0; i < ANIMAL_COUNT; ++i) EXPECT_EQ(animals[i].alive, animalAlive[i]) << i;
        const float* timers = s.kills == HIT_ENEMY ? &a.enemies[s.victim].fallAngle : &animals[s.victim].fallAngle;
        if (s.kills != HIT_NOTHING) {
            EXPECT_TRUE(timers[0] == 0 && timers[1] == 8 && (s.kills == HIT_ENEMY || !animals[s.victim].moving));
        }
        Vec3 end = vecAdd(s.eye, vecScale(d, s.reach)), muzzle = vecAdd(vecAdd(s.eye, vecScale(d, 2)), vecScale(right, 0.3f));
        muzzle.y -= 0.3f;
        EXPECT_NEAR(vecDistance(a.tracer.start, muzzle), 0, 1e-4);
        EXPECT_NEAR(vecDistance(a.tracer.end, end), 0, 1e-3);
        EXPECT_TRUE(a.tracer.active && a.tracer.timeLeft == 0.2f && a.muzzleFlash == 1 && a.fireCooldown == 0.15f);
        EXPECT_EQ(a.sparkCount > 0, s.sparks);
        if (s.sparks) {
            EXPECT_NEAR(vecDistance(a.sparks[0].position, end), 0, 1e-3);
        }
        EXPECT_EQ(a.rippleCount, s.splash);
        EXPECT_EQ(a.splashDropCount > 0, s.splash);
        if (s.splash) {
            EXPECT_NEAR(vecDistance(a.ripples[0].position, s.aim), 0, 1e-3);
        }
        EXPECT_EQ(a.bloodPoolCount, s.kills != HIT_NOTHING);
        if (s.kills == HIT_NOTHING) continue;
        Vec3 burst = s.kills == HIT_ENEMY ? vecAdd(a.enemies[s.victim].position, Vec3{0, 1.3f, 0}) : end;
        EXPECT_GE(a.bloodDropCount, 30);
        EXPECT_NEAR(vecDistance(a.bloodDrops[0].position, burst), 0, 1e-3);
    }
}

// Every hit volume on ground 2 up, grazed from the side and from above, 0.02 inside and outside.
TEST(Shooting, HitVolumesHaveTheirCentresAndRadii) {
    struct Volume {
        void (*place)();
        Vec3 centre;
        float radius;
        float (*probe)(Vec3 origin, Vec3 direction);
    };
    auto tree = [](Vec3 o, Vec3 d) { SceneryHit h = testTreeHit(o, d); return h.hit ? h.distance : -1; };
    auto rock = [](Vec3 o, Vec3 d) { SceneryHit h = testRockHit(o, d); return h.hit ? h.distance : -1; };
    auto beast = [](Vec3 o, Vec3 d) {
        AnimalHit h = {0, 0, 0, 0};
        testAnimalHit(o, d, &h);
        return h.hit ? h.distance : -1;
    };
    auto person = [](Vec3 o, Vec3 d) {
        theArena.fireCooldown = 0, theArena.enemies[0].alive = 1;
        resolveShot(&theArena, o, d, o, 0, 0, 0, 0);
        return theArena.enemies[0].alive ? -1 : vecDistance(o, theArena.tracer.end);
    };
    const Volume VOLUMES[] = {
        {[] { trees[0] = {0, -10, 5, 2}; }, {0, 3, -10}, 0.6f, tree},       // trunk
        {[] { trees[0] = {0, -10, 5, 2}; }, {0, 5.5f, -10}, 1.4f, tree},    // crown
        {[] { rocks[0] = {0, -10, 1, 0.6f, 0.8f, 0.5f, 0.5f, 0.5f, 0}; }, {0, 2.3f, -10}, 0.8f, rock},
        {[] { animal(2, 0, -10); }, {0, 2.4f, -10}, 0.3f, beast},
        {[] { animal(40, 0, -10); }, {0, 2.7f, -10}, 0.6f, beast},
        {[] { enemy(0, -10, GREY_SHIRT); }, {0, 3.3f, -10}, 0.8f, person},
    };
    for (const Volume& v : VOLUMES) {
        range();
        testworld::flattenGround(2);
        v.place();
        const Vec3 ahead = {0, 0, -1};
        float t = 10 - std::sqrt(v.radius * v.radius - (v.radius - 0.02f) * (v.radius - 0.02f));
        int i = &v - VOLUMES;
        EXPECT_NEAR(v.probe(vecAdd(v.centre, Vec3{v.radius - 0.02f, 0, 10}), ahead), t, 1e-3) << i;
        EXPECT_NEAR(v.probe(vecAdd(v.centre, Vec3{0, v.radius - 0.02f, 10}), ahead), t, 1e-3) << i;
        EXPECT_EQ(v.probe(vecAdd(v.centre, Vec3{v.radius + 0.02f, 0, 10}), ahead), -1) << i;
        EXPECT_EQ(v.probe(vecAdd(v.centre, Vec3{0, v.radius + 0.02f, 10}), ahead), -1) << i;
    }
}

TEST(Shooting, NearestAnimalWinsAndTiesGoToTheLowerIndex) {
    range();
    animal(5, 0, -10), animal(6, 0, -5);
    AnimalHit h = {0, 0, 0, 0};
    testAnimalHit(Vec3{0, 0.4f, 0}, Vec3{0, 0, -1}, &h);
    EXPECT_TRUE(h.hit == 1 && h.index == 6 && h.kind == ANIMAL_RABBIT && std::fabs(h.distance - 4.7f) < 1e-4);
    animal(3, 0, -5);  // the same spot as 6
    testAnimalHit(Vec3{0, 0.4f, 0}, Vec3{0, 0, -1}, &h);
    EXPECT_EQ(h.index, 3);
    h = AnimalHit{7, 8, 9, 10};
    testAnimalHit(Vec3{0, 0.4f, 0}, Vec3{0, 1, 0}, &h);
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

TEST(Shooting, CooldownSwallowsClicksAndTheLastKillEndsTheGame) {
    range();
    enemy(0, -20, RED_SHIRT), enemy(0, -30, BLUE_SHIRT);
    thePlayer.position = EYE;
    lookFromAt(&thePlayer, Vec3{0, 1.3f, -20});
    theArena.fireCooldown = 1e-6f;
    static ArenaState before;
    before = theArena;
    fireWeapon();
    EXPECT_EQ(playedSounds(), std::vector<int>{SOUND_GUNSHOT});
    EXPECT_EQ(std::memcmp(&before, &theArena, sizeof before), 0);
    theArena.fireCooldown = 0;
    fireWeapon();
    theArena.fireCooldown = 0;
    fireWeapon();
    EXPECT_EQ(playedSounds(), (std::vector<int>{SOUND_GUNSHOT, SOUND_RED_ENEMY_KILL, SOUND_GUNSHOT, SOUND_ENEMY_KILL}));
    EXPECT_TRUE(theArena.gameOver && theArena.victory && theArena.enemiesLeft == 0 && theArena.score == 200);
    EXPECT_EQ(theArena.bloodPoolCount, 2);
    before = theArena;
    theArena.fireCooldown = 0, before.fireCooldown = 0;
    fireWeapon();  // a won game fires nothing, not even a sound
    EXPECT_TRUE(playedSounds().empty());
    EXPECT_EQ(std::memcmp(&before, &theArena, sizeof before), 0);
}
