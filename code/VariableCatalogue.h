// The catalogue of built-in variables and the registration that fills the
// built-in variable table from it. Modules supply getters and setters by
// name with Variable_Implement before Variable_RegisterAll runs; a variable
// without them keeps whatever was last written to it.
#pragma once

#include "code/Variables.h"

#include <cstddef>

struct RVariableCatalogueEntry {
    const char* name;
    bool canset;
};

extern const RVariableCatalogueEntry kVariableCatalogue[];
extern const size_t kVariableCatalogueCount;

void Variable_Implement(const char* name, TVariableGetter getter, TVariableSetter setter);
// Clears the built-in table and fills it from the catalogue; false (with the
// names in missing) when something was supplied for a name not catalogued.
bool Variable_RegisterAll(std::string* missing = nullptr);
