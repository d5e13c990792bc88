// Instances following paths: starting a path (where it lies in the room, how
// fast, scaled and turned how, what happens at its end) and advancing along
// it once per step. The step loop advances every instance; the collision
// stage advances solid pairs again after their events.
#pragma once

#include <cstdint>

class CInstance;

// Starts path ind (a negative ind ends following). A missing path, one of
// length 0 or a negative scale leaves the instance without a path. Unless
// relative, the instance is first put on the path's own coordinates.
void Assign_Path(CInstance& instance, int32_t ind, double speed, double scale, double orientation, bool relative,
                 int32_t endaction);
// Advances along the path and places the instance on it; true when an end
// was reached in this step (the End Of Path event follows).
bool Adapt_Path(CInstance& instance);

// End actions.
enum : int32_t {
    kPathStop = 0,
    kPathRestart = 1,
    kPathContinue = 2,
    kPathReverse = 3,
};
