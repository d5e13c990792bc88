#include "world/World.h"

int32_t LastInstanceId = 100000;
int32_t LastTileId = 10000000;

namespace {
CInstanceLists* CurrentInstances = nullptr;
}

CInstanceLists* Room_Instances()
{
    return CurrentInstances;
}

void Room_SetInstances(CInstanceLists* lists)
{
    CurrentInstances = lists;
}
