#pragma once

#include "combat/animals.h"
#include "combat/arena.h"

// The three creatures, rebuilt from GLU quadrics every frame. Each stands on
// the ground under it (never its stored height), and a dead one lies tipped
// over until its corpse timer runs out. The model-view matrix is restored.

void drawEnemy(const EnemyRecord* enemy);
void drawRabbit(const AnimalRecord* rabbit);
void drawDeer(const AnimalRecord* deer);
