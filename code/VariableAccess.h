// Reading and writing variables through an instance or an owner value:
// an instance's own variables or its built-in variables, every instance of an
// object (and its descendants), all instances, or one instance by id.
#pragma once

#include "code/Value.h"

#include <cstdint>

class CInstance;

bool Variable_GetOfInstance(CInstance* instance, int32_t varIndex, int32_t arrayIndex, RValue& value);
bool Variable_SetOfInstance(CInstance* instance, int32_t varIndex, int32_t arrayIndex, const RValue& value);
// Owner -3 (all), an object index or an instance id; other owners fail.
bool Variable_GetOfOwner(int32_t owner, int32_t varIndex, int32_t arrayIndex, RValue& value);
bool Variable_SetOfOwner(int32_t owner, int32_t varIndex, int32_t arrayIndex, const RValue& value);
