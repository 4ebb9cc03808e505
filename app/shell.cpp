#include "app/shell.h"

#include "app/dialogs.h"
#include "app/frame_tick.h"
#include "app/platform.h"
#include "app/scene.h"
#include "audio/cues.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "combat/shooting.h"
#include "hud/font.h"
#include "player/input.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "sky/weather.h"
#include "world/placement.h"
#include "world/sign.h"
#include "world/terrain.h"

int clientWidth = 800;
int clientHeight = 600;
int displayDpi = 96;

namespace {

int paused = 0;

void setMovementKey(int key, int held) {
    switch (key) {
        case KEY_LEFT:
        case KEY_A:
            theInput.moveLeftHeld = held;
            break;
        case KEY_UP:
        case KEY_W:
            theInput.moveForwardHeld = held;
            break;
        case KEY_RIGHT:
        case KEY_D:
            theInput.moveRightHeld = held;
            break;
        case KEY_DOWN:
        case KEY_S:
            theInput.moveBackHeld = held;
            break;
        default:
            break;
    }
}

void clearWeatherParticles() {
    rainDropCount = 0;
    snowFlakeCount = 0;
    rainSplashCount = 0;
}

void chooseClearWeather() {
    // Rain stopping by day leaves a rainbow where the player is looking.
    if (theArena.weatherMode == WEATHER_RAIN && !isNight(theArena.nightBlend))
        startRainbow(thePlayer.yaw);
    theArena.weatherMode = WEATHER_CLEAR;
    clearWeatherParticles();
    stopRainLoop();
    updateWeatherMenuChecks();
}

void chooseRain() {
    theArena.weatherMode = WEATHER_RAIN;
    snowFlakeCount = 0;
    rainSplashCount = 0;
    spawnRain();
    updateWeatherMenuChecks();
}

void chooseSnow() {
    theArena.weatherMode = WEATHER_SNOW;
    rainDropCount = 0;
    rainSplashCount = 0;
    stopRainLoop();
    spawnSnow();
    updateWeatherMenuChecks();
}

void forgetMovementKeys() {
    theInput.moveForwardHeld = 0;
    theInput.moveBackHeld = 0;
    theInput.moveLeftHeld = 0;
    theInput.moveRightHeld = 0;
}

// A question is a box of its own: the player answers it with the pointer.
int askYesNo(const char* text) {
    shellFocusLost();
    return platformAskYesNo(text, "Confirm");
}

void askForNewGame() {
    if (theArena.gameOver) {
        restartGame();
        return;
    }
    if (askYesNo("Restart the game?")) restartGame();
}

}  // namespace

void shellWindowCreated() {
    theInput = InputState{0, 0, 0, 0, 0, 0, 400, 300};
    paused = 0;
    startFrameClock();
}

void captureMouse() {
    platformCaptureMouse(&theInput.lastCursorX, &theInput.lastCursorY);
    theInput.mouseCaptured = 1;
}

void releaseMouse() {
    if (!theInput.mouseCaptured) return;
    // Cleared first: giving up the capture reports back as a lost capture.
    theInput.mouseCaptured = 0;
    platformReleaseMouse();
}

void shellFocusLost() {
    releaseMouse();
    // Their key-up messages now go to whatever took the keyboard.
    forgetMovementKeys();
}

void shellKeyDown(int key, int wasDown) {
    // A held key repeats its key-down; switches act on the first press only.
    switch (key) {
        case KEY_ESCAPE:
            if (!wasDown) releaseMouse();
            break;
        case KEY_B:
            if (!wasDown && theInput.mouseCaptured) theInput.binocularsOn = !theInput.binocularsOn;
            break;
        case KEY_N:
            if (!wasDown) theArena.nightTarget = !theArena.nightTarget;
            break;
        case KEY_R:
            if (!wasDown) shellCommand(IDM_NEW_GAME);
            break;
        default:
            setMovementKey(key, 1);
            break;
    }
}

