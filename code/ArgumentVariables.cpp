// The built-in variables of script calls: the argument slots, the argument
// array with its bounds message, the argument count and the relative flag.
#include "code/ArgumentVariables.h"

#include "code/ErrorReport.h"
#include "code/ExecutionContext.h"
#include "code/VariableCatalogue.h"

bool ArgumentRelative = false;

namespace {

// The slots are those of the program's context: getters are not handed one.
template <int Slot>
bool GetSlot(CInstance*, int32_t, RValue& value)
{
    value = Code_Context().Argument(Slot);
    return true;
}

template <int Slot>
bool SetSlot(CInstance*, int32_t, const RValue& value)
{
    Code_Context().SetArgument(Slot, value);
    return true;
}

int32_t ClampSlot(int32_t index)
{
    return index >= 0 && index < kArgumentSlots ? index : 0;
}

bool GetArgumentArray(CInstance*, int32_t index, RValue& value)
{
    const CExecutionContext& context = Code_Context();
    int32_t slot = ClampSlot(index);
    if (slot >= context.ArgumentCount()) {
        Error_ShowInEvent("Illegal array index in script \"" + context.RunningScriptName() +
                              "\".\rtrying to access argument[" + std::to_string(slot) + "], but only " +
                              std::to_string(context.ArgumentCount()) + " arguments have been supplied.",
                          false);
        return false;
    }
    value = context.Argument(slot);
    return true;
}

bool SetArgumentArray(CInstance*, int32_t index, const RValue& value)
{
    Code_Context().SetArgument(ClampSlot(index), value);
    return true;
}

bool GetArgumentCount(CInstance*, int32_t, RValue& value)
{
    value = RValue(static_cast<double>(Code_Context().ArgumentCount()));
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
