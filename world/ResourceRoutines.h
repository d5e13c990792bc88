// What the script functions of every resource kind share: existence and
// the name ("<undefined>" for a missing resource), the names of resources
// added while the game runs, and adding, replacing and assigning entries.
// Each kind's functions are built from these in the folder that owns its
// contents.
#pragma once

#include "code/FunctionCatalogue.h"
#include "code/ErrorReport.h"
#include "code/Value.h"
#include "data/ResourceList.h"
#include "data/Resources.h"
#include "data/RetiredResources.h"

#include <memory>
#include <string>
#include <string_view>

// "__new" + kind + index: "__newsprite4".
std::string Resource_AddedName(std::string_view kind, int32_t index);

template <typename T, TResourceList<T> CGameResources::*List>
bool Resource_ExistsRoutine(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal((GameResources.*List).Exists(RoundToInt32(args[0].val)) ? 1 : 0);
    return true;
}

template <typename T, TResourceList<T> CGameResources::*List>
bool Resource_NameRoutine(CExecutionContext&, RValue& result, int, RValue* args)
{
    const int32_t k = RoundToInt32(args[0].val);
    result = RValue((GameResources.*List).Exists(k) ? (GameResources.*List).Name(k) : std::string("<undefined>"));
    return true;
}

// Supplies kind_exists, kind_get_name and kind_name (&CGameResources::Sprites
// and "sprite", and so on).
template <typename T, TResourceList<T> CGameResources::*List>
void Resource_ImplementCommon(const std::string& kind)
{
    Function_Implement((kind + "_exists").c_str(), &Resource_ExistsRoutine<T, List>);
    Function_Implement((kind + "_get_name").c_str(), &Resource_NameRoutine<T, List>);
    Function_Implement((kind + "_name").c_str(), &Resource_NameRoutine<T, List>);
}

// Appends item under its run-time name; its index.
template <typename T>
int32_t Resource_Append(TResourceList<T>& list, std::unique_ptr<T> item, std::string_view kind)
{
    const int32_t index = list.Count();
    list.Add(std::move(item), Resource_AddedName(kind, index));
    return index;
}

// Appends a resource that make(T&) fills, when it succeeds, then calls
// built with its index (to make its textures, say); the index, or -1.
template <typename T, typename Make>
int32_t Resource_AddMade(TResourceList<T>& list, std::string_view kind, Make make, void (*built)(int32_t) = nullptr)
{
    auto item = std::make_unique<T>();
    if (!make(*item))
        return -1;
    const int32_t index = Resource_Append(list, std::move(item), kind);
    if (built)
        built(index);
    return index;
}

// Replaces the contents of the existing entry index with what make(T&)
// fills, when it succeeds (else nothing changes), then calls built.
template <typename T, typename Make>
bool Resource_ReplaceMade(TResourceList<T>& list, int32_t index, Make make, void (*built)(int32_t) = nullptr)
{
    T made;
    if (!make(made))
        return false;
    *list.Get(index) = std::move(made);
    if (built)
        built(index);
    return true;
}

// kind_duplicate(ind): a copy appended (its index, after built), or -1
// and message when ind does not exist.
template <typename T>
void Resource_Duplicate(TResourceList<T>& list, const RValue& ind, std::string_view kind, const char* message,
                        RValue& result, void (*built)(int32_t) = nullptr)
{
    const T* source = list.Get(RoundToInt32(ind.val));
    if (!source)
        Error_ShowInEvent(message, false);
    result.SetReal(source ? Resource_AddMade(list, kind, [&](T& made) {
        made = *source;
        return true;
    }, built) : -1);
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

// Deletes the entry at index (1 as the result), or reports message when it
// does not exist. release(index) runs first when given (textures, say); the
// resource is then freed, or retired when code may be running inside it.
template <typename T>
void Resource_Delete(TResourceList<T>& list, const RValue& index, const char* message, RValue& result,
                     void (*release)(int32_t) = nullptr, bool retire = false)
{
    const int32_t k = RoundToInt32(index.val);
    if (!list.Exists(k)) {
        Error_ShowInEvent(message, false);
        return;
    }
    if (release)
        release(k);
    std::unique_ptr<T> taken = list.Take(k);
    if (retire)
        Resource_Retire(std::move(taken));
    result.SetReal(1);
}

// kind_assign(ind, source) (Resource_AssignCopy), reporting message when
// an index is outside the list; built(ind) afterwards when given.
template <typename T>
void Resource_Assign(TResourceList<T>& list, const RValue* args, std::string_view kind, const char* message,
                     RValue& result, void (*built)(int32_t) = nullptr)
{
    const int32_t ind = RoundToInt32(args[0].val);
    std::unique_ptr<T> replaced;
    if (!Resource_AssignCopy(list, ind, RoundToInt32(args[1].val), kind, replaced)) {
        Error_ShowInEvent(message, false);
        return;
    }
    if (built)
        built(ind);
    result.SetReal(1);
}
