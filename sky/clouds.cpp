#include "sky/clouds.h"

#include "combat/arena.h"
#include "core/random.h"
#include "render/gl.h"
#include "render/mesh_batch.h"
#include "render/view_frustum.h"
#include "world/park.h"

CloudField cloudField;
float cloudClock = 0.0f;

namespace {

const float CLOUD_PUFF_ALPHA = 0.55f;
// The farthest a puff reaches from its cloud's centre, in units of 0.3 x
// the cloud's size: puff 1 sits 0.78 out with radius 0.7.
const float CLOUD_REACH = 1.5f;

void beginCloudBlend() {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

void endCloudBlend() {
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

// Adds the cloud's puffs to the batch.
void batchCloudPuffs(float x, float y, float z, float size, float red, float green, float blue,
                     float alpha) {
    float s = size * 0.3f;
    const BatchColour colour = {red, green, blue, alpha * CLOUD_PUFF_ALPHA};
    for (int k = 0; k < CLOUD_PUFFS; ++k) {
        const float* puff = CLOUD_PUFF_OFFSETS[k];
        Placement p = placementAt(x + puff[0] * s, y + puff[1] * s, z + puff[2] * s);
        batchSphere(&p, s * puff[3], 10, 8, colour);
    }
}

}  // namespace

CloudLook cloudLook(int weatherMode, float nightBlend) {
    CloudLook look;
    if (weatherMode == WEATHER_RAIN) {
        look = CloudLook{20, 0.3f, 0.3f, 0.35f, 0.8f};
    } else if (weatherMode == WEATHER_SNOW) {
        look = CloudLook{22, 0.5f, 0.5f, 0.55f, 0.7f};
    } else {
        look = CloudLook{6, 0.95f, 0.95f, 0.97f, 0.55f};
    }
    look.red -= 0.2f * nightBlend;
    look.green -= 0.2f * nightBlend;
    look.blue -= 0.15f * nightBlend;
    return look;
}

float cloudDrift(int slot) {
    CloudField* f = &cloudField;
    float d = cloudClock * f->speed[slot] + f->driftBase[slot];
    if (d > CLOUD_BAND) f->driftBase[slot] -= 2.0f * CLOUD_BAND;
    if (d < -CLOUD_BAND) f->driftBase[slot] += 2.0f * CLOUD_BAND;
    return d;
}

void buildClouds() {
    CloudField* f = &cloudField;
    for (int i = 0; i < CLOUD_SLOTS; ++i) {
        f->driftBase[i] = randomFloat(-CLOUD_BAND, CLOUD_BAND);
        f->offsetZ[i] = randomFloat(-CLOUD_BAND, CLOUD_BAND);
        f->height[i] = randomFloat(55.0f, 80.0f);
        f->speed[i] = randomFloat(1.5f, 4.0f);
        f->size[i] = randomFloat(8.0f, 20.0f);
    }
    parkBuilt.clouds = 1;
}

void drawClouds(const PlayerState* player, int weatherMode, float nightBlend) {
    if (!parkBuilt.clouds) buildClouds();
    cloudClock += 0.016f;
    CloudLook look = cloudLook(weatherMode, nightBlend);
    Vec3 eye = player->position;
    ViewFrustum view = currentViewFrustum();
    // The sky state is set even when no cloud is in view: the steps after rely on it.
    beginCloudBlend();
    // Slots the weather does not show are left alone, drift and all; those
    // shown drift and wrap whether in view or not. Those in view are drawn
    // in one batch, cloud after cloud, so they blend as before.
    beginMeshBatch();
    for (int i = 0; i < look.count; ++i) {
        float d = cloudDrift(i);
        float x = eye.x + d, y = cloudField.height[i], z = eye.z + cloudField.offsetZ[i];
        float size = cloudField.size[i];
        if (sphereInView(&view, x, y, z, CLOUD_REACH * 0.3f * size))
            batchCloudPuffs(x, y, z, size, look.red, look.green, look.blue, look.alpha);
    }
    drawMeshBatch();
    endCloudBlend();
}

void drawCloud(float x, float y, float z, float size, float red, float green, float blue,
               float alpha) {
    beginCloudBlend();
    beginMeshBatch();
    batchCloudPuffs(x, y, z, size, red, green, blue, alpha);
    drawMeshBatch();
    endCloudBlend();
}
