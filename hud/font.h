#pragma once

// Bitmap-font display lists for the HUD: one list per character code 32..127,
// drawn in the window's default font, sized for the display's scale.

const int FONT_FIRST_CODE = 32;
const int FONT_LIST_COUNT = 96;

// Name of the list for code 32; 0 until built, and 0 for good where the
// platform has no font (text then draws nothing).
extern unsigned int fontListBase;

// deviceContext: the window's device context, passed through opaquely; dpi:
// the dots per inch of the display the window stands on.
void buildFontLists(void* deviceContext, int dpi);
// The lists again, in the same device context, for a display of another
// scale. Nothing before the first build.
void rebuildFontLists(int dpi);
