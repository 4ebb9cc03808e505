#pragma once

#include <windows.h>

// The handles the Windows edge shares: set up by the entry point, read by the
// window procedure, the platform services and the dialogs.
extern HINSTANCE moduleInstance;
extern HWND mainWindow;
extern HDC windowDeviceContext;
extern HGLRC glContext;

// The timer whose every message is one frame.
const UINT_PTR FRAME_TIMER = 1;
const UINT FRAME_MILLISECONDS = 16;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a box (a dialog, a question) over the main window, onto the work area
// of the display the game is on.
void placeOverMainWindow(HWND box);
