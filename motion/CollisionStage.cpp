// The boundary and collision stages.
//
// Collision stage: for each pair (obj1, obj2) of the pair list, each unmarked
// instance A of obj1's own list meets the instances B of obj2's own list
// (those before A skipped when obj1 = obj2). A meeting pair is put back when
// either is solid, both perform their collision events, and a pair that is
// still solid moves again by its speed, going back once more if it still
// collides. Candidates come from an index of obj2's boxes; events may change
// anything, so the index is rebuilt after events that moved, made or
// reordered instances, and instances are fetched again by list position.
#include "motion/CollisionStage.h"

#include "data/Event.h"
#include "data/Resources.h"
#include "motion/CandidateIndex.h"
#include "motion/Collision.h"
#include "motion/PathFollowing.h"
#include "motion/PlacedMask.h"
#include "world/EventDispatch.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <vector>

namespace {

constexpr int32_t kOutsideRoom = 0;
constexpr int32_t kIntersectBoundary = 1;
constexpr int32_t kOutsideView = 40;
constexpr int32_t kBoundaryView = 50;

// --- boundary events ---

struct RArea {
    double left, top, right, bottom;
};

bool HasMaskSprite(const CInstance& instance)
{
    return Sprites.Exists(instance.i_spriteindex) || Sprites.Exists(instance.i_maskindex);
}

bool IsOutside(const CInstance& instance, const RArea& area)
{
    if (HasMaskSprite(instance)) {
        const RBox& b = instance.i_bbox;
        return b.right < area.left || b.left > area.right || b.bottom < area.top || b.top > area.bottom;
    }
    return instance.i_x < area.left || instance.i_x > area.right || instance.i_y < area.top ||
           instance.i_y > area.bottom;
}

// On the boundary or wholly outside; by the position like outside without a mask.
bool CrossesBoundary(const CInstance& instance, const RArea& area)
{
    if (HasMaskSprite(instance)) {
        const RBox& b = instance.i_bbox;
        return b.left < area.left || b.right > area.right || b.top < area.top || b.bottom > area.bottom;
    }
    return IsOutside(instance, area);
}

// Every unmarked instance of the objects with the event, in dispatch order,
// for which the condition holds when it is reached. False when a room change
// became pending.
template <typename Condition>
bool RaiseWhere(int32_t enumb, Condition condition)
{
    return DispatchEventWhere(kEventOther, enumb, condition);
}

// --- collision events ---

void PutBack(CInstance& instance)
{
    instance.SetPosition(instance.i_xprevious, instance.i_yprevious);
    instance.i_pathposition = instance.i_pathpositionprevious;
}

// What resolving a meeting pair changed, for the candidate index.
enum class EChanged {
    Nothing,
    ThePair,  // only the two instances moved
    Anything, // the events may have moved, made or reordered instances
};

// A meeting pair: put back when either is solid, both events, and for a
// pair still solid the move by its speed, undone if it still collides.
EChanged Resolve(CInstance& a, CInstance& b)
{
    bool solid = a.i_solid || b.i_solid;
    if (solid) {
        PutBack(a);
        PutBack(b);
    }
    uint64_t before = InstanceLayoutChanges;
    PerformEvent(&a, &b, kEventCollision, b.i_objectindex);
    PerformEvent(&b, &a, kEventCollision, a.i_objectindex);
    // A rebuild covers whatever moves follow; otherwise only the pair moves.
    EChanged changed = InstanceLayoutChanges != before ? EChanged::Anything
                       : solid                         ? EChanged::ThePair
                                                       : EChanged::Nothing;
    // An event that made both non-solid lets them pass through each other.
    if (!a.i_solid && !b.i_solid)
        return changed;
    Adapt_Path(a);
    Adapt_Path(b);
    a.SetPosition(a.i_x + a.i_hspeed, a.i_y + a.i_vspeed);
    b.SetPosition(b.i_x + b.i_hspeed, b.i_y + b.i_vspeed);
    if (Collision_Instance(a, b, true)) {
        PutBack(a);
        PutBack(b);
    }
    return changed == EChanged::Anything ? changed : EChanged::ThePair;
}

// Kept between steps so that their storage is reused.
CCandidateIndex Index;
std::vector<int32_t> Candidates;

void CollidePair(int32_t obj1, int32_t obj2)
{
    CLiveRoom* room = CurrentRoom;
    int32_t countA = room->Obj_Number(obj1);
    bool built = false;
    for (int32_t ka = 0; ka < countA; ++ka) {
        CInstance* a = room->Obj_Instance(obj1, ka);
        if (!a || a->i_marked || !HasCollisionMask(*a))
            continue;
        if (!built) {
            Index.Build(*room, obj2);
            built = true;
        }
        int32_t countB = room->Obj_Number(obj2);
        Index.Find(a->i_bbox, obj1 == obj2 ? ka : 0, countB, Candidates);
        size_t c = 0;
        while (c < Candidates.size()) {
            int32_t kb = Candidates[c++];
            CInstance* b = room->Obj_Instance(obj2, kb);
            if (!b || !Collision_Instance(*a, *b, true))
                continue;
            EChanged changed = Resolve(*a, *b);
            if (changed == EChanged::Anything) {
                Index.Build(*room, obj2);
            } else if (changed == EChanged::ThePair) {
                Index.Refresh(kb, b->i_bbox);
                if (obj1 == obj2)
                    Index.Refresh(ka, a->i_bbox);
            }
            // The rest of A's candidates, as the events left the room.
            Index.Find(a->i_bbox, kb + 1, countB, Candidates);
            c = 0;
        }
    }
}

} // namespace

void Motion_BoundaryEvents()
{
    CLiveRoom* room = CurrentRoom;
    if (!room)
        return;
    RArea whole{0, 0, static_cast<double>(room->r_width), static_cast<double>(room->r_height)};
    if (!RaiseWhere(kOutsideRoom, [&](const CInstance& i) { return IsOutside(i, whole); }))
        return;
    if (!RaiseWhere(kIntersectBoundary, [&](const CInstance& i) { return CrossesBoundary(i, whole); }))
        return;
    for (int32_t pass = 0; pass < 2; ++pass) {
        for (int32_t v = 0; v < CRoom::kSlots; ++v) {
            // Read anew: an event may switch views off or move them.
            room = CurrentRoom;
            if (!room || !room->r_enableviews)
                return;
            const CView& view = room->r_view[static_cast<size_t>(v)];
            if (!view.visible)
                continue;
            RArea area{static_cast<double>(view.xview), static_cast<double>(view.yview),
                       static_cast<double>(view.xview) + view.wview, static_cast<double>(view.yview) + view.hview};
            bool going = pass == 0 ? RaiseWhere(kOutsideView + v, [&](const CInstance& i) { return IsOutside(i, area); })
                                   : RaiseWhere(kBoundaryView + v,
                                                [&](const CInstance& i) { return CrossesBoundary(i, area); });
            if (!going)
                return;
        }
    }
}

void Motion_CollisionEvents()
{
    // The list is fetched anew for each pair: an event may change events or
    // parents, which rebuilds it.
    for (size_t p = 0; p < EventLists_CollisionPairs().size(); ++p) {
        if (!CurrentRoom)
            return;
        TColPair pair = EventLists_CollisionPairs()[p];
        CollidePair(pair.obj1, pair.obj2);
    }
}
