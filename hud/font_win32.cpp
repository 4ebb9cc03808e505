#include <windows.h>

#include "hud/font.h"
#include "render/gl.h"
#include "world/park.h"

unsigned int fontListBase = 0;

namespace {

HDC fontDeviceContext = nullptr;

// The default font is made for the system's scale, which is the window's
// unless the window stands on a display of another scale: there it is
// resized to match. Null when the default font fits as it is.
HFONT fontForDpi(HDC dc, int dpi) {
    int systemDpi = GetDeviceCaps(dc, LOGPIXELSY);
    if (dpi <= 0 || systemDpi <= 0 || dpi == systemDpi) return nullptr;
    LOGFONTA font;
    if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font)) return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    font.lfWidth = MulDiv(font.lfWidth, dpi, systemDpi);
    // A bitmap font comes in few sizes; an outline font of its family scales.
    font.lfOutPrecision = OUT_TT_PRECIS;
    return CreateFontIndirectA(&font);
}

}  // namespace

void buildFontLists(void* deviceContext, int dpi) {
    HDC dc = (HDC)deviceContext;
    fontDeviceContext = dc;
    HFONT sized = fontForDpi(dc, dpi);
    HGDIOBJ previous = sized ? SelectObject(dc, sized) : nullptr;
    // The glyphs come from whatever font the device context has selected.
    fontListBase = glGenLists(FONT_LIST_COUNT);
    wglUseFontBitmapsA(dc, FONT_FIRST_CODE, FONT_LIST_COUNT, fontListBase);
    // A space has no glyph, and some GL drivers then record its list without
    // the advance, running words together. Rebuild it as one blank pixel that
    // steps by the font's own space width.
    static const GLubyte BLANK[4] = {0, 0, 0, 0};
    INT spaceWidth = 0;
    if (GetCharWidth32A(dc, ' ', ' ', &spaceWidth) && spaceWidth > 0) {
        glNewList(fontListBase + (' ' - FONT_FIRST_CODE), GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, (GLfloat)spaceWidth, 0.0f, BLANK);
        glEndList();
    }
    if (sized) {
        SelectObject(dc, previous);
        DeleteObject(sized);
    }
}

void rebuildFontLists(int dpi) {
    if (!fontDeviceContext || !fontListBase) return;
    glDeleteLists(fontListBase, FONT_LIST_COUNT);
    buildFontLists(fontDeviceContext, dpi);
    // The text's glyphs are read back afresh from the new lists.
    parkBuilt.textGlyphs = 0;
}
