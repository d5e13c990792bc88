// Constant lookup.
#include "code/Constants.h"

#include "code/NameMap.h"
#include "data/Resources.h"

#include <vector>

namespace {

struct RConstantEntry {
    std::string name;
    RValue value;
};

std::vector<RConstantEntry> Table;
CNameMap<size_t> TableIndex; // name → newest position

} // namespace

void Constant_Add(const std::string& name, const RValue& value)
{
    TableIndex[name] = Table.size();
    Table.push_back(RConstantEntry{name, value});
}

bool Constant_FindInTable(std::string_view name, RValue& value)
{
    auto found = TableIndex.find(name);
    if (found == TableIndex.end())
        return false;
    value = Table[found->second].value;
    return true;
}

bool Constant_Find(std::string_view name, RValue& value)
{
    // A resource name always means the resource, in this order of kinds.
    int32_t index = Objects.Find(name);
    if (index < 0)
        index = Sprites.Find(name);
    if (index < 0)
        index = Sounds.Find(name);
    if (index < 0)
        index = Backgrounds.Find(name);
    if (index < 0)
        index = Paths.Find(name);
    if (index < 0)
        index = Fonts.Find(name);
    if (index < 0)
        index = TimeLines.Find(name);
    if (index < 0)
        index = Scripts.Find(name);
    if (index < 0)
        index = Rooms.Find(name);
    if (index < 0)
        index = Trigger_FindConstant(name);
    if (index >= 0) {
        value = RValue(static_cast<double>(index));
        return true;
    }
    return Constant_FindInTable(name, value);
}

int32_t Constant_Count()
{
    return static_cast<int32_t>(Table.size());
}

void Constant_Clear()
{
    Table.clear();
    TableIndex.clear();
}
