#include "core/vec3.h"

#include <cmath>

Vec3 makeVec3(float x, float y, float z) {
    Vec3 v = {x, y, z};
    return v;
}

Vec3 vecAdd(Vec3 a, Vec3 b) { return makeVec3(a.x + b.x, a.y + b.y, a.z + b.z); }

Vec3 vecSub(Vec3 a, Vec3 b) { return makeVec3(a.x - b.x, a.y - b.y, a.z - b.z); }

Vec3 vecScale(Vec3 v, float s) { return makeVec3(v.x * s, v.y * s, v.z * s); }

float vecLength(Vec3 v) { return (float)std::sqrt((double)(v.x * v.x + v.y * v.y + v.z * v.z)); }

Vec3 vecNormalize(Vec3 v) {
    float length = vecLength(v);
    if (length < 0.0001f) return makeVec3(0.0f, 0.0f, 0.0f);
    float k = 1.0f / length;
    return vecScale(v, k);
}

float vecDot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 vecCross(Vec3 a, Vec3 b) {
    return makeVec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float vecDistance(Vec3 a, Vec3 b) { return vecLength(vecSub(a, b)); }

int rayHitsSphere(Vec3 origin, Vec3 direction, Vec3 centre, float radius, float* t) {
    Vec3 oc = vecSub(origin, centre);
    float k2 = vecDot(direction, direction);
    float k1 = 2.0f * vecDot(oc, direction);
    float k0 = vecDot(oc, oc) - radius * radius;
    float disc = k1 * k1 - 4.0f * k2 * k0;
    if (disc < 0.0f) return 0;
    float s = (float)std::sqrt((double)disc);
    float t1 = (-k1 - s) / (2.0f * k2);
    float t2 = (-k1 + s) / (2.0f * k2);
    if (t1 > 0.01f) {
        *t = t1;
        return 1;
    }
    if (t2 > 0.01f) {
        *t = t2;
        return 1;
    }
    return 0;
}
