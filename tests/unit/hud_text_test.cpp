#include <gtest/gtest.h>

#include <string>

#include "hud/font.h"
#include "hud/hud.h"
#include "support/world_fixture.h"

namespace {

class HudText : public ::testing::Test {
protected:
    ArenaState arena;
    void SetUp() override {
        testworld::buildPark(31);
        testworld::emptyArena(&arena);
    }
    std::string line(int which) {
        char text[HUD_TEXT_SIZE];
        formatHudLine(which, &arena, text);
        return text;
    }
};

}  // namespace

TEST_F(HudText, CountersShowScoreAndEnemiesLeft) {
    arena.score = 430;
    arena.enemiesLeft = 17;
    EXPECT_EQ(line(HUD_SCORE), "Score: 430");
    EXPECT_EQ(line(HUD_ENEMIES), "Enemies: 17");
}

TEST_F(HudText, AccuracyReadsDashesUntilTheFirstShotThenOneDecimal) {
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: --");
    arena.shotsFired = 3;
    arena.hits = 1;
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: 33.3%");
    arena.hits = 2;
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: 66.7%");
    arena.shotsFired = 2;
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: 100.0%");
    arena.hits = 0;
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: 0.0%");
}

TEST_F(HudText, LivingAnimalsAreCountedByKindAndTheDeadDropOutAtOnce) {
    EXPECT_EQ(countLivingAnimals(ANIMAL_RABBIT), 25);
    EXPECT_EQ(countLivingAnimals(ANIMAL_DEER), 25);
    EXPECT_EQ(line(HUD_ANIMALS), "Rabbits: 25  Deer: 25");
    killAnimal(3);
    killAnimal(30);
    killAnimal(31);
    // Still lying there with a corpse timer, but no longer counted.
    EXPECT_GT(animals[30].corpseTimer, 0.0f);
    EXPECT_EQ(countLivingAnimals(ANIMAL_RABBIT), 24);
    EXPECT_EQ(countLivingAnimals(ANIMAL_DEER), 23);
    EXPECT_EQ(line(HUD_ANIMALS), "Rabbits: 24  Deer: 23");
    respawnAnimals();
    EXPECT_EQ(line(HUD_ANIMALS), "Rabbits: 25  Deer: 25");
}

TEST_F(HudText, WithoutFontListsTextIsSilentlySkipped) {
    // The native build has no window font; building leaves no lists.
    buildFontLists(nullptr);
    EXPECT_EQ(fontListBase, 0u);
    drawText2D(10.0f, 10.0f, "Score: 0");  // no GL context here: must not touch GL
}
