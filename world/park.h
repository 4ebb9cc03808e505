#pragma once

// What the park builds once, on first use, and keeps for the whole run. World
// set-up starts every run with none of it built.
struct ParkBuilds {
    int terrain;      // the height grid
    int stream;       // the centre line and the fish
    int snowPatches;  // where snow settles first
    int stars;
    int clouds;
    int bushes;
    // Drawing prepared once in the rendering context that world set-up found
    // (display lists, a texture), from the records as they stand at the first
    // frame that draws them. Whoever moves scenery or reshapes the ground
    // after that clears the flag, and the next frame prepares it afresh.
    int groundLists;   // the ground's lists
    int snowLayer;     // the snowy look's texture, made from the patch map
    int sceneryLists;  // trees, rocks and flowers
    int bushLists;
    int scopeFrame;  // the binocular frame's vignette mask and glass
    int textGlyphs;  // the font lists' glyphs, read back for drawing text a line at a time
};

extern ParkBuilds parkBuilt;
