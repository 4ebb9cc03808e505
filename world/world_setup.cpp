#include "world/world_setup.h"

#include "render/gl.h"
#include "world/placement.h"
#include "world/sign.h"
#include "world/textures.h"

void initWorld() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);

    const GLfloat lightPosition[4] = {50.0f, 80.0f, 30.0f, 1.0f};
    const GLfloat lightAmbient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat lightDiffuse[4] = {0.8f, 0.8f, 0.7f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);

    // Every glColor then sets the surface colour of lit geometry.
    const GLfloat specular[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);

    glClearColor(0.53f, 0.81f, 0.92f, 1.0f);

    createGrassTexture();
    loadMoonTexture();
    placeFlowers();
    placeTrees();
    placeRocks();
    placeAnimals();
    buildSign();
}
