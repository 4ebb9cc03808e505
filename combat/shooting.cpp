#include "combat/shooting.h"

#include "audio/cues.h"
#include "combat/corpse.h"
#include "combat/particles.h"
#include "player/player.h"
#include "world/placement.h"
#include "world/terrain.h"

namespace {

const float ENEMY_HIT_HEIGHT = 1.3f;
const float ENEMY_HIT_RADIUS = 0.8f;
// Scenery closer than this to the eye never blocks a shot.
const float SCENERY_MIN_DISTANCE = 0.3f;

// Keeps the nearer of an accepted sphere hit and the best so far.
void considerSceneryHit(Vec3 origin, Vec3 direction, Vec3 centre, float radius, int index,
                        SceneryHit* best) {
    float t;
    if (rayHitsSphere(origin, direction, centre, radius, &t) && t > SCENERY_MIN_DISTANCE &&
        t < best->distance) {
        best->hit = 1;
        best->index = index;
        best->distance = t;
    }
}

SceneryHit noSceneryHit() {
    SceneryHit none = {0, -1, 1e10f};
    return none;
}

}  // namespace

SceneryHit testTreeHit(Vec3 origin, Vec3 direction) {
    SceneryHit best = noSceneryHit();
    for (int i = 0; i < TREE_COUNT; ++i) {
        const TreeRecord* t = &trees[i];
        float ground = terrainHeightAt(t->x, t->z);
        Vec3 trunk = makeVec3(t->x, ground + 0.4f * t->height * 0.5f, t->z);
        considerSceneryHit(origin, direction, trunk, 0.12f * t->height, i, &best);
        Vec3 crown = makeVec3(t->x, ground + 0.4f * t->height + 0.3f * t->height, t->z);
        considerSceneryHit(origin, direction, crown, 0.7f * t->crownRadius, i, &best);
    }
    return best;
}

SceneryHit testRockHit(Vec3 origin, Vec3 direction) {
    SceneryHit best = noSceneryHit();
    for (int i = 0; i < ROCK_COUNT; ++i) {
        const RockRecord* r = &rocks[i];
        Vec3 centre = makeVec3(r->x, terrainHeightAt(r->x, r->z) + 0.5f * r->sizeY, r->z);
        considerSceneryHit(origin, direction, centre, (r->sizeX + r->sizeY + r->sizeZ) / 3.0f, i,
                           &best);
    }
    return best;
}

int isInStream(float x, float z) {
    if (!isStreamBuilt()) return 0;
    float nearest = 1e30f;
    for (int k = 0; k < STREAM_SAMPLES - 1; k += 3) {
        float dx = x - streamSampleX[k];
        float dz = z - streamSampleZ[k];
        float d2 = dx * dx + dz * dz;
        if (d2 < nearest) nearest = d2;
    }
    return nearest < STREAM_HALF_WIDTH * STREAM_HALF_WIDTH;
}

void fireWeapon() {
    ArenaState* state = &theArena;
    if (state->gameOver) return;
    Vec3 forward = viewDirection(&thePlayer);
    Vec3 right = rightVector(&thePlayer);
    Vec3 origin = thePlayer.position;
    Vec3 muzzle = vecAdd(vecAdd(origin, vecScale(forward, 2.0f)), vecScale(right, 0.3f));
    muzzle.y -= 0.3f;

    AnimalHit animal = {0, 0, 0, 0.0f};
    testAnimalHit(origin, forward, &animal);

    // Every request sounds, even one the cooldown then swallows.
    playGunshotCue();
    state->lastHitKind = HIT_NOTHING;
    resolveShot(state, origin, forward, muzzle, animal.hit, animal.index, animal.kind,
                animal.distance);

    switch (state->lastHitKind) {
        case HIT_ENEMY:
            if (state->lastKillRed)
                playRedEnemyKillCue();
            else
                playEnemyKillCue();
            break;
        case HIT_RABBIT:
            playRabbitKillCue();
            break;
        case HIT_DEER:
            playDeerKillCue();
            break;
        default:
            break;
    }
}

void resolveShot(ArenaState* state, Vec3 origin, Vec3 direction, Vec3 muzzle, int animalHit,
                 int animalIndex, int animalKind, float animalDistance) {
    float best = SHOT_MAX_DISTANCE;
    int target = -1;
    int targetIsAnimal = 0;
    int solidHit = 0;

    if (state->fireCooldown > 0.0f) return;
    state->lastHitKind = HIT_NOTHING;
    state->lastKillRed = 0;

    for (int i = 0; i < state->enemyCount; ++i) {
        const EnemyRecord* e = &state->enemies[i];
        if (!e->alive) continue;
        Vec3 centre = makeVec3(e->position.x, e->position.y + ENEMY_HIT_HEIGHT, e->position.z);
        float t;
        if (rayHitsSphere(origin, direction, centre, ENEMY_HIT_RADIUS, &t) && t < best) {
            best = t;
            target = i;
            targetIsAnimal = 0;
        }
    }
    if (animalHit == 1 && animalDistance < best) {
        best = animalDistance;
        target = animalIndex;
        targetIsAnimal = 1;
    }

    SceneryHit tree = testTreeHit(origin, direction);
    SceneryHit rock = testRockHit(origin, direction);
    // A tree shields what stands behind it but leaves no mark on the tracer.
    if (tree.hit && tree.distance < best) {
        best = tree.distance;
        target = -1;
        targetIsAnimal = 0;
    }
    if (rock.hit && rock.distance < best) {
        best = rock.distance;
        target = -1;
        targetIsAnimal = 0;
        solidHit = 1;
    }

    float reach = (solidHit || target >= 0) ? best : SHOT_MISS_LENGTH;
    startTracer(state, muzzle, vecAdd(origin, vecScale(direction, reach)));
    state->muzzleFlash = 1.0f;
    state->fireCooldown = FIRE_COOLDOWN;
    state->shotsFired += 1;

    if (solidHit) spawnSparks(state, vecAdd(origin, vecScale(direction, best)));

    if (!solidHit && target < 0 && direction.y < -0.001f) {
        float t = (WATER_LEVEL - origin.y) / direction.y;
        if (t > 0.5f && t < SHOT_MISS_LENGTH) {
            Vec3 p = vecAdd(origin, vecScale(direction, t));
            if (isInStream(p.x, p.z)) spawnSplash(state, p);
        }
    }

    if (target < 0) return;
    state->hits += 1;

    if (targetIsAnimal) {
        int isDeer = animalKind == ANIMAL_DEER;
        state->score += isDeer ? DEER_POINTS : RABBIT_POINTS;
        state->lastHitKind = isDeer ? HIT_DEER : HIT_RABBIT;
        killAnimal(target);
        spawnBloodBurst(state, vecAdd(origin, vecScale(direction, best)));
        return;
    }

    EnemyRecord* e = &state->enemies[target];
    e->alive = 0;
    e->fallAngle = 0.0f;
    e->corpseTimer = CORPSE_TIME;
    state->score += ENEMY_POINTS;
    state->lastHitKind = HIT_ENEMY;
    state->lastKillRed = e->colour.x > 0.5f ? 1 : 0;
    state->enemiesLeft -= 1;
    spawnBloodBurst(state, vecAdd(e->position, makeVec3(0.0f, ENEMY_HIT_HEIGHT, 0.0f)));
    if (state->enemiesLeft <= 0) {
        state->gameOver = 1;
        state->victory = 1;
    }
}
