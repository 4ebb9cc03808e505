#pragma once

#include "core/vec3.h"

// The player: a free-moving eye with a heading and an elevation.

const float EYE_HEIGHT = 1.7f;
const float PLAYER_STEP = 0.016f;
const float MOVE_SPEED_FACTOR = 10.0f;
const float PLAYER_LIMIT = 126.5f;
const float MOUSE_SENSITIVITY = 0.15f;
const float PITCH_LIMIT = 89.0f;

struct PlayerState {
    Vec3 position;  // eye position
    float yaw;      // degrees, not wrapped; 0 looks along +x, 90 along +z
    float pitch;    // degrees, positive looks up, within +-89
};

extern PlayerState thePlayer;

void resetPlayer(PlayerState* player);
Vec3 viewDirection(const PlayerState* player);
Vec3 rightVector(const PlayerState* player);
// strafe and forward are -1, 0 or +1.
void movePlayer(PlayerState* player, float strafe, float forward, float step);
// Once per frame from the held keys of theInput.
void updatePlayer();
void applyMouseLook(PlayerState* player, float dx, float dy);
// Loads the view transform; the scene pass calls it after resetting the model-view matrix.
void applyCamera(const PlayerState* player);
