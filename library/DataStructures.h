// The data structures module: stacks, queues, lists, maps, priority queues
// and grids of values, addressed by small ids, for the ds_* built-ins.
#pragma once

// Supplies the routines of all 110 ds_* functions to the function
// catalogue; call before Function_RegisterAll.
void Library_RegisterDataStructures();

// Destroys every data structure of every kind, so ids start from 0 again.
// The precision is left as it is: a game restart keeps it.
void Ds_DestroyAll();
