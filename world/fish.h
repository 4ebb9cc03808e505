#pragma once

// The school of small fish that idles and swims along the stream.

const int FISH_COUNT = 25;

struct FishSchool {
    float along[FISH_COUNT];  // fraction of the centre line, wrapped into [0, 1]
    float red[FISH_COUNT];
    float green[FISH_COUNT];
    float blue[FISH_COUNT];
    float phase[FISH_COUNT];        // radians, tail and drift
    float targetAlong[FISH_COUNT];  // end of the current swim, [0.02, 0.98]
    float idleTimer[FISH_COUNT];    // seconds before the next swim
    int moving[FISH_COUNT];
};

extern FishSchool fishSchool;

// Draws the school's starting values; run by buildStream right after the centre line.
void initFishSchool();
// One fixed per-frame step of every fish (idle drift, swims, wrapping).
void updateFishSchool();
