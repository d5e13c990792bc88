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
#include <memory>
#include <vector>

class CStream;

constexpr int32_t kArrayRowSize = 32000;

struct RVariable {
    int32_t ind = 0;
    RValue simplevalue;
    std::vector<std::vector<RValue>> value;
};

// Whether position lies inside items, compared in bytes: a count of
// items that are not a power of two in size costs a multiplication.
template <class T>
[[gnu::always_inline]] inline bool Variable_Inside(const std::vector<T>& items, size_t position)
{
    const char* begin = reinterpret_cast<const char*>(std::to_address(items.begin()));
    const char* end = reinterpret_cast<const char*>(std::to_address(items.end()));
    return position * sizeof(T) < static_cast<size_t>(end - begin);
}

// One variable's value at row and column (both checked to lie in
// 0..31999 by the caller): the stored value or nullptr.
[[gnu::always_inline]] inline const RValue* Variable_ElementAt(const RVariable& variable, int32_t row, int32_t column)
{
    if ((row | column) == 0)
        return &variable.simplevalue;
    if (!Variable_Inside(variable.value, static_cast<size_t>(row)))
        return nullptr;
    const std::vector<RValue>& cells = variable.value[static_cast<size_t>(row)];
    return Variable_Inside(cells, static_cast<size_t>(column)) ? &cells[static_cast<size_t>(column)] : nullptr;
}
// One variable's value at an array index: the stored value or nullptr.
inline const RValue* Variable_Element(const RVariable& variable, int32_t arrayIndex)
{
    if (arrayIndex < 0)
        return nullptr;
    return Variable_ElementAt(variable, arrayIndex / kArrayRowSize, arrayIndex % kArrayRowSize);
}
// Stores value at row and column (as above), growing the rows as needed.
void Variable_SetElementGrowing(RVariable& variable, int32_t row, int32_t column, const RValue& value);
[[gnu::always_inline]] inline void Variable_SetElementAt(RVariable& variable, int32_t row, int32_t column,
                                                         const RValue& value)
{
    // Overwriting an element that exists is the common case of a loop.
    if ((row | column) != 0 && Variable_Inside(variable.value, static_cast<size_t>(row))) {
        std::vector<RValue>& cells = variable.value[static_cast<size_t>(row)];
        if (Variable_Inside(cells, static_cast<size_t>(column))) {
            cells[static_cast<size_t>(column)].CopyFrom(value);
            return;
        }
    }
    Variable_SetElementGrowing(variable, row, column, value);
}
// Stores value at an array index, growing the rows as needed; a negative index is ignored.
inline void Variable_SetElement(RVariable& variable, int32_t arrayIndex, const RValue& value)
{
    if (arrayIndex >= 0)
        Variable_SetElementAt(variable, arrayIndex / kArrayRowSize, arrayIndex % kArrayRowSize, value);
}

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
        // Compared in bytes: the count of a vector of 56-byte items costs a
        // multiplication on every access.
        const size_t offset = static_cast<size_t>(static_cast<uint32_t>(position)) * sizeof(RVariable);
        char* begin = reinterpret_cast<char*>(v_vars.data());
        if (offset < static_cast<size_t>(reinterpret_cast<char*>(v_vars.data() + v_vars.size()) - begin)) {
            RVariable* candidate = reinterpret_cast<RVariable*>(begin + offset);
            if (candidate->ind == varIndex)
                return candidate;
        }
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
