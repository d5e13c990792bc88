// The built-in variables in registration order: a variable's number is its
// position here. Whether a script may assign it is fixed with its name; the
// modules supply getters and setters by name.
#include "code/VariableCatalogue.h"

const RVariableCatalogueEntry kVariableCatalogue[] = {
    {"argument_relative", false},
    {"argument0", true},
    {"argument1", true},
    {"argument2", true},
    {"argument3", true},
    {"argument4", true},
    {"argument5", true},
    {"argument6", true},
    {"argument7", true},
    {"argument8", true},
    {"argument9", true},
    {"argument10", true},
    {"argument11", true},
    {"argument12", true},
    {"argument13", true},
    {"argument14", true},
    {"argument15", true},
    {"argument", true},
    {"argument_count", false},
    {"room", true},
    {"room_first", false},
    {"room_last", false},
    {"transition_kind", true},
    {"transition_steps", true},
    {"score", true},
    {"lives", true},
    {"health", true},
    {"game_id", false},
    {"working_directory", false},
    {"temp_directory", false},
    {"program_directory", false},
    {"instance_count", false},
    {"instance_id", false},
    {"room_width", false},
    {"room_height", false},
    {"room_caption", true},
    {"room_speed", true},
    {"room_persistent", true},
    {"background_color", true},
    {"background_showcolor", true},
    {"background_visible", true},
    {"background_foreground", true},
    {"background_index", true},
    {"background_x", true},
    {"background_y", true},
    {"background_width", false},
    {"background_height", false},
    {"background_htiled", true},
    {"background_vtiled", true},
    {"background_xscale", true},
    {"background_yscale", true},
    {"background_hspeed", true},
    {"background_vspeed", true},
    {"background_blend", true},
    {"background_alpha", true},
    {"view_enabled", true},
    {"view_current", false},
    {"view_visible", true},
    {"view_xview", true},
    {"view_yview", true},
    {"view_wview", true},
    {"view_hview", true},
    {"view_xport", true},
    {"view_yport", true},
    {"view_wport", true},
    {"view_hport", true},
    {"view_angle", true},
    {"view_hborder", true},
    {"view_vborder", true},
    {"view_hspeed", true},
    {"view_vspeed", true},
    {"view_object", true},
    {"mouse_x", false},
    {"mouse_y", false},
    {"mouse_button", true},
    {"mouse_lastbutton", true},
    {"keyboard_key", true},
    {"keyboard_lastkey", true},
    {"keyboard_lastchar", true},
    {"keyboard_string", true},
    {"cursor_sprite", true},
    {"show_score", true},
    {"show_lives", true},
    {"show_health", true},
    {"caption_score", true},
    {"caption_lives", true},
    {"caption_health", true},
    {"fps", false},
    {"current_time", false},
    {"current_year", false},
    {"current_month", false},
    {"current_day", false},
    {"current_weekday", false},
    {"current_hour", false},
    {"current_minute", false},
    {"current_second", false},
    {"event_type", false},
    {"event_number", false},
    {"event_object", false},
    {"event_action", false},
    {"secure_mode", false},
    {"debug_mode", false},
    {"error_occurred", true},
    {"error_last", true},
    {"brindle_version", false},
    {"os_type", false},
    {"os_device", false},
    {"x", true},
    {"y", true},
    {"xprevious", true},
    {"yprevious", true},
    {"xstart", true},
    {"ystart", true},
    {"hspeed", true},
    {"vspeed", true},
    {"direction", true},
    {"speed", true},
    {"friction", true},
    {"gravity", true},
    {"gravity_direction", true},
    {"object_index", false},
    {"id", false},
    {"alarm", true},
    {"solid", true},
    {"visible", true},
    {"persistent", true},
    {"depth", true},
    {"bbox_left", false},
    {"bbox_right", false},
    {"bbox_top", false},
    {"bbox_bottom", false},
    {"sprite_index", true},
    {"image_index", true},
    {"image_single", true},
    {"image_number", false},
    {"sprite_width", false},
    {"sprite_height", false},
    {"sprite_xoffset", false},
    {"sprite_yoffset", false},
    {"image_xscale", true},
    {"image_yscale", true},
    {"image_angle", true},
    {"image_alpha", true},
    {"image_blend", true},
    {"image_speed", true},
    {"mask_index", true},
    {"path_index", false},
    {"path_position", true},
    {"path_positionprevious", true},
    {"path_speed", true},
    {"path_scale", true},
    {"path_orientation", true},
    {"path_endaction", true},
    {"timeline_index", true},
    {"timeline_position", true},
    {"timeline_speed", true},
    {"timeline_running", true},
    {"timeline_loop", true},
};

const size_t kVariableCatalogueCount = sizeof(kVariableCatalogue) / sizeof(kVariableCatalogue[0]);

#include <string>
#include <unordered_map>
#include <utility>

namespace {

std::unordered_map<std::string, std::pair<TVariableGetter, TVariableSetter>>& Implementations()
{
    static std::unordered_map<std::string, std::pair<TVariableGetter, TVariableSetter>> table;
    return table;
}

} // namespace

void Variable_Implement(const char* name, TVariableGetter getter, TVariableSetter setter)
{
    Implementations()[name] = {getter, setter};
}

bool Variable_RegisterAll(std::string* missing)
{
    Variable_ClearBuiltins();
    std::unordered_map<std::string, bool> catalogued;
    for (size_t k = 0; k < kVariableCatalogueCount; ++k) {
        const RVariableCatalogueEntry& entry = kVariableCatalogue[k];
        auto found = Implementations().find(entry.name);
        TVariableGetter getter = found == Implementations().end() ? nullptr : found->second.first;
        TVariableSetter setter = found == Implementations().end() ? nullptr : found->second.second;
        Variable_AddBuiltin(entry.name, getter, setter, entry.canset);
        catalogued[entry.name] = true;
    }
    bool ok = true;
    for (const auto& [name, routines] : Implementations()) {
        if (!catalogued.count(name)) {
            ok = false;
            if (missing)
                *missing += name + " ";
        }
    }
    return ok;
}
