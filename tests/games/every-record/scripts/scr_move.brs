x += argument0;
y += argument1;
