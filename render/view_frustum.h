#pragma once

#include "render/placed_mesh.h"

// The volume the current projection and model-view matrices can show, to
// skip what lies wholly outside it. The side planes stand a little wide of
// the screen's edges, because wide points and lines reach past their centres
// and rounding may move an edge by a pixel; near and far are exact.

struct ViewFrustum {
    float plane[6][4];  // a, b, c, d with a x + b y + c z + d >= 0 inside, (a, b, c) of unit length
    float eye[3];       // where it is seen from
};

// Read from GL's matrices as they stand (world coordinates when only the
// camera is on the model-view stack).
ViewFrustum currentViewFrustum();
int boundsInView(const ViewFrustum* view, const Bounds* bounds);
// Squared distance from the eye to the nearest point of the box.
float boundsDistanceSquared(const ViewFrustum* view, const Bounds* bounds);
int sphereInView(const ViewFrustum* view, float x, float y, float z, float radius);
