// Variable lookup, arrays and the stream format of variable lists.
#include "code/VariableList.h"

#include "data/GameSettings.h"
#include "data/Stream.h"
#include "data/StressBuild.h"

#include <iterator>

namespace {

// Below this many variables a scan over the numbers beats hashing.
constexpr size_t kScanLimit = 8;

inline uint32_t Slot(int32_t varIndex, size_t mask)
{
    return static_cast<uint32_t>((static_cast<uint32_t>(varIndex) * 2654435761u) & mask);
}

void WriteValue(CStream& stream, const RValue& value)
{
    stream.WriteInteger(value.kind);
    stream.WriteReal(value.val);
    stream.WriteString(value.str.Text());
}

RValue ReadValue(CStream& stream)
{
    RValue value;
    value.kind = stream.ReadInteger();
    // Everything that handles values assumes one of the two kinds.
    if (value.kind != VALUE_REAL && value.kind != VALUE_STRING)
        throw EStreamError("Stream read error");
    value.val = stream.ReadReal();
    value.str = RString(stream.ReadString());
    return value;
}

// A damaged count must fail as a short read before it makes us allocate:
// every stored item takes at least itemSize bytes.
void RequireBytes(const CStream& stream, int32_t count, size_t itemSize)
{
    if (count > 0 && static_cast<size_t>(count) > (stream.Size() - stream.Position()) / itemSize)
        throw EStreamError("Stream read error");
}

} // namespace

void CVariableList::Clear()
{
    v_vars.clear();
    v_index.clear();
}

void CVariableList::Assign(const CVariableList& source)
{
    if (this == &source)
        return;
    v_vars = source.v_vars;
    v_index = source.v_index;
}

const RVariable* CVariableList::FindVariable(int32_t varIndex) const
{
    if (v_index.empty()) {
        for (size_t k = v_vars.size(); k-- > 0;)
            if (v_vars[k].ind == varIndex)
                return &v_vars[k];
        return nullptr;
    }
    size_t mask = v_index.size() - 1;
    for (uint32_t slot = Slot(varIndex, mask);; slot = (slot + 1) & mask) {
        int32_t entry = v_index[slot];
        if (entry == 0)
            return nullptr;
        const RVariable& variable = v_vars[static_cast<size_t>(entry - 1)];
        if (variable.ind == varIndex)
            return &variable;
    }
}

RVariable* CVariableList::FindRemembering(int32_t varIndex, int32_t& position)
{
    RVariable* variable = FindVariable(varIndex);
    if (variable)
        position = static_cast<int32_t>(variable - v_vars.data());
    return variable;
}

void CVariableList::IndexPosition(int32_t position)
{
    size_t mask = v_index.size() - 1;
    int32_t varIndex = v_vars[static_cast<size_t>(position)].ind;
    for (uint32_t slot = Slot(varIndex, mask);; slot = (slot + 1) & mask) {
        int32_t entry = v_index[slot];
        // A later variable with the same number (possible only in loaded
        // data) takes the slot: searches find the newest one.
        if (entry == 0 || v_vars[static_cast<size_t>(entry - 1)].ind == varIndex) {
            v_index[slot] = position + 1;
            return;
        }
    }
}

void CVariableList::RebuildIndex()
{
    size_t capacity = 16;
    while (capacity < v_vars.size() * 2)
        capacity *= 2;
    v_index.assign(capacity, 0);
    for (size_t k = 0; k < v_vars.size(); ++k)
        IndexPosition(static_cast<int32_t>(k));
}

RVariable& CVariableList::Append(int32_t varIndex)
{
    if constexpr (kStressBuild) {
        // Every new variable moves the list and rehashes its index.
        std::vector<RVariable> moved;
        moved.reserve(v_vars.size() + 1);
        std::move(v_vars.begin(), v_vars.end(), std::back_inserter(moved));
        v_vars = std::move(moved);
    }
    RVariable& variable = v_vars.emplace_back();
    variable.ind = varIndex;
    if (v_vars.size() > kScanLimit) {
        if (v_index.empty() || v_vars.size() * 2 > v_index.size() || kStressBuild)
            RebuildIndex();
        else
            IndexPosition(static_cast<int32_t>(v_vars.size() - 1));
    }
    return variable;
}

void Variable_SetElementGrowing(RVariable& variable, int32_t row, int32_t column, const RValue& value)
{
    if ((row | column) == 0) {
        variable.simplevalue = value;
        return;
    }
    const size_t r = static_cast<size_t>(row);
    const size_t c = static_cast<size_t>(column);
    if (variable.value.size() < r + 1)
        variable.value.resize(r + 1);
    std::vector<RValue>& cells = variable.value[r];
    // An array filled in order grows by one each time: push_back keeps that
    // amortised.
    if (cells.size() == c) {
        cells.push_back(value);
        return;
    }
    if (cells.size() < c + 1)
        cells.resize(c + 1);
    cells[c] = value;
}

void CVariableList::SetVar(int32_t varIndex, int32_t arrayIndex, const RValue& value)
{
    RVariable* variable = FindVariable(varIndex);
    if (!variable)
        variable = &Append(varIndex);
    Variable_SetElement(*variable, arrayIndex, value);
}

const RValue* CVariableList::Lookup(int32_t varIndex, int32_t arrayIndex) const
{
    const RVariable* variable = FindVariable(varIndex);
    return variable ? Variable_Element(*variable, arrayIndex) : nullptr;
}

bool CVariableList::GetVar(int32_t varIndex, int32_t arrayIndex, RValue& value) const
{
    if (const RValue* found = Lookup(varIndex, arrayIndex)) {
        value = *found;
        return true;
    }
    if (Settings.UninitializedIsZero) {
        value = RValue();
        return true;
    }
    return false;
}

void CVariableList::Init(int32_t varIndex)
{
    if (!FindVariable(varIndex))
        Append(varIndex);
}

void CVariableList::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(Count());
    for (const RVariable& variable : v_vars) {
        stream.WriteInteger(variable.ind);
        WriteValue(stream, variable.simplevalue);
        stream.WriteInteger(static_cast<int32_t>(variable.value.size()));
        for (const std::vector<RValue>& row : variable.value) {
            stream.WriteInteger(static_cast<int32_t>(row.size()));
            for (const RValue& cell : row)
                WriteValue(stream, cell);
        }
    }
}

bool CVariableList::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    int32_t count = stream.ReadInteger();
    RequireBytes(stream, count, 24); // number, value record and row count
    for (int32_t k = 0; k < count; ++k) {
        RVariable& variable = Append(stream.ReadInteger());
        variable.simplevalue = ReadValue(stream);
        int32_t rows = stream.ReadInteger();
        RequireBytes(stream, rows, 4);
        variable.value.resize(static_cast<size_t>(rows < 0 ? 0 : rows));
        for (std::vector<RValue>& row : variable.value) {
            int32_t columns = stream.ReadInteger();
            RequireBytes(stream, columns, 16);
            row.reserve(static_cast<size_t>(columns < 0 ? 0 : columns));
            for (int32_t c = 0; c < columns; ++c)
                row.push_back(ReadValue(stream));
        }
    }
    return true;
}
