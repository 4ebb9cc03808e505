#pragma once

#include "combat/animals.h"
#include "combat/arena.h"
#include "render/view_frustum.h"

// The three creatures, put together from quadric shapes every frame. Each
// stands on the ground under it (never its stored height), and a dead one
// lies tipped over until its corpse timer runs out. The model-view matrix is
// restored.

void drawEnemy(const EnemyRecord* enemy);
void drawRabbit(const AnimalRecord* rabbit);
void drawDeer(const AnimalRecord* deer);

// Whether any of the creature can show in the view, standing or lying.
int enemyInView(const ViewFrustum* view, const EnemyRecord* enemy);
int animalInView(const ViewFrustum* view, const AnimalRecord* animal);
