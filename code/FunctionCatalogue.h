// The catalogue of every built-in function and the registration that fills
// the function table from it. Each module supplies the routines it has with
// Function_Implement before Function_RegisterAll runs. The runner supplies a
// routine for every catalogued function and refuses to start otherwise; a
// test program that links only some modules registers the others without one
// (so code still binds), and calling one of those is an error.
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

// The registered functions that have no routine, separated by spaces.
std::string Function_Unsupplied();

// The error of calling a function whose module this program does not have.
std::string Function_MissingRoutineMessage(const std::string& name);
