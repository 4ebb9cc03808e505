#pragma once

#include <windows.h>

// The handles the Windows edge shares: set up by the entry point, read by the
// window procedure, the platform services and the dialogs.
extern HINSTANCE moduleInstance;
extern HWND mainWindow;
extern HDC windowDeviceContext;
extern HGLRC glContext;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a box (a dialog, a question) over the main window, onto the work area
// of the display the game is on.
void placeOverMainWindow(HWND box);
