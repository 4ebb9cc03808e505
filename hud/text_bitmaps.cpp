#include "hud/text_bitmaps.h"

#include <cstdint>
#include <cstring>

#include "hud/font.h"
#include "hud/hud.h"
#include "render/gl.h"
#include "world/park.h"

namespace {

// A glyph is read back in a box of this many pixels a side, drawn with its
// raster position this far in from the box's lower left corner.
const int GLYPH_BOX = 64;
const int GLYPH_ORIGIN = 16;
// Longer lines than this go glyph by glyph.
const int MAX_LINE_WIDTH = 2048;
const int LINE_BYTES = MAX_LINE_WIDTH / 8;
// The outline reaches a pixel beyond the glyphs on every side.
const int OUTLINE_BYTES = LINE_BYTES + 1;
const int CACHED_LINES = 8;
// Mesa gathers bitmaps up to 256 pixels wide into one texture and draws them
// together; a wider one gets a texture of its own every time. Long lines go
// out in pieces this wide (a whole number of bytes).
const int PIECE_WIDTH = 248;

struct GlyphImage {
    uint64_t
        rows[GLYPH_BOX];  // bit c of row r: the pixel c right of and r up from the box's corner
    int advance;          // whole pixels the raster position moves on
};

struct GlyphSet {
    GlyphImage glyph[FONT_LIST_COUNT];
    int usable;  // 0 when the lists do something one bitmap a line cannot repeat
    int lowRow, highRow, lowColumn, highColumn;  // what any glyph touches in its box
};

GlyphSet glyphs;

struct LineBitmap {
    char text[HUD_TEXT_SIZE];
    int width, height;
    int advance;
    unsigned long lastUse;
    GLubyte bits[GLYPH_BOX]
                [LINE_BYTES];  // rows bottom up, the leftmost pixel in a byte's highest bit
    // Every pixel within one of a glyph's (its eight neighbours and itself),
    // from a pixel below and left of the glyphs' corner.
    GLubyte outline[GLYPH_BOX + 2][OUTLINE_BYTES];
};

LineBitmap lines[CACHED_LINES];
unsigned long useClock = 0;

int fontIndex(char c) { return (int)(signed char)c - FONT_FIRST_CODE; }

void setBit(GLubyte* row, int x) { row[x >> 3] |= (GLubyte)(0x80 >> (x & 7)); }

// Light text vanishes on snow and pale sky, dark text at night: every line
// is drawn over a one-pixel dark outline of itself.
const GLfloat OUTLINE_COLOUR[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// Reads one glyph back from the box at the window's corner; 0 if it reaches
// the box's edge or moves the raster position by other than whole pixels along x.
int readGlyph(int index, int left, int bottom, GlyphImage* out) {
    static GLubyte pixels[GLYPH_BOX * GLYPH_BOX];
    glColor3f(0.0f, 0.0f, 0.0f);
    glRectf(0.0f, 0.0f, (float)GLYPH_BOX, (float)GLYPH_BOX);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f((float)GLYPH_ORIGIN, (float)GLYPH_ORIGIN);
    glCallList(fontListBase + (unsigned)index);
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    float advance = position[0] - (float)(left + GLYPH_ORIGIN);
    if (advance != (float)(int)advance || advance < 0.0f ||
        position[1] != (float)(bottom + GLYPH_ORIGIN))
        return 0;
    out->advance = (int)advance;
    glReadPixels(left, bottom, GLYPH_BOX, GLYPH_BOX, GL_RED, GL_UNSIGNED_BYTE, pixels);
    for (int r = 0; r < GLYPH_BOX; ++r) {
        out->rows[r] = 0;
        for (int c = 0; c < GLYPH_BOX; ++c) {
            if (pixels[r * GLYPH_BOX + c] < 128) continue;
            if (r == 0 || c == 0 || r == GLYPH_BOX - 1 || c == GLYPH_BOX - 1) return 0;
            out->rows[r] |= (uint64_t)1 << c;
        }
    }
    return 1;
}

void measureGlyphs() {
    glyphs.lowRow = glyphs.lowColumn = GLYPH_BOX;
    glyphs.highRow = glyphs.highColumn = -1;
    for (const GlyphImage& g : glyphs.glyph) {
        for (int r = 0; r < GLYPH_BOX; ++r) {
            if (!g.rows[r]) continue;
            if (r < glyphs.lowRow) glyphs.lowRow = r;
            if (r > glyphs.highRow) glyphs.highRow = r;
            for (int c = 0; c < GLYPH_BOX; ++c) {
                if (!((g.rows[r] >> c) & 1)) continue;
                if (c < glyphs.lowColumn) glyphs.lowColumn = c;
                if (c > glyphs.highColumn) glyphs.highColumn = c;
            }
        }
    }
}

// Draws every list once into the window's lower left corner in white on
// black and reads it back, then puts the corner back as it was.
void captureGlyphs() {
    glyphs.usable = 0;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] < GLYPH_BOX || viewport[3] < GLYPH_BOX) return;
    static GLubyte saved[GLYPH_BOX * GLYPH_BOX * 4];
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    GLboolean texturing = glIsEnabled(GL_TEXTURE_2D), blending = glIsEnabled(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // One unit a pixel, from the viewport's corner.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glReadPixels(viewport[0], viewport[1], GLYPH_BOX, GLYPH_BOX, GL_RGBA, GL_UNSIGNED_BYTE, saved);
    int usable = 1;
    for (int i = 0; i < FONT_LIST_COUNT && usable; ++i)
        usable = readGlyph(i, viewport[0], viewport[1], &glyphs.glyph[i]);
    glRasterPos2f(0.0f, 0.0f);
    glDrawPixels(GLYPH_BOX, GLYPH_BOX, GL_RGBA, GL_UNSIGNED_BYTE, saved);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (texturing) glEnable(GL_TEXTURE_2D);
    if (blending) glEnable(GL_BLEND);
    glColor4fv(colour);
    if (usable) measureGlyphs();
    glyphs.usable = usable;
}

// The text's glyphs ORed into one bitmap, each at the pen position the
// lists would have moved the raster position to; 0 if it is too long.
const LineBitmap* lineBitmap(const char* text) {
    size_t length = std::strlen(text);
    if (length >= (size_t)HUD_TEXT_SIZE) return nullptr;
    LineBitmap* line = &lines[0];
    for (LineBitmap& l : lines) {
        if (l.lastUse && std::strcmp(l.text, text) == 0) {
            l.lastUse = ++useClock;
            return &l;
        }
        if (l.lastUse < line->lastUse) line = &l;
    }
    int pen = 0, width = 0;
    const int columns = glyphs.highColumn - glyphs.lowColumn + 1;
    std::memset(line->bits, 0, sizeof line->bits);
    std::memset(line->outline, 0, sizeof line->outline);
    for (const char* c = text; *c; ++c) {
        int index = fontIndex(*c);
        if (index < 0 || index >= FONT_LIST_COUNT) continue;
        const GlyphImage& g = glyphs.glyph[index];
        if (pen + columns > MAX_LINE_WIDTH) return nullptr;
        for (int r = glyphs.lowRow; r <= glyphs.highRow; ++r) {
            for (int c = glyphs.lowColumn; c <= glyphs.highColumn; ++c) {
                if (!((g.rows[r] >> c) & 1)) continue;
                int x = pen + c - glyphs.lowColumn;
                int y = r - glyphs.lowRow;
                setBit(line->bits[y], x);
                for (int dy = 0; dy < 3; ++dy)
                    for (int dx = 0; dx < 3; ++dx) setBit(line->outline[y + dy], x + dx);
            }
        }
        if (pen + columns > width) width = pen + columns;
        pen += g.advance;
    }
    std::memcpy(line->text, text, length + 1);
    line->width = width;
    line->height = glyphs.highRow - glyphs.lowRow + 1;
    line->advance = pen;
    line->lastUse = ++useClock;
    return line;
}

// A bitmap of rows `rowLength` pixels apart, drawn at the raster position in
// pieces: each starts where the one before ended, as each moves the raster
// position by its width, and the last by what is left of the advance.
void drawBitmapPieces(const GLubyte* bits, int rowLength, int width, int height, float xOrigin,
                      float yOrigin, int advance) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    for (int start = 0; start < width || start == 0; start += PIECE_WIDTH) {
        int piece = width - start < PIECE_WIDTH ? width - start : PIECE_WIDTH;
        int last = start + PIECE_WIDTH >= width;
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, start);
        glBitmap(piece, height, xOrigin, yOrigin, (float)(last ? advance - start : piece), 0.0f,
                 bits);
    }
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

}  // namespace

