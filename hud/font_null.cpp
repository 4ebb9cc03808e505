#include "hud/font.h"

#include <cstdint>

#include "render/gl.h"

// No window fonts natively, so a small hand-drawn 5 x 7 font stands in: text
// shows in offscreen frames, the tests can read the HUD back, and the
// benchmarks draw what the Windows program draws.
unsigned int fontListBase = 0;

// Codes 32 .. 126; rows top to bottom, five bits each, the left column in the
// highest bit of its row and the top row in the highest bits of the glyph.
extern const uint64_t NATIVE_FONT_GLYPHS[95] = {
    0x000000000ull, 0x108421004ull, 0x294A00000ull, 0x295F57D4Aull, 0x11F4717C4ull, 0x632222263ull,
    0x32544564Dull, 0x108800000ull, 0x088842082ull, 0x208210888ull, 0x009575480ull, 0x0084F9080ull,
    0x000003088ull, 0x0000F8000ull, 0x00000018Cull, 0x002222200ull, 0x3A33AE62Eull, 0x11842108Eull,
    0x3A211111Full, 0x7C441062Eull, 0x08CA97C42ull, 0x7E1E0862Eull, 0x1910F462Eull, 0x7C2222108ull,
    0x3A317462Eull, 0x3A317844Cull, 0x018C03180ull, 0x018C03088ull, 0x088882082ull, 0x001F07C00ull,
    0x208208888ull, 0x3A2111004ull, 0x3A216D6AEull, 0x3A31FC631ull, 0x7A31F463Eull, 0x3A308422Eull,
    0x72518C65Cull, 0x7E10F421Full, 0x7E10F4210ull, 0x3A30BC62Full, 0x4631FC631ull, 0x38842108Eull,
    0x1C4210A4Cull, 0x4654C5251ull, 0x42108421Full, 0x4775AC631ull, 0x4639ACE31ull, 0x3A318C62Eull,
    0x7A31F4210ull, 0x3A318D64Dull, 0x7A31F5251ull, 0x3E107043Eull, 0x7C8421084ull, 0x46318C62Eull,
    0x46318C544ull, 0x4631AD6AAull, 0x462A22A31ull, 0x462A21084ull, 0x7C222221Full, 0x39084210Eull,
    0x020820820ull, 0x38421084Eull, 0x115100000ull, 0x00000001Full, 0x208200000ull, 0x000E0BE2Full,
    0x4216CC63Eull, 0x000E8422Eull, 0x042D9C62Full, 0x000E8FE0Eull, 0x1928E2108ull, 0x01F18BC2Eull,
    0x4216CC631ull, 0x100C2108Eull, 0x080610A4Cull, 0x4212A6292ull, 0x30842108Eull, 0x001AAD631ull,
    0x0016CC631ull, 0x000E8C62Eull, 0x001E8FA10ull, 0x000D9BC21ull, 0x0016CC210ull, 0x000E8383Eull,
    0x211C42126ull, 0x00118C66Dull, 0x00118C544ull, 0x00118D6AAull, 0x001151151ull, 0x00118BC2Eull,
    0x001F1111Full, 0x088441082ull, 0x108421084ull, 0x208411088ull, 0x0008A8800ull,
};

namespace {
const int GLYPH_WIDTH = 5;
const int GLYPH_HEIGHT = 7;
const int GLYPH_ADVANCE = 6;
}  // namespace

void buildFontLists(void*, int) {
    fontListBase = glGenLists(FONT_LIST_COUNT);
    if (!fontListBase) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < FONT_LIST_COUNT; ++i) {
        // Code 127 has no glyph: it only advances.
        uint64_t glyph = i < 95 ? NATIVE_FONT_GLYPHS[i] : 0;
        GLubyte rows[GLYPH_HEIGHT];
        // Bitmaps run bottom row first, the leftmost pixel in the highest bit.
        for (int r = 0; r < GLYPH_HEIGHT; ++r)
            rows[r] = (GLubyte)(((glyph >> (GLYPH_WIDTH * r)) & 0x1F) << 3);
        glNewList(fontListBase + (unsigned)i, GL_COMPILE);
        glBitmap(GLYPH_WIDTH, GLYPH_HEIGHT, 0.0f, 0.0f, (GLfloat)GLYPH_ADVANCE, 0.0f, rows);
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// The stand-in font has one size.
void rebuildFontLists(int) {}
