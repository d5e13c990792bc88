// Action lists: compiling actions after loading, and running an event's or
// a time line moment's list with its blocks, questions, else, repeat, exit,
// applies-to and relative flag.
#pragma once

#include <string>
#include <vector>

class CEvent;
class CAction;
class CInstance;

// Resolves the called function and compiles the code and arguments; a
// compile error gives false and is reported, as a fatal error unless fatal
// is false (actions added while the game runs).
bool Action_Compile(CAction& action, bool fatal = true);

// The code compiling an action compiles, in order, for tools that check it
// beforehand: its code (a program; a variable action's assignment) and each
// argument that is an expression. origin is the argument text the piece was
// written as (the first one for a variable action).
struct RActionCode {
    std::string text;
    bool expression = false;
    std::string origin;
};
std::vector<RActionCode> Action_CodePieces(const CAction& action);
// Compiles every action of the list in order, recording each action's index
// in the current-event record for messages.
bool Event_Compile(CEvent& event);

// Runs the list from its first action; it stops early at an exit action or
// as soon as a room change is pending.
void Event_Run(const CEvent& event, CInstance* self, CInstance* other);
