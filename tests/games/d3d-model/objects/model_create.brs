d3d_start();
d3d_set_lighting(true);
d3d_light_define_ambient(make_color_rgb(50, 50, 60));
d3d_light_define_direction(0, -0.5, 1, -1, c_white);
d3d_light_enable(0, true);
model = d3d_model_create();
show_debug_message("loaded " + string(d3d_model_load(model, "ship.d3d")));
texture = background_get_texture(bg_stripes);
turn = 0;