void shellKeyUp(int key) { setMovementKey(key, 0); }

void shellMouseMoved() {
    if (!theInput.mouseCaptured) return;
    int x, y;
    platformReadCursor(&x, &y);
    float dx = (float)(x - theInput.lastCursorX);
    float dy = (float)(y - theInput.lastCursorY);
    if (dx != 0.0f || dy != 0.0f) applyMouseLook(&thePlayer, dx, dy);
    // The move message the recentring causes then yields zero deltas.
    platformRecentreCursor(&theInput.lastCursorX, &theInput.lastCursorY);
}

void shellLeftButtonDown() {
    if (theInput.mouseCaptured)
        fireWeapon();
    else
        captureMouse();
}

void shellRightButtonDown() {
    if (!theInput.mouseCaptured) captureMouse();
}

void shellCommand(int commandId) {
    switch (commandId) {
        case IDM_WEATHER_NONE:
            chooseClearWeather();
            break;
        case IDM_WEATHER_RAINY:
            chooseRain();
            break;
        case IDM_WEATHER_SNOWY:
            chooseSnow();
            break;
        case IDM_DONATE:
            shellFocusLost();
            showDonateDialog();
            break;
        case IDM_ABOUT:
            shellFocusLost();
            showAboutDialog();
            break;
        case IDM_NEW_GAME:
            askForNewGame();
            break;
        case IDM_EXIT:
            if (askYesNo("Are you sure you want to exit?")) platformPostClose();
            break;
        case IDM_DAY_NIGHT:
            theArena.nightTarget = !theArena.nightTarget;
            break;
        default:
            break;
    }
}

void shellWindowSized(int width, int height, int minimised) {
    if (minimised) {
        // The 0 x 0 a minimised window reports is no view to draw: the last size stays.
        paused = 1;
        shellFocusLost();
        platformStopFrameTimer();
        stopRainLoop();
        return;
    }
    resizeView(width, height);
    if (!paused) return;
    paused = 0;
    // The clock starts afresh: the time spent minimised never reaches the park.
    theFrame.firstFrame = 1;
    platformStartFrameTimer();
}

int shellPaused() { return paused; }

int shellTimerTick() {
    // A timer message posted just before the timer stopped may still come.
    if (paused) return 0;
    frameTick();
    return 1;
}

void shellDisplayScaleChanged(int dpi, ScreenRect suggested) {
    displayDpi = dpi;
    platformPlaceMainWindow(suggested);
    rebuildFontLists(dpi);
    repaintSignBoard(signBoardScaleForDpi(dpi));
}

void restartGame() {
    // Weather and time of day carry over into the new game.
    int weather = theArena.weatherMode;
    int nightTarget = theArena.nightTarget;
    float nightBlend = theArena.nightBlend;
    resetArena(&theArena);
    theArena.weatherMode = weather;
    theArena.nightTarget = nightTarget;
    theArena.nightBlend = nightBlend;
    respawnAnimals();
    resetPlayer(&thePlayer);
    thePlayer.position.y = terrainHeightAt(thePlayer.position.x, thePlayer.position.z) + EYE_HEIGHT;
    frameStateNewGame();
    clearWeatherParticles();
    if (theArena.weatherMode == WEATHER_RAIN) spawnRain();
    if (theArena.weatherMode == WEATHER_SNOW) spawnSnow();
    updateWeatherMenuChecks();
}

void updateWeatherMenuChecks() {
    static const int WEATHER_ITEMS[3] = {IDM_WEATHER_NONE, IDM_WEATHER_RAINY, IDM_WEATHER_SNOWY};
    int mode = theArena.weatherMode;
    platformSetWeatherChecks(mode >= 0 && mode <= 2 ? WEATHER_ITEMS[mode] : 0);
}

void resizeView(int width, int height) {
    clientWidth = width;
    clientHeight = height == 0 ? 1 : height;
    applyNormalProjection(clientWidth, clientHeight);
}
