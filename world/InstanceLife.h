// Creating, destroying, changing and copying instances, and finding them
// through the object-or-instance arguments of script functions.
#pragma once

#include <cstdint>

class CInstance;

// Adds an instance of an existing object and performs its create event;
// otherwise reports the error and gives nullptr.
CInstance* Instance_Create(int32_t objectindex, double x, double y);
// The same with speed and direction set before the create event runs.
CInstance* Instance_CreateMoving(int32_t objectindex, double x, double y, double speed, double direction);
// Performs the destroy event and marks the instance.
void Instance_Destroy(CInstance* instance);
// Replaces the instance by one of another object keeping its id.
void Instance_Change(CInstance* instance, int32_t objectindex, bool perform);
// A copy with a new id; returns the id.
int32_t Instance_Copy(CInstance* instance, bool perform);

// Supplies the instance and event script functions.
void World_ImplementInstanceFunctions();
