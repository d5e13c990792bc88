d3d_start();
d3d_set_lighting(true);
d3d_light_define_ambient(make_color_rgb(90, 90, 90));
d3d_light_define_direction(0, 1, -0.5, -1, make_color_rgb(180, 180, 170));
d3d_light_enable(0, true);
floor = background_get_texture(bg_floor);
crate = background_get_texture(bg_crate);
