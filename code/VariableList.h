// CVariableList: the variables of one owner (an instance, the game's globals
// or one run's locals), found by variable number. Each variable has a simple
// value and an array of rows of values; array index i × 32000 + j addresses
// row i, column j, and index 0 is the simple value.
//
// Variables are kept in creation order (which is what the stream format
// stores); a small open-addressed index keeps lookups constant-time once a
// list grows past a handful of variables.
#pragma once

#include "code/Value.h"

#include <cstdint>
#include <vector>

class CStream;

constexpr int32_t kArrayRowSize = 32000;

struct RVariable {
    int32_t ind = 0;
    RValue simplevalue;
    std::vector<std::vector<RValue>> value;
};

// One variable's value at an array index: the stored value or nullptr.
inline const RValue* Variable_Element(const RVariable& variable, int32_t arrayIndex)
{
    if (arrayIndex == 0)
        return &variable.simplevalue;
    if (arrayIndex < 0)
        return nullptr;
    const size_t row = static_cast<size_t>(arrayIndex / kArrayRowSize);
    const size_t column = static_cast<size_t>(arrayIndex % kArrayRowSize);
    if (row >= variable.value.size() || column >= variable.value[row].size())
        return nullptr;
    return &variable.value[row][column];
}
// Stores value at an array index, growing the rows as needed; a negative index is ignored.
void Variable_SetElement(RVariable& variable, int32_t arrayIndex, const RValue& value);

class CVariableList {
public:
    static constexpr int32_t kVersion = 440;

    void Clear();
    void Assign(const CVariableList& source);
    void SetVar(int32_t varIndex, int32_t arrayIndex, const RValue& value);
    // False (value untouched) when the variable or element does not exist,
    // unless uninitialized variables read as 0.
    bool GetVar(int32_t varIndex, int32_t arrayIndex, RValue& value) const;
    void Init(int32_t varIndex);
    // The stored value itself, or nullptr; the fast path of reads.
    const RValue* Lookup(int32_t varIndex, int32_t arrayIndex) const;
    // The simple value to change in place, or nullptr when the variable is missing.
    RValue* FindSimpleValue(int32_t varIndex)
    {
        RVariable* variable = FindVariable(varIndex);
        return variable ? &variable->simplevalue : nullptr;
    }
    // The simple value to change in place, created as the real 0 when missing.
    RValue& SimpleValue(int32_t varIndex)
    {
        RVariable* variable = FindVariable(varIndex);
        return variable ? variable->simplevalue : Append(varIndex).simplevalue;
    }
    bool Has(int32_t varIndex) const { return FindVariable(varIndex) != nullptr; }
    // The variable, looked for first at position, where the caller last
    // found it; position is updated. nullptr when the variable is missing.
    RVariable* Cached(int32_t varIndex, int32_t& position)
    {
        if (static_cast<uint32_t>(position) < v_vars.size() && v_vars[static_cast<size_t>(position)].ind == varIndex)
            return &v_vars[static_cast<size_t>(position)];
        return FindRemembering(varIndex, position);
    }
    // The same, creating the variable (real 0, no rows) when it is missing.
    RVariable& CachedOrCreate(int32_t varIndex, int32_t& position)
    {
        if (RVariable* variable = Cached(varIndex, position))
            return *variable;
        position = Count();
        return Append(varIndex);
    }
    // The variable itself; created (real 0, no rows) when asked to.
    RVariable* Variable(int32_t varIndex, bool create)
    {
        RVariable* variable = FindVariable(varIndex);
        return variable || !create ? variable : &Append(varIndex);
    }

    int32_t Count() const { return static_cast<int32_t>(v_vars.size()); }
    const RVariable& At(int32_t position) const { return v_vars[static_cast<size_t>(position)]; }

    void SaveToStream(CStream& stream) const;
    // Reads a list saved by SaveToStream; a wrong version leaves it empty
    // and gives false. Damaged data (a short block, a value that is neither
    // a real nor a string) throws EStreamError.
    bool LoadFromStream(CStream& stream);

private:
    const RVariable* FindVariable(int32_t varIndex) const;
    RVariable* FindVariable(int32_t varIndex)
    {
        return const_cast<RVariable*>(static_cast<const CVariableList*>(this)->FindVariable(varIndex));
    }
    RVariable& Append(int32_t varIndex);
    RVariable* FindRemembering(int32_t varIndex, int32_t& position);
    void IndexPosition(int32_t position);
    void RebuildIndex();

    std::vector<RVariable> v_vars;
    std::vector<int32_t> v_index; // position + 1 per slot, 0 for empty; unused while the list is small
};
