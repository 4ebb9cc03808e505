#include <map>

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

Vec3 middle(const std::vector<Vec3>& points) {
    Vec3 sum = {0, 0, 0};
    for (Vec3 p : points) sum = vecAdd(sum, vecScale(p, 1.0f / points.size()));
    return sum;
}

// Edges that an odd number of triangles use, among those not in the colour apart: none when every
// part drawn in the other colours is a closed surface.
int openEdges(const std::vector<Corner>& cs, Rgb apart) {
    std::vector<Vec3> points;
    std::map<std::pair<size_t, size_t>, int> uses;
    for (size_t i = 0; i < cs.size(); i += 3) {
        if (same(cs[i].colour, apart)) continue;
        for (size_t k = 0; k < 3; ++k) {
            const size_t a = pointIndex(&points, cs[i + k].at);
            ++uses[std::minmax(a, pointIndex(&points, cs[i + (k + 1) % 3].at))];
        }
    }
    int open = 0;
    for (const auto& [edge, n] : uses) open += edge.first != edge.second && n % 2 == 1;
    return open;
}

// How far p lies outside the closed convex surface drawn in a colour (below 0: inside it).
float outside(Vec3 p, const std::vector<Corner>& cs, Rgb colour) {
    float most = -1e9f;
    for (size_t i = 0; i < cs.size(); i += 3) {
        const Vec3 n = vecCross(vecSub(cs[i + 1].at, cs[i].at), vecSub(cs[i + 2].at, cs[i].at));
        if (same(cs[i].colour, colour) && vecLength(n) > 1e-9f)
            most = std::max(most, vecDot(vecNormalize(n), vecSub(p, cs[i].at)));
    }
    return most;
}

const Rgb BG = {0.1f, 0.2f, 0.9f};

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

// Standing or lying, walking or falling, every part that can show an end is closed; the enemy's
// legs stand inside its coat, flush with its closed hem, and may stay open.
TEST_F(Bodies, NoPartShowsAnOpenEnd) {
    const Rgb ENEMY_LEGS = {0.6f * SHIRT.r, 0.6f * SHIRT.g, 0.6f * SHIRT.b};
    EXPECT_EQ(openEdges(drawn(-1, X, 0, 0, 1, 0), ENEMY_LEGS), 0) << "standing enemy";
    EXPECT_EQ(openEdges(drawn(-1, X, 0, 0, 0, 90), ENEMY_LEGS), 0) << "lying enemy";
    EXPECT_EQ(openEdges(drawn(ANIMAL_DEER, X, 40, 1.2f, 1, 0), ENEMY_LEGS), 0) << "walking deer";
    EXPECT_EQ(openEdges(drawn(ANIMAL_RABBIT, X, 200, 0, 0, 60), ENEMY_LEGS), 0) << "falling rabbit";
}

// Tipping over on flat and sloping ground, the figure keeps each arm on its coat: the arm's corner
// nearest the coat lies on or under its surface. The arms are told apart by the plane the figure
// tips in, through its coat's middle.
TEST_F(Bodies, BothArmsStayOnTheBodyAsItFallsAndLies) {
    const Rgb ARMS = {0.8f * SHIRT.r, 0.8f * SHIRT.g, 0.8f * SHIRT.b};
    for (float x : {X, -60.0f}) {
        for (float fall : {0.0f, 45.0f, 90.0f}) {
            const std::vector<Corner> cs = drawn(-1, x, 0, 0, 0, fall);
            const Vec3 centre = middle(corners(cs, SHIRT));
            const float tip = fall * PI_F / 180;
            float nearest[2] = {1e9f, 1e9f};
            for (Vec3 c : corners(cs, ARMS)) {
                const Vec3 off = vecSub(c, centre);
                float& side = nearest[off.x * std::cos(tip) + off.y * std::sin(tip) > 0];
                side = std::min(side, outside(c, cs, SHIRT));
            }
            EXPECT_LT(nearest[0], 0.01f) << "left arm, fallen " << fall << " at x " << x;
            EXPECT_LT(nearest[1], 0.01f) << "right arm, fallen " << fall << " at x " << x;
        }
    }
}

