// (Placeholder until the sprite record lands.)
#pragma once

#include "data/Mask.h"

#include <cstdint>

class CSprite {
public:
    int32_t i_xorig = 0;
    int32_t i_yorig = 0;
    RBox i_bbox;
    int32_t i_count = 0;
    int Count() const { return i_count; }
    int Width() const { return 0; }
    int Height() const { return 0; }
};
