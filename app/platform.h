#pragma once

#include "app/window_placement.h"

// The handful of services the portable shell asks of the platform. Windows
// implements them in platform_win32.cpp; the native build has a null twin and
// the tests a recording fake.

// A modal yes/no question owned by the main window; the game keeps running behind it.
int platformAskYesNo(const char* text, const char* caption);
// Capture: grab the mouse, hide the cursor, keep it inside the client area,
// and report where the cursor is. Release undoes all three.
void platformCaptureMouse(int* cursorX, int* cursorY);
void platformReleaseMouse();
void platformReadCursor(int* cursorX, int* cursorY);
// Put the cursor back on the client area's centre and report where it ended up.
void platformRecentreCursor(int* cursorX, int* cursorY);
// Check exactly one Weather menu item by command id (0 checks none).
void platformSetWeatherChecks(int checkedCommand);
// Ask the main window to close, as its close button would.
void platformPostClose();
// The 16 ms frame timer, stopped while the window is minimised.
void platformStopFrameTimer();
void platformStartFrameTimer();
// Moves and sizes the main window to an outer rectangle on the screen.
void platformPlaceMainWindow(ScreenRect outer);