// Each creature's parts in their colours where they land, standing, turned and lying (an enemy's
// coat takes its shirt's colour, arms 0.8 of it), and nothing beside them; a body's time up, none.
TEST_F(Bodies, CreaturesShowEachPartInItsColour) {
    const float x = 31, z = -17;
    const Vec3 feet = {x, terrainHeightAt(x, z), z};
    const Rgb BLUE = {0.2f, 0.3f, 0.8f}, COAT = {0.65f, 0.45f, 0.25f}, FUR = {0.85f, 0.8f, 0.75f};
    const Rgb EYE = {0.08f, 0.05f, 0.02f}, ANTLER = {0.3f, 0.2f, 0.1f};
    enum { ENEMY, RABBIT, DEER };
    const struct {
        const char* name;
        int kind;
        float facing, fall, timer;
        Vec3 eye, part;
        Rgb colour;
    } PARTS[] = {
        {"enemy's coat", ENEMY, 0, 0, 0, {0, 1, 3}, {0, 0.5f, 0}, BLUE},
        {"enemy's arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.35f, 1.2f, 0}, {0.16f, 0.24f, 0.64f}},
        {"beside its arm", ENEMY, 0, 0, 0, {0, 1, 3}, {0.46f, 1.3f, 0}, BG},
        {"above its head", ENEMY, 0, 0, 0, {0, 1.6f, 3}, {0, 1.58f, 0}, BG},
        {"its head fallen", ENEMY, 0, 90, 8, {-1.3f, 0.25f, 3}, {0, 1.3f, 0}, {0.9f, 0.7f, 0.6f}},
        {"rabbit's fur", RABBIT, 0, 0, 0, {1.2f, 0.3f, 0}, {0, 0.22f, 0}, FUR},
        {"rabbit's ear", RABBIT, 0, 0, 0, {1.2f, 0.5f, 0}, {0.04f, 0.52f, 0.08f}, {.95f, .8f, .8f}},
        {"rabbit's tail", RABBIT, 0, 0, 0, {1.2f, 0.1f, -0.19f}, {0, 0.1f, -0.19f}, FUR},
        {"deer's coat", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.62f, 0}, COAT},
        {"deer's leg", DEER, 90, 0, 0, {0, 0.5f, 2.5f}, {-0.1f, 0.3f, 0.12f}, {0.55f, 0.38f, 0.2f}},
        {"deer's tail", DEER, 90, 0, 0, {-2.5f, 0.7f, 0.01f}, {0, 0.65f, -0.4f}, {1, 1, 1}},
        {"deer's eye", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {-0.065f, 0.98f, 0.42f}, EYE},
        {"deer's nose", DEER, 90, 0, 0, {0.35f, 1, 0.9f}, {0, 0.93f, 0.545f}, {0.15f, 0.1f, 0.08f}},
        {"its antler", DEER, 90, 0, 0, {0.35f, 1.6f, 0.01f}, {-0.0209f, 1.1546f, 0.322f}, ANTLER},
        {"before its chest", DEER, 90, 0, 0, {0, 0.8f, 2.5f}, {0, 0.56f, 0.55f}, BG},
        {"its coat fallen", DEER, 0, 90, 3, {-0.62f, 0.1f, 3}, {-0.12f, 0.62f, 0}, COAT},
        {"its time up", DEER, 0, 90, 0, {-0.62f, 4, 0.01f}, {0, 0.62f, 0}, BG},
    };
    const float LIFT[3] = {0.25f, 0.15f, 0.22f};
    for (const auto& p : PARTS) {
        const Vec3 at = bodyPoint(feet, p.facing, p.fall, LIFT[p.kind], p.part);
        bare(eyeOn(vecAdd(feet, p.eye), at), 60, BG);
        EnemyRecord e = {feet, 0, 0, p.fall == 0, p.fall, p.timer, {BLUE.r, BLUE.g, BLUE.b}};
        AnimalRecord a = {p.kind == DEER, x, z, p.facing, 0, 0, 0, 0, p.fall == 0, p.fall, p.timer};
        if (p.kind == ENEMY) drawEnemy(&e);
        if (p.kind == RABBIT) drawRabbit(&a);
        if (p.kind == DEER) drawDeer(&a);
        EXPECT_TRUE(showsAt(grab(), at, p.colour, 4)) << p.name;
    }
}
