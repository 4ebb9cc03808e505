#include "world/park.h"
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "combat/shooting.h"
#include "fakes/audio_fake.h"
#include "support/world_fixture.h"

namespace {

// The player stands at the origin on flat ground looking along -z.
class Shooting : public ::testing::Test {
protected:
    void SetUp() override {
        testworld::buildPark(2468);
        testworld::flattenGround(0.0f);
        testworld::clearPark();
        testworld::emptyArena(&theArena);
        resetPlayer(&thePlayer);
        thePlayer.position = makeVec3(0, 1.3f, 0);
    }
    void aimAt(float pitch) { thePlayer.pitch = pitch; }
    ArenaState& arena = theArena;
};

}  // namespace

TEST_F(Shooting, TheNearerOfTwoEnemiesDies) {
    EnemyRecord* far = testworld::addEnemy(&arena, 0, -20, testworld::GREY_SHIRT);
    EnemyRecord* near = testworld::addEnemy(&arena, 0, -10, testworld::BLUE_SHIRT);
    fireWeapon();
    EXPECT_EQ(near->alive, 0);
    EXPECT_EQ(near->corpseTimer, 8.0f);
    EXPECT_EQ(far->alive, 1);
    EXPECT_EQ(arena.score, 100);
    EXPECT_EQ(arena.enemiesLeft, 1);
    EXPECT_EQ(arena.hits, 1);
    EXPECT_EQ(arena.shotsFired, 1);
    EXPECT_EQ(arena.lastHitKind, HIT_ENEMY);
    EXPECT_EQ(arena.lastKillRed, 0);
    EXPECT_GE(arena.bloodDropCount, 30);
    EXPECT_FLOAT_EQ(arena.bloodPools[0].position.z, -10.0f);
    // The tracer ends at the hit on the sphere's near side.
    EXPECT_NEAR(arena.tracer.end.z, -9.2f, 1e-3f);
    EXPECT_EQ(arena.muzzleFlash, 1.0f);
    EXPECT_EQ(arena.fireCooldown, 0.15f);
}

TEST_F(Shooting, RedShirtsAreMarkedForTheirOwnCry) {
    testworld::addEnemy(&arena, 0, -10, testworld::RED_SHIRT);
    testworld::addEnemy(&arena, 0, -30, testworld::GREY_SHIRT);
    fireWeapon();
    EXPECT_EQ(arena.lastKillRed, 1);
}

TEST_F(Shooting, ATreeShieldsTheEnemyAndTheTracerRunsOn) {
    EnemyRecord* e = testworld::addEnemy(&arena, 0, -20, testworld::GREY_SHIRT);
    trees[0] = TreeRecord{0.0f, -10.0f, 5.0f, 2.0f};  // trunk sphere radius 0.6 at y 1.0
    fireWeapon();
    EXPECT_EQ(e->alive, 1);
    EXPECT_EQ(arena.hits, 0);
    EXPECT_EQ(arena.shotsFired, 1);
    EXPECT_EQ(arena.sparkCount, 0);
    EXPECT_NEAR(arena.tracer.end.z, -80.0f, 1e-3f);
}

TEST_F(Shooting, ARockStopsTheShotWithSparks) {
    EnemyRecord* e = testworld::addEnemy(&arena, 0, -20, testworld::GREY_SHIRT);
    rocks[0] = RockRecord{0.0f, -10.0f, 1.2f, 0.8f, 1.0f, 0.5f, 0.5f, 0.5f, 0.0f};
    aimAt(-3.0f);
    fireWeapon();
    EXPECT_EQ(e->alive, 1);
    EXPECT_EQ(arena.hits, 0);
    EXPECT_EQ(arena.shotsFired, 1);
    EXPECT_GE(arena.sparkCount, 10);
    EXPECT_GT(arena.tracer.end.z, -10.0f);
    EXPECT_LT(arena.tracer.end.z, -8.0f);
    EXPECT_EQ(arena.sparks[0].position.z, arena.tracer.end.z);
}

