#include "app/frame_tick.h"

#include "app/dialogs.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/shell.h"
#include "audio/cues.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "core/random.h"
#include "hud/hud.h"
#include "player/player.h"
#include "render/scene.h"
#include "render/weather.h"
#include "world/terrain.h"

RainbowState theRainbow;
int firstFrame = 1;
float footstepTimer = 0.0f;
float ambientTimer = 0.0f;
int victoryShown = 0;
int victoryCount = 0;

namespace {

int64_t performanceFrequency = 1;
int64_t lastCounter = 0;

}  // namespace

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
        footstepTimer -= dt;
        if (footstepTimer <= 0.0f) {
            playFootstepCue();
            footstepTimer = FOOTSTEP_INTERVAL;
        }
    } else {
        // The first step of the next walk sounds at once.
        footstepTimer = 0.0f;
    }
}

void rollAmbientSound(float dt) {
    ambientTimer -= dt;
    if (ambientTimer > 0.0f) return;
    int night = isNight(theArena.nightBlend);
    ambientTimer = (float)((nextRandom() % 20) / 10.0 + 3.0);
    if (night) {
        int chance = theArena.weatherMode == WEATHER_CLEAR ? 20 : nextRandom() % 6 + 5;
        if (nextRandom() % 100 < chance) playNightAmbientCue();
    } else {
        int chance = theArena.weatherMode == WEATHER_CLEAR ? 10 : (theArena.weatherMode == WEATHER_RAIN ? 5 : 3);
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
    if (alpha > 1.0f) alpha = 1.0f;
    if (alpha < 0.0f) {
        alpha = 0.0f;
        theRainbow.active = 0;
    }
    theRainbow.alpha = alpha;
}

namespace {

void countVictory() {
    if (!theArena.gameOver || !theArena.victory || victoryShown) return;
    // Set before the dialog: frames that run inside it must not open it again.
    victoryShown = 1;
    victoryCount += 1;
    if (victoryCount >= 3) {
        victoryCount = 0;
        showDonateDialog();
    }
}

}  // namespace

void frameClockStart() {
    performanceFrequency = platformPerformanceFrequency();
    if (performanceFrequency <= 0) performanceFrequency = 1;
    lastCounter = platformPerformanceCounter();
}

float frameDeltaSeconds() {
    int64_t now = platformPerformanceCounter();
    float dt = (float)((double)(now - lastCounter) / (double)performanceFrequency);
    if (dt > MAX_FRAME_SECONDS) dt = MAX_FRAME_SECONDS;
    if (dt < 0.0f) dt = 0.001f;
    lastCounter = now;
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
    if (theArena.weatherMode == WEATHER_RAIN && rainDropCount > 0) drawRain(rainDrops, rainDropCount);
    if (theArena.weatherMode == WEATHER_RAIN && rainSplashCount > 0) drawRainSplashes(rainSplashes, rainSplashCount);
    if (theArena.weatherMode == WEATHER_SNOW && snowFlakeCount > 0) drawSnow(snowFlakes, snowFlakeCount);
    drawHud(&theArena, &thePlayer, theInput.binocularsOn);
}

void frameTick() {
    if (firstFrame) {
        lastCounter = platformPerformanceCounter();
        firstFrame = 0;
    }
    float dt = frameDeltaSeconds();
    simulateFrame(dt);
    drawFrame();
    countVictory();
}
