#include "render/clouds.h"

#include "combat/arena.h"
#include "core/random.h"
#include "render/gl.h"
#include "world/park.h"

CloudField cloudField;
float cloudClock = 0.0f;

namespace {

// One quadric serves every puff of every cloud for the whole run.
GLUquadric* cloudQuadric = nullptr;

const float CLOUD_PUFF_ALPHA = 0.55f;

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
    if (!cloudQuadric) {
        cloudQuadric = gluNewQuadric();
        gluQuadricNormals(cloudQuadric, GLU_SMOOTH);
    }
    parkBuilt.clouds = 1;
}

void drawClouds(const PlayerState* player, int weatherMode, float nightBlend) {
    if (!parkBuilt.clouds) buildClouds();
    cloudClock += 0.016f;
    CloudLook look = cloudLook(weatherMode, nightBlend);
    Vec3 eye = player->position;
    // Slots the weather does not show are left alone, drift and all.
    for (int i = 0; i < look.count; ++i) {
        float d = cloudDrift(i);
        drawCloud(eye.x + d, cloudField.height[i], eye.z + cloudField.offsetZ[i], cloudField.size[i], look.red,
                  look.green, look.blue, look.alpha);
    }
}

void drawCloud(float x, float y, float z, float size, float red, float green, float blue, float alpha) {
    if (!cloudQuadric) return;
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    float s = size * 0.3f;
    for (int k = 0; k < CLOUD_PUFFS; ++k) {
        const float* puff = CLOUD_PUFF_OFFSETS[k];
        glColor4f(red, green, blue, alpha * CLOUD_PUFF_ALPHA);
        glPushMatrix();
        glTranslatef(x + puff[0] * s, y + puff[1] * s, z + puff[2] * s);
        gluSphere(cloudQuadric, s * puff[3], 10, 8);
        glPopMatrix();
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}
