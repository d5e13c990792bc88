// The catalogue of every built-in function and the registration that fills
// the function table from it. Each module supplies the routines it has with
// Function_Implement before Function_RegisterAll runs; a catalogued function
// without a routine is still registered (so every game's code binds) and
// reports that it is not implemented when called.
#pragma once

#include "code/Functions.h"

#include <cstddef>
#include <cstdint>
#include <span>

struct RCatalogueEntry {
    const char* name;
    int32_t argnumb;
};

struct RCatalogueModule {
    const char* name;
    std::span<const RCatalogueEntry> entries;
};

extern const RCatalogueModule kFunctionCatalogue[];
extern const size_t kFunctionCatalogueModules;

// Supplies the routine of a catalogued function. A name that is not in the
// catalogue is an internal error, caught when the table is filled.
void Function_Implement(const char* name, TRoutine routine);

// Clears the function table and fills it from the catalogue in order; false
// (with the offending names in missing) when a routine was supplied for a
// name the catalogue does not have.
bool Function_RegisterAll(std::string* missing = nullptr);

// The message of a catalogued function that has no routine yet.
std::string Function_NotImplementedMessage(const std::string& name);
