#include "player/player.h"
#include "render/gl.h"

void applyCamera(const PlayerState* player) {
    Vec3 eye = player->position;
    Vec3 centre = vecAdd(eye, viewDirection(player));
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, 0.0, 1.0, 0.0);
}
