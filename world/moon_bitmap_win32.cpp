#include <windows.h>

#include <cstdlib>

#include "resources/resource_ids.h"
#include "world/moon_bitmap.h"

int loadMoonBitmap(unsigned char** pixels, int* width, int* height) {
    HBITMAP bitmap = (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MOON),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!bitmap) return 0;
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth < 1 || info.bmHeight <= 0) {
        DeleteObject(bitmap);
        return 0;
    }
    unsigned char* buffer =
        (unsigned char*)std::malloc((size_t)info.bmWidth * (size_t)info.bmHeight * 3);
    if (!buffer) {
        DeleteObject(bitmap);
        return 0;
    }
    BITMAPINFO request;
    ZeroMemory(&request, sizeof(request));
    request.bmiHeader.biSize = 40;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;  // top row first
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 24;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, (UINT)info.bmHeight, buffer, &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    *pixels = buffer;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return 1;
}
