// The built-in variables that belong to the script language itself.
#pragma once

// Whether the action being run was given the relative option.
extern bool ArgumentRelative;

// Supplies argument_relative, argument0 … argument15, argument and argument_count.
void Code_ImplementArgumentVariables();
