#pragma once

// Rectangles on the screen, in pixels: left and top inside, right and bottom
// just outside, as Windows keeps them.
struct ScreenRect {
    int left, top, right, bottom;
};

// Where a box of width x height opens over its owner: centred on it, then
// moved just far enough to lie on the work area. A box larger than the work
// area keeps its top left corner on it, where its caption and the means to
// move it are.
ScreenRect placeBoxOverOwner(ScreenRect owner, int width, int height, ScreenRect work);
