#pragma once

// Once per run, with the rendering context current: the fixed lighting and
// material state, the textures, and the placement of everything in the park.
void initWorld();
