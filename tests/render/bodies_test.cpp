#include <array>
#include <map>

#include "render/mesh_batch.h"
#include "render_fixture.h"

// Creatures as GL receives them: in feedback mode GL hands back each triangle it would draw, in
// window coordinates and in its own colour (lighting off); undone, they are the drawn surfaces.

namespace {

struct Corner {
    Vec3 at;
    Rgb colour;
    long point;  // the same for corners that meet, rounding apart
};
using Triangle = std::array<Corner, 3>;

bool same(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 0.01f;
}

// What a drawing step sends, within 3 units of the ground at (x, z): seen square-on, 100 pixels a
// unit across, its depth 8 units from the far side to the near.
std::vector<Triangle> drawn(float x, float z, const std::function<void()>& draw) {
    static std::vector<GLfloat> fed(1 << 18);
    const Vec3 at = makeVec3(x, terrainHeightAt(x, z), z);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -3, 3, -4, 4);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-at.x, -at.y, -at.z);
    glFeedbackBuffer((GLsizei)fed.size(), GL_3D_COLOR, fed.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    std::vector<Triangle> out(glRenderMode(GL_RENDER) / 23);  // a token, 3, 3 x (xyz, rgba)
    std::vector<Vec3> points;
    for (size_t i = 0; i < out.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            const GLfloat* v = &fed[i * 23 + 2 + 7 * k];
            const Vec3 p = vecAdd(at, makeVec3(v[0] / 100 - 4, v[1] / 100 - 3, 4 - 8 * v[2]));
            auto met = std::find_if(points.begin(), points.end(),
                                    [&](Vec3 o) { return vecDistance(o, p) < 1e-4f; });
            out[i][k] = {p, {v[3], v[4], v[5]}, met - points.begin()};
            if (met == points.end()) points.push_back(p);
        }
    }
    return out;
}

// Each point once where the triangles of a colour meet.
std::vector<Vec3> corners(const std::vector<Triangle>& ts, Rgb colour) {
    std::map<long, Vec3> met;
    for (const Triangle& t : ts)
        for (const Corner& c : t)
            if (same(c.colour, colour)) met[c.point] = c.at;
    std::vector<Vec3> out;
    for (const auto& [point, at] : met) out.push_back(at);
    return out;
}

// Edges of the triangles not in one colour that only one side uses: none when every part drawn in
// the other colours is a closed surface.
int openEdges(const std::vector<Triangle>& ts, Rgb apart) {
    std::map<std::pair<long, long>, int> uses;
    for (const Triangle& t : ts)
        for (int k = 0; k < 3; ++k)
            if (!same(t[0].colour, apart)) ++uses[std::minmax(t[k].point, t[(k + 1) % 3].point)];
    int open = 0;
    for (const auto& [edge, n] : uses) open += edge.first != edge.second && n % 2;
    return open;
}

// How far p lies outside the closed convex surface drawn in a colour (below 0: inside it).
float outside(Vec3 p, const std::vector<Triangle>& ts, Rgb colour) {
    float most = -1e9f;
    for (const Triangle& t : ts) {
        Vec3 n = vecCross(vecSub(t[1].at, t[0].at), vecSub(t[2].at, t[0].at));
        if (same(t[0].colour, colour) && vecLength(n) > 1e-9f)
            most = std::max(most, vecDot(vecNormalize(n), vecSub(p, t[0].at)));
    }
    return most;
}

Vec3 middle(const std::vector<Vec3>& points) {
    Vec3 sum = makeVec3(0, 0, 0);
    for (Vec3 p : points) sum = vecAdd(sum, vecScale(p, 1.0f / points.size()));
    return sum;
}

class Bodies : public RenderTest {};

const float X = 31, Z = -17;
const Rgb SHIRT = {0.8f, 0.2f, 0.2f}, ARMS = {0.64f, 0.16f, 0.16f}, LEGS = {0.48f, 0.12f, 0.12f},
          DEER_LEGS = {0.55f, 0.38f, 0.2f}, HOOVES = {0.15f, 0.1f, 0.05f};

EnemyRecord enemy(float x, int alive, float fall) {
    return EnemyRecord{
        makeVec3(x, 0, Z), 0, 0, alive, fall, 3, makeVec3(SHIRT.r, SHIRT.g, SHIRT.b)};
}

