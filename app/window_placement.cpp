#include "app/window_placement.h"

namespace {

// The start of a span of the given length centred on [low, high), then kept
// within [workLow, workHigh), its start winning where it cannot fit.
int placeSpan(int low, int high, int length, int workLow, int workHigh) {
    int start = low + ((high - low) - length) / 2;
    if (start + length > workHigh) start = workHigh - length;
    if (start < workLow) start = workLow;
    return start;
}

}  // namespace

ScreenRect placeBoxOverOwner(ScreenRect owner, int width, int height, ScreenRect work) {
    int x = placeSpan(owner.left, owner.right, width, work.left, work.right);
    int y = placeSpan(owner.top, owner.bottom, height, work.top, work.bottom);
    return ScreenRect{x, y, x + width, y + height};
}
