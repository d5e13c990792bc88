// Names of resources added while a game runs, and the registration of the
// world's resource functions.
#include "world/ResourceRoutines.h"

#include "world/ResourceFunctions.h"

std::string Resource_AddedName(std::string_view kind, int32_t index)
{
    return "__new" + std::string(kind) + std::to_string(index);
}

void World_ImplementResourceFunctions()
{
    World_ImplementObjectResourceFunctions();
    World_ImplementTimeLineResourceFunctions();
    World_ImplementRoomResourceFunctions();
    World_ImplementScriptResourceFunctions();
}
