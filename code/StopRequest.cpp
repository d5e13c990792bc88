// Ending running code for a stop asked from outside.
#include "code/StopRequest.h"

#include "code/CodeError.h"
#include "world/Rooms.h"

bool Code_StopForRequest()
{
    if (PendingRoomChange != kChangeStop)
        PendingRoomChange = kChangeEnd;
    if (!Code_ErrorFlag) {
        Code_ErrorFlag = true;
        Code_ErrorMessage = "The game was asked to stop.";
    }
    return false;
}
