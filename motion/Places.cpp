// Testing an instance at another place.
#include "motion/Places.h"

#include "motion/Collision.h"
#include "motion/PlacedMask.h"
#include "world/InstanceTargets.h"
#include "world/Rooms.h"

namespace {

// Puts the instance at a place for the life of the object and back after.
class CTrialPosition {
public:
    CTrialPosition(CInstance& instance, double x, double y) : t_instance(instance), t_x(instance.i_x), t_y(instance.i_y)
    {
        instance.SetPosition(x, y);
    }
    ~CTrialPosition() { t_instance.SetPosition(t_x, t_y); }
    CTrialPosition(const CTrialPosition&) = delete;
    CTrialPosition& operator=(const CTrialPosition&) = delete;

private:
    CInstance& t_instance;
    double t_x, t_y;
};

} // namespace

CInstance* Place_FirstBlocking(CInstance& self, double x, double y, EAgainst against)
{
    CLiveRoom* room = CurrentRoom;
    // Without a mask nothing is ever met precisely.
    if (!room || !HasCollisionMask(self))
        return nullptr;
    CTrialPosition trial(self, x, y);
    int32_t count = room->InstanceCount();
    for (int32_t k = 0; k < count; ++k) {
        CInstance* instance = room->InstanceAt(k);
        if ((against == EAgainst::All || instance->i_solid) && Collision_Instance(self, *instance, true))
            return instance;
    }
    return nullptr;
}

CInstance* Place_FirstMeeting(CInstance& self, CInstance* other, double x, double y, int32_t target)
{
    if (!HasCollisionMask(self))
        return nullptr;
    CTrialPosition trial(self, x, y);
    CInstance* found = nullptr;
    ForEachTarget(target, &self, other, [&](CInstance* instance) {
        if (!found && Collision_Instance(self, *instance, true))
            found = instance;
    });
    return found;
}
