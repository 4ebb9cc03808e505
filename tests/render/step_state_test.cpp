#include "probes.h"

#include "combat/arena.h"
#include "render/bushes.h"
#include "render/clouds.h"
#include "render/sky.h"
#include "world/sign.h"
#include "world/water_draw.h"

// Each drawing step sets what it needs and leaves behind what the later
// steps rely on; a missed restore would show up several steps later.

namespace {

struct Carried {
    int depthTest, lighting, texturing, blending, culling, stencil;
};

::testing::AssertionResult leaves(const char* step, Carried want) {
    Carried got = {glIsEnabled(GL_DEPTH_TEST), glIsEnabled(GL_LIGHTING), glIsEnabled(GL_TEXTURE_2D),
                   glIsEnabled(GL_BLEND),      glIsEnabled(GL_CULL_FACE), glIsEnabled(GL_STENCIL_TEST)};
    GLint stack = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stack);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    GLfloat pointSize = 0;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    auto fail = [&](const char* what) { return ::testing::AssertionFailure() << step << " leaves " << what; };
    if (got.depthTest != want.depthTest) return fail("the depth test wrong");
    if (got.lighting != want.lighting) return fail("lighting wrong");
    if (got.texturing != want.texturing) return fail("texturing wrong");
    if (got.blending != want.blending) return fail("blending wrong");
    if (want.culling >= 0 && got.culling != want.culling) return fail("face culling wrong");
    if (got.stencil != want.stencil) return fail("the stencil test on");
    if (stack != 1) return fail("the matrix stack unbalanced");
    if (!depthWrites) return fail("depth writes off");
    if (pointSize != 1.0f) return fail("a point size other than 1");
    return ::testing::AssertionSuccess();
}

const int ANY = -1;

class PassSteps : public RenderTest {};

}  // namespace

TEST_F(PassSteps, SkyWaterSignAndBushStepsLeaveWhatTheNextStepsRelyOn) {
    // A clear night with a rainbow, so every step draws all it can.
    PlayerState eye = probes::eyeAt(0.0f, 3.0f, 25.0f, -46.0f, 30.0f);
    probes::bareFrame(eye, probes::Rgb{0, 0, 0});
    glEnable(GL_BLEND);  // as the rendering context starts
    drawStars(&eye, WEATHER_CLEAR, 1.0f);
    EXPECT_TRUE(leaves("the stars", Carried{1, 0, 0, 0, ANY, 0}));
    drawMoon(&eye, WEATHER_CLEAR, 1.0f);
    EXPECT_TRUE(leaves("the moon", Carried{1, 0, 0, 0, ANY, 0}));
    drawClouds(&eye, WEATHER_CLEAR, 1.0f);
    EXPECT_TRUE(leaves("the clouds", Carried{1, 0, 0, 0, ANY, 0}));
    drawRainbow(&eye, 1.0f, -46.0f);
    EXPECT_TRUE(leaves("the rainbow", Carried{1, 0, 0, 0, 1, 0}));
    // The ground step switches culling and blending off and leaves them so.
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    drawStream(1.0f);
    EXPECT_TRUE(leaves("the stream", Carried{1, 1, 0, 0, 1, 0}));
    drawSign();
    EXPECT_TRUE(leaves("the sign", Carried{1, 1, 0, 0, 1, 0}));
    drawStreamBushes();
    EXPECT_TRUE(leaves("the bushes", Carried{1, 1, 0, 0, 1, 0}));
}
