// The math module of built-in functions: type tests, random numbers,
// rounding, arithmetic, trigonometry, aggregates, real/string conversions,
// string functions and vector helpers.
#pragma once

// Supplies the routines of all 66 functions to the function catalogue; call
// before Function_RegisterAll.
void Library_RegisterMath();

// The direction from (x1, y1) to (x2, y2) in degrees, counter-clockwise on a
// screen whose y grows downwards, in [0, 360): point_direction.
double Math_PointDirection(double x1, double y1, double x2, double y2);
