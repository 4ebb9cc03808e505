#pragma once

// The portable half of start-up, shared by the Windows entry point and the
// native harnesses so both build the game the same way.

// With the rendering context current: blending, the world, the font lists and
// the projection. deviceContext is the window's (null natively).
void prepareWorld(void* deviceContext);
// The player and the first game, and the Weather menu's marks.
void startFirstGame();
