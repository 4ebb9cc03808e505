#include <gtest/gtest.h>

#include <algorithm>

#include "render/overlay.h"

// Any 4:3 viewport shows the whole 800 x 600 overlay stretched over it, as it always has. Other
// shapes give a unit as many pixels across as up, and the reference area just fits: one side is
// exactly the reference's, the other longer (a side of 0 counts as 1). 1280 x 720, say, has 720 /
// 600 = 1.2 pixels a unit, so 1280 / 1.2 = 1066.67 units across; 600 x 800 has 0.75, so 800 / 0.75
// = 1066.67 up.
TEST(OverlayLayout, TheReferenceAreaScalesEvenlyToFitAnyViewport) {
    const int shapes[][2] = {{800, 600},   {400, 300}, {1600, 1200}, {1280, 720}, {600, 800},
                             {2560, 1080}, {300, 900}, {801, 600},   {640, 0},    {0, 480}};
    for (const auto& shape : shapes) {
        const OverlaySpace space = overlaySpaceFor(shape[0], shape[1]);
        const float across = std::max(shape[0], 1) / space.width;
        const float up = std::max(shape[1], 1) / space.height;
        EXPECT_NEAR(across, up, 1e-5f * up) << shape[0] << " x " << shape[1];
        EXPECT_GE(space.width, 800.0f) << shape[0] << " x " << shape[1];
        EXPECT_GE(space.height, 600.0f) << shape[0] << " x " << shape[1];
        EXPECT_EQ(std::min(space.width - 800.0f, space.height - 600.0f), 0.0f) << shape[0];
    }
    EXPECT_NEAR(overlaySpaceFor(1280, 720).width, 1066.67f, 0.01f);
    EXPECT_NEAR(overlaySpaceFor(600, 800).height, 1066.67f, 0.01f);
}