TEST_F(Shooting, SceneryRightAtTheEyeDoesNotBlock) {
    EnemyRecord* e = testworld::addEnemy(&arena, 0, -10, testworld::GREY_SHIRT);
    rocks[0] = RockRecord{0.0f, 0.0f, 1.2f, 0.8f, 1.0f, 0.5f, 0.5f, 0.5f, 0.0f};  // the eye is inside it
    rocks[0].sizeX = rocks[0].sizeY = rocks[0].sizeZ = 0.25f;
    fireWeapon();
    EXPECT_EQ(e->alive, 0);
}

TEST_F(Shooting, AnimalsCountAndScoreByKind) {
    animals[2] = AnimalRecord{ANIMAL_RABBIT, 0, -6, 0, 100, 0, 0, 0, 1, 0, 0};
    animals[30] = AnimalRecord{ANIMAL_DEER, 0, -12, 0, 100, 0, 0, 0, 1, 0, 0};
    thePlayer.position.y = 0.4f;
    fireWeapon();
    EXPECT_EQ(animals[2].alive, 0);
    EXPECT_EQ(animals[30].alive, 1);
    EXPECT_EQ(arena.score, 30);
    EXPECT_EQ(arena.lastHitKind, HIT_RABBIT);
    arena.fireCooldown = 0.0f;
    thePlayer.position.y = 0.7f;
    fireWeapon();
    EXPECT_EQ(animals[30].alive, 0);
    EXPECT_EQ(arena.score, 80);
    EXPECT_EQ(arena.lastHitKind, HIT_DEER);
    EXPECT_EQ(arena.hits, 2);
}

TEST_F(Shooting, AnEnemyInFrontOfAnAnimalTakesTheShot) {
    animals[2] = AnimalRecord{ANIMAL_RABBIT, 0, -15, 0, 100, 0, 0, 0, 1, 0, 0};
    EnemyRecord* e = testworld::addEnemy(&arena, 0, -8, testworld::GREY_SHIRT);
    thePlayer.position.y = 1.0f;
    aimAt(-2.0f);
    fireWeapon();
    EXPECT_EQ(e->alive, 0);
    EXPECT_EQ(animals[2].alive, 1);
}

TEST_F(Shooting, TheCooldownSwallowsAQuickSecondClick) {
    testworld::addEnemy(&arena, 0, -10, testworld::RED_SHIRT);
    EnemyRecord* second = testworld::addEnemy(&arena, 0, -30, testworld::GREY_SHIRT);
    fireWeapon();
    fireWeapon();
    EXPECT_EQ(second->alive, 1);
    EXPECT_EQ(arena.shotsFired, 1);
    EXPECT_EQ(arena.lastHitKind, HIT_NOTHING);  // cleared by the refused click
    EXPECT_EQ(arena.lastKillRed, 1);            // kept from the accepted one
    updateArena(&arena, 0.16f, thePlayer.position);
    fireWeapon();
    EXPECT_EQ(second->alive, 0);
    EXPECT_EQ(arena.shotsFired, 2);
}

TEST_F(Shooting, TheLastKillWinsAndFreezesTheGame) {
    testworld::addEnemy(&arena, 0, -10, testworld::GREY_SHIRT);
    fireWeapon();
    EXPECT_EQ(arena.gameOver, 1);
    EXPECT_EQ(arena.victory, 1);
    EXPECT_GT(arena.bloodDropCount, 0);
    ArenaState frozen = arena;
    updateArena(&arena, 0.5f, thePlayer.position);
    fireWeapon();
    EXPECT_EQ(std::memcmp(&frozen, &arena, sizeof(arena)), 0);
}

TEST_F(Shooting, SplashesOnlyWhereADownwardShotMeetsTheStream) {
    // Stand beside the stream and shoot down into it.
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = -126.5f + 253.0f * k / 200.0f;
        streamSampleZ[k] = -6.0f;
    }
    thePlayer.position = makeVec3(0, 1.7f, 0);
    aimAt(-16.0f);  // meets the water plane about 6.8 ahead
    fireWeapon();
    EXPECT_EQ(arena.rippleCount, 1);
    EXPECT_GE(arena.splashDropCount, 12);
    EXPECT_NEAR(arena.ripples[0].position.y, WATER_LEVEL, 1e-5f);
    EXPECT_TRUE(isInStream(arena.ripples[0].position.x, arena.ripples[0].position.z));

    testworld::emptyArena(&arena);
    aimAt(-45.0f);  // lands 1.95 ahead: dry ground, no splash
    fireWeapon();
    EXPECT_EQ(arena.rippleCount, 0);
    arena.fireCooldown = 0;
    aimAt(0.0f);  // level shots never splash
    fireWeapon();
    EXPECT_EQ(arena.rippleCount, 0);
}

