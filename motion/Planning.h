// Motion planning by steps: the linear step (straight towards the goal,
// standing still when blocked) and the potential step (turning away from
// obstacles within the allowed rotation), and the path builders that
// simulate either and record the positions.
#pragma once

#include <cstdint>

class CInstance;
class CPath;

// What blocks a step: solid instances, every instance, or (object >= -3
// given) instances of one object or id as place_meeting names them.
struct RObstacles {
    enum EKind { Solid, All, Object } kind = Solid;
    int32_t object = -3;
    CInstance* other = nullptr; // for an object argument of -2
};

struct RPotentialSettings {
    double maxrot = 30;
    double rotstep = 10;
    double ahead = 3;
    bool onspot = true;
};
extern RPotentialSettings PotentialSettings;

// Each raised to at least 1.
void Plan_SetPotentialSettings(double maxrot, double rotstep, double ahead, bool onspot);

// True when the step reached the goal (or the goal was within one step).
bool Plan_LinearStep(CInstance& self, double x, double y, double stepsize, const RObstacles& obstacles);
bool Plan_PotentialStep(CInstance& self, double x, double y, double stepsize, const RObstacles& obstacles);

// Fill path with the positions the steps would take; the instance ends
// where it started. False when no way to the goal was found.
bool Plan_LinearPath(CInstance& self, CPath& path, double xg, double yg, double stepsize,
                     const RObstacles& obstacles);
bool Plan_PotentialPath(CInstance& self, CPath& path, double xg, double yg, double stepsize, double factor,
                        const RObstacles& obstacles);
