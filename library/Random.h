// The program's one random generator: a 32-bit linear congruential sequence
// shared by the math functions, data structures, particles and the step loop,
// so that one seed replays a whole game.
#pragma once

#include <cstdint>

void Random_SetSeed(uint32_t seed);
uint32_t Random_GetSeed();
// Seeds from the low 32 bits of the high-resolution counter (game start,
// restart and randomize).
void Random_Randomize();

// Advances the seed and returns it: every draw below starts with this.
uint32_t Random_Next();
// A real in [0, 1): the advanced seed / 2^32.
double Random_Real();
// An integer in [0, n): the high 32 bits of the advanced seed × n; 0 when n is 0.
uint32_t Random_Below(uint32_t n);
