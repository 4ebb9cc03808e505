#include <windows.h>

#include "app/main_window_win32.h"
#include "app/platform.h"
#include "resources/resource_ids.h"

namespace {

HHOOK questionHook = nullptr;

void unhookQuestion() {
    if (questionHook) UnhookWindowsHookEx(questionHook);
    questionHook = nullptr;
}

// The first window activated after the hook is set is the question's box.
LRESULT CALLBACK placeQuestion(int code, WPARAM wParam, LPARAM lParam) {
    HHOOK hook = questionHook;
    if (code == HCBT_ACTIVATE) {
        placeOverMainWindow((HWND)wParam);
        unhookQuestion();
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void placeOverMainWindow(HWND box) {
    RECT main, own;
    GetWindowRect(mainWindow, &main);
    GetWindowRect(box, &own);
    RECT work;
    MONITORINFO monitor;
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ScreenRect placed = placeBoxOverOwner(ScreenRect{main.left, main.top, main.right, main.bottom},
                                          own.right - own.left, own.bottom - own.top,
                                          ScreenRect{work.left, work.top, work.right, work.bottom});
    SetWindowPos(box, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int platformAskYesNo(const char* text, const char* caption) {
    // Wherever the system would put a message box (Wine centres it on the
    // screen), questions open over the game as the dialogs do.
    questionHook = SetWindowsHookExA(WH_CBT, placeQuestion, nullptr, GetCurrentThreadId());
    int answer = MessageBoxA(mainWindow, text, caption, MB_YESNO | MB_ICONQUESTION);
    unhookQuestion();
    return answer == IDYES;
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

void platformStopFrameTimer() { KillTimer(mainWindow, FRAME_TIMER); }

void platformStartFrameTimer() { SetTimer(mainWindow, FRAME_TIMER, FRAME_MILLISECONDS, nullptr); }

void platformPlaceMainWindow(ScreenRect outer) {
    SetWindowPos(mainWindow, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
