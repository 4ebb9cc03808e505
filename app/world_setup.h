#pragma once

// Once per run, with the rendering context current: a fresh park (nothing
// built yet), the fixed lighting and material state, the textures, and the
// placement of everything in the park. Without a context the GL calls do
// nothing and the park is placed all the same.
void initWorld();
