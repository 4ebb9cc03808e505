#include "combat/creature_draw.h"

#include <cmath>
#include <iterator>

#include "render/gl.h"
#include "render/mesh_batch.h"
#include "world/terrain.h"

namespace {

struct PartColour {
    float red, green, blue;
};

// One primitive of a body plan in the creature's frame (+y up, +z the head's
// side). Cylinders stand upright from their base point, or hang from it, and
// are closed at both ends unless left open.
struct BodyPart {
    PartColour colour;
    int tinted;  // the colour scales the enemy's shirt colour
    float x, y, z;
    int still;  // stays put while the body bobs
    int cylinder;
    float turnX, turnZ;  // degrees, before standing the cylinder up
    float scaleX, scaleY, scaleZ;
    float radius;       // sphere radius or cylinder base radius
    float top, height;  // cylinder only
    int slices, stacks;
    int hangs;  // the cylinder runs down from its base point
    int open;   // no discs on the cylinder's ends
};

constexpr BodyPart spherePart(PartColour c, float x, float y, float z, float radius, int slices,
                              int stacks, float sx = 1.0f, float sy = 1.0f, float sz = 1.0f) {
    return BodyPart{c,  0,  x,      y,    z,    0,      0,      0.0f, 0.0f, sx,
                    sy, sz, radius, 0.0f, 0.0f, slices, stacks, 0,    0};
}

constexpr BodyPart cylinderPart(PartColour c, float x, float y, float z, float turnX, float turnZ,
                                float base, float top, float height, int slices) {
    return BodyPart{c,    0,    x,    y,   z,      0,      1, turnX, turnZ, 1.0f,
                    1.0f, 1.0f, base, top, height, slices, 1, 0,     0};
}

constexpr BodyPart hanging(BodyPart p) {
    p.hangs = 1;
    return p;
}

constexpr BodyPart leftOpen(BodyPart p) {
    p.open = 1;
    return p;
}

constexpr BodyPart tinted(BodyPart p) {
    p.tinted = 1;
    return p;
}

constexpr BodyPart still(BodyPart p) {
    p.still = 1;
    return p;
}

// Adds the part to the creature's batch, placed in the creature's frame.
void drawPart(const BodyPart& p, const Placement* frame, float bob, Vec3 shirt) {
    PartColour c = p.colour;
    if (p.tinted)
        c = PartColour{p.colour.red * shirt.x, p.colour.green * shirt.y, p.colour.blue * shirt.z};
    Placement part = *frame;
    placeTranslate(&part, p.x, p.still ? p.y : p.y + bob, p.z);
    if (p.cylinder) {
        if (p.turnX != 0.0f) placeRotate(&part, p.turnX, 1.0f, 0.0f, 0.0f);
        if (p.turnZ != 0.0f) placeRotate(&part, p.turnZ, 0.0f, 0.0f, 1.0f);
        placeRotate(&part, p.hangs ? 90.0f : -90.0f, 1.0f, 0.0f, 0.0f);
    }
    if (p.scaleX != 1.0f || p.scaleY != 1.0f || p.scaleZ != 1.0f)
        placeScale(&part, p.scaleX, p.scaleY, p.scaleZ);
    const BatchColour colour = {c.red, c.green, c.blue, 1.0f};
    if (!p.cylinder) {
        batchSphere(&part, p.radius, p.slices, p.stacks, colour);
        return;
    }
    batchCylinder(&part, p.radius, p.top, p.height, p.slices, colour);
    if (p.open) return;
    // The base's disc is turned about y to face back down the axis: that keeps
    // each of its rim's corners on one of the tube's, whatever the slices.
    Placement base = part;
    placeRotate(&base, 180.0f, 0.0f, 1.0f, 0.0f);
    batchDisc(&base, p.radius, p.slices, colour);
    Placement top = part;
    placeTranslate(&top, 0.0f, 0.0f, p.height);
    batchDisc(&top, p.top, p.slices, colour);
}

void drawParts(const BodyPart* parts, size_t count, const Placement* frame, float bob, Vec3 shirt) {
    for (size_t i = 0; i < count; ++i) drawPart(parts[i], frame, bob, shirt);
}

const Vec3 NO_SHIRT = {1.0f, 1.0f, 1.0f};

// Where a creature stands and how it lies once dead.
struct CreaturePose {
    float x, z;
    int turned;  // animals turn to their facing, enemies never turn
    float facing;
    int alive;
    float fallAngle;
    float corpseTimer;
    float lift;  // lying on its side, its body's half-width
};

// The creature's frame in the world, and an empty batch for its parts; 0
// when there is nothing to draw. Its parts are placed on the CPU and drawn
// in one call by endCreature.
int beginCreature(const CreaturePose& pose, Placement* frame) {
    if (!pose.alive && pose.corpseTimer <= 0.0f) return 0;
    *frame = placementAt(pose.x, terrainHeightAt(pose.x, pose.z), pose.z);
    if (pose.turned) placeRotate(frame, pose.facing, 0.0f, 1.0f, 0.0f);
    if (!pose.alive) {
        // It tips about its feet onto its left side and rises by its
        // half-width as it goes, so the body comes to lie on the ground.
        placeTranslate(frame, 0.0f, pose.lift * std::sin(pose.fallAngle * PI_F / 180.0f), 0.0f);
        placeRotate(frame, pose.fallAngle, 0.0f, 0.0f, 1.0f);
    }
    beginMeshBatch();
    return 1;
}

void endCreature() { drawMeshBatch(); }

CreaturePose animalPose(const AnimalRecord* a, float lift) {
    return CreaturePose{a->x, a->z, 1, a->facing, a->alive, a->fallAngle, a->corpseTimer, lift};
}

// The body's half-width across the side it lies on: the enemy's coat at the
// hips, the rabbit's body (settling a little into the grass), the deer's barrel.
const float ENEMY_LIFT = 0.25f;
const float RABBIT_LIFT = 0.15f;
const float DEER_LIFT = 0.22f;

// A standing figure with its hands up, 1.52 tall. The arms rise from
// shoulders on the coat (its radius at 0.9 is 0.205) and lean out 13.6
// degrees, so the hands still come up beside the head, 0.35 out: an arm
// stood 0.35 out all the way would float 0.065 clear of the body, which
// shows once the figure lies on its side. The legs stand inside the coat,
// their feet flush with its closed hem; they are left open, as discs there
// would flicker against the hem's.
constexpr BodyPart ENEMY_PARTS[] = {
    tinted(cylinderPart({1.0f, 1.0f, 1.0f}, 0.0f, 0.0f, 0.0f, 0, 0, 0.25f, 0.2f, 1.0f, 8)),
    spherePart({0.9f, 0.7f, 0.6f}, 0.0f, 1.3f, 0.0f, 0.22f, 8, 8),
    tinted(cylinderPart({0.8f, 0.8f, 0.8f}, -0.205f, 0.9f, 0.0f, 0, 13.6f, 0.08f, 0.08f, 0.6f, 6)),
    tinted(cylinderPart({0.8f, 0.8f, 0.8f}, 0.205f, 0.9f, 0.0f, 0, -13.6f, 0.08f, 0.08f, 0.6f, 6)),
    leftOpen(
        tinted(cylinderPart({0.6f, 0.6f, 0.6f}, -0.12f, 0.0f, 0.0f, 0, 0, 0.1f, 0.1f, 0.5f, 6))),
    leftOpen(
        tinted(cylinderPart({0.6f, 0.6f, 0.6f}, 0.12f, 0.0f, 0.0f, 0, 0, 0.1f, 0.1f, 0.5f, 6))),
};

constexpr PartColour RABBIT_FUR = {0.85f, 0.8f, 0.75f};
constexpr PartColour RABBIT_EAR = {0.95f, 0.8f, 0.8f};
constexpr PartColour RABBIT_EYE = {1.0f, 0.6f, 0.6f};

constexpr BodyPart RABBIT_PARTS[] = {
    spherePart(RABBIT_FUR, 0.0f, 0.22f, 0.0f, 0.18f, 6, 6, 1.0f, 0.8f, 1.2f),
    spherePart({0.9f, 0.85f, 0.8f}, 0.0f, 0.38f, 0.1f, 0.1f, 6, 6),
    spherePart(RABBIT_EAR, -0.04f, 0.52f, 0.08f, 0.1f, 4, 4, 0.3f, 1.0f, 0.2f),
    spherePart(RABBIT_EAR, 0.04f, 0.52f, 0.08f, 0.1f, 4, 4, 0.3f, 1.0f, 0.2f),
    spherePart(RABBIT_EYE, -0.03f, 0.35f, 0.18f, 0.02f, 4, 4),
    spherePart(RABBIT_EYE, 0.03f, 0.35f, 0.18f, 0.02f, 4, 4),
    still(spherePart(RABBIT_FUR, 0.0f, 0.1f, -0.15f, 0.06f, 4, 4)),
};

constexpr PartColour DEER_LEG = {0.55f, 0.38f, 0.2f};
constexpr PartColour DEER_HOOF = {0.15f, 0.1f, 0.05f};
constexpr PartColour DEER_COAT = {0.65f, 0.45f, 0.25f};
constexpr PartColour DEER_ANTLER = {0.3f, 0.2f, 0.1f};
constexpr PartColour DEER_EYE = {0.08f, 0.05f, 0.02f};
constexpr PartColour DEER_GLINT = {1.0f, 1.0f, 1.0f};
constexpr PartColour DEER_INNER_EAR = {0.8f, 0.55f, 0.4f};

constexpr BodyPart DEER_BODY_PARTS[] = {
    spherePart(DEER_COAT, 0.0f, 0.62f, 0.0f, 1.0f, 10, 8, 0.22f, 0.18f, 0.45f),
    spherePart({0.75f, 0.55f, 0.35f}, 0.0f, 0.56f, 0.0f, 1.0f, 8, 6, 0.18f, 0.1f, 0.38f),
    cylinderPart({0.6f, 0.42f, 0.22f}, 0.0f, 0.78f, 0.3f, -30.0f, 0.0f, 0.08f, 0.06f, 0.22f, 8),
    spherePart({0.7f, 0.5f, 0.3f}, 0.0f, 0.95f, 0.38f, 0.1f, 8, 6, 1.0f, 0.85f, 1.2f),
    spherePart({0.6f, 0.4f, 0.22f}, 0.0f, 0.92f, 0.48f, 0.06f, 6, 6, 0.7f, 0.6f, 1.0f),
    spherePart({0.15f, 0.1f, 0.08f}, 0.0f, 0.93f, 0.53f, 0.025f, 4, 4),
    spherePart(DEER_EYE, -0.065f, 0.98f, 0.42f, 0.018f, 4, 4),
    spherePart(DEER_GLINT, -0.063f, 0.985f, 0.435f, 0.006f, 3, 3),
    spherePart(DEER_EYE, 0.065f, 0.98f, 0.42f, 0.018f, 4, 4),
    spherePart(DEER_GLINT, 0.063f, 0.985f, 0.435f, 0.006f, 3, 3),
    cylinderPart(DEER_COAT, -0.06f, 1.06f, 0.34f, 0.0f, -20.0f, 0.025f, 0.015f, 0.08f, 5),
    cylinderPart(DEER_INNER_EAR, -0.06f, 1.07f, 0.35f, 0.0f, -20.0f, 0.015f, 0.008f, 0.06f, 4),
    cylinderPart(DEER_COAT, 0.06f, 1.06f, 0.34f, 0.0f, 20.0f, 0.025f, 0.015f, 0.08f, 5),
    cylinderPart(DEER_INNER_EAR, 0.06f, 1.07f, 0.35f, 0.0f, 20.0f, 0.015f, 0.008f, 0.06f, 4),
    cylinderPart(DEER_ANTLER, -0.04f, 1.05f, 0.35f, -15.0f, -10.0f, 0.01f, 0.005f, 0.22f, 5),
    cylinderPart(DEER_ANTLER, -0.05f, 1.15f, 0.33f, -40.0f, -30.0f, 0.006f, 0.003f, 0.1f, 4),
    cylinderPart(DEER_ANTLER, -0.04f, 1.22f, 0.3f, -50.0f, -5.0f, 0.006f, 0.003f, 0.08f, 4),
    cylinderPart(DEER_ANTLER, 0.04f, 1.05f, 0.35f, -15.0f, 10.0f, 0.01f, 0.005f, 0.22f, 5),
    cylinderPart(DEER_ANTLER, 0.05f, 1.15f, 0.33f, -40.0f, 30.0f, 0.006f, 0.003f, 0.1f, 4),
    cylinderPart(DEER_ANTLER, 0.04f, 1.22f, 0.3f, -50.0f, 5.0f, 0.006f, 0.003f, 0.08f, 4),
    spherePart({1.0f, 1.0f, 1.0f}, 0.0f, 0.65f, -0.4f, 0.05f, 5, 5, 0.8f, 1.0f, 1.2f),
};

// A leg's hip, and which way it swings: diagonal legs move together.
struct DeerLeg {
    float x, z;
    float swing;  // +1 or -1
};

const DeerLeg DEER_LEGS[4] = {
    {-0.1f, 0.12f, 1.0f},    // front left
    {0.1f, 0.12f, -1.0f},    // front right
    {-0.1f, -0.15f, -1.0f},  // back left
    {0.1f, -0.15f, 1.0f},    // back right
};

// A leg hangs from the hip at 0.5: the upper part down to the knee at 0.22,
// the lower part on to the hoof on the ground (0.5 - 0.28 and 0.22 - 0.24),
// tapering 0.04, 0.035, 0.03 as it goes; stood up from those points, the
// upper part would vanish into the body and the hoof lie 0.2 below the leg.
// Hanging, a part turned by -w about x moves its knee the way +f moves the
// foot, so the whole leg swings one way.
void drawDeerLeg(const DeerLeg& leg, const Placement* frame, float bob, float swingDegrees,
                 float footOffset) {
    float foot = leg.z + leg.swing * footOffset;
    drawPart(hanging(cylinderPart(DEER_LEG, leg.x, 0.5f, leg.z, -leg.swing * swingDegrees, 0.0f,
                                  0.04f, 0.035f, 0.28f, 6)),
             frame, bob, NO_SHIRT);
    drawPart(
        hanging(cylinderPart(DEER_LEG, leg.x, 0.22f, foot, 0.0f, 0.0f, 0.035f, 0.03f, 0.24f, 6)),
        frame, bob, NO_SHIRT);
    drawPart(still(spherePart(DEER_HOOF, leg.x, 0.0f, foot, 0.035f, 4, 4)), frame, bob, NO_SHIRT);
}

// How far any part reaches from the creature's feet: the farthest point of
// its body plan (bob included) plus the lift of a lying body, rounded up.
// Tipping over turns the body about its feet, so the reach covers every pose.
const float ENEMY_REACH = 1.9f;   // a raised hand, 1.53 out, lifted 0.25
const float RABBIT_REACH = 1.0f;  // an ear tip, 0.67 out, lifted 0.15
const float DEER_REACH = 1.7f;    // an antler tip, 1.37 out, lifted 0.22

int reachesIntoView(const ViewFrustum* view, float x, float z, float reach) {
    return sphereInView(view, x, terrainHeightAt(x, z), z, reach);
}

}  // namespace

