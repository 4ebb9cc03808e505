#include "combat/particles.h"

#include "core/random.h"
#include "world/terrain.h"

namespace {

// Walks a packed array from its last live slot down, ageing each particle;
// a spent one is replaced by the last live one, which was already advanced
// this frame, so nothing is skipped or advanced twice.
template <typename Particle, typename Advance>
void agePacked(Particle* items, int* count, float dt, Advance advance) {
    for (int i = *count - 1; i >= 0; --i) {
        Particle* p = &items[i];
        p->life -= dt;
        if (p->life <= 0.0f) {
            items[i] = items[*count - 1];
            *count -= 1;
        } else {
            advance(p);
        }
    }
}

Vec3 bloodColour(float u) {
    if (u < 0.3f) return makeVec3(0.6f, 0.0f, 0.0f);
    if (u < 0.7f) return makeVec3(0.8f, 0.05f, 0.0f);
    return makeVec3(0.5f, 0.0f, 0.05f);
}

// Velocities are drawn z, then y, then x.
Vec3 drawVelocity(float spreadXZ, float minUp, float maxUp) {
    Vec3 v;
    v.z = randomFloat(-spreadXZ, spreadXZ);
    v.y = randomFloat(minUp, maxUp);
    v.x = randomFloat(-spreadXZ, spreadXZ);
    return v;
}

}  // namespace

void spawnBloodBurst(ArenaState* state, Vec3 p) {
    int n = randomInt(30, 50);
    for (int k = 0; k < n && state->bloodDropCount < MAX_BLOOD_DROPS; ++k) {
        BloodDrop* d = &state->bloodDrops[state->bloodDropCount];
        float u = randomFloat(0.0f, 1.0f);
        d->position = p;
        d->velocity = drawVelocity(3.5f, 0.5f, 6.0f);
        d->life = randomFloat(0.6f, 1.2f);
        d->maxLife = d->life;
        d->size = randomFloat(0.015f, 0.12f);
        d->landed = 0;
        d->colour = bloodColour(u);
        state->bloodDropCount += 1;
    }
    if (state->bloodPoolCount < MAX_BLOOD_POOLS) {
        BloodPool* s = &state->bloodPools[state->bloodPoolCount];
        s->position = makeVec3(p.x, terrainHeightAt(p.x, p.z) + 0.015f, p.z);
        s->radius = randomFloat(0.3f, 0.8f);
        s->life = 5.0f;
        s->maxLife = 5.0f;
        state->bloodPoolCount += 1;
    }
}

void startTracer(ArenaState* state, Vec3 start, Vec3 end) {
    state->tracer.start = start;
    state->tracer.end = end;
    state->tracer.timeLeft = TRACER_LIFE;
    state->tracer.active = 1;
}

void spawnSplash(ArenaState* state, Vec3 p) {
    int n = randomInt(12, 20);
    for (int k = 0; k < n && state->splashDropCount < MAX_SPLASH_DROPS; ++k) {
        SplashDrop* d = &state->splashDrops[state->splashDropCount];
        d->position = p;
        d->velocity = drawVelocity(2.0f, 2.0f, 5.0f);
        d->life = randomFloat(0.3f, 1.0f);
        d->maxLife = d->life;
        d->size = randomFloat(0.02f, 0.06f);
        state->splashDropCount += 1;
    }
    if (state->rippleCount < MAX_RIPPLES) {
        Ripple* r = &state->ripples[state->rippleCount];
        r->position = p;
        r->radius = 0.1f;
        r->life = 1.5f;
        r->maxLife = 1.5f;
        state->rippleCount += 1;
    }
}

void spawnSparks(ArenaState* state, Vec3 p) {
    int n = randomInt(10, 18);
    for (int k = 0; k < n && state->sparkCount < MAX_SPARKS; ++k) {
        Spark* s = &state->sparks[state->sparkCount];
        s->position = p;
        s->velocity = drawVelocity(4.0f, 1.0f, 5.0f);
        s->life = randomFloat(0.15f, 0.4f);
        s->maxLife = s->life;
        s->colour.x = randomFloat(0.8f, 1.0f);
        s->colour.y = randomFloat(0.5f, 0.9f);
        s->colour.z = randomFloat(0.0f, 0.2f);
        state->sparkCount += 1;
    }
}

void updateBloodDrops(ArenaState* state, float dt) {
    agePacked(state->bloodDrops, &state->bloodDropCount, dt, [dt](BloodDrop* d) {
        if (d->landed) {
            d->size += 0.05f * dt;
            if (d->size > 0.2f) d->size = 0.2f;
            return;
        }
        d->velocity.y -= 12.0f * dt;
        d->position = vecAdd(d->position, vecScale(d->velocity, dt));
        float ground = terrainHeightAt(d->position.x, d->position.z) + 0.01f;
        if (d->position.y < ground) {
            d->position.y = ground;
            d->landed = 1;
            d->velocity = makeVec3(0.0f, 0.0f, 0.0f);
            d->size *= 1.5f;
        }
    });
}

void updateBloodPools(ArenaState* state, float dt) {
    agePacked(state->bloodPools, &state->bloodPoolCount, dt, [](BloodPool*) {});
}

void updateSplashDrops(ArenaState* state, float dt) {
    agePacked(state->splashDrops, &state->splashDropCount, dt, [dt](SplashDrop* d) {
        d->velocity.y -= 10.0f * dt;
        d->position = vecAdd(d->position, vecScale(d->velocity, dt));
        if (d->position.y < WATER_LEVEL) {
            // The drop skims and slows on the surface until its life ends.
            d->position.y = WATER_LEVEL;
            d->velocity.y = 0.0f;
            d->velocity.x *= 0.3f;
            d->velocity.z *= 0.3f;
        }
    });
}

void updateRipples(ArenaState* state, float dt) {
    agePacked(state->ripples, &state->rippleCount, dt, [dt](Ripple* r) { r->radius += 1.5f * dt; });
}

void updateSparks(ArenaState* state, float dt) {
    agePacked(state->sparks, &state->sparkCount, dt, [dt](Spark* s) {
        s->velocity.y -= 15.0f * dt;
        s->position = vecAdd(s->position, vecScale(s->velocity, dt));
    });
}
