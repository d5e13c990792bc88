// Built-in functions that compile and run code at run time, call scripts by
// index and reach variables by name.
#pragma once

void Code_ImplementRuntimeCodeFunctions();
