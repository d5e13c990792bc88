Text before the first section is ignored.
#define ext_double
return argument0 * 2;
#define ext_describe
// Calls back into the library through its extension name.
return 'sum ' + string(add2(argument0, argument1)) + ' / ' + greet(argument2);
