// Other programs: starting them with or without waiting, finding them on the
// search path, and opening documents with the desktop's own handler.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Starts hostProgram with the arguments (the first being its own name, as
// the program will see it) in the working directory. False when it cannot be
// started: missing, not executable, or not a program this system can run.
bool Platform_StartProgram(const std::string& hostProgram, const std::vector<std::string>& arguments,
                           int64_t& processId);
// Waits until the program ends, calling whileWaiting between pauses of
// 50 ms; gives its exit status (128 + the signal when a signal ended it).
int Platform_WaitForProgram(int64_t processId, const std::function<void()>& whileWaiting);
// Collects programs that ended while nobody waited, so none lingers.
void Platform_CollectEndedPrograms();
// Waits for every program started and not yet waited for.
void Platform_WaitForAllPrograms();

// The file on the search path (PATH) named name; false when there is none.
bool Platform_FindOnSearchPath(const std::string& name, std::string& hostPath);
// A program of the original platform: a file starting with its executable
// signature, or a batch file. The runner never runs these.
bool Platform_IsForeignProgram(const std::string& hostPath);
// A regular file this user may execute.
bool Platform_IsExecutableFile(const std::string& hostPath);

// Hands a document, folder or web address to the desktop's opener
// (xdg-open) without waiting; false when there is none or it cannot start.
bool Platform_OpenDocument(const std::string& target);
