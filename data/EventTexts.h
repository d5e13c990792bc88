// The texts by which messages name events, keys, mouse events and resources:
// "Create Event", " Step Event", "Keyboard Event for <Left> Key"...
#pragma once

#include <cstdint>
#include <string>

// "Create Event", " Step Event", "Keyboard Event for <Left> Key", ...
std::string Event_Name(int32_t type, int32_t number);
std::string Event_KeyName(int32_t key);
std::string Event_MouseName(int32_t number);
std::string Event_OtherName(int32_t number);

// The name, or "<undefined>" when the resource does not exist.
std::string Object_NameOrUndefined(int32_t index);
std::string TimeLine_NameOrUndefined(int32_t index);
