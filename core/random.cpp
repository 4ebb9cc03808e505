#include "core/random.h"

#include <ctime>

namespace {
uint32_t randomState = 1;
int randomFloatSeeded = 0;
int clockFixed = 0;
uint32_t fixedClock = 0;

uint32_t clockSeconds() { return clockFixed ? fixedClock : (uint32_t)std::time(nullptr); }
const double RAND_SCALE = 32767.0;
}  // namespace

void seedRandom(uint32_t seed) { randomState = seed; }

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return (int)((randomState >> 16) & 0x7FFFu);
}

float randomFloat(float lo, float hi) {
    if (!randomFloatSeeded) {
        seedRandom(clockSeconds());
        randomFloatSeeded = 1;
    }
    int r = nextRandom();
    return (float)(lo + (r / RAND_SCALE) * (double)(hi - lo));
}

int randomInt(int lo, int hi) { return nextRandom() % (hi - lo + 1) + lo; }

void startRandomAtClock(uint32_t seconds) {
    clockFixed = 1;
    fixedClock = seconds;
    randomFloatSeeded = 0;
    seedRandom(seconds);
}
