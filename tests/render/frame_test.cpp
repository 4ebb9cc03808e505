#include "render_fixture.h"

#include <cmath>

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/shell.h"
#include "combat/shooting.h"

// A whole game without a window: near each enemy in turn, with a clear line of fire, aim, click, until victory.
TEST_F(RenderTest, AHeadlessGameCanBeWon) {
    shellLeftButtonDown();  // the first click captures the mouse
    int enemies = theArena.enemyCount;
    for (int target = 0; target < enemies; ++target) {
        const EnemyRecord& e = theArena.enemies[target];
        bool clear = false;
        for (int spot = 0; spot < 96 && !clear; ++spot) {  // around it, closer in a dense wood, chest then head
            Vec3 aim = {e.position.x, e.position.y + (spot < 48 ? 1.3f : 1.9f), e.position.z};
            float angle = spot * 22.5f * PI_F / 180, reach = 7.0f - 1.5f * (spot % 48 / 16);
            float x = aim.x + reach * std::cos(angle), z = aim.z + reach * std::sin(angle);
            standAt(std::fmax(-126, std::fmin(126, x)), std::fmax(-126, std::fmin(126, z)));
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
        for (int f = 0; f < 12 && !theArena.gameOver; ++f) fakePlatform.counter += 16000, frameTick();
    }
    harnessDrawFrame();
    keepFrame("victory");
    EXPECT_TRUE(theInput.mouseCaptured && theArena.victory && theArena.gameOver && theArena.enemiesLeft == 0);
    EXPECT_TRUE(theArena.score == 100 * enemies && theArena.shotsFired == enemies && theArena.hits == enemies);
}
