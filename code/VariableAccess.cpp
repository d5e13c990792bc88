// Variables through instances and owner values.
#include "code/VariableAccess.h"

#include "code/Variables.h"
#include "world/Instance.h"
#include "world/InstanceList.h"
#include "world/World.h"

namespace {

// Built-in variables whose module does not serve them yet keep what was last
// written, game-wide, so games that touch them still run.
CVariableList BuiltinFallback;

} // namespace

bool Variable_GetOfInstance(CInstance* instance, int32_t varIndex, int32_t arrayIndex, RValue& value)
{
    if (varIndex >= kMaxBuiltinVariables)
        return instance->i_vars.GetVar(varIndex, arrayIndex, value);
    const RBuiltinVariable* builtin = Variable_Builtin(varIndex);
    if (builtin && builtin->getter)
        return builtin->getter(instance, arrayIndex, value);
    return BuiltinFallback.GetVar(varIndex, arrayIndex, value);
}

bool Variable_SetOfInstance(CInstance* instance, int32_t varIndex, int32_t arrayIndex, const RValue& value)
{
    if (varIndex >= kMaxBuiltinVariables) {
        instance->i_vars.SetVar(varIndex, arrayIndex, value);
        return true;
    }
    const RBuiltinVariable* builtin = Variable_Builtin(varIndex);
    if (builtin && !builtin->canset)
        return false;
    if (builtin && builtin->setter)
        return builtin->setter(instance, arrayIndex, value);
    BuiltinFallback.SetVar(varIndex, arrayIndex, value);
    return true;
}

bool Variable_GetOfOwner(int32_t owner, int32_t varIndex, int32_t arrayIndex, RValue& value)
{
    CInstanceLists* room = Room_Instances();
    if (!room)
        return false;
    if (owner == -3) {
        for (int32_t k = 0; k < room->InstanceCount(); ++k) {
            CInstance* instance = room->InstanceAt(k);
            if (!instance->i_marked)
                return Variable_GetOfInstance(instance, varIndex, arrayIndex, value);
        }
        return false;
    }
    if (owner < 0)
        return false;
    if (owner < 100000) {
        for (int32_t k = 0; k < room->Obj_Number_Recursive(owner); ++k) {
            CInstance* instance = room->Obj_Instance_Recursive(owner, k);
            if (!instance->i_marked)
                return Variable_GetOfInstance(instance, varIndex, arrayIndex, value);
        }
        return false;
    }
    CInstance* instance = room->FindById(owner);
    if (!instance || instance->i_marked)
        return false;
    return Variable_GetOfInstance(instance, varIndex, arrayIndex, value);
}

bool Variable_SetOfOwner(int32_t owner, int32_t varIndex, int32_t arrayIndex, const RValue& value)
{
    CInstanceLists* room = Room_Instances();
    if (owner < 0 && owner != -3)
        return false;
    if (!room)
        return true;
    bool result = true;
    if (owner == -3) {
        // A setter may create instances; the count is taken as the walk goes.
        for (int32_t k = 0; k < room->InstanceCount(); ++k) {
            CInstance* instance = room->InstanceAt(k);
            if (!instance->i_marked)
                result = Variable_SetOfInstance(instance, varIndex, arrayIndex, value);
        }
        return result;
    }
    if (owner < 100000) {
        for (int32_t k = 0; k < room->Obj_Number_Recursive(owner); ++k) {
            CInstance* instance = room->Obj_Instance_Recursive(owner, k);
            if (!instance->i_marked)
                result = Variable_SetOfInstance(instance, varIndex, arrayIndex, value);
        }
        return result;
    }
    CInstance* instance = room->FindById(owner);
    if (!instance || instance->i_marked)
        return true;
    return Variable_SetOfInstance(instance, varIndex, arrayIndex, value);
}
