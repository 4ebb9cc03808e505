#include "app/platform.h"

// The native build has no window: questions are answered no and the mouse stays
// where it is.

int platformAskYesNo(const char*, const char*) { return 0; }

void platformCaptureMouse(int* cursorX, int* cursorY) { platformReadCursor(cursorX, cursorY); }

void platformReleaseMouse() {}

void platformReadCursor(int* cursorX, int* cursorY) {
    *cursorX = 400;
    *cursorY = 300;
}

void platformRecentreCursor(int* cursorX, int* cursorY) { platformReadCursor(cursorX, cursorY); }

void platformSetWeatherChecks(int) {}

void platformPostClose() {}

void platformStopFrameTimer() {}

void platformStartFrameTimer() {}

void platformPlaceMainWindow(ScreenRect) {}
