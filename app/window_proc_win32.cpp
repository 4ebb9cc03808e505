#include <windows.h>

#include "app/main_window_win32.h"
#include "app/shell.h"

// Thin: every message becomes one call of the portable shell.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetTimer(window, FRAME_TIMER, FRAME_MILLISECONDS, nullptr);
            shellWindowCreated();
            return 0;
        case WM_DESTROY:
            KillTimer(window, FRAME_TIMER);
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            shellWindowSized(LOWORD(lParam), HIWORD(lParam), wParam == SIZE_MINIMIZED);
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = (const RECT*)lParam;
            shellDisplayScaleChanged(
                LOWORD(wParam),
                ScreenRect{suggested->left, suggested->top, suggested->right, suggested->bottom});
            return 0;
        }
        case WM_COMMAND:
            shellCommand(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == FRAME_TIMER && shellTimerTick()) SwapBuffers(windowDeviceContext);
            return 0;
        case WM_KEYDOWN:
            shellKeyDown((int)wParam, (lParam & (1 << 30)) != 0);
            return 0;
        case WM_KEYUP:
            shellKeyUp((int)wParam);
            return 0;
        case WM_MOUSEMOVE:
            shellMouseMoved();
            return 0;
        case WM_LBUTTONDOWN:
            shellLeftButtonDown();
            return 0;
        case WM_RBUTTONDOWN:
            shellRightButtonDown();
            return 0;
        // Whatever takes the keyboard or the mouse from the game frees both;
        // the default handling (focus, capture) still runs.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) shellFocusLost();
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_ACTIVATEAPP:
            if (!wParam) shellFocusLost();
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_KILLFOCUS:
        case WM_ENTERMENULOOP:
        case WM_CANCELMODE:
            shellFocusLost();
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_CAPTURECHANGED:
            if ((HWND)lParam != window) releaseMouse();
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
