#pragma once

// The fixed 2-D space every screen overlay draws in (crosshair, flash, HUD,
// scope frame): 800 x 600 units, origin bottom left, stretched over the
// viewport whatever the window size.

const float OVERLAY_WIDTH = 800.0f;
const float OVERLAY_HEIGHT = 600.0f;

// Saves both matrices, sets the overlay projection and turns lighting and
// depth testing off.
void beginOverlay();
// Turns depth testing and lighting back on and restores both matrices,
// leaving the model-view matrix selected.
void endOverlay();
