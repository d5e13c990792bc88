// The sprite: four 32 x 32 discs (ellipse gradients on a corner colour),
// each saved as a picture and loaded as a sprite, merged into one, saved
// as a strip and loaded back as four images without the corner colour.
var colors, k, frame, part;
colors[0] = c_yellow; colors[1] = c_orange; colors[2] = c_red; colors[3] = c_fuchsia;
for (k = 0; k < 4; k += 1) {
    frame = background_create_gradient(32, 32, c_black, colors[k], 3);
    background_save(frame, "frame.png");
    background_delete(frame);
    part = sprite_add("frame.png", 1, false, false, 0, 0);
    if (k == 0) global.discs = part; else { sprite_merge(global.discs, part); sprite_delete(part); }
}
sprite_save_strip(global.discs, "discs.png");
global.spr_disc = sprite_add("discs.png", 4, true, false, 16, 16);
show_debug_message("sprite " + sprite_get_name(global.spr_disc) + ": " + string(sprite_get_number(global.spr_disc))
    + " images of " + string(sprite_get_width(global.spr_disc)) + "x" + string(sprite_get_height(global.spr_disc))
    + ", box " + string(sprite_get_bbox_left(global.spr_disc)) + "," + string(sprite_get_bbox_top(global.spr_disc))
    + " to " + string(sprite_get_bbox_right(global.spr_disc)) + "," + string(sprite_get_bbox_bottom(global.spr_disc)));

// A closed square path the disc follows, absolute.
global.pth = path_add();
path_add_point(global.pth, 60, 60, 100);
path_add_point(global.pth, 260, 60, 100);
path_add_point(global.pth, 260, 160, 50);
path_add_point(global.pth, 60, 160, 100);
show_debug_message("path " + path_get_name(global.pth) + ": " + string(path_get_number(global.pth)) + " points, length "
    + string(path_get_length(global.pth)));

// Objects and their events.
global.obj_disc = object_add();
object_set_sprite(global.obj_disc, global.spr_disc);
object_set_depth(global.obj_disc, -10);
object_event_add(global.obj_disc, ev_create, 0, "path_start(global.pth, 8, 1, true); image_speed = 0.5;");
object_event_add(global.obj_disc, ev_other, ev_user0,
    "show_debug_message('disc at ' + string(round(x)) + ',' + string(round(y)) + ' image ' + string(floor(image_index)));");

global.obj_post = object_add();
object_set_mask(global.obj_post, global.spr_disc); // collides with the disc's shape
object_event_add(global.obj_post, ev_draw, 0,
    "draw_set_color(c_white); draw_rectangle(x - 6, y - 6, x + 6, y + 6, false); draw_text(x + 10, y - 8, string(id - global.first_post));");
object_event_add(global.obj_post, ev_collision, global.obj_disc, "hits += 1;");
object_event_add(global.obj_post, ev_create, 0, "hits = 0;");

// The time line: moments are steps of the director that runs it.
global.tl = timeline_add();
timeline_moment_add(global.tl, 0, "show_debug_message('moment 0 in ' + room_get_name(room) + ', ' + string(instance_number(global.obj_post)) + ' posts');");
timeline_moment_add(global.tl, 3, "with (global.obj_disc) event_user(0);");
timeline_moment_add(global.tl, 6, "with (global.obj_disc) event_user(0); instance_create(138, 60, global.obj_post);");
timeline_moment_add(global.tl, 7, "with (global.obj_post) show_debug_message('post ' + string(id - global.first_post) + ' hit ' + string(hits) + ' times');");
global.obj_director = object_add();
object_event_add(global.obj_director, ev_create, 0, "timeline_index = global.tl; timeline_running = true;");
show_debug_message("objects " + object_get_name(global.obj_disc) + ", " + object_get_name(global.obj_post) + ", "
    + object_get_name(global.obj_director) + "; time line " + timeline_get_name(global.tl));

// Backgrounds for the sky and the tiles.
var sky, ground;
sky = background_create_gradient(16, 120, c_navy, make_color_rgb(20, 30, 60), 1);
ground = background_create_gradient(64, 32, c_green, c_olive, 6);

// The room.
global.rm = room_add();
room_set_width(global.rm, 320);
room_set_height(global.rm, 240);
room_set_caption(global.rm, "Built at run time");
room_set_background_color(global.rm, make_color_rgb(20, 30, 60), true);
room_set_background(global.rm, 0, true, false, sky, 0, 0, true, false, 0, 0, 1);
for (k = 0; k < 5; k += 1)
    room_tile_add(global.rm, ground, 0, 0, 64, 32, k * 64, 208, 100);
room_tile_add_ext(global.rm, ground, 16, 8, 32, 16, 140, 90, 50, 1, 2, 0.5);
room_instance_add(global.rm, 0, 0, global.obj_director);
global.first_post = room_instance_add(global.rm, 260, 60, global.obj_post) - 1;
room_instance_add(global.rm, 60, 160, global.obj_post);
room_instance_add(global.rm, 160, 60, global.obj_disc);
show_debug_message("room " + room_get_name(global.rm) + " with 4 instances");
room_goto(global.rm);
