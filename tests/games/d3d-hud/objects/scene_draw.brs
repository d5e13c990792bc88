// The world, in perspective and lit.
d3d_set_hidden(true);
d3d_set_lighting(true);
d3d_set_projection_ext(-60, 20, 50, 100, 0, 0, 0, 0, 1, 60, 320 / 240, 1, 1000);
draw_set_color(c_white);
d3d_draw_floor(-100, -150, 0, 300, 150, 0, floor, 10, 8);
var i;
for (i = 0; i < 5; i += 1)
    d3d_draw_block(40 + i * 40, -60 + i * 25, 0, 64 + i * 40, -36 + i * 25, 24, crate, 1, 1);

// The HUD, flat over it.
d3d_set_projection_ortho(0, 0, 320, 240, 0);
d3d_set_hidden(false);
d3d_set_lighting(false);
draw_set_alpha(0.6);
draw_set_color(c_black);
draw_rectangle(0, 200, 319, 239, false);
draw_set_alpha(1);
draw_healthbar(10, 210, 110, 228, 70, c_maroon, c_red, c_lime, 0, true, true);
draw_set_color(c_yellow);
draw_text(130, 206, "SCORE 1200");
draw_sprite(spr_crate, 0, 280, 204);
draw_set_color(c_white);
draw_circle(160, 100, 6, true);
