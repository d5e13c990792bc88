// Filling the function table from the catalogue and the supplied routines.
#include "code/FunctionCatalogue.h"
#include "code/Functions.h"
#include "code/NameMap.h"

#include <string>

namespace {

CNameMap<TRoutine>& Implementations()
{
    static CNameMap<TRoutine> table = [] {
        CNameMap<TRoutine> routines;
        routines.reserve(4096);
        return routines;
    }();
    return table;
}

} // namespace

void Function_Implement(const char* name, TRoutine routine)
{
    Implementations()[name] = routine;
}

bool Function_RegisterAll(std::string* missing)
{
    Function_Clear();
    size_t count = 0;
    for (size_t m = 0; m < kFunctionCatalogueModules; ++m)
        count += kFunctionCatalogue[m].entries.size();
    Function_Reserve(count);
    for (size_t m = 0; m < kFunctionCatalogueModules; ++m) {
        for (const RCatalogueEntry& entry : kFunctionCatalogue[m].entries) {
            auto found = Implementations().find(entry.name);
            Function_Add(entry.name, found == Implementations().end() ? nullptr : found->second, entry.argnumb);
        }
    }
    // Checked against the table just filled: every run does this at start.
    bool ok = true;
    int32_t number;
    for (const auto& [name, routine] : Implementations()) {
        if (!Function_FindBuiltin(name, number)) {
            ok = false;
            if (missing)
                *missing += name + " ";
        }
    }
    return ok;
}

std::string Function_Unsupplied()
{
    std::string names;
    for (int32_t k = 0; k < Function_Count(); ++k) {
        const RFunction* function = Function_Get(k);
        if (!function->f_routine)
            names += (names.empty() ? "" : " ") + std::string(function->f_name);
    }
    return names;
}

std::string Function_MissingRoutineMessage(const std::string& name)
{
    return "Function " + name + " is not part of this program";
}
