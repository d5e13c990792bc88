// The action functions that belong to the world: instances, sprites,
// alarms, time lines, questions, score, lives, health, the caption and the
// ones that hand their work to dialogs, particles, resources and saving.
#pragma once

void World_ImplementActionFunctions();
void World_ImplementForwardingActionFunctions();
