// The run's own temporary folder on disk. It is made exclusively (as mkdtemp
// does) and private to the user, and a lock on a file inside it is held for
// as long as the process lives: the kernel lets go of the lock however the
// process ends, so a later run can tell a folder whose run is gone (killed,
// out of memory) from one still in use, and remove it.
#pragma once

#include <cstddef>
#include <string>

// Makes base/prefix + six random characters with mode 0700 (base and its
// missing parents first) and takes its lock. The new folder's path, or ""
// when none can be made.
std::string Platform_CreateRunFolder(const std::string& base, const std::string& prefix);
// Removes the folder made by Platform_CreateRunFolder, with everything in it.
void Platform_RemoveRunFolder();
// The same for the exit paths that cannot run the shut-down (a second stop
// signal, a crash): only calls that are safe inside a signal handler.
void Platform_RemoveRunFolderFromSignal();

// Removes every folder below base named prefix + something that is provably
// a run folder of this user (a real folder owned by the user, private, with
// its lock file) and whose lock no process holds any more. Anything else,
// folders of older runners without a lock file included, is left alone.
// Returns how many folders were removed.
int Platform_RemoveAbandonedRunFolders(const std::string& base, const std::string& prefix);

// Writes a file inside the run's folder: created with mode 0600 (or emptied),
// never through a symbolic link.
bool Platform_WritePrivateFile(const std::string& hostPath, const void* data, size_t size);
