// The player starts where the level says.
x = 0;
scr_spawn(x, y);
plaer_move(4);
