#include "world/sign.h"

#include <cmath>
#include <cstdlib>

#include "core/random.h"
#include "render/gl.h"
#include "render/mesh_batch.h"
#include "world/placement.h"
#include "world/sign_paint.h"
#include "world/terrain.h"
#include "world/textures.h"

// "Bramwick" and U+72E9 U+730E U+516C U+56ED, spelt as UTF-8 bytes so that
// no compiler's source or execution character set can change them.
const char SIGN_CHINESE_NAME[] = "Bramwick\xE7\x8B\xA9\xE7\x8C\x8E\xE5\x85\xAC\xE5\x9B\xAD";
const char SIGN_ENGLISH_NAME[] = "Bramwick Shooting Park";

float signX = 0.0f;
float signZ = 0.0f;
float signYaw = 0.0f;
unsigned int signTexture = 0;
int signBoardScale = 1;

namespace {

const float SIGN_RANGE = 40.0f;
const float SIGN_START_SQUARE = 5.0f;
const float TREE_CLEARANCE_SQ = 9.0f;
const float ROCK_CLEARANCE_SQ = 6.0f;
const float STREAM_CLEARANCE_SQ = 25.0f;
const int STREAM_SAMPLE_STEP = 5;
// The park is open enough that a spot turns up within a few draws; the limit
// only keeps a pathological park from hanging the start.
const int MAX_PLACEMENT_ATTEMPTS = 100000;

const float POST_HEIGHT = 2.0f;
const float BOARD_HALF_WIDTH = 1.0f;
const float BOARD_HEIGHT = 1.5f;
const int MAX_BOARD_SCALE = 4;

float squaredDistance(float ax, float az, float bx, float bz) {
    float dx = ax - bx;
    float dz = az - bz;
    return dx * dx + dz * dz;
}

void uploadBoard(const unsigned char* pixels, int scale) {
    signTexture = newLinearTexture(GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, SIGN_BOARD_WIDTH * scale, SIGN_BOARD_HEIGHT * scale, 0,
                 GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels);
}

// At the scale asked, or finer than the design by as much as the GL takes in
// one texture.
void paintBoard(int scale) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    while (scale > 1 && SIGN_BOARD_WIDTH * scale > largest) scale /= 2;
    // Painted at start-up and when the display's scale changes, never in a frame.
    size_t bytes = (size_t)SIGN_BOARD_WIDTH * scale * SIGN_BOARD_HEIGHT * scale * 4;
    unsigned char* board = (unsigned char*)std::malloc(bytes);
    if (!board) return;
    if (paintSignBoard(board, scale)) uploadBoard(board, scale);
    std::free(board);
}

}  // namespace

int signSpotIsClear(float x, float z) {
    for (int i = 0; i < TREE_COUNT; ++i)
        if (squaredDistance(x, z, trees[i].x, trees[i].z) < TREE_CLEARANCE_SQ) return 0;
    for (int i = 0; i < ROCK_COUNT; ++i)
        if (squaredDistance(x, z, rocks[i].x, rocks[i].z) < ROCK_CLEARANCE_SQ) return 0;
    if (isStreamBuilt()) {
        float nearest = squaredDistance(x, z, streamSampleX[0], streamSampleZ[0]);
        for (int k = STREAM_SAMPLE_STEP; k < STREAM_SAMPLES; k += STREAM_SAMPLE_STEP) {
            float d = squaredDistance(x, z, streamSampleX[k], streamSampleZ[k]);
            if (d < nearest) nearest = d;
        }
        if (nearest < STREAM_CLEARANCE_SQ) return 0;
    }
    return 1;
}

void placeSign() {
    for (int attempt = 0; attempt < MAX_PLACEMENT_ATTEMPTS; ++attempt) {
        signX = randomFloat(-SIGN_RANGE, SIGN_RANGE);
        signZ = randomFloat(-SIGN_RANGE, SIGN_RANGE);
        // Never on the player's start square.
        if (std::fabs(signX) < SIGN_START_SQUARE && std::fabs(signZ) < SIGN_START_SQUARE)
            signX = 20.0f;
        if (signSpotIsClear(signX, signZ)) break;
    }
    signYaw = randomFloat(0.0f, 360.0f);
}

void buildSign() {
    placeSign();
    paintBoard(signBoardScale);
}

int signBoardScaleForDpi(int dpi) {
    int scale = 1;
    while (scale < MAX_BOARD_SCALE && scale * 96 < dpi) scale *= 2;
    return scale;
}

void repaintSignBoard(int scale) {
    if (scale == signBoardScale) return;
    signBoardScale = scale;
    if (!signTexture) return;
    glDeleteTextures(1, &signTexture);
    signTexture = 0;
    paintBoard(scale);
}

void drawSign() {
    float y = terrainHeightAt(signX, signZ);

    // The post is lit like the trees.
    glDisable(GL_TEXTURE_2D);
    Placement post = placementAt(signX, y, signZ);
    placeRotate(&post, signYaw, 0.0f, 1.0f, 0.0f);
    placeRotate(&post, -90.0f, 1.0f, 0.0f, 0.0f);
    beginMeshBatch();
    batchCylinder(&post, 0.08, 0.08, POST_HEIGHT, 6, BatchColour{0.35f, 0.22f, 0.1f, 1.0f});
    drawMeshBatch();

    glPushMatrix();
    glTranslatef(signX, y, signZ);
    glRotatef(signYaw, 0.0f, 1.0f, 0.0f);

    // Both faces of the board show: the picture reads upright from the front.
    glTranslatef(0.0f, POST_HEIGHT, 0.01f);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, signTexture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-BOARD_HALF_WIDTH, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(BOARD_HALF_WIDTH, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(BOARD_HALF_WIDTH, BOARD_HEIGHT, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-BOARD_HALF_WIDTH, BOARD_HEIGHT, 0.0f);
    glEnd();
    glEnable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
