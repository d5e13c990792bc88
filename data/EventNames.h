// The readable names of events used by game projects and by the resource
// dump: "create", "alarm[3]", "keyboard[vk_left]", "collision[obj_wall]",
// "other[user0]"... One table serves both directions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Resolves the name in brackets of collision and trigger events to an
// index (-1 when there is none).
using EventTargetLookup = std::function<int32_t(int32_t etype, const std::string& name)>;
// Names an index for collision and trigger events ("" to print the number).
using EventTargetName = std::function<std::string(int32_t etype, int32_t index)>;

// Parses a name; false with error set when it is not an event.
bool ParseEventName(const std::string& text, const EventTargetLookup& lookup, int32_t& etype, int32_t& enumb,
                    std::string& error);
std::string FormatEventName(int32_t etype, int32_t enumb, const EventTargetName& name);

// Key codes by name: "vk_left", a letter or digit ("A", "7"), or a number.
int32_t ParseKeyName(const std::string& text);
std::string FormatKeyName(int32_t key);
