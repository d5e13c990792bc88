// (Placeholder until the object record lands.)
#pragma once

#include <cstdint>

class CObject {
public:
    int32_t o_spriteindex = -1;
    bool o_solid = false;
    bool o_visible = true;
    int32_t o_depth = 0;
    bool o_persistent = false;
    int32_t o_parent = -1;
    int32_t o_mask = -1;
};
