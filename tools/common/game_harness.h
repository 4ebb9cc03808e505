#pragma once

#include <cstdint>

#include "core/vec3.h"
#include "player/player.h"

// The game without a window: started like the program starts it, from a
// fixed seed, drawing offscreen; frames advance by a fixed time step so every
// run is the same.

// Opens an offscreen canvas of the given size and starts a game as the
// program starts one when its clock reads clockSeconds, so the park is the
// one the Windows program builds in that second; 1 on success.
int harnessStart(uint32_t clockSeconds, int width, int height);
// The program's start without its window, from the random sequence the clock
// gives at clockSeconds; with a current context the world is drawable.
void startProgramAt(uint32_t clockSeconds);
// Simulates and draws frames of dt seconds each.
void harnessRunFrames(int frames, float dt);
// Draws one frame of the current state without advancing anything.
void harnessDrawFrame();
// Turns the player to look straight at a world point (pitch kept within the limit).
// Turns a pose (the player or any other) from where it stands toward a point.
void lookFromAt(PlayerState* pose, Vec3 target);
void harnessLookAt(Vec3 target);
// Stands the player on the ground at (x, z), eye at ground + 1.7.
void harnessStandAt(float x, float z);
