// Actions that do what another built-in function does call that function
// through the function table, by name, with the action's own context: the
// target may live in a module that the world cannot link to (dialogs,
// particles, resources), and a stub there reports itself as any call would.
#pragma once

#include "code/Functions.h"

#include <cstdint>
#include <initializer_list>

class CActionForward {
public:
    explicit constexpr CActionForward(const char* name) : f_name(name) {}

    // Calls the function with the given arguments (the rest read 0); false
    // when the call failed and the caller must unwind.
    bool Call(CExecutionContext& context, RValue& result, std::initializer_list<RValue> arguments);
    bool Call(CExecutionContext& context, std::initializer_list<RValue> arguments)
    {
        RValue ignored;
        return Call(context, ignored, arguments);
    }

private:
    const char* f_name;
    int32_t f_number = -2; // -2 not looked up yet, -1 not in the table
};

// The relative flag of the running action applied to a value.
double Action_Relative(double value, double current);
// A position argument, added to the calling instance's x (y) when relative.
double Action_X(CExecutionContext& context, const RValue& x);
double Action_Y(CExecutionContext& context, const RValue& y);
