#include "core/random.h"

#include <ctime>

namespace {
uint32_t randomState = 1;
int randomFloatSeeded = 0;
const double RAND_SCALE = 32767.0;
}  // namespace

void seedRandom(uint32_t seed) { randomState = seed; }

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return (int)((randomState >> 16) & 0x7FFFu);
}

float randomFloat(float lo, float hi) {
    if (!randomFloatSeeded) {
        seedRandom((uint32_t)std::time(nullptr));
        randomFloatSeeded = 1;
    }
    int r = nextRandom();
    return (float)(lo + (r / RAND_SCALE) * (double)(hi - lo));
}

int randomInt(int lo, int hi) { return nextRandom() % (hi - lo + 1) + lo; }

void seedRandomForRun(uint32_t seed) {
    seedRandom(seed);
    randomFloatSeeded = 1;
}
