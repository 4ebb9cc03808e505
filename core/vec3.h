#pragma once

// A point or direction in world space: y is up.
struct Vec3 {
    float x, y, z;
};

Vec3 makeVec3(float x, float y, float z);
Vec3 vecAdd(Vec3 a, Vec3 b);
Vec3 vecSub(Vec3 a, Vec3 b);
Vec3 vecScale(Vec3 v, float s);
float vecLength(Vec3 v);
Vec3 vecNormalize(Vec3 v);
float vecDot(Vec3 a, Vec3 b);
Vec3 vecCross(Vec3 a, Vec3 b);
float vecDistance(Vec3 a, Vec3 b);

// Nearest intersection at least 0.01 ahead of the origin; t is left alone on a miss.
int rayHitsSphere(Vec3 origin, Vec3 direction, Vec3 centre, float radius, float* t);

// The one pi the game converts degrees with.
const float PI_F = 3.1415927f;
