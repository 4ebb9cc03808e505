#include "world/fish.h"

#include <cmath>

#include "core/random.h"

FishSchool fishSchool;

void initFishSchool() {
    FishSchool* f = &fishSchool;
    for (int i = 0; i < FISH_COUNT; ++i) {
        f->along[i] = randomFloat(0.1f, 0.9f);
        f->red[i] = randomFloat(0.7f, 1.0f);
        f->green[i] = randomFloat(0.3f, 0.8f);
        f->blue[i] = randomFloat(0.1f, 0.4f);
        f->phase[i] = randomFloat(0.0f, 6.28f);
        f->targetAlong[i] = f->along[i];
        f->idleTimer[i] = randomFloat(2.0f, 6.0f);
        f->moving[i] = 0;
    }
}

// Fixed steps per frame, not per second: fish swim faster at higher frame rates.
void updateFishSchool() {
    FishSchool* f = &fishSchool;
    for (int i = 0; i < FISH_COUNT; ++i) {
        if (f->moving[i]) {
            float d = f->targetAlong[i] - f->along[i];
            if (d > -0.005f && d < 0.005f) {
                f->moving[i] = 0;
                f->idleTimer[i] = randomFloat(2.0f, 6.0f);
            } else {
                f->along[i] += d * 0.001f;
            }
        } else {
            f->idleTimer[i] -= 0.016f;
            f->along[i] += (float)std::sin((double)f->phase[i]) * 0.00015f;
            if (f->idleTimer[i] <= 0.0f) {
                f->moving[i] = 1;
                float target = f->along[i] + randomFloat(-0.15f, 0.15f);
                if (target < 0.02f) target = 0.02f;
                if (target > 0.98f) target = 0.98f;
                f->targetAlong[i] = target;
            }
        }
        f->phase[i] += 0.04f;
        if (f->along[i] < 0.0f) f->along[i] += 1.0f;
        if (f->along[i] > 1.0f) f->along[i] -= 1.0f;
    }
}
