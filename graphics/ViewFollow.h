// Views that follow an instance: where each view moves at the start of every
// room draw, and the view table the display maps mouse positions through.
#pragma once

#include <cstdint>

class CInstance;
class CLiveRoom;

// One axis of a following view: the new left (or top) edge of a view at
// edge with size pixels, when the followed position must stay border pixels
// inside it, the view stays in a room of roomSize pixels, and it moves at
// most speed pixels a step (a negative speed jumps at once).
int32_t View_FollowAxis(int32_t edge, int32_t size, int32_t border, int32_t speed, int64_t position,
                        int32_t roomSize);

// The instance a view with this index follows: an instance id above 99999,
// else the first instance of that object or a descendant, in room order;
// marked instances never count. Null when there is none.
CInstance* View_Followed(const CLiveRoom& room, int32_t index);

// Moves the following views of the room and fills the display's view table
// (every entry inactive when the room has views disabled).
void View_UpdateAll(CLiveRoom& room);
