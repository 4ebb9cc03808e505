#pragma once

#include <cstdint>

// The game's one random sequence. It reproduces the Windows C runtime's
// rand/srand bit for bit, so a seed gives the same park on every platform.
const int RANDOM_MAX = 32767;

void seedRandom(uint32_t seed);  // srand
int nextRandom();                // rand: 0 .. 32767

// Seeds from the clock once per process, on its first call, then draws.
float randomFloat(float lo, float hi);
// lo <= hi; one draw, never seeds.
int randomInt(int lo, int hi);

// Tests and tools: start the sequence as the program does when the clock
// reads `seconds` - seeded with it, and randomFloat's first call seeding
// again from that same clock - so a native run builds the very park the
// Windows program builds in that second.
void startRandomAtClock(uint32_t seconds);
