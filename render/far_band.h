#pragma once

// Whatever lies below the horizon beyond the far plane is cut away, so a
// ground reaching out past it would end in a gap under the horizon. This
// fills that gap: a band just inside the far plane, covering what the view
// shows there between a world height and the eye's own height (the horizon),
// lit as ground facing up, in the current colour. Anything nearer hides it.
// Call it with only the camera on the model-view stack (world coordinates).
void drawFarBand(float lowestY);
