#include "app/world_setup.h"

#include "app/scene.h"
#include "combat/animals.h"
#include "combat/arena.h"
#include "render/gl.h"
#include "sky/clouds.h"
#include "sky/sky.h"
#include "world/park.h"
#include "world/placement.h"
#include "world/sign.h"
#include "world/textures.h"

ParkBuilds parkBuilt;

void initWorld() {
    // A fresh park: nothing built yet and the drawing clocks at zero.
    parkBuilt = ParkBuilds{};
    sceneClock = 0.0f;
    cloudClock = 0.0f;

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);

    // The day's light and sky until the first pass sets them for the hour.
    setSceneLight(0.0f);

    // Every glColor then sets the surface colour of lit geometry.
    const GLfloat specular[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);

    SkyColour day = skyColour(WEATHER_CLEAR, 0.0f);
    glClearColor(day.red, day.green, day.blue, 1.0f);

    createGrassTexture();
    loadMoonTexture();
    placeFlowers();
    placeTrees();
    placeRocks();
    placeAnimals();
    buildSign();
}
