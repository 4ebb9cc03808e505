#include <windows.h>

#include "hud/font.h"
#include "render/gl.h"

unsigned int fontListBase = 0;

void buildFontLists(void* deviceContext) {
    HDC dc = (HDC)deviceContext;
    // The glyphs come from whatever font the device context has selected: its default.
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
}
