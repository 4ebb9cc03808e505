#pragma once

// Half the width of the water's body: it reaches this far either side of the centre line.
const float WATER_HALF_WIDTH = 1.5f;

// The stream as translucent water with shimmering ripple lines, and the fish
// in it. One call per frame advances the fish by one fixed step and draws
// everything; clock is the scene's fixed-step clock.
void drawStream(float clock);
