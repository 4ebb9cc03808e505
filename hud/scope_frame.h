#pragma once

// The binocular scope frame over the zoomed view, in the overlay space: a
// vignette darkening outward from the lens in twenty rings, solid black
// beyond, the lens rim, the reticle with its range ticks, a glare arc and a
// faint green wash over the glass. Drawn last, over the HUD.
//
// The vignette's rings are long thin slivers that cost the software
// rasteriser several times what their pixels are worth. The first scope
// frame at a viewport size draws them once into the frame, reads back how
// dark they made each pixel and restores the frame; every scope frame then
// lays that mask over the view as one textured quad, which leaves the same
// pixels. The rest of the frame is a display list, made again when a new
// window shape moves the lens's centre. Both belong to the rendering context
// (parkBuilt.scopeFrame).

// Centred in the overlay space of the current viewport. Expects that space's
// projection (beginOverlay), lighting and depth testing off; leaves blending
// and texturing off and the line width at 1.
void drawScopeFrame();