AnimalRecord animal(int kind, float facing, float gait, int moving, int alive, float fall) {
    return AnimalRecord{kind, X, Z, facing, 0, 0, gait, moving, alive, fall, 3};
}

std::vector<Triangle> drawnEnemy(EnemyRecord e) {
    return drawn(e.position.x, e.position.z, [&] { drawEnemy(&e); });
}

std::vector<Triangle> drawnAnimal(AnimalRecord a) {
    return drawn(a.x, a.z, [&] {
        if (a.kind == ANIMAL_RABBIT)
            drawRabbit(&a);
        else
            drawDeer(&a);
    });
}

}  // namespace

// Standing or lying, walking or falling, every part that can show an end is closed; the enemy's
// legs stand inside its coat, flush with its closed hem, and may stay open.
TEST_F(Bodies, NoPartShowsAnOpenEnd) {
    EXPECT_EQ(openEdges(drawnEnemy(enemy(X, 1, 0)), LEGS), 0) << "standing enemy";
    EXPECT_EQ(openEdges(drawnEnemy(enemy(X, 0, 90)), LEGS), 0) << "lying enemy";
    EXPECT_EQ(openEdges(drawnAnimal(animal(ANIMAL_DEER, 40, 1.2f, 1, 1, 0)), LEGS), 0) << "walker";
    EXPECT_EQ(openEdges(drawnAnimal(animal(ANIMAL_DEER, 200, 0, 0, 0, 60)), LEGS), 0) << "faller";
}

// Tipping over and lying on its side, on flat and sloping ground, the figure keeps each arm on its
// coat: the arm's corner nearest the coat lies on or under its surface. The arms are told apart by
// the plane the figure tips in, through its coat's middle.
TEST_F(Bodies, BothArmsStayOnTheBodyAsItFallsAndLies) {
    for (float x : {X, -60.0f}) {
        for (float fall : {0.0f, 30.0f, 60.0f, 90.0f}) {
            const std::vector<Triangle> ts = drawnEnemy(enemy(x, 0, fall));
            const Vec3 centre = middle(corners(ts, SHIRT));
            const float tip = fall * PI_F / 180;
            float nearest[2] = {1e9f, 1e9f};
            for (Vec3 c : corners(ts, ARMS)) {
                const Vec3 off = vecSub(c, centre);
                float& side = nearest[off.x * std::cos(tip) + off.y * std::sin(tip) > 0];
                side = std::min(side, outside(c, ts, SHIRT));
            }
            EXPECT_LT(nearest[0], 0.01f) << "left arm, fallen " << fall << " at x " << x;
            EXPECT_LT(nearest[1], 0.01f) << "right arm, fallen " << fall << " at x " << x;
        }
    }
}

// A standing deer and one in mid-stride, turned: the middle of each foot (the legs' lowest ring)
// lies within the hoof beside it, whose centre and radius come from its own corners, and the top
// of each leg lies inside the belly.
TEST_F(Bodies, EachHoofSitsAtTheFootOfItsLeg) {
    for (auto [facing, moving] : {std::pair{0.0f, 0}, {130.0f, 1}}) {
        const std::vector<Triangle> ts =
            drawnAnimal(animal(ANIMAL_DEER, facing, 1.2f, moving, 1, 0));
        const std::vector<Vec3> hooves = corners(ts, HOOVES), legs = corners(ts, DEER_LEGS);
        float lowest = 1e9f;
        for (Vec3 c : legs) lowest = std::min(lowest, c.y);
        for (Vec3 h : hooves) {  // the hooves stand 0.2 apart or more
            std::vector<Vec3> hoof, foot;
            for (Vec3 c : hooves)
                if (vecDistance(c, h) < 0.1f) hoof.push_back(c);
            for (Vec3 c : legs)
                if (c.y < lowest + 1e-3f && vecDistance(c, h) < 0.1f) foot.push_back(c);
            const Vec3 centre = middle(hoof);
            float radius = 0;
            for (Vec3 c : hoof) radius = std::max(radius, vecDistance(c, centre));
            EXPECT_LT(vecDistance(middle(foot), centre), radius)
                << "facing " << facing << ", hoof at " << centre.x << " " << centre.z;
            std::vector<Vec3> column, hip;
            for (Vec3 c : legs)
                if (std::hypot(c.x - h.x, c.z - h.z) < 0.1f) column.push_back(c);
            float top = -1e9f;
            for (Vec3 c : column) top = std::max(top, c.y);
            for (Vec3 c : column)
                if (c.y > top - 0.01f) hip.push_back(c);
            EXPECT_LT(outside(middle(hip), ts, {0.75f, 0.55f, 0.35f}), 0)
                << "facing " << facing << ", hip above " << centre.x << " " << centre.z;
        }
    }
}

