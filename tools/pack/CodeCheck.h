// Compiling every piece of a project's code with the runner's own compiler,
// as the runner does when the game starts, so that unknown names and
// mistakes show when the game is packed, each with its project file, line
// and column.
#pragma once

#include "tools/pack/Project.h"

#include <string>
#include <vector>

// One message per mistake ("file:line:column: reason"), in the order the
// runner compiles: constants, trigger conditions, scripts, time lines,
// objects, then the creation code of rooms and instances and the library
// initialization code. Empty when everything compiles. Code is compiled,
// never run: constants whose value calls a function stay unknown to the
// check, so a name is never refused for them. The function, variable and
// constant tables are filled as the runner fills them and left so; the
// project comes back unchanged.
std::vector<std::string> CheckProjectCode(GameProject& project);
