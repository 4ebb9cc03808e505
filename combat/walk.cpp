#include "combat/walk.h"

#include <cmath>

#include "core/vec3.h"

namespace {

int leavesOutward(float from, float to, float limit) {
    return (to < -limit && to < from) || (to > limit && to > from);
}

// Once beyond the line, only steps back toward it are taken.
float heldAtLine(float from, float to, float limit) {
    if ((from < -limit && to < from) || (from > limit && to > from)) return from;
    return to;
}

}  // namespace

void proposeStep(float x, float z, float speed, float dt, float limit, float* heading, float* timer,
                 float* nx, float* nz) {
    float h = *heading * PI_F / 180.0f;
    float px = x + (float)std::cos((double)h) * speed * dt;
    float pz = z + (float)std::sin((double)h) * speed * dt;
    if (leavesOutward(x, px, limit)) {
        *heading = 180.0f - *heading;
        *timer = 0.0f;
    }
    if (leavesOutward(z, pz, limit)) {
        *heading = 360.0f - *heading;
        *timer = 0.0f;
    }
    *nx = heldAtLine(x, px, limit);
    *nz = heldAtLine(z, pz, limit);
}
