// The math module of built-in functions: type tests, random numbers,
// rounding, arithmetic, trigonometry, aggregates, real/string conversions,
// string functions and vector helpers.
#pragma once

// Supplies the routines of all 66 functions to the function catalogue; call
// before Function_RegisterAll.
void Library_RegisterMath();
