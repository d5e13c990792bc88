// The built-in variables of script calls: the argument slots, the argument
// array with its bounds message, the argument count and the relative flag.
#include "code/ArgumentVariables.h"

#include "code/ErrorReport.h"
#include "code/Scripts.h"
#include "code/VariableCatalogue.h"

bool ArgumentRelative = false;

namespace {

template <int Slot>
bool GetSlot(CInstance*, int32_t, RValue& value)
{
    value = ScriptCall.arguments[Slot];
    return true;
}

template <int Slot>
bool SetSlot(CInstance*, int32_t, const RValue& value)
{
    ScriptCall.SetArgument(Slot, value);
    return true;
}

int32_t ClampSlot(int32_t index)
{
    return index >= 0 && index < kArgumentSlots ? index : 0;
}

bool GetArgumentArray(CInstance*, int32_t index, RValue& value)
{
    int32_t slot = ClampSlot(index);
    if (slot >= ScriptCall.argumentCount) {
        Error_ShowInEvent("Illegal array index in script \"" + ScriptCall.RunningName() + "\".\rtrying to access argument[" +
                              std::to_string(slot) + "], but only " + std::to_string(ScriptCall.argumentCount) +
                              " arguments have been supplied.",
                          false);
        return false;
    }
    value = ScriptCall.arguments[slot];
    return true;
}

bool SetArgumentArray(CInstance*, int32_t index, const RValue& value)
{
    ScriptCall.SetArgument(ClampSlot(index), value);
    return true;
}

bool GetArgumentCount(CInstance*, int32_t, RValue& value)
{
    value = RValue(static_cast<double>(ScriptCall.argumentCount));
    return true;
}

bool GetArgumentRelative(CInstance*, int32_t, RValue& value)
{
    value = RValue(ArgumentRelative ? 1.0 : 0.0);
    return true;
}

template <int... Slots>
void ImplementSlots(std::integer_sequence<int, Slots...>)
{
    (Variable_Implement(("argument" + std::to_string(Slots)).c_str(), &GetSlot<Slots>, &SetSlot<Slots>), ...);
}

} // namespace

void Code_ImplementArgumentVariables()
{
    Variable_Implement("argument_relative", &GetArgumentRelative, nullptr);
    ImplementSlots(std::make_integer_sequence<int, kArgumentSlots>());
    Variable_Implement("argument", &GetArgumentArray, &SetArgumentArray);
    Variable_Implement("argument_count", &GetArgumentCount, nullptr);
}
