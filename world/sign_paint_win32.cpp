#include <windows.h>

#include <cstring>

#include "world/sign_paint.h"

namespace {

// A rectangle of the board's design, at the scale it is painted.
RECT scaled(int left, int top, int right, int bottom, int scale) {
    return RECT{left * scale, top * scale, right * scale, bottom * scale};
}

HFONT boardFont(int height, const wchar_t* face) {
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face);
}

void drawBoardText(HDC dc, int scale) {
    HFONT font = boardFont(56 * scale, L"SimHei");
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, RGB(SIGN_TEXT_COLOUR[0], SIGN_TEXT_COLOUR[1], SIGN_TEXT_COLOUR[2]));
    SetBkMode(dc, TRANSPARENT);
    wchar_t wide[64];
    if (!MultiByteToWideChar(CP_UTF8, 0, SIGN_CHINESE_NAME, -1, wide, 64)) wide[0] = 0;
    RECT upper = scaled(20, 20, 492, 130, scale);
    DrawTextW(dc, wide, -1, &upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    HFONT latin = boardFont(40 * scale, L"Arial");
    SelectObject(dc, latin);
    RECT lower = scaled(20, 130, 492, 236, scale);
    DrawTextA(dc, SIGN_ENGLISH_NAME, -1, &lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteObject(latin);
}

}  // namespace

int paintSignBoard(unsigned char* pixels, int scale) {
    const int width = SIGN_BOARD_WIDTH * scale;
    const int height = SIGN_BOARD_HEIGHT * scale;
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
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

    RECT whole = {0, 0, width, height};
    HBRUSH wood =
        CreateSolidBrush(RGB(SIGN_BOARD_COLOUR[0], SIGN_BOARD_COLOUR[1], SIGN_BOARD_COLOUR[2]));
    FillRect(memory, &whole, wood);
    DeleteObject(wood);
    // The frame line is one pixel of the design: as many nested lines as the scale.
    HBRUSH frame =
        CreateSolidBrush(RGB(SIGN_FRAME_COLOUR[0], SIGN_FRAME_COLOUR[1], SIGN_FRAME_COLOUR[2]));
    RECT edge = scaled(8, 8, 504, 248, scale);
    for (int line = 0; line < scale; ++line) {
        FrameRect(memory, &edge, frame);
        InflateRect(&edge, -1, -1);
    }
    DeleteObject(frame);

    drawBoardText(memory, scale);

    SelectObject(memory, previousBitmap);
    GdiFlush();
    std::memcpy(pixels, bits, (size_t)width * height * 4);
    DeleteObject(board);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return 1;
}
