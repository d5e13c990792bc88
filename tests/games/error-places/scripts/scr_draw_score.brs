// A built-in function complains about its argument.
show_debug_message('score');
return sqrt(-1);
