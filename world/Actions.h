// Action lists: compiling actions after loading, and running an event's or
// a time line moment's list with its blocks, questions, else, repeat, exit,
// applies-to and relative flag.
#pragma once

class CEvent;
class CAction;
class CInstance;

// Resolves the called function and compiles the code and arguments; a
// compile error gives false and is reported, as a fatal error unless fatal
// is false (actions added while the game runs).
bool Action_Compile(CAction& action, bool fatal = true);
// Compiles every action of the list in order, recording each action's index
// in the current-event record for messages.
bool Event_Compile(CEvent& event);

// Runs the list from its first action; it stops early at an exit action or
// as soon as a room change is pending.
void Event_Run(const CEvent& event, CInstance* self, CInstance* other);
