#pragma once

// The fixed aiming mark at the screen centre, in the overlay space (so it
// stays centred and grows with the window, its four arms alike).

void drawCrosshair();
// One line of width 2 in overlay units; the width stays 2 afterwards.
void drawLine2D(float x1, float y1, float x2, float y2);
