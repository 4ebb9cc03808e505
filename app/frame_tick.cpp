#include "app/frame_tick.h"

#include "app/dialogs.h"
#include "app/platform.h"
#include "app/scene.h"
#include "app/shell.h"
#include "audio/cues.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "core/clock.h"
#include "core/random.h"
#include "hud/hud.h"
#include "player/input.h"
#include "player/player.h"
#include "sky/weather.h"
#include "world/terrain.h"

// Both start when the window does (startFrameClock).
FrameState theFrame;
RainbowState theRainbow;

void easeNightBlend(float dt) {
    float target = theArena.nightTarget ? 1.0f : 0.0f;
    float diff = target - theArena.nightBlend;
    if (diff > 0.001f || diff < -0.001f)
        theArena.nightBlend += diff * dt * NIGHT_EASE_RATE;
    else
        theArena.nightBlend = target;
}

void scheduleFootsteps(float dt) {
    int moving = theInput.moveForwardHeld || theInput.moveBackHeld || theInput.moveLeftHeld ||
                 theInput.moveRightHeld;
    int onGround = thePlayer.position.y <=
                   terrainHeightAt(thePlayer.position.x, thePlayer.position.z) + EYE_HEIGHT + 0.05f;
    if (moving && onGround) {
        theFrame.footstepTimer -= dt;
        if (theFrame.footstepTimer <= 0.0f) {
            playFootstepCue();
            theFrame.footstepTimer = FOOTSTEP_INTERVAL;
        }
    } else {
        // The first step of the next walk sounds at once.
        theFrame.footstepTimer = 0.0f;
    }
}

void rollAmbientSound(float dt) {
    theFrame.ambientTimer -= dt;
    if (theFrame.ambientTimer > 0.0f) return;
    int night = isNight(theArena.nightBlend);
    theFrame.ambientTimer = (float)((nextRandom() % 20) / 10.0 + 3.0);
    if (night) {
        int chance = theArena.weatherMode == WEATHER_CLEAR ? 20 : nextRandom() % 6 + 5;
        if (nextRandom() % 100 < chance) playNightAmbientCue();
    } else {
        int chance = theArena.weatherMode == WEATHER_CLEAR
                         ? 10
                         : (theArena.weatherMode == WEATHER_RAIN ? 5 : 3);
        if (nextRandom() % 100 < chance) playDayAmbientCue();
    }
}

void ageRainbow(float dt) {
    if (!theRainbow.active) return;
    theRainbow.age += dt;
    float age = theRainbow.age;
    float alpha;
    if (age < 5.0f)
        alpha = age / 5.0f;
    else if (age <= 35.0f)
        alpha = 1.0f;
    else
        alpha = 1.0f - (age - 35.0f) / 5.0f;
    if (alpha < 0.0f) {
        alpha = 0.0f;
        theRainbow.active = 0;
    }
    theRainbow.alpha = alpha;
}

namespace {

void countVictory() {
    if (!theArena.gameOver || !theArena.victory || theFrame.victoryShown) return;
    // Set before the dialog: frames that run inside it must not open it again.
    theFrame.victoryShown = 1;
    theFrame.victoryCount += 1;
    if (theFrame.victoryCount >= 3) {
        theFrame.victoryCount = 0;
        showDonateDialog();
    }
}

}  // namespace

void startFrameClock() {
    theFrame = FrameState{};
    theFrame.frequency = platformPerformanceFrequency();
    if (theFrame.frequency <= 0) theFrame.frequency = 1;
    theFrame.lastCounter = platformPerformanceCounter();
    theFrame.firstFrame = 1;
    theRainbow = RainbowState{};
}

void frameStateNewGame() {
    theFrame.firstFrame = 1;
    theFrame.victoryShown = 0;
}

void startRainbow(float yaw) { theRainbow = RainbowState{1, 0.0f, 0.0f, yaw}; }

float frameDeltaSeconds() {
    int64_t now = platformPerformanceCounter();
    float dt = (float)((double)(now - theFrame.lastCounter) / (double)theFrame.frequency);
    if (dt > MAX_FRAME_SECONDS) dt = MAX_FRAME_SECONDS;
    if (dt < 0.0f) dt = 0.001f;
    theFrame.lastCounter = now;
    return dt;
}

void simulateFrame(float dt) {
    easeNightBlend(dt);
    // Night ends a rainbow at once.
    if (isNight(theArena.nightBlend) && theRainbow.active) {
        theRainbow.active = 0;
        theRainbow.alpha = 0.0f;
    }
    updatePlayer();
    scheduleFootsteps(dt);
    rollAmbientSound(dt);
    ageRainbow(dt);
    updateArena(&theArena, dt, thePlayer.position);
    updateWeather(dt);
    updateAnimals(dt);
    if (theArena.weatherMode == WEATHER_RAIN)
        startRainLoop();
    else
        stopRainLoop();
}

void drawScenePass() {
    if (theInput.binocularsOn) applyBinocularProjection(clientWidth, clientHeight, BINOCULAR_ZOOM);
    renderScene(&thePlayer, &theArena, theRainbow.alpha, theRainbow.yaw);
    // Weather and HUD always use the normal projection.
    if (theInput.binocularsOn) applyNormalProjection(clientWidth, clientHeight);
}

void drawFrame() {
    drawScenePass();
    if (theArena.weatherMode == WEATHER_RAIN && rainDropCount > 0)
        drawRain(rainDrops, rainDropCount);
    if (theArena.weatherMode == WEATHER_RAIN && rainSplashCount > 0)
        drawRainSplashes(rainSplashes, rainSplashCount);
    if (theArena.weatherMode == WEATHER_SNOW && snowFlakeCount > 0)
        drawSnow(snowFlakes, snowFlakeCount);
    drawHud(&theArena, &thePlayer, theInput.binocularsOn);
}

void frameTick() {
    if (theFrame.firstFrame) {
        theFrame.lastCounter = platformPerformanceCounter();
        theFrame.firstFrame = 0;
    }
    float dt = frameDeltaSeconds();
    simulateFrame(dt);
    drawFrame();
    countVictory();
}
