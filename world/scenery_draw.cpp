#include "world/scenery_draw.h"

#include "render/gl.h"
#include "render/primitives.h"
#include "world/terrain.h"

namespace {

const int DISC_SEGMENTS = 8;

// A flat disc at height y closing the foot of a trunk or the base of a crown.
void drawFlatDisc(float y, float radius) {
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0.0f, y, 0.0f);
    for (int k = 0; k <= DISC_SEGMENTS; ++k) {
        CirclePoint p = circlePoint(k, DISC_SEGMENTS, PI_SHORT);
        glVertex3f(radius * p.c, y, radius * p.s);
    }
    glEnd();
}

// Quadric cylinders run along +z; this stands them upright.
void turnUp() { glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); }

}  // namespace

void drawFlowers() {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glPointSize(4.0f);
    glBegin(GL_POINTS);
    for (int i = 0; i < FLOWER_COUNT; ++i) {
        const FlowerRecord& f = flowers[i];
        glColor3f(f.red, f.green, f.blue);
        glVertex3f(f.x, terrainHeightAt(f.x, f.z) + 0.02f, f.z);
    }
    glEnd();
    glEnable(GL_LIGHTING);
}

void drawTree(const TreeRecord* tree) {
    float h = tree->height;
    float r = tree->crownRadius;
    glPushMatrix();
    glTranslatef(tree->x, terrainHeightAt(tree->x, tree->z), tree->z);

    glColor3f(0.35f, 0.22f, 0.1f);
    glPushMatrix();
    turnUp();
    glScalef(0.3f, 0.3f, 0.4f * h);
    drawCylinder(1.0f, 1.0f, 1.0f, 8);
    glPopMatrix();
    drawFlatDisc(0.0f, 0.3f);

    glColor3f(0.05f, 0.35f, 0.08f);
    glPushMatrix();
    glTranslatef(0.0f, 0.4f * h, 0.0f);
    turnUp();
    drawCylinder(r, 0.1f, 0.6f * h, 8);
    glPopMatrix();
    drawFlatDisc(0.4f * h, r);

    // The upper cone starts halfway up the lower one and has no base.
    glColor3f(0.08f, 0.42f, 0.12f);
    glPushMatrix();
    glTranslatef(0.0f, 0.4f * h + 0.5f * 0.6f * h, 0.0f);
    turnUp();
    drawCylinder(0.7f * r, 0.05f, 0.7f * 0.6f * h, 8);
    glPopMatrix();

    glPopMatrix();
}

void drawRock(const RockRecord* rock) {
    glPushMatrix();
    // Centred half its height above the ground: the lower half is buried.
    glTranslatef(rock->x, terrainHeightAt(rock->x, rock->z) + 0.5f * rock->sizeY, rock->z);
    glRotatef(rock->yaw, 0.0f, 1.0f, 0.0f);
    glScalef(rock->sizeX, rock->sizeY, rock->sizeZ);
    glColor3f(rock->red, rock->green, rock->blue);
    drawSphere(1.0f, 8, 6);
    glPopMatrix();
}
