#include <windows.h>

#include "hud/font.h"
#include "render/gl.h"

unsigned int fontListBase = 0;

void buildFontLists(void* deviceContext) {
    // The glyphs come from whatever font the device context has selected: its default.
    fontListBase = glGenLists(FONT_LIST_COUNT);
    wglUseFontBitmapsA((HDC)deviceContext, FONT_FIRST_CODE, FONT_LIST_COUNT, fontListBase);
}
