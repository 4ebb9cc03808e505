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
};

extern ParkBuilds parkBuilt;
