// Filling the function table from the catalogue and the supplied routines.
#include "code/FunctionCatalogue.h"

#include <string>
#include <unordered_map>

namespace {

std::unordered_map<std::string, TRoutine>& Implementations()
{
    static std::unordered_map<std::string, TRoutine> table;
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
    std::unordered_map<std::string, bool> catalogued;
    for (size_t m = 0; m < kFunctionCatalogueModules; ++m) {
        for (const RCatalogueEntry& entry : kFunctionCatalogue[m].entries) {
            auto found = Implementations().find(entry.name);
            Function_Add(entry.name, found == Implementations().end() ? nullptr : found->second, entry.argnumb);
            catalogued[entry.name] = true;
        }
    }
    bool ok = true;
    for (const auto& [name, routine] : Implementations()) {
        if (!catalogued.count(name)) {
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
            names += (names.empty() ? "" : " ") + function->f_name;
    }
    return names;
}

std::string Function_MissingRoutineMessage(const std::string& name)
{
    return "Function " + name + " is not part of this program";
}
