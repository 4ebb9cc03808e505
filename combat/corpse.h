#pragma once

// A killed creature tips over at 180 degrees per second, then lies until its
// corpse timer runs out.
inline void advanceCorpse(float* fallAngle, float* corpseTimer, float dt) {
    if (*fallAngle < 90.0f) {
        *fallAngle += dt * 180.0f;
        if (*fallAngle > 90.0f) *fallAngle = 90.0f;
    } else if (*corpseTimer > 0.0f) {
        *corpseTimer -= dt;
    }
}

const float CORPSE_TIME = 8.0f;
