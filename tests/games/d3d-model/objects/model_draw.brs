// The second view shows the same scene flat-shaded with culling on.
d3d_set_shading(view_current == 0);
d3d_set_culling(view_current == 1);
d3d_set_projection_ext(70, 60, 110, 0, 0, 18, 0, 0, 1, 45, 320 / 240, 1, 1000);
draw_set_color(c_white);
d3d_transform_set_rotation_z(turn);
d3d_transform_add_rotation_x(-10);
d3d_model_draw(model, 0, 0, 0, texture);
d3d_transform_set_identity();
