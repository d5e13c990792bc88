// Set up, then fail on the fifth line.
zero = 0;
scr_draw_score();
show_debug_message('created');
ratio = 1 / zero;
