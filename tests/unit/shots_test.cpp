#include <gtest/gtest.h>

#include <vector>

#include "combat/shooting.h"
#include "support/world_fixture.h"

namespace {

// On the line x = 0: enemies, rabbit 0 (the first animal), deer 30, tree 7 (height, crown), rock 3.
enum ThingKind { RED, BLUE, DEAD_RED, RABBIT, DEER, DEAD_DEER, TREE, ROCK };
struct Thing {
    ThingKind kind;
    float z, a = 0, b = 0, c = 0;
};

// Level ground, nothing in the park, a straight stream along z = -40, then the things.
void range(const std::vector<Thing>& things) {
    startGame(1780351200u);
    testworld::flattenGround(0);
    testworld::clearPark();
    testworld::emptyArena(&theArena);
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = -126.5f + 1.265f * k;
        streamSampleZ[k] = -40;
    }
    for (const Thing& t : things) {
        if (t.kind <= DEAD_RED) {
            const Vec3 shirt = t.kind == BLUE ? Vec3{0.2f, 0.3f, 0.8f} : Vec3{0.8f, 0.2f, 0.2f};
            const int alive = t.kind != DEAD_RED;
            theArena.enemies[theArena.enemyCount++] = {{0, 0, t.z}, 0, 1000, alive, 0, 0, shirt};
            theArena.enemiesLeft += alive;
        } else if (t.kind <= DEAD_DEER) {
            const int i = t.kind == RABBIT ? 0 : 30;
            animals[i] = AnimalRecord{i < 25 ? 0 : 1, 0, t.z, 0, 1000, 0, 0, 0, 1, 0, 0};
            if (t.kind == DEAD_DEER) killAnimal(i);
        } else if (t.kind == TREE) {
            trees[7] = TreeRecord{0, t.z, t.a, t.b};
        } else {
            rocks[3] = RockRecord{0, t.z, t.a, t.b, t.c, 0.5f, 0.5f, 0.5f, 0};
        }
    }
}

const Vec3 EYE = {0, 1.3f, 0}, AHEAD = {0, 1.3f, -20}, WATER = {0, -0.25f, -40};
const Vec3 LOW = {0, 0.7f, 0}, LOW_AHEAD = {0, 0.7f, -20}, HIGH = {0, 5, 0};

}  // namespace

