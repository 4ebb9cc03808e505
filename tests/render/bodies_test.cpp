#include "render_fixture.h"

// Creatures as GL receives them: in feedback mode GL hands back each triangle it would draw, in
// window coordinates and in its own colour (lighting off); undone, they are the drawn surfaces.

namespace {

struct Corner {  // three to a triangle
    Vec3 at;
    Rgb colour;
};

const float X = 31, Z = -17;
const Rgb SHIRT = {0.8f, 0.2f, 0.2f}, HOOVES = {0.15f, 0.1f, 0.05f}, LEGS = {0.55f, 0.38f, 0.2f};

bool same(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 0.01f;
}

// What an enemy (kind -1) or an animal sends within 3 units of the ground at its feet: seen
// square-on, 100 pixels a unit across, its depth 8 units from the far side to the near.
std::vector<Corner> drawn(int kind, float x, float facing, float gait, int alive, float fall) {
    static std::vector<GLfloat> fed(1 << 18);
    const Vec3 at = {x, terrainHeightAt(x, Z), Z};
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(at.x - 4, at.x + 4, at.y - 3, at.y + 3, -at.z - 4, -at.z + 4);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer((GLsizei)fed.size(), GL_3D_COLOR, fed.data());
    glRenderMode(GL_FEEDBACK);
    EnemyRecord e = {{x, 0, Z}, 0, 0, alive, fall, 3, {SHIRT.r, SHIRT.g, SHIRT.b}};
    AnimalRecord a = {kind, x, Z, facing, 0, 0, gait, gait > 0, alive, fall, 3};
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

// Each point once where the triangles of a colour meet.
std::vector<Vec3> corners(const std::vector<Corner>& cs, Rgb colour) {
    std::vector<Vec3> out;
    for (const Corner& c : cs) {
        auto met = [&](Vec3 o) { return vecDistance(o, c.at) < 1e-4f; };
        if (same(c.colour, colour) && std::none_of(out.begin(), out.end(), met))
            out.push_back(c.at);
    }
    return out;
}

Vec3 middle(const std::vector<Vec3>& points) {
    Vec3 sum = {0, 0, 0};
    for (Vec3 p : points) sum = vecAdd(sum, vecScale(p, 1.0f / points.size()));
    return sum;
}

class Bodies : public RenderTest {};

}  // namespace

// A standing deer and one in mid-stride, turned: the middle of each foot (the legs' lowest ring)
// lies within the hoof beside it, whose centre and radius come from its own corners.
TEST_F(Bodies, EachHoofSitsAtTheFootOfItsLeg) {
    for (auto [facing, gait] : {std::pair{0.0f, 0.0f}, {130.0f, 1.2f}}) {
        const std::vector<Corner> cs = drawn(ANIMAL_DEER, X, facing, gait, 1, 0);
        const std::vector<Vec3> hooves = corners(cs, HOOVES), legs = corners(cs, LEGS);
        EXPECT_GE(hooves.size(), 4u * 6) << "four hooves of six corners or more";
        float lowest = 1e9f;
        for (Vec3 c : legs) lowest = std::min(lowest, c.y);
        for (Vec3 h : hooves) {  // the hooves stand 0.2 apart or more
            std::vector<Vec3> hoof, foot;
            for (Vec3 c : hooves)
                if (vecDistance(c, h) < 0.1f) hoof.push_back(c);
            for (Vec3 c : legs)
                if (c.y < lowest + 1e-3f && vecDistance(c, h) < 0.1f) foot.push_back(c);
            float radius = 0;
            for (Vec3 c : hoof) radius = std::max(radius, vecDistance(c, middle(hoof)));
            EXPECT_LT(vecDistance(middle(foot), middle(hoof)), radius)
                << "facing " << facing << ", hoof at " << h.x << " " << h.z;
        }
    }
}

// Standing and facing +z, each creature is its own mirror image across its middle, x = X: every
// corner drawn has a twin of its colour on the other side.
TEST_F(Bodies, StandingBodiesAreTheirOwnMirrorImages) {
    for (int kind : {-1, (int)ANIMAL_RABBIT, (int)ANIMAL_DEER}) {
        const std::vector<Corner> cs = drawn(kind, X, 0, 0, 1, 0);
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
