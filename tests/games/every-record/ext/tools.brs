ignored text
#define ext_double
return argument0 * 2;
#define ext_hello
show_message("hi");
