#include "world/World.h"

int32_t LastInstanceId = 100000;

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
