#include <windows.h>

#include <ctime>

#include "app/main_window_win32.h"
#include "app/shell.h"
#include "app/startup.h"
#include "audio/sound_bank.h"
#include "core/random.h"
#include "resources/resource_ids.h"

HINSTANCE moduleInstance = nullptr;
HWND mainWindow = nullptr;
HDC windowDeviceContext = nullptr;
HGLRC glContext = nullptr;

namespace {

const char* const WINDOW_CLASS = "Korvane";
const char* const WINDOW_CAPTION = "Gladewarden";
const DWORD WINDOW_STYLE = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
HKL savedKeyboardLayout = nullptr;
// The client area on a display at 100 %.
const int DESIGN_CLIENT_WIDTH = 800;
const int DESIGN_CLIENT_HEIGHT = 600;

// Newer functions of user32, looked up when the program runs, so that it
// still starts where they are missing (older Windows, Wine).
typedef UINT(WINAPI* GetDpiForWindowProc)(HWND);
typedef BOOL(WINAPI* AdjustWindowRectExForDpiProc)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Proc>
Proc user32Function(const char* name) {
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(found));
}

int windowDpi(HWND window) {
    GetDpiForWindowProc dpiForWindow = user32Function<GetDpiForWindowProc>("GetDpiForWindow");
    UINT dpi = dpiForWindow ? dpiForWindow(window) : 0;
    if (dpi) return (int)dpi;
    // Without per-display scales every window has the system's.
    HDC dc = GetDC(window);
    int systemDpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(window, dc);
    return systemDpi > 0 ? systemDpi : 96;
}

// The window's outer rectangle for a client area of width x height below the
// menu bar, with the frame and the menu bar measured at the display's scale.
RECT outerRectForClient(int width, int height, int dpi) {
    RECT outer = {0, 0, width, height};
    AdjustWindowRectExForDpiProc adjustForDpi =
        user32Function<AdjustWindowRectExForDpiProc>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&outer, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_APPWINDOW, dpi))
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_APPWINDOW);
    return outer;
}

int createMainWindow() {
    moduleInstance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = LoadIconA(moduleInstance, MAKEINTRESOURCEA(IDI_GLADEWARDEN));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = WINDOW_CLASS;
    if (!RegisterClassExA(&windowClass)) return 0;

    // Made at its size for a display at 100 %: only the window knows the
    // scale of the display it opened on.
    RECT outer = outerRectForClient(clientWidth, clientHeight, 96);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    HMENU menu = LoadMenuA(moduleInstance, MAKEINTRESOURCEA(IDR_MAIN_MENU));
    mainWindow =
        CreateWindowExA(WS_EX_APPWINDOW, WINDOW_CLASS, WINDOW_CAPTION, WINDOW_STYLE, CW_USEDEFAULT,
                        CW_USEDEFAULT, width, height, nullptr, menu, moduleInstance, nullptr);
    if (!mainWindow) return 0;

    // The client area below the menu bar is as much larger as the display is scaled.
    displayDpi = windowDpi(mainWindow);
    outer = outerRectForClient(MulDiv(DESIGN_CLIENT_WIDTH, displayDpi, 96),
                               MulDiv(DESIGN_CLIENT_HEIGHT, displayDpi, 96), displayDpi);
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;

    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + ((work.right - work.left) - width) / 2;
    int y = work.top + ((work.bottom - work.top) - height) / 2;
    MoveWindow(mainWindow, x, y, width, height, FALSE);
    return 1;
}

void showMainWindow() {
    ShowWindow(mainWindow, SW_SHOW);
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    UpdateWindow(mainWindow);
}

void destroyMainWindow() {
    if (mainWindow) DestroyWindow(mainWindow);
    UnregisterClassA(WINDOW_CLASS, moduleInstance);
}

int initRenderingContext() {
    windowDeviceContext = GetDC(mainWindow);
    PIXELFORMATDESCRIPTOR format;
    ZeroMemory(&format, sizeof(format));
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 24;
    format.cStencilBits = 8;
    format.iLayerType = PFD_MAIN_PLANE;
    int index = ChoosePixelFormat(windowDeviceContext, &format);
    if (index == 0) return 0;
    if (!SetPixelFormat(windowDeviceContext, index, &format)) return 0;
    glContext = wglCreateContext(windowDeviceContext);
    if (!glContext) return 0;
    if (!wglMakeCurrent(windowDeviceContext, glContext)) return 0;
    prepareWorld(windowDeviceContext);
    return 1;
}

void releaseRenderingContext() {
    if (glContext) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(glContext);
        glContext = nullptr;
    }
    if (windowDeviceContext) {
        ReleaseDC(mainWindow, windowDeviceContext);
        windowDeviceContext = nullptr;
    }
}

// Frames come only from the timer; an idle loop sleeps rather than spins.
WPARAM runMessageLoop() {
    MSG message;
    for (;;) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            // Minimised, nothing happens until a message comes.
            if (shellPaused())
                WaitMessage();
            else
                Sleep(1);
            continue;
        }
        if (message.message == WM_QUIT) return message.wParam;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    seedRandom((uint32_t)std::time(nullptr));
    // Missing sounds stay silent; nothing here can stop the game.
    loadSoundBank();
    savedKeyboardLayout = GetKeyboardLayout(0);
    // The movement keys are read in the US layout whatever the player uses.
    ActivateKeyboardLayout((HKL)(ULONG_PTR)0x04090409, 0);

    if (!createMainWindow()) {
        MessageBoxA(nullptr, "Window Creation Failed!", "Error", MB_ICONERROR | MB_OK);
        return 1;
    }
    if (!initRenderingContext()) {
        MessageBoxA(nullptr, "OpenGL Initialization Failed!", "Error", MB_ICONERROR | MB_OK);
        destroyMainWindow();
        return 1;
    }
    // Shown only once its pixel format is set: setting the format on a shown
    // window drops what was painted of its frame under Wine, and nothing paints
    // the caption and menu bar again.
    showMainWindow();
    startFirstGame();

    WPARAM exitCode = runMessageLoop();

    PlaySoundA(nullptr, nullptr, 0);
    if (savedKeyboardLayout) ActivateKeyboardLayout(savedKeyboardLayout, 0);
    releaseSoundBank();
    releaseRenderingContext();
    destroyMainWindow();
    return (int)exitCode;
}