void drawTextLine(float x, float y, const char* text) {
    if (fontListBase == 0) return;
    if (!parkBuilt.textGlyphs) {
        // A fresh rendering context, and maybe another font.
        for (LineBitmap& l : lines) l.lastUse = 0;
        captureGlyphs();
        parkBuilt.textGlyphs = 1;
    }
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    const LineBitmap* line = glyphs.usable && glyphs.highRow >= 0 ? lineBitmap(text) : nullptr;
    if (!line) {
        // Glyph by glyph, all in one call a copy: list base + code - 32 for
        // every character, codes taken as signed bytes. The outline is the
        // line drawn dark a pixel off in each of the eight directions.
        const GLsizei length = (GLsizei)std::strlen(text);
        glListBase(fontListBase - (unsigned)FONT_FIRST_CODE);
        glColor4fv(OUTLINE_COLOUR);
        for (int k = 0; k < 9; ++k) {
            if (k == 4) continue;
            glRasterPos2f(x, y);
            glBitmap(0, 0, 0.0f, 0.0f, (float)(k % 3 - 1), (float)(k / 3 - 1), nullptr);
            glCallLists(length, GL_BYTE, text);
        }
        glColor4fv(colour);
        glRasterPos2f(x, y);
        glCallLists(length, GL_BYTE, text);
        glListBase(0);
        return;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const float xOrigin = (float)(GLYPH_ORIGIN - glyphs.lowColumn),
                yOrigin = (float)(GLYPH_ORIGIN - glyphs.lowRow);
    glColor4fv(OUTLINE_COLOUR);
    glRasterPos2f(x, y);
    drawBitmapPieces(&line->outline[0][0], OUTLINE_BYTES * 8, line->width + 2, line->height + 2,
                     xOrigin + 1.0f, yOrigin + 1.0f, 0);
    glColor4fv(colour);
    glRasterPos2f(x, y);
    drawBitmapPieces(&line->bits[0][0], MAX_LINE_WIDTH, line->width, line->height, xOrigin, yOrigin,
                     line->advance);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}
