// (Placeholder until the collision mask record lands.)
#pragma once

#include <cstdint>

// An inclusive rectangle in image pixels.
struct RBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const RBox&) const = default;
};
