// What the script language reaches of the running world: the current room's
// instance lists and the counters of instance and tile ids.
#pragma once

#include <cstdint>

class CInstanceLists;

// The running room's instance lists; nullptr before the first room and after the end.
CInstanceLists* Room_Instances();
void Room_SetInstances(CInstanceLists* lists);

// The last instance id handed out; new instances take the next one.
extern int32_t LastInstanceId;
// The last tile id handed out; new tiles take the next one.
extern int32_t LastTileId;
