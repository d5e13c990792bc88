// Debug output of games.
#pragma once

#include <functional>
#include <string>

// Where messages go besides standard output (the debug window, tests).
using DebugMessageSink = std::function<void(const std::string& text)>;
void Debug_SetMessageSink(DebugMessageSink sink);

void Library_ImplementDebugOutput();
