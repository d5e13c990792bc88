// Whether a place is free for an instance: the instance is put there (through
// SetPosition, so its box follows), tested precisely against the other
// instances of the room, and put back. The motion functions and the place_
// functions ask these; no script code runs in between.
#pragma once

#include <cstdint>

class CInstance;

enum class EAgainst {
    Solid, // only solid instances block
    All,   // every instance blocks
};

// The first unmarked instance of the room (other than self) that self, put
// at (x, y), meets; nullptr when none.
CInstance* Place_FirstBlocking(CInstance& self, double x, double y, EAgainst against);
inline bool Place_IsFree(CInstance& self, double x, double y, EAgainst against)
{
    return Place_FirstBlocking(self, x, y, against) == nullptr;
}
// The first instance named by target (-1 self, -2 other, -3 all, an object
// with its descendants, an id) that self, put at (x, y), meets.
CInstance* Place_FirstMeeting(CInstance& self, CInstance* other, double x, double y, int32_t target);
