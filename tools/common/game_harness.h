#pragma once

#include <cstdint>

// The game without a window: started like the program starts it, from a
// fixed seed, drawing offscreen; frames advance by a fixed time step so every
// run is the same.

// Opens an offscreen canvas of the given size and starts a game; 1 on success.
int harnessStart(uint32_t seed, int width, int height);
// Simulates and draws frames of dt seconds each.
void harnessRunFrames(int frames, float dt);
// Draws one frame of the current state without advancing anything.
void harnessDrawFrame();
