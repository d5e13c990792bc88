// Ending running code for a stop asked from outside.
#include "code/StopRequest.h"

#include "code/ExecutionContext.h"
#include "world/Rooms.h"

bool Code_StopForRequest(CExecutionContext& context)
{
    if (PendingRoomChange != kChangeStop)
        PendingRoomChange = kChangeEnd;
    if (!context.Failed())
        context.SetError("The game was asked to stop.");
    return false;
}

bool Code_StopForRequest()
{
    return Code_StopForRequest(Code_Context());
}
