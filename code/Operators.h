// The meaning of every operator. The executor and the compiler's constant
// folding both come here, so a constant expression and the same expression
// at run time agree, errors included.
#pragma once

#include "code/Value.h"

#include <cstdint>

class CCode;

// Values differing by less than this compare equal, whatever their size.
constexpr double kCompareEpsilon = 1e-13;

// value := op value. False after reporting the error at position.
bool Operator_Unary(const CCode& code, int32_t position, int32_t op, RValue& value);
// left := left op right. False after reporting the error at position.
bool Operator_Binary(const CCode& code, int32_t position, int32_t op, const RValue& right, RValue& left);
