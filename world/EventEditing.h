// Changing action lists while a game runs. The event being changed may be
// running at that moment (an event that adds to or clears itself), so its
// old actions are retired rather than freed: the run under way finishes
// the action it is in and then goes on with the new list.
#pragma once

#include <string>

class CEvent;

// Appends one code action with code, compiled. A compile error is reported
// as a non-fatal error and leaves the event as it was (false).
bool Event_AddCodeAction(CEvent& event, const std::string& code);
// Removes every action.
void Event_ClearActions(CEvent& event);
