#include <windows.h>

#include "app/main_window_win32.h"
#include "app/platform.h"
#include "resources/resource_ids.h"

int platformAskYesNo(const char* text, const char* caption) {
    return MessageBoxA(mainWindow, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void platformCaptureMouse(int* cursorX, int* cursorY) {
    SetCapture(mainWindow);
    ShowCursor(FALSE);
    // Kept inside the client area, a fast move cannot leave the window between
    // two recentrings and be lost.
    RECT client;
    GetClientRect(mainWindow, &client);
    MapWindowPoints(mainWindow, nullptr, (POINT*)&client, 2);
    ClipCursor(&client);
    platformReadCursor(cursorX, cursorY);
}

void platformReleaseMouse() {
    ClipCursor(nullptr);
    ReleaseCapture();
    ShowCursor(TRUE);
}

void platformReadCursor(int* cursorX, int* cursorY) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    *cursorX = p.x;
    *cursorY = p.y;
}

void platformRecentreCursor(int* cursorX, int* cursorY) {
    RECT client;
    GetClientRect(mainWindow, &client);
    POINT centre = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(mainWindow, &centre);
    // Some systems report every SetCursorPos as a move, even onto the spot the
    // cursor already holds; the move this causes would recentre again without end.
    POINT now = {0, 0};
    GetCursorPos(&now);
    if (now.x != centre.x || now.y != centre.y) SetCursorPos(centre.x, centre.y);
    platformReadCursor(cursorX, cursorY);
}

void platformSetWeatherChecks(int checkedCommand) {
    HMENU menu = GetMenu(mainWindow);
    if (!menu) return;
    HMENU weather = GetSubMenu(menu, 1);
    if (!weather) return;
    CheckMenuItem(weather, IDM_WEATHER_NONE, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(weather, IDM_WEATHER_RAINY, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(weather, IDM_WEATHER_SNOWY, MF_BYCOMMAND | MF_UNCHECKED);
    if (checkedCommand) CheckMenuItem(weather, (UINT)checkedCommand, MF_BYCOMMAND | MF_CHECKED);
}

void platformPostClose() { PostMessageA(mainWindow, WM_CLOSE, 0, 0); }
