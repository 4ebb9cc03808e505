#include "render_fixture.h"

// Creatures as GL receives them: in feedback mode GL hands back each triangle it would draw, in
// window coordinates and in its own colour (lighting off); undone, they are the drawn surfaces.

namespace {

struct Corner {  // three to a triangle
    Vec3 at;
    Rgb colour;
};

const float X = 31, Z = -17, HALF_PI = PI_F / 2;
const Rgb SHIRT = {0.8f, 0.2f, 0.2f}, HOOVES = {0.15f, 0.1f, 0.05f}, FUR = {0.85f, 0.8f, 0.75f};
const Rgb COAT = {.65f, .45f, .25f}, RABBIT_HEAD = {.9f, .85f, .8f}, DEER_HEAD = {.7f, .5f, .3f};
const Rgb BG = {0.1f, 0.2f, 0.9f};

bool same(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 0.01f;
}

// What an enemy (kind -1) or an animal sends within 3 units of the ground at its feet: seen
// square-on, 100 pixels a unit across, its depth 8 units from the far side to the near.
std::vector<Corner> drawn(int kind, float turn, float gait, int alive, float fall, int moving = 1) {
    static std::vector<GLfloat> fed(1 << 18);
    const Vec3 at = {X, terrainHeightAt(X, Z), Z};
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(at.x - 4, at.x + 4, at.y - 3, at.y + 3, -at.z - 4, -at.z + 4);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer((GLsizei)fed.size(), GL_3D_COLOR, fed.data());
    glRenderMode(GL_FEEDBACK);
    EnemyRecord e = {{X, 0, Z}, 0, 0, alive, fall, 3, {SHIRT.r, SHIRT.g, SHIRT.b}};
    AnimalRecord a = {kind, X, Z, turn, 0, 0, gait, moving, alive, fall, 3};
    if (kind < 0) drawEnemy(&e);
    if (kind == ANIMAL_RABBIT) drawRabbit(&a);
    if (kind == ANIMAL_DEER) drawDeer(&a);
    std::vector<Corner> out(glRenderMode(GL_RENDER) / 23 * 3);  // a token, 3, 3 x (xyz, rgba)
    for (size_t i = 0; i < out.size(); ++i) {
        const GLfloat* v = &fed[i / 3 * 23 + 2 + 7 * (i % 3)];
        out[i] = {vecAdd(at, {v[0] / 100 - 4, v[1] / 100 - 3, 4 - 8 * v[2]}), {v[3], v[4], v[5]}};
    }
    return out;
}

// Where p stands among the points (within rounding), added at the end when new.
size_t pointIndex(std::vector<Vec3>* points, Vec3 p) {
    for (size_t i = 0; i < points->size(); ++i) {
        if (vecDistance((*points)[i], p) < 1e-4f) return i;
    }
    points->push_back(p);
    return points->size() - 1;
}

// Each point once where the triangles of a colour meet.
std::vector<Vec3> corners(const std::vector<Corner>& cs, Rgb colour) {
    std::vector<Vec3> out;
    for (const Corner& c : cs)
        if (same(c.colour, colour)) pointIndex(&out, c.at);
    return out;
}

// How high the lowest corner of a colour stands over the ground at the feet.
float lowest(const std::vector<Corner>& cs, Rgb colour) {
    float low = 1e9f;
    for (Vec3 c : corners(cs, colour)) low = std::min(low, c.y);
    return low - terrainHeightAt(X, Z);
}

// A creature's point (+y up, +z ahead) turned to its facing, tipped about its feet and lifted.
Vec3 bodyPoint(Vec3 feet, float facing, float fall, float lift, Vec3 p) {
    const float f = facing * PI_F / 180, a = fall * PI_F / 180;
    const float x = p.x * std::cos(a) - p.y * std::sin(a),
                y = p.x * std::sin(a) + p.y * std::cos(a);
    return vecAdd(feet, Vec3{x * std::cos(f) + p.z * std::sin(f), y + lift * std::sin(a),
                             -x * std::sin(f) + p.z * std::cos(f)});
}

class Bodies : public RenderTest {};

}  // namespace

