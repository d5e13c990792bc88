// The built-in constants of the language (self, c_red, vk_left, ev_step...).
#pragma once

#include <cstddef>

struct RBuiltinConstant {
    const char* name;
    double value;
};

extern const RBuiltinConstant kBuiltinConstants[];
extern const size_t kBuiltinConstantCount;

// Adds them all to the constant table, in order.
void Constant_AddBuiltins();
