// What the script functions of every resource kind share: existence, the
// name ("<undefined>" for a missing resource), the names of resources added
// while the game runs, and adding, duplicating and assigning entries. Each
// kind's functions are built from these in the folder that owns its contents.
#pragma once

#include "code/Value.h"
#include "data/ResourceList.h"

#include <memory>
#include <string>
#include <string_view>

// "__new" + kind + index: "__newsprite4".
std::string Resource_AddedName(std::string_view kind, int32_t index);

template <typename T>
void Resource_ExistsResult(const TResourceList<T>& list, RValue& result, const RValue& index)
{
    result.SetReal(list.Exists(RoundToInt32(index.val)) ? 1 : 0);
}

template <typename T>
void Resource_NameResult(const TResourceList<T>& list, RValue& result, const RValue& index)
{
    const int32_t k = RoundToInt32(index.val);
    result = RValue(list.Exists(k) ? list.Name(k) : std::string("<undefined>"));
}

// Appends item under its run-time name; its index.
template <typename T>
int32_t Resource_Append(TResourceList<T>& list, std::unique_ptr<T> item, std::string_view kind)
{
    const int32_t index = list.Count();
    list.Add(std::move(item), Resource_AddedName(kind, index));
    return index;
}

// A copy of resource source at index ind, both within the list: a hole at
// source makes ind an empty resource, a hole at ind is filled under its
// run-time name. The resource replaced comes back (nullptr when there was
// none), for the caller to free when it is safe; false (and nothing
// changed) when an index is outside the list.
template <typename T>
bool Resource_AssignCopy(TResourceList<T>& list, int32_t ind, int32_t source, std::string_view kind,
                         std::unique_ptr<T>& replaced)
{
    if (ind < 0 || ind >= list.Count() || source < 0 || source >= list.Count())
        return false;
    const T* from = list.Get(source);
    auto copy = from ? std::make_unique<T>(*from) : std::make_unique<T>();
    if (list.Exists(ind))
        replaced = list.Exchange(ind, std::move(copy));
    else
        list.Set(ind, std::move(copy), Resource_AddedName(kind, ind));
    return true;
}