// A shot kills and scores its victim (100 an enemy, 30 a rabbit, 50 a deer) with the kill's cry
// (the red shirts' own) and blood; the tracer runs from the muzzle (2 ahead, 0.3 right, 0.3 down)
// to what was met or 80 out; a rock leaves sparks, the stream a splash and a ripple.
TEST(Shooting, EachShotKillsScoresAndLeavesItsTraces) {
    enum Impact { QUIET, SPARK, SPLASH };
    const int NONE = HIT_NOTHING, MAN = HIT_ENEMY, BUCK = HIT_DEER;
    const int SCORE[] = {0, 100, 30, 50};  // by HitKind
    const int CRY[] = {0, SOUND_ENEMY_KILL, SOUND_RABBIT_KILL, SOUND_DEER_KILL};
    const struct {
        const char* name;
        std::vector<Thing> things;
        Vec3 eye, aim;
        int kills, victim;
        float reach;
        Impact impact = QUIET;
    } SHOTS[] = {
        {"a red shirt", {{RED, -20}}, EYE, AHEAD, MAN, 0, 19.2f},
        {"the nearer of two", {{RED, -20}, {BLUE, -30}}, EYE, AHEAD, MAN, 0, 19.2f},
        {"past the dead", {{DEAD_RED, -10}, {BLUE, -20}}, EYE, AHEAD, MAN, 1, 19.2f},
        // Trunk centre 1.0, radius 0.6: met, it leaves no mark and the line goes on. A tree of 3:
        // trunk (0.6, 0.36) and crown (2.1, 0.7) pass under and over.
        {"behind a tree", {{TREE, -10, 5, 2}, {BLUE, -20}}, EYE, AHEAD, NONE, 0, 80},
        {"between trunk and crown", {{TREE, -10, 3, 1}, {BLUE, -20}}, EYE, AHEAD, MAN, 0, 19.2f},
        // Rock centre 0.4, radius 1.3: met 10 - sqrt(1.69 - 0.81) away.
        {"a rock", {{ROCK, -10, 1.5f, .8f, 1.6f}, {RED, -20}}, EYE, AHEAD, NONE, 0, 9.0619f, SPARK},
        // Animals' spheres (0.3 and 0.6) stand their radius plus 0.1 up.
        {"a rabbit", {{RABBIT, -15}}, EYE, {0, 0.4f, -15}, HIT_RABBIT, 0, 15.026976f - 0.3f},
        {"a deer", {{DEER, -15}}, EYE, {0, 0.7f, -15}, BUCK, 30, 15.011995f - 0.6f},
        // From 0.7 up the level ray passes 0.6 under an enemy's centre: met 0.529 before it.
        {"a deer first", {{DEER, -10}, {RED, -20}}, LOW, LOW_AHEAD, BUCK, 30, 9.4f},
        {"an enemy first", {{DEER, -20}, {RED, -10}}, LOW, LOW_AHEAD, MAN, 0, 10 - 0.52915f},
        {"past a dead deer", {{DEAD_DEER, -10}, {RED, -20}}, LOW, LOW_AHEAD, MAN, 0, 20 - 0.52915f},
        // Crown centre 0.7 h up (2.8), radius 0.7 x its 1: the ray from 5 up meets it 2.85 up. At
        // 3.5 (h 5) it passes 0.65 cos(atan(4.3 / 20)) = 0.6355 off, outside 0.7 x 0.8.
        {"behind a crown", {{TREE, -10, 4, 1}, {DEER, -20}}, HIGH, LOW_AHEAD, NONE, 0, 80},
        {"past a crown", {{TREE, -10, 5, .8f}, {DEER, -20}}, HIGH, LOW_AHEAD, BUCK, 30, 19.857f},
        {"the stream", {}, EYE, WATER, NONE, 0, 80, SPLASH},
        {"the bank", {}, EYE, {0, -0.25f, -37.9f}, NONE, 0, 80},
        // A rock centred where the ray passes z = -10 (0.9125 up), radius 1.
        {"water past a rock", {{ROCK, -10, 1, 1.825f, .175f}}, EYE, WATER, NONE, 0, 9.0075f, SPARK},
        {"the stream 79 off", {}, {0, 1.3f, 39}, {0, -0.25f, -39.98f}, NONE, 0, 80, SPLASH},
        {"the stream 81 off", {}, {0, 1.3f, 41}, WATER, NONE, 0, 80},
        {"the stream 0.63 below", {}, {0, 0.3f, -40}, {0, -0.25f, -40.3f}, NONE, 0, 80, SPLASH},
        {"the stream 0.36 below", {}, {0, 0.1f, -40}, {0, -0.25f, -40.1f}, NONE, 0, 80},
    };
    for (const auto& s : SHOTS) {
        SCOPED_TRACE(s.name);
        range(s.things);
        const ArenaState& a = theArena;
        thePlayer.position = s.eye;
        lookFromAt(&thePlayer, s.aim);
        fireWeapon();
        const bool red = s.kills == MAN && a.enemies[s.victim].colour.x > 0.5f;
        std::vector<int> sounds = {SOUND_GUNSHOT};
        if (s.kills) sounds.push_back(red ? SOUND_RED_ENEMY_KILL : CRY[s.kills]);
        EXPECT_EQ(playedSounds(), sounds);
        fireWeapon();  // in the cooldown a click only sounds; in a won game, not even that
        EXPECT_EQ(playedSounds().size(), a.victory ? 0u : 1u);
        EXPECT_EQ(a.shotsFired, 1);
        EXPECT_EQ(a.score, SCORE[s.kills]);
        EXPECT_EQ(a.hits, s.kills == NONE ? 0 : 1);  // a hit counts toward the accuracy
        const float lies =
            s.kills == MAN ? a.enemies[s.victim].corpseTimer : animals[s.victim].corpseTimer;
        EXPECT_EQ(lies, s.kills == NONE ? 0 : 8);  // a kill lies 8 s once down
        EXPECT_EQ(a.bloodDropCount >= 30, s.kills != NONE);
        EXPECT_NEAR(a.bloodDrops[0].position.x, 0, 1e-4) << "blood flies from the victim, at x = 0";
        EXPECT_EQ(a.sparkCount > 0, s.impact == SPARK);
        EXPECT_EQ(a.rippleCount, s.impact == SPLASH);
        const Vec3 d = viewDirection(&thePlayer), right = vecNormalize(Vec3{-d.z, 0, d.x});
        const Vec3 muzzle = vecAdd(vecAdd(s.eye, vecScale(d, 2)), vecScale(right, 0.3f));
        EXPECT_NEAR(vecDistance(a.tracer.start, vecAdd(muzzle, Vec3{0, -0.3f, 0})), 0, 1e-3);
        EXPECT_NEAR(vecDistance(a.tracer.end, vecAdd(s.eye, vecScale(d, s.reach))), 0, 1e-3);
        EXPECT_EQ(a.tracer.active, 1);
        EXPECT_FLOAT_EQ(a.tracer.timeLeft, 0.2f);
        EXPECT_EQ(a.muzzleFlash, 1);
    }
}