// Falling, a figure tips about its feet onto its side (its head going toward -x) with its hem on
// the ground all the way down; a deer's nose points along its facing, (sin, cos) in (x, z); at the
// top of a stride a rabbit's head rises 0.04, a deer's 0.03; a body whose time is up is gone.
TEST_F(Bodies, PosesTipTurnAndLiftTheWholeBody) {
    for (float fall : {0.0f, 45.0f, 90.0f}) {
        const std::vector<Triangle> ts = drawnEnemy(enemy(X, 0, fall));
        const std::vector<Vec3> coat = corners(ts, SHIRT);
        const Vec3 up = vecNormalize(vecSub(middle(corners(ts, {0.9f, 0.7f, 0.6f})), middle(coat)));
        float hem = 1e9f;
        for (Vec3 c : coat) hem = std::min(hem, c.y);
        EXPECT_NEAR(up.x, -std::sin(fall * PI_F / 180), 1e-3f) << "fallen " << fall;
        EXPECT_NEAR(up.y, std::cos(fall * PI_F / 180), 1e-3f) << "fallen " << fall;
        EXPECT_NEAR(hem, terrainHeightAt(X, Z), 1e-3f) << "fallen " << fall;
    }
    const std::vector<Triangle> deer = drawnAnimal(animal(ANIMAL_DEER, 130, 0, 0, 1, 0));
    const Vec3 ahead =
        vecSub(middle(corners(deer, {0.15f, 0.1f, 0.08f})), middle(corners(deer, HOOVES)));
    EXPECT_NEAR(std::atan2(ahead.x, ahead.z) * 180 / PI_F, 130, 0.1f);
    for (int kind : {ANIMAL_RABBIT, ANIMAL_DEER}) {
        const Rgb head = kind == ANIMAL_RABBIT ? Rgb{0.9f, 0.85f, 0.8f} : Rgb{0.7f, 0.5f, 0.3f};
        const float rise =
            middle(corners(drawnAnimal(animal(kind, 0, PI_F / 2, 1, 1, 0)), head)).y -
            middle(corners(drawnAnimal(animal(kind, 0, PI_F / 2, 0, 1, 0)), head)).y;
        EXPECT_NEAR(rise, kind == ANIMAL_RABBIT ? 0.04f : 0.03f, 1e-3f) << "kind " << kind;
    }
    EnemyRecord gone = enemy(X, 0, 90);
    gone.corpseTimer = 0;
    EXPECT_TRUE(drawnEnemy(gone).empty());
}

// Standing and facing +z, each creature is its own mirror image across its middle, x = X: every
// corner drawn has a twin of its colour on the other side.
TEST_F(Bodies, StandingBodiesAreTheirOwnMirrorImages) {
    const std::pair<const char*, std::vector<Triangle>> bodies[] = {
        {"enemy", drawnEnemy(enemy(X, 1, 0))},
        {"deer", drawnAnimal(animal(ANIMAL_DEER, 0, 0, 0, 1, 0))},
        {"rabbit", drawnAnimal(animal(ANIMAL_RABBIT, 0, 0, 0, 1, 0))}};
    for (const auto& [name, ts] : bodies) {
        int unmatched = 0;
        for (const Triangle& t : ts) {
            for (const Corner& c : t) {
                const Vec3 twin = makeVec3(2 * X - c.at.x, c.at.y, c.at.z);
                unmatched += std::none_of(ts.begin(), ts.end(), [&](const Triangle& u) {
                    return std::any_of(u.begin(), u.end(), [&](const Corner& d) {
                        return same(d.colour, c.colour) && vecDistance(d.at, twin) < 1e-4f;
                    });
                });
            }
        }
        EXPECT_EQ(unmatched, 0) << name;
    }
}
