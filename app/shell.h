#pragma once

#include "app/window_placement.h"

// The shell's logic, driven by the window procedure: one call per message.

// Virtual-key codes the game reacts to.
enum GameKey {
    KEY_ESCAPE = 27,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_A = 65,
    KEY_B = 66,
    KEY_D = 68,
    KEY_N = 78,
    KEY_R = 82,
    KEY_S = 83,
    KEY_W = 87,
};

extern int clientWidth;
extern int clientHeight;
// Dots per inch of the display the window stands on: 96 at 100 %.
extern int displayDpi;

void shellWindowCreated();
// wasDown: the key was already down (an auto-repeat).
void shellKeyDown(int key, int wasDown = 0);
void shellKeyUp(int key);
// The window lost the keyboard or the mouse (another window, a menu, a box):
// free the pointer and let go of the movement keys.
void shellFocusLost();
void shellMouseMoved();
void shellLeftButtonDown();
void shellRightButtonDown();
void shellCommand(int commandId);
// A new client size, or the window minimised: a minimised game pauses (no
// frames, no rain) and goes on from the same moment when it shows again.
void shellWindowSized(int width, int height, int minimised);
int shellPaused();
// One frame timer message; 1 when it drew a frame, which then wants showing.
int shellTimerTick();
// The window moved to a display of another scale: it takes the outer
// rectangle suggested for it there, and the text and the sign are made anew
// at that scale.
void shellDisplayScaleChanged(int dpi, ScreenRect suggested);

void captureMouse();
void releaseMouse();
void restartGame();
void updateWeatherMenuChecks();
// Records the client size (a zero height as 1) and reapplies the projection.
void resizeView(int width, int height);
