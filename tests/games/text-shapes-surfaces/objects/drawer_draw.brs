// Shapes along the top, text in the middle, the surface at the bottom.
draw_set_circle_precision(32);
draw_set_color(c_yellow);
draw_rectangle(8, 8, 48, 40, false);
draw_set_color(c_white);
draw_rectangle(8, 8, 48, 40, true);
draw_circle_color(76, 24, 16, c_red, c_blue, false);
draw_set_color(c_silver);
draw_ellipse(100, 10, 150, 38, true);
draw_roundrect_color(158, 8, 210, 40, c_green, c_lime, false);
draw_triangle_color(218, 40, 240, 8, 262, 40, c_red, c_lime, c_blue, false);
draw_set_color(c_orange);
draw_triangle(270, 8, 310, 8, 290, 40, true);

draw_set_color(c_aqua);
draw_line_width(8, 50, 90, 66, 3);
draw_line_color(8, 70, 90, 70, c_red, c_yellow);
draw_arrow(100, 60, 160, 60, 10);
draw_button(170, 48, 220, 70, true);
draw_set_alpha(0.5);
draw_healthbar(228, 50, 310, 66, 70, c_black, c_red, c_lime, 0, true, true);
draw_set_alpha(1);
draw_set_color(c_fuchsia);
draw_path(pth_zigzag, 230, 74, false);

draw_set_color(c_white);
draw_set_font(-1);
draw_text(8, 80, 'Default font#second line \# 100%');
draw_set_font(fnt_big);
draw_set_halign(fa_center);
draw_text_color(160, 118, 'Gradient text', c_red, c_yellow, c_lime, c_blue, 1);
draw_set_halign(fa_right);
draw_set_valign(fa_bottom);
draw_text_ext(312, 232, 'Wrapped at ninety pixels', -1, 90);
draw_set_halign(fa_left);
draw_set_valign(fa_top);
draw_text_transformed(12, 232, 'Turned', 1, 1, 90);
draw_text_transformed_color(220, 96, 'Big', 1.5, 1.5, 20, c_white, c_white, c_orange, c_orange, 0.8);

surface_set_target(global.surf);
draw_clear_alpha(c_navy, 0.75);
draw_set_font(-1);
draw_set_color(c_yellow);
draw_text(14, 4, 'surf');
draw_circle(32, 34, 10, false);
surface_reset_target();
draw_surface_ext(global.surf, 40, 150, 1.5, 1.5, 0, c_white, 1);
draw_surface_part(global.surf, 0, 24, 64, 24, 150, 190);
draw_set_color(c_white);
