#include "render/primitives.h"

#include "render/gl.h"

void drawCylinder(float baseRadius, float topRadius, float height, int slices) {
    GLUquadric* quadric = gluNewQuadric();
    if (!quadric) return;
    gluCylinder(quadric, baseRadius, topRadius, height, slices, 1);
    gluDeleteQuadric(quadric);
}

void drawSphere(float radius, int slices, int stacks) {
    GLUquadric* quadric = gluNewQuadric();
    if (!quadric) return;
    gluSphere(quadric, radius, slices, stacks);
    gluDeleteQuadric(quadric);
}
