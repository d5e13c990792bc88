draw_sprite_ext(spr_ball, 0, x, y, 2, 2, 45, c_lime, 1);
draw_background_part(bg_tiles, 16, 0, 16, 16, x - 40, y - 10);
draw_sprite_stretched(spr_block, 1, x + 20, y + 10, 32, 8);
draw_sprite_part(spr_block, 0, 0, 0, 8, 8, x - 20, y + 20);
if (global.reports < 3) {
    show_debug_message('drawn in view ' + string(view_current));
    global.reports += 1;
}
