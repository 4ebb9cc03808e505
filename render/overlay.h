#pragma once

// The 2-D space every screen overlay draws in (crosshair, flash, HUD, scope
// frame): origin bottom left, y up. A reference area of 800 x 600 units is
// scaled evenly to just fit the viewport, so circles stay round and squares
// square at any window shape; what the viewport has to spare on its longer
// side widens or heightens the space. An 800 x 600 viewport has a unit a pixel.

const float OVERLAY_WIDTH = 800.0f;
const float OVERLAY_HEIGHT = 600.0f;

// The overlay's extent in units.
struct OverlaySpace {
    float width, height;
};

// The space over a viewport of the given pixels (a side of 0 counts as 1).
OverlaySpace overlaySpaceFor(int viewportWidth, int viewportHeight);

// Saves both matrices, sets the overlay projection over the current viewport
// and turns lighting and depth testing off. Returns the space's extent.
OverlaySpace beginOverlay();
// Turns depth testing and lighting back on and restores both matrices,
// leaving the model-view matrix selected.
void endOverlay();