// Standing and facing +z, each creature is its own mirror image across its middle, x = X: every
// corner drawn has a twin of its colour on the other side.
TEST_F(Bodies, StandingBodiesAreTheirOwnMirrorImages) {
    for (int kind : {-1, (int)ANIMAL_RABBIT, (int)ANIMAL_DEER}) {
        const std::vector<Corner> cs = drawn(kind, 0, 0, 1, 0);
        int unmatched = 0;
        for (const Corner& c : cs) {
            const Vec3 twin = {2 * X - c.at.x, c.at.y, c.at.z};
            unmatched += std::none_of(cs.begin(), cs.end(), [&](const Corner& d) {
                return same(d.colour, c.colour) && vecDistance(d.at, twin) < 1e-4f;
            });
        }
        EXPECT_GT(cs.size(), 300u) << "kind " << kind;
        EXPECT_EQ(unmatched, 0) << "kind " << kind;
    }
}

// The lowest corners from the body plans: lying, a body rises by its half-width, so its widest
// ring meets the ground where a corner points down (the coat's 8 slices, at 270 degrees) or near
// (the rabbit's 6: 0.18 sin 240 = -0.1559 by a lift of 0.15; the deer's 10: 0.22 sin 252 = -0.2092
// by 0.22). Heads end 0.1 under 0.38 and 0.085 under 0.95, the snout 0.6 x 0.06 under 0.92, the
// tail 0.06 under 0.1; hooves sink to their middles. At the top of a stride (gait pi/2) a walking
// rabbit rises 0.04 and a deer 0.03, but not its tail and hooves, each hoof stepping 0.06 sin(8 x
// 0.0175) = 0.00837 along, front left and back right forward; standing or dead, nothing moves.
TEST_F(Bodies, BodiesLieOnTheGroundAndBobAndStrideOnlyWhileWalking) {
    const struct {
        const char* name;
        int kind, alive, moving;
        float fall;
        Rgb part;
        float low;
    } CASES[] = {
        {"a lying enemy's coat", -1, 0, 0, 90, SHIRT, 0},
        {"a lying rabbit's body", ANIMAL_RABBIT, 0, 1, 90, FUR, 0.15f - 0.1559f},
        {"a lying deer's body", ANIMAL_DEER, 0, 1, 90, COAT, 0.22f - 0.2092f},
        {"a walking rabbit's tail", ANIMAL_RABBIT, 1, 1, 0, FUR, 0.1f - 0.06f},
        {"a walking rabbit's head", ANIMAL_RABBIT, 1, 1, 0, RABBIT_HEAD, 0.28f + 0.04f},
        {"a standing rabbit's head", ANIMAL_RABBIT, 1, 0, 0, RABBIT_HEAD, 0.28f},
        {"a dead rabbit's head", ANIMAL_RABBIT, 0, 1, 0, RABBIT_HEAD, 0.28f},
        {"a walking deer's hooves", ANIMAL_DEER, 1, 1, 0, HOOVES, -0.035f},
        {"a walking deer's head", ANIMAL_DEER, 1, 1, 0, DEER_HEAD, 0.865f + 0.03f},
        {"a standing deer's head", ANIMAL_DEER, 1, 0, 0, DEER_HEAD, 0.865f},
        {"a dead deer's head", ANIMAL_DEER, 0, 1, 0, DEER_HEAD, 0.865f},
        {"a standing deer's snout", ANIMAL_DEER, 1, 0, 0, {.6f, .4f, .22f}, 0.884f},
    };
    for (const auto& c : CASES) {
        const std::vector<Corner> cs = drawn(c.kind, 0, HALF_PI, c.alive, c.fall, c.moving);
        EXPECT_NEAR(lowest(cs, c.part), c.low, 3e-4) << c.name;
    }
    const std::vector<Vec3> rest = corners(drawn(ANIMAL_DEER, 0, 0, 1, 0), HOOVES);
    const std::vector<Vec3> stride = corners(drawn(ANIMAL_DEER, 0, HALF_PI, 1, 0), HOOVES);
    ASSERT_EQ(stride.size(), rest.size());
    for (size_t i = 0; i < rest.size(); ++i) {
        const float step = (rest[i].x < X) == (rest[i].z < Z) ? -0.00837f : 0.00837f;
        EXPECT_NEAR(stride[i].z - rest[i].z, step, 1e-4) << "hoof corner " << i;
    }
}

