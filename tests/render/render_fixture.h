#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fakes/platform_fake.h"
#include "player/player.h"
#include "tools/common/game_harness.h"
#include "tools/common/offscreen.h"
#include "world/terrain.h"

// A seeded game drawn offscreen at 800 x 600 for each test.
class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetFakePlatform();
        ASSERT_TRUE(harnessStart(seed(), 800, 600));
        standAt(thePlayer.position.x, thePlayer.position.z);
    }
    void TearDown() override { offscreenClose(); }
    virtual unsigned seed() const { return 20261205u; }

    // Puts the eye at its height above the ground here, as the first frame's walk would.
    static void standAt(float x, float z) {
        thePlayer.position = makeVec3(x, terrainHeightAt(x, z) + EYE_HEIGHT, z);
    }

    // Saves the frame under the build tree for a person to look at.
    void keepFrame(const std::string& name) {
        std::string dir = GLADEWARDEN_RENDER_OUT;
        std::system(("mkdir -p " + dir).c_str());
        offscreenWritePng((dir + "/" + name + ".png").c_str());
    }
};

inline ::testing::AssertionResult colourNear(PixelColour actual, int r, int g, int b, int tolerance = 6) {
    if (std::abs(actual.red - r) <= tolerance && std::abs(actual.green - g) <= tolerance &&
        std::abs(actual.blue - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << actual.red << ", " << actual.green << ", " << actual.blue
                                         << ") is not near (" << r << ", " << g << ", " << b << ")";
}

// 0..1 colour channels to bytes, as the frame buffer stores them.
inline int toByte(float c) { return (int)(c * 255.0f + 0.5f); }
