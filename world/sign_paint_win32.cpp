#include <windows.h>

#include <cstring>

#include "world/sign_paint.h"

namespace {

void drawBoardText(HDC dc) {
    HFONT font =
        CreateFontW(56, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"SimHei");
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, RGB(SIGN_TEXT_COLOUR[0], SIGN_TEXT_COLOUR[1], SIGN_TEXT_COLOUR[2]));
    SetBkMode(dc, TRANSPARENT);
    wchar_t wide[64];
    if (!MultiByteToWideChar(CP_UTF8, 0, SIGN_CHINESE_NAME, -1, wide, 64)) wide[0] = 0;
    RECT upper = {20, 20, 492, 130};
    DrawTextW(dc, wide, -1, &upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    HFONT latin =
        CreateFontA(40, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    SelectObject(dc, latin);
    RECT lower = {20, 130, 492, 236};
    DrawTextA(dc, SIGN_ENGLISH_NAME, -1, &lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteObject(latin);
}

}  // namespace

int paintSignBoard(unsigned char* pixels) {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = SIGN_BOARD_WIDTH;
    info.bmiHeader.biHeight = -SIGN_BOARD_HEIGHT;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP board =
        memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!board || !bits) {
        if (board) DeleteObject(board);
        if (memory) DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return 0;
    }
    HGDIOBJ previousBitmap = SelectObject(memory, board);

    RECT whole = {0, 0, SIGN_BOARD_WIDTH, SIGN_BOARD_HEIGHT};
    HBRUSH wood =
        CreateSolidBrush(RGB(SIGN_BOARD_COLOUR[0], SIGN_BOARD_COLOUR[1], SIGN_BOARD_COLOUR[2]));
    FillRect(memory, &whole, wood);
    DeleteObject(wood);
    RECT edge = {8, 8, 504, 248};
    HBRUSH frame =
        CreateSolidBrush(RGB(SIGN_FRAME_COLOUR[0], SIGN_FRAME_COLOUR[1], SIGN_FRAME_COLOUR[2]));
    FrameRect(memory, &edge, frame);
    DeleteObject(frame);

    drawBoardText(memory);

    SelectObject(memory, previousBitmap);
    GdiFlush();
    std::memcpy(pixels, bits, (size_t)SIGN_BOARD_WIDTH * SIGN_BOARD_HEIGHT * 4);
    DeleteObject(board);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return 1;
}