int enemyInView(const ViewFrustum* view, const EnemyRecord* e) {
    return reachesIntoView(view, e->position.x, e->position.z, ENEMY_REACH);
}

int animalInView(const ViewFrustum* view, const AnimalRecord* a) {
    return reachesIntoView(view, a->x, a->z, a->kind == ANIMAL_RABBIT ? RABBIT_REACH : DEER_REACH);
}

void drawEnemy(const EnemyRecord* e) {
    CreaturePose pose = {e->position.x, e->position.z,  0,         0.0f, e->alive,
                         e->fallAngle,  e->corpseTimer, ENEMY_LIFT};
    Placement frame;
    if (!beginCreature(pose, &frame)) return;
    drawParts(ENEMY_PARTS, std::size(ENEMY_PARTS), &frame, 0.0f, e->colour);
    endCreature();
}

void drawRabbit(const AnimalRecord* a) {
    Placement frame;
    if (!beginCreature(animalPose(a, RABBIT_LIFT), &frame)) return;
    float bob = 0.0f;
    if (a->alive && a->fallAngle < 90.0f && a->moving == 1) bob = std::sin(a->gaitPhase) * 0.04f;
    drawParts(RABBIT_PARTS, std::size(RABBIT_PARTS), &frame, bob, NO_SHIRT);
    endCreature();
}

void drawDeer(const AnimalRecord* a) {
    Placement frame;
    if (!beginCreature(animalPose(a, DEER_LIFT), &frame)) return;
    float bob = 0.0f, swing = 0.0f, foot = 0.0f;
    if (a->alive && a->moving == 1) {
        if (a->fallAngle < 90.0f) bob = std::sin(a->gaitPhase) * 0.03f;
        swing = std::sin(a->gaitPhase) * 8.0f;
        foot = std::sin(swing * 0.0175f) * 0.06f;
    }
    for (const DeerLeg& leg : DEER_LEGS) drawDeerLeg(leg, &frame, bob, swing, foot);
    drawParts(DEER_BODY_PARTS, std::size(DEER_BODY_PARTS), &frame, bob, NO_SHIRT);
    endCreature();
}