TEST(StreamTest, NeedsABuiltStreamAndUsesEveryThirdSample) {
    (parkBuilt.terrain = parkBuilt.stream = 0);
    EXPECT_FALSE(isInStream(0, 0));
    seedRandomForRun(3);
    buildStream();
    for (int k = 0; k < STREAM_SAMPLES; ++k) {
        streamSampleX[k] = (float)k;
        streamSampleZ[k] = 0.0f;
    }
    EXPECT_TRUE(isInStream(3.0f, 1.7f));
    EXPECT_FALSE(isInStream(3.0f, 1.81f));
    // Sample 200 is never used (201 is 1 from it but 3 from 198); 198 is.
    EXPECT_FALSE(isInStream(201.0f, 0.0f));
    EXPECT_TRUE(isInStream(199.7f, 0.0f));
}

namespace {

// Devices open in start-up order: gunshot, rain, enemy kill, red enemy kill,
// rabbit kill, deer kill, footstep, ambient.
enum { GUNSHOT_DEVICE = 0, ENEMY_KILL_DEVICE = 2, RED_KILL_DEVICE = 3, RABBIT_KILL_DEVICE = 4, DEER_KILL_DEVICE = 5 };

class ShotSounds : public Shooting {
protected:
    void SetUp() override {
        Shooting::SetUp();
        releaseSoundBank();
        resetFakeAudio();
        loadSoundBank();
    }
    void TearDown() override { releaseSoundBank(); }
    // The devices a click made play, in order.
    std::vector<int> soundsOfAClick() {
        size_t mark = fakeAudio.events.size();
        fireWeapon();
        std::vector<int> played;
        for (size_t i = mark; i < fakeAudio.events.size(); ++i)
            if (fakeAudio.events[i].call == FAKE_WRITE) played.push_back(fakeAudio.events[i].device);
        return played;
    }
    void coolDown() { arena.fireCooldown = 0.0f; }
};

}  // namespace

TEST_F(ShotSounds, EveryClickBangsAndAKillCriesOutWhatDied) {
    testworld::addEnemy(&arena, 0, -10, testworld::RED_SHIRT);
    testworld::addEnemy(&arena, 0, -20, testworld::GREY_SHIRT);
    testworld::addEnemy(&arena, 30, 30, testworld::BLUE_SHIRT);  // keeps the game going
    EXPECT_EQ(soundsOfAClick(), (std::vector<int>{GUNSHOT_DEVICE, RED_KILL_DEVICE}));
    EXPECT_EQ(soundsOfAClick(), (std::vector<int>{GUNSHOT_DEVICE}));  // refused by the cooldown
    coolDown();
    EXPECT_EQ(soundsOfAClick(), (std::vector<int>{GUNSHOT_DEVICE, ENEMY_KILL_DEVICE}));
    coolDown();
    EXPECT_EQ(soundsOfAClick(), (std::vector<int>{GUNSHOT_DEVICE}));  // a miss
    animals[2] = AnimalRecord{ANIMAL_RABBIT, 0, -6, 0, 100, 0, 0, 0, 1, 0, 0};
    animals[30] = AnimalRecord{ANIMAL_DEER, 0, -12, 0, 100, 0, 0, 0, 1, 0, 0};
    thePlayer.position.y = 0.4f;
    coolDown();
    EXPECT_EQ(soundsOfAClick(), (std::vector<int>{GUNSHOT_DEVICE, RABBIT_KILL_DEVICE}));
    thePlayer.position.y = 0.7f;
    coolDown();
    EXPECT_EQ(soundsOfAClick(), (std::vector<int>{GUNSHOT_DEVICE, DEER_KILL_DEVICE}));
    arena.gameOver = 1;
    coolDown();
    EXPECT_TRUE(soundsOfAClick().empty());  // after the victory a click does nothing
}
