#pragma once

// HUD text drawn a line at a time. A software OpenGL pays dearly for every
// glyph's bitmap, and the HUD shows over a hundred glyphs on every frame, so
// each line is put together once into a single bitmap and drawn with one
// glBitmap, landing on exactly the pixels its glyphs would. The glyphs are
// whatever the font lists draw: on the first text frame each list is drawn
// once into a corner of the frame and read back (the corner is put back as
// it was), so the window's own font works as well as the native stand-in.
// The glyphs belong to the rendering context (parkBuilt.textGlyphs).

// Draws text at an overlay position in the current colour, as calling the
// font list of every character (code taken as a signed byte) would, over a
// dark outline one pixel wide all round its glyphs, so it reads on any
// ground: codes outside 32..127 draw nothing. Nothing when there are no font
// lists. Leaves the current colour as it found it.
// Expects the overlay projection, with lighting, depth testing and blending off.
void drawTextLine(float x, float y, const char* text);
