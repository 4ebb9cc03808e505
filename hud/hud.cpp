#include "hud/hud.h"

#include <cmath>
#include <cstdio>

#include "combat/animals.h"
#include "hud/font.h"
#include "hud/scope_frame.h"
#include "hud/text_bitmaps.h"
#include "render/gl.h"
#include "render/overlay.h"
#include "render/primitives.h"
#include "render/vertex_arrays.h"
#include "world/terrain.h"

namespace {

const char* const HELP_TEXT =
    "WASD-Move  Mouse-Look  Click-Shoot  R-Restart  B-Binoculars  ESC-Cursor";

struct CounterLine {
    float below;  // the baseline's distance from the top
    float red, green, blue;
};

const CounterLine COUNTER_LINES[HUD_COUNTER_LINES] = {
    {30.0f, 1.0f, 1.0f, 1.0f},   // score
    {55.0f, 1.0f, 1.0f, 1.0f},   // enemies
    {80.0f, 1.0f, 0.8f, 0.6f},   // rabbits and deer
    {105.0f, 0.8f, 1.0f, 0.8f},  // accuracy
};

const float TEXT_LEFT = 10.0f;
const float HELP_BOTTOM = 10.0f;
const float MAP_SCALE = MAP_SIZE / (2.0f * TERRAIN_HALF_SIZE);
// A creature's square on the map, and the gap it keeps from the frame's line.
const float MARKER_HALF = 2.0f;
const float MARKER_GAP = 1.0f;

// World +x is right on the map, world +z is up; `left` is the map's left edge.
void mapPoint(float left, float x, float z, float* mx, float* my) {
    *mx = left + (x + TERRAIN_HALF_SIZE) * MAP_SCALE;
    *my = MAP_BOTTOM + (z + TERRAIN_HALF_SIZE) * MAP_SCALE;
}

float clampTo(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

void drawRectangle(GLenum mode, float x0, float y0, float x1, float y1) {
    glBegin(mode);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

// Every enemy and animal on the map, in one call: one 4 x 4 quad a creature.
const int MAX_MARKERS = MAX_ENEMIES + ANIMAL_COUNT;
float markerPosition[4 * MAX_MARKERS][3];
float markerColour[4 * MAX_MARKERS][4];
int markerCount = 0;

// A creature by the park's edge keeps its whole square inside the frame.
void addMapMarker(float left, float x, float z, float red, float green, float blue) {
    float mx, my;
    mapPoint(left, x, z, &mx, &my);
    const float margin = MARKER_HALF + MARKER_GAP;
    mx = clampTo(mx, left + margin, left + MAP_SIZE - margin);
    my = clampTo(my, MAP_BOTTOM + margin, MAP_BOTTOM + MAP_SIZE - margin);
    const float h = MARKER_HALF;
    const float corner[4][2] = {
        {mx - h, my - h}, {mx + h, my - h}, {mx + h, my + h}, {mx - h, my + h}};
    for (int k = 0; k < 4; ++k)
        setColouredVertex(markerPosition, markerColour, 4 * markerCount + k, corner[k][0],
                          corner[k][1], 0.0f, red, green, blue, 1.0f);
    markerCount += 1;
}

void drawMapMarkers(const ArenaState* arena, float left) {
    markerCount = 0;
    for (int i = 0; i < arena->enemyCount && markerCount < MAX_MARKERS; ++i) {
        const EnemyRecord& e = arena->enemies[i];
        if (e.alive) addMapMarker(left, e.position.x, e.position.z, 1.0f, 0.2f, 0.2f);
    }
    for (const AnimalRecord& a : animals) {
        if (!a.alive || markerCount >= MAX_MARKERS) continue;
        if (a.kind == ANIMAL_DEER)
            addMapMarker(left, a.x, a.z, 0.2f, 1.0f, 0.2f);
        else
            addMapMarker(left, a.x, a.z, 1.0f, 1.0f, 0.2f);
    }
    drawColouredArrays(GL_QUADS, markerPosition, markerColour, 0, 4 * markerCount);
}

// Every second sample of the centre line, drawn from an array in one call.
void drawMapStream(float left, float n) {
    if (!isStreamBuilt()) return;
    static float line[(STREAM_SAMPLES + 1) / 2][2];
    int count = 0;
    for (int k = 0; k < STREAM_SAMPLES; k += 2, ++count)
        mapPoint(left, streamSampleX[k], streamSampleZ[k], &line[count][0], &line[count][1]);
    glLineWidth(2.0f);
    glColor4f(0.4f - 0.25f * n, 0.7f - 0.45f * n, 1.0f - 0.5f * n, 0.8f);
    glVertexPointer(2, GL_FLOAT, 0, line);
    glEnableClientState(GL_VERTEX_ARRAY);
    glDrawArrays(GL_LINE_STRIP, 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
    glLineWidth(1.0f);
}

// Clamped inside the frame, so it stays visible at the park's border.
void drawPlayerArrow(const PlayerState* player, float left) {
    float px, py;
    mapPoint(left, player->position.x, player->position.z, &px, &py);
    px = clampTo(px, left + MAP_ARROW_MARGIN, left + MAP_SIZE - MAP_ARROW_MARGIN);
    py = clampTo(py, MAP_BOTTOM + MAP_ARROW_MARGIN, MAP_BOTTOM + MAP_SIZE - MAP_ARROW_MARGIN);
    float a = player->yaw * PI_SHORT / 180.0f;
    float ca = std::cos(a);
    float sa = std::sin(a);
    glColor3f(0.3f, 0.5f, 1.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(px + 7.0f * ca, py + 7.0f * sa);
    glVertex2f(px + 3.0f * sa, py - 3.0f * ca);
    glVertex2f(px - 3.0f * sa, py + 3.0f * ca);
    glEnd();
}

void drawMap(const ArenaState* arena, const PlayerState* player, OverlaySpace space) {
    const float left = space.width - MAP_INSET - MAP_SIZE;
    float n = arena->nightBlend;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);

    const float right = left + MAP_SIZE;
    const float top = MAP_BOTTOM + MAP_SIZE;
    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    drawRectangle(GL_QUADS, left, MAP_BOTTOM, right, top);
    // The backing darkens with the scene at night.
    glColor4f(0.2f - 0.12f * n, 0.5f - 0.38f * n, 0.2f - 0.05f * n, 0.3f);
    drawRectangle(GL_QUADS, left + 1.0f, MAP_BOTTOM + 1.0f, right - 1.0f, top - 1.0f);

    drawMapStream(left, n);

    drawMapMarkers(arena, left);

    drawPlayerArrow(player, left);

    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    glLineWidth(1.0f);
    drawRectangle(GL_LINE_LOOP, left, MAP_BOTTOM, right, top);
}

}  // namespace

void formatHudLine(int line, const ArenaState* arena, char* text) {
    switch (line) {
        case HUD_SCORE:
            std::snprintf(text, HUD_TEXT_SIZE, "Score: %d", arena->score);
            break;
        case HUD_ENEMIES:
            std::snprintf(text, HUD_TEXT_SIZE, "Enemies: %d", arena->enemiesLeft);
            break;
        case HUD_ANIMALS:
            std::snprintf(text, HUD_TEXT_SIZE, "Rabbits: %d  Deer: %d",
                          countLivingAnimals(ANIMAL_RABBIT), countLivingAnimals(ANIMAL_DEER));
            break;
        case HUD_ACCURACY:
            if (arena->shotsFired >= 1)
                std::snprintf(text, HUD_TEXT_SIZE, "Accuracy: %.1f%%",
                              (double)((float)arena->hits * 100.0f / (float)arena->shotsFired));
            else
                std::snprintf(text, HUD_TEXT_SIZE, "Accuracy: --");
            break;
        default:
            text[0] = '\0';
            break;
    }
}

void drawText2D(float x, float y, const char* text) { drawTextLine(x, y, text); }

int countLivingAnimals(int kind) {
    int count = 0;
    for (const AnimalRecord& a : animals)
        if (a.kind == kind && a.alive) ++count;
    return count;
}

void drawHud(const ArenaState* arena, const PlayerState* player, int binocularsOn) {
    OverlaySpace space = beginOverlay();

    char text[HUD_TEXT_SIZE];
    for (int line = 0; line < HUD_COUNTER_LINES; ++line) {
        const CounterLine& l = COUNTER_LINES[line];
        formatHudLine(line, arena, text);
        glColor3f(l.red, l.green, l.blue);
        drawText2D(TEXT_LEFT, space.height - l.below, text);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    drawText2D(TEXT_LEFT, HELP_BOTTOM, HELP_TEXT);

    drawMap(arena, player, space);

    if (arena->victory) {
        // Just left of and below the centre.
        const float cx = space.width / 2.0f, cy = space.height / 2.0f;
        glColor3f(0.0f, 1.0f, 0.0f);
        drawText2D(cx - 80.0f, cy, "VICTORY!");
        glColor3f(1.0f, 1.0f, 0.0f);
        drawText2D(cx - 100.0f, cy - 30.0f, "Press R to restart");
    }

    if (binocularsOn) drawScopeFrame();

    // Face culling stays off; the next frame's ground step wants it off anyway.
    endOverlay();
}
