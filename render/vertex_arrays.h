#pragma once

// Vertices with their colours drawn from client-side arrays: one call for a
// whole primitive instead of two for every vertex. On a software OpenGL the
// cost of a frame is mostly the number of calls, and under Wine every call
// also crosses from the Windows side to the host's library.

// Points the vertex and colour arrays at position and colour and enables them.
void beginColouredArrays(const float (*position)[3], const float (*colour)[4]);
void endColouredArrays();
// begin, glDrawArrays (mode, first, count), end.
void drawColouredArrays(unsigned mode, const float (*position)[3], const float (*colour)[4],
                        int first, int count);
// Sets element i of both arrays.
inline void setColouredVertex(float (*position)[3], float (*colour)[4], int i, float x, float y,
                              float z, float red, float green, float blue, float alpha) {
    position[i][0] = x;
    position[i][1] = y;
    position[i][2] = z;
    colour[i][0] = red;
    colour[i][1] = green;
    colour[i][2] = blue;
    colour[i][3] = alpha;
}
