#pragma once

// A creature's walk: one step along its heading per frame, turned back at the
// edge of the ground it may roam.

// This frame's step from (x, z) at `speed` units per second along *heading.
// Where the step leads out past -limit or +limit on an axis, the heading is
// mirrored on that axis and *timer zeroed, so a fresh heading comes soon.
// The step itself still goes ahead (a creature may stand a little outside for
// a few frames), but one already beyond the line takes no step further out,
// so it never strays more than a step past it.
void proposeStep(float x, float z, float speed, float dt, float limit, float* heading, float* timer,
                 float* nx, float* nz);
