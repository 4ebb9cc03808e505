#include "render/vertex_arrays.h"

#include "render/gl.h"

void beginColouredArrays(const float (*position)[3], const float (*colour)[4]) {
    glVertexPointer(3, GL_FLOAT, 0, position);
    glColorPointer(4, GL_FLOAT, 0, colour);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
}

void endColouredArrays() {
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void drawColouredArrays(unsigned mode, const float (*position)[3], const float (*colour)[4],
                        int first, int count) {
    beginColouredArrays(position, colour);
    glDrawArrays(mode, first, count);
    endColouredArrays();
}
