#include "player/player.h"

#include <cmath>

#include "player/input.h"
#include "world/terrain.h"

PlayerState thePlayer;

namespace {
float toRadians(float degrees) { return degrees * PI_F / 180.0f; }

float clampTo(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
}  // namespace

void resetPlayer(PlayerState* player) {
    // South of the park centre, looking north toward it.
    player->position = makeVec3(0.0f, EYE_HEIGHT, 25.0f);
    player->yaw = -90.0f;
    player->pitch = 0.0f;
}

Vec3 viewDirection(const PlayerState* player) {
    double y = toRadians(player->yaw);
    double p = toRadians(player->pitch);
    return makeVec3((float)(std::cos(y) * std::cos(p)), (float)std::sin(p),
                    (float)(std::sin(y) * std::cos(p)));
}

Vec3 rightVector(const PlayerState* player) {
    return vecNormalize(vecCross(viewDirection(player), makeVec3(0, 1, 0)));
}

void movePlayer(PlayerState* player, float strafe, float forward, float step) {
    Vec3 f = viewDirection(player);
    Vec3 r = rightVector(player);
    Vec3 m = vecAdd(vecAdd(makeVec3(0, 0, 0), vecScale(f, forward)), vecScale(r, strafe));
    // Diagonals are as fast as straight lines.
    if (vecLength(m) > 0.001f) m = vecScale(vecNormalize(m), step * MOVE_SPEED_FACTOR);
    Vec3* p = &player->position;
    *p = vecAdd(*p, m);
    if (p->y < EYE_HEIGHT) p->y = EYE_HEIGHT;
    p->x = clampTo(p->x, -PLAYER_LIMIT, PLAYER_LIMIT);
    p->z = clampTo(p->z, -PLAYER_LIMIT, PLAYER_LIMIT);
}

void updatePlayer() {
    float forward = theInput.moveForwardHeld ? 1.0f : 0.0f;
    if (theInput.moveBackHeld) forward -= 1.0f;
    float strafe = theInput.moveLeftHeld ? -1.0f : 0.0f;
    if (theInput.moveRightHeld) strafe += 1.0f;
    movePlayer(&thePlayer, strafe, forward, PLAYER_STEP);
    // The ground only lifts the eye; nothing pulls it down.
    float ground = terrainHeightAt(thePlayer.position.x, thePlayer.position.z) + EYE_HEIGHT;
    if (ground > thePlayer.position.y) thePlayer.position.y = ground;
}

void applyMouseLook(PlayerState* player, float dx, float dy) {
    player->yaw += dx * MOUSE_SENSITIVITY;
    player->pitch -= dy * MOUSE_SENSITIVITY;
    player->pitch = clampTo(player->pitch, -PITCH_LIMIT, PITCH_LIMIT);
}