// Each creature's parts in their colours where they land, standing, turned and lying (an enemy's
// coat takes its shirt's colour, arms 0.8 of it), and nothing beside them; a body's time up, none.
// An arm leans out from its shoulder (0.205 out at 0.9), spanning 0.217 -+ 0.082 0.05 higher, the
// coat 0.2; its end (0.205 + 0.6 sin 13.6, 0.9 + 0.6 cos 13.6) and a lying hem are closed. The
// deer's neck leans back 30 degrees from (0, 0.78, 0.3), its upper leg is 0.039 wide at 0.43, the
// shin spans 0.22 down, the belly stays over 0.44. Half spent, a splash drop is 3/4 its size at 0.8
// x 0.5 over the ground, a spark adds half its colour; the flash adds a quarter of (1, 0.8, 0.2).
TEST_F(Bodies, CreaturesAndEffectsShowEachPartInItsColour) {
    const Vec3 feet = {X, terrainHeightAt(X, Z), Z};
    const Rgb BLUE = {.2f, .3f, .8f}, LEGS = {.55f, .38f, .2f};
    const Rgb EYE = {.08f, .05f, .02f}, ANTLER = {.3f, .2f, .1f}, ARM = {.16f, .24f, .64f};
    const Rgb NECK = {.6f, .42f, .22f}, SPLASH_ON_BG = over({.7f, .85f, 1}, .4f, BG);
    enum { ENEMY, RABBIT, DEER, SPLASH, SPARK };
    const struct {
        const char* name;
        int kind;
        float facing, fall, timer;
        Vec3 eye, part;
        Rgb colour;
    } PARTS[] = {
        {"enemy's coat", ENEMY, 0, 0, 0, {0, 1, 3}, {0, 0.5f, 0}, BLUE},
        {"enemy's arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.35f, 1.2f, 0}, ARM},
        {"its arm on its coat", ENEMY, 0, 0, 0, {0, 0.95f, 3}, {0.245f, 0.95f, 0}, ARM},
        {"its hand's end", ENEMY, 0, 0, 0, {0.346f, 3, 0.01f}, {0.346f, 1.483f, 0}, ARM},
        {"beside its arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.46f, 1.3f, 0}, BG},
        {"above its head", ENEMY, 0, 0, 0, {0, 1.6f, 3}, {0, 1.58f, 0}, BG},
        {"its head fallen", ENEMY, 0, 90, 8, {-1.3f, 0.25f, 3}, {0, 1.3f, 0}, {0.9f, 0.7f, 0.6f}},
        {"its hem fallen", ENEMY, 0, 90, 8, {2, 0.25f, 0.01f}, {0, 0, 0}, BLUE},
        {"rabbit's fur", RABBIT, 0, 0, 0, {1.2f, 0.3f, 0}, {0, 0.22f, 0}, FUR},
        {"rabbit's head", RABBIT, 0, 0, 0, {1.2f, .4f, .15f}, {0, .4f, .15f}, RABBIT_HEAD},
        {"rabbit's ear", RABBIT, 0, 0, 0, {1.2f, 0.5f, 0}, {0.04f, 0.52f, 0.08f}, {.95f, .8f, .8f}},
        {"rabbit's eye", RABBIT, 0, 0, 0, {.03f, .35f, 1.2f}, {.03f, .35f, .18f}, {1, .6f, .6f}},
        {"rabbit's tail", RABBIT, 0, 0, 0, {1.2f, 0.1f, -0.19f}, {0, 0.1f, -0.19f}, FUR},
        {"deer's coat", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.62f, 0}, COAT},
        {"deer's leg", DEER, 90, 0, 0, {0, 0.5f, 2.5f}, {-0.1f, 0.3f, 0.12f}, LEGS},
        {"deer's shin", DEER, 0, 0, 0, {1.5f, 0.1f, 0.12f}, {0.1f, 0.1f, 0.12f}, LEGS},
        {"before its leg", DEER, 0, 0, 0, {1.5f, 0.43f, 0.175f}, {0, 0.43f, 0.175f}, BG},
        {"under its belly", DEER, 0, 0, 0, {1.5f, 0.42f, 0}, {0, 0.42f, 0}, BG},
        {"deer's neck", DEER, 0, 0, 0, {1.5f, .875f, .245f}, {0, .875f, .245f}, NECK},
        {"deer's head", DEER, 0, 0, 0, {1.5f, 0.95f, 0.38f}, {0, 0.95f, 0.38f}, DEER_HEAD},
        {"deer's snout", DEER, 0, 0, 0, {1.5f, 0.9f, 0.49f}, {0, 0.9f, 0.49f}, {.6f, .4f, .22f}},
        {"deer's tail", DEER, 90, 0, 0, {-2.5f, 0.7f, 0.01f}, {0, 0.65f, -0.4f}, {1, 1, 1}},
        {"deer's eye", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {-0.065f, 0.98f, 0.42f}, EYE},
        {"deer's nose", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {0, 0.93f, 0.545f}, {0.15f, 0.1f, 0.08f}},
        {"its antler", DEER, 90, 0, 0, {0.35f, 1.6f, 0.01f}, {-0.0209f, 1.1546f, 0.322f}, ANTLER},
        {"before its chest", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.56f, 0.55f}, BG},
        {"its time up", DEER, 0, 90, 0, {-0.62f, 4, 0.01f}, {0, 0.62f, 0}, BG},
        {"splash", SPLASH, 0, 0, 0, {0, 1, 0.5f}, {0.025f, 1.025f, 0}, SPLASH_ON_BG},
        {"beside the splash", SPLASH, 0, 0, 0, {0, 1, 0.5f}, {0.035f, 1.035f, 0}, BG},
        {"spark", SPARK, 0, 0, 0, {0, 1, 0.5f}, {.019f, 1.019f, 0}, {BG.r + .5f, .5f, BG.b + .05f}},
        {"beside the spark", SPARK, 0, 0, 0, {0, 1, 0.5f}, {0.026f, 1.026f, 0}, BG},
    };
    const float LIFT[5] = {0.25f, 0.15f, 0.22f};
    const SplashDrop splash = {vecAdd(feet, {0, 1, 0}), {}, 0.5f, 1, 0.04f};
    const Spark spark = {vecAdd(feet, {0, 1, 0}), {}, 0.5f, 1, {1, 0.6f, 0.1f}};
    for (const auto& p : PARTS) {
        const Vec3 at = bodyPoint(feet, p.facing, p.fall, LIFT[p.kind], p.part);
        bare(eyeOn(vecAdd(feet, p.eye), at), 60, BG);
        EnemyRecord e = {feet, 0, 0, p.fall == 0, p.fall, p.timer, {BLUE.r, BLUE.g, BLUE.b}};
        AnimalRecord a = {p.kind == DEER, X, Z, p.facing, 0, 0, 0, 0, p.fall == 0, p.fall, p.timer};
        if (p.kind == ENEMY) drawEnemy(&e);
        if (p.kind == RABBIT) drawRabbit(&a);
        if (p.kind == DEER) drawDeer(&a);
        if (p.kind == SPLASH) drawSplashDrop(&splash);
        if (p.kind == SPARK) drawSpark(&spark);
        EXPECT_TRUE(showsAt(grab(), at, p.colour, 4)) << p.name;
    }
    bare(thePlayer, 60, BG);
    drawMuzzleFlashOverlay(1);
    const Frame f = grab();
    for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}})
        EXPECT_TRUE(shows(f, x, y, {BG.r + 0.25f, BG.g + 0.2f, BG.b + 0.05f})) << "flash";
}
