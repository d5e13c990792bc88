steps = 0;
// A sprite of three images with its own collision settings, and a background.
var strip, copy, back, again, bad;
strip = background_create_gradient(60, 12, c_blue, c_yellow, 0);
background_save(strip, "strip.png");
global.spr = sprite_add("strip.png", 3, false, false, 5, 6);
sprite_collision_mask(global.spr, true, 2, 1, 2, 15, 9, 2, 0);
show_debug_message("made:   " + scr_sprite_fields(global.spr));
sprite_save(global.spr, 0, "saved.brspr");
copy = sprite_add_sprite("saved.brspr");
show_debug_message("loaded: " + scr_sprite_fields(copy));
sprite_save_strip(global.spr, "made.png");
sprite_save_strip(copy, "loaded.png");
show_debug_message("pixels the same: " + string(scr_same_files("made.png", "loaded.png")));

global.back = background_create_gradient(20, 10, c_red, c_green, 9);
background_save(global.back, "saved.brbck");
again = background_add_background("saved.brbck");
background_save(global.back, "made.png");
background_save(again, "loaded.png");
show_debug_message("background " + string(background_get_width(again)) + "x" + string(background_get_height(again))
    + ", pixels the same: " + string(scr_same_files("made.png", "loaded.png")));

// The file begins with the magic number; files of the other kind, or
// none, add nothing.
bad = file_bin_open("saved.brspr", 0);
show_debug_message("sprite file starts with magic: " + string(file_bin_read_byte(bad) + file_bin_read_byte(bad) * 256 + file_bin_read_byte(bad) * 65536));
file_bin_close(bad);
show_debug_message("sprite file of a background: " + string(sprite_add_sprite("saved.brbck")));
show_debug_message("background file of a sprite: " + string(background_add_background("saved.brspr")));
show_debug_message("missing file: " + string(sprite_add_sprite("nowhere.brspr")));

// What the room draws and then loses.
global.font = font_add("Liberation Sans", 10, false, false, 32, 127);
with (instance_create(80, 60, obj_shown)) sprite_index = global.spr;
tile_add(global.back, 0, 0, 20, 10, 100, 20, 0);
