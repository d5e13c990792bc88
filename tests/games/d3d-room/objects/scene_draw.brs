d3d_set_projection_ext(230, 250, 70, 90, 60, 10, 0, 0, 1, 60, 320 / 240, 1, 2000);
draw_set_color(c_white);
// The floor and four walls, their normals towards the inside.
d3d_draw_floor(0, 0, 0, 256, 256, 0, floor, 8, 8);
d3d_draw_wall(256, 0, 48, 0, 0, 0, bricks, 4, 1);
d3d_draw_wall(0, 0, 48, 0, 256, 0, bricks, 4, 1);
d3d_draw_wall(0, 256, 48, 256, 256, 0, bricks, 4, 1);
d3d_draw_wall(256, 256, 48, 256, 0, 0, bricks, 4, 1);
// Crates, one on another.
d3d_draw_block(60, 80, 0, 90, 110, 30, crate, 1, 1);
d3d_draw_block(64, 84, 30, 86, 106, 52, crate, 1, 1);
d3d_draw_block(150, 40, 0, 190, 70, 24, crate, 2, 1);
// A pillar with a cone on top, and a ball.
d3d_draw_cylinder(30, 150, 0, 50, 170, 60, bricks, 2, 2, true, 16);
d3d_draw_cone(26, 146, 60, 54, 174, 80, -1, 1, 1, true, 16);
draw_set_color(make_color_rgb(160, 200, 255));
d3d_draw_ellipsoid(120, 140, 0, 150, 170, 30, -1, 1, 1, 24);
draw_set_color(c_white);
