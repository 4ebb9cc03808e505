#include <gtest/gtest.h>

#include <string>

#include "hud/hud.h"
#include "render/sky.h"
#include "support/world_fixture.h"

TEST(HudText, CountersAnimalsAndAccuracy) {
    startGame(1780351200u);
    auto line = [](int which) {
        char text[HUD_TEXT_SIZE] = "junk";
        return formatHudLine(which, &theArena, text), std::string(text);
    };
    theArena.score = 430, theArena.enemiesLeft = 17;
    EXPECT_EQ(line(HUD_SCORE) + line(HUD_ENEMIES) + line(HUD_COUNTER_LINES), "Score: 430Enemies: 17");
    EXPECT_EQ(line(HUD_ANIMALS), "Rabbits: 25  Deer: 25");
    EXPECT_EQ((killAnimal(3), killAnimal(30), killAnimal(31), line(HUD_ANIMALS)), "Rabbits: 24  Deer: 23");
    EXPECT_EQ(line(HUD_ACCURACY), "Accuracy: --");
    auto accuracy = [&](int shots, int hits) {
        return theArena.shotsFired = shots, theArena.hits = hits, line(HUD_ACCURACY);
    };
    EXPECT_EQ(accuracy(3, 1) + accuracy(3, 2) + accuracy(2, 2) + accuracy(1, 0),
              "Accuracy: 33.3%Accuracy: 66.7%Accuracy: 100.0%Accuracy: 0.0%");
}

// N = trunc(365.25 (Y + 4716)) + trunc(30.6001 (M + 1)) + D - 1524, January and February as months 13
// and 14 of the year before; p = (N - 2423196) mod 29, worked by hand.
TEST(Sky, MoonPhaseFollowsTheDateAndItsShadowLiesLeft) {
    auto phaseOn = [](int year, int month, int day) {
        return fakePlatform.year = year, fakePlatform.month = month, fakePlatform.day = day, moonPhase();
    };
    // 1 Dec 2026: 2462515 + 397 + 1 - 1524 = 2461389 = 2423196 + 29 x 1317, p = 0; day D has p = D - 1.
    const int BY_P[29] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 8, 8, 8};
    for (int day = 1; day <= 31; ++day) EXPECT_EQ(phaseOn(2026, 12, day), BY_P[(day - 1) % 29]) << day;
    EXPECT_EQ(phaseOn(2027, 1, 1), 1);   // N = 2461420, p = 2 (as month 1 of 2027 it would be p = 0)
    EXPECT_EQ(phaseOn(2027, 2, 28), 1);  // N = 2461478, p = 2
    EXPECT_EQ(phaseOn(2028, 3, 2), 7);   // N = 2461846, p = 22
    EXPECT_EQ(phaseOn(1900, 1, 1), 5);   // N = 2415033: remainder -14, raised to p = 15
    const float SHADOW[9] = {0, -7.5f, -5, -2.5f, 0, -2.5f, -5, -7.5f, 0};
    for (int phase = -1; phase <= 9; ++phase) {
        float offset = 99, want = phase >= 1 && phase <= 7 ? SHADOW[phase] : 99;
        EXPECT_TRUE(moonShadowOffset(phase, &offset) == (want != 99) && offset == want) << phase;
    }
}
