#include "app/startup.h"

#include "app/shell.h"
#include "app/world_setup.h"
#include "combat/arena.h"
#include "hud/font.h"
#include "player/player.h"
#include "render/gl.h"
#include "world/sign.h"

void prepareWorld(void* deviceContext) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The sign is painted and the text's font chosen for the display's scale.
    signBoardScale = signBoardScaleForDpi(displayDpi);
    initWorld();
    buildFontLists(deviceContext, displayDpi);
    resizeView(clientWidth, clientHeight);
}

void startFirstGame() {
    resetPlayer(&thePlayer);
    resetArena(&theArena);
    updateWeatherMenuChecks();
}
