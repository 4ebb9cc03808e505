#include "render_fixture.h"

#include <cmath>

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "combat/shooting.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "world/placement.h"
#include "world/terrain.h"

namespace {

// Whole frames through frameTick, timed by the fake performance counter.
class FrameTick : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300};
        theFrame.victoryShown = theFrame.victoryCount = 0;
        theFrame.footstepTimer = theFrame.ambientTimer = 0.0f;
        theRainbow = RainbowState{};
        theFrame.firstFrame = 1;
        startFrameClock();
    }
    void TearDown() override {
        theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300};
        RenderTest::TearDown();
    }
    // One timer message after `seconds` of real time.
    void tickAfter(double seconds) {
        fakePlatform.counter += (int64_t)(seconds * (double)fakePlatform.frequency);
        frameTick();
    }
};

}  // namespace

TEST_F(FrameTick, ALongStallCountsAsATenthOfASecond) {
    theArena.weatherMode = WEATHER_SNOW;
    tickAfter(0.0);  // the first frame re-reads the counter
    float cover = theArena.snowCover;
    tickAfter(10.0);
    EXPECT_NEAR(theArena.snowCover - cover, 0.1f * 0.03f, 1e-6f);
    cover = theArena.snowCover;
    fakePlatform.counter -= 5000;  // a counter that runs backwards
    frameTick();
    EXPECT_NEAR(theArena.snowCover - cover, 0.001f * 0.03f, 1e-7f);
}

TEST_F(FrameTick, TheFirstFrameAfterANewGameMeasuresNoTime) {
    theArena.weatherMode = WEATHER_SNOW;
    tickAfter(0.016);
    fakePlatform.counter += 5 * fakePlatform.frequency;  // time passes before the new game
    restartGame();
    float cover = theArena.snowCover;
    frameTick();
    EXPECT_EQ(theArena.snowCover, cover);
}

TEST_F(FrameTick, EveryThirdVictoryOpensDonateOnce) {
    for (int win = 1; win <= 6; ++win) {
        theArena.gameOver = theArena.victory = 1;
        tickAfter(0.016);
        tickAfter(0.016);  // counted once per game
        EXPECT_EQ(fakePlatform.donateDialogs, win / 3) << "after win " << win;
        restartGame();
        tickAfter(0.016);
    }
    EXPECT_EQ(theFrame.victoryCount, 0);
    EXPECT_EQ(fakePlatform.mouseCapturedAtLastDialog, 0);
}

TEST_F(FrameTick, NightEndsARainbowAtOnce) {
    tickAfter(0.016);
    theRainbow = RainbowState{1, 10.0f, 1.0f, 0.0f};
    theArena.nightBlend = 0.49f;
    theArena.nightTarget = 1;
    tickAfter(0.016);
    EXPECT_EQ(theRainbow.active, 0);
    EXPECT_EQ(theRainbow.alpha, 0.0f);
}

// A whole game without a window: walk up to each enemy with a clear line of
// fire, aim, shoot, wait out the cooldown, until the victory screen.
TEST_F(FrameTick, AHeadlessGameCanBeWon) {
    shellLeftButtonDown();  // capture the mouse
    ASSERT_EQ(theInput.mouseCaptured, 1);
    int enemies = theArena.enemyCount;
    int shots = 0;
    for (int guard = 0; guard < 400 && !theArena.victory; ++guard) {
        int target = -1;
        for (int i = 0; i < theArena.enemyCount; ++i)
            if (theArena.enemies[i].alive) {
                target = i;
                break;
            }
        ASSERT_GE(target, 0);
        const EnemyRecord& e = theArena.enemies[target];
        // Try spots around the enemy, and its head, chest and legs, until
        // nothing stands between.
        bool aimed = false;
        for (int spot = 0; spot < 192 && !aimed; ++spot) {
            static const float AIM_HEIGHTS[3] = {1.3f, 0.7f, 1.9f};
            Vec3 centre = makeVec3(e.position.x, e.position.y + AIM_HEIGHTS[spot / 64], e.position.z);
            float angle = spot * 22.5f * PI_F / 180.0f;
            float reach = 7.0f - 1.5f * (float)(spot % 64 / 16);  // closer in a dense wood
            float x = centre.x + reach * std::cos(angle), z = centre.z + reach * std::sin(angle);
            if (std::fabs(x) > 126.0f || std::fabs(z) > 126.0f) continue;
            harnessStandAt(x, z);
            harnessLookAt(centre);
            Vec3 dir = viewDirection(&thePlayer);
            float distance = vecDistance(centre, thePlayer.position);
            SceneryHit tree = testTreeHit(thePlayer.position, dir);
            SceneryHit rock = testRockHit(thePlayer.position, dir);
            AnimalHit animal = {0, 0, 0, 0};
            testAnimalHit(thePlayer.position, dir, &animal);
            aimed = (!tree.hit || tree.distance > distance) && (!rock.hit || rock.distance > distance) &&
                    (!animal.hit || animal.distance > distance);
        }
        ASSERT_TRUE(aimed) << "no clear line to enemy " << target;
        shellLeftButtonDown();
        ++shots;
        ASSERT_EQ(theArena.enemies[target].alive, 0) << "shot " << shots << " missed";
        for (int f = 0; f < 12; ++f) tickAfter(0.016);  // the cooldown runs out
    }
    EXPECT_EQ(theArena.victory, 1);
    EXPECT_EQ(theArena.gameOver, 1);
    EXPECT_EQ(theArena.enemiesLeft, 0);
    EXPECT_EQ(theArena.score, 100 * enemies);
    EXPECT_EQ(theArena.shotsFired, shots);
    EXPECT_EQ(theArena.hits, shots);
    EXPECT_EQ(theFrame.victoryShown, 1);
    keepFrame("victory");
}
