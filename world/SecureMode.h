// Secure mode keeps a game's file changes inside its own folder. Every
// routine that writes, renames or deletes a file asks SecureMode_Forbids
// first, whichever module it lives in: file functions, picture savers,
// included files, saved games.
#pragma once

#include "world/GameState.h"

#include <string>

// A name "has a path" when it holds either separator; a drive alone
// ("C:name") does not count.
inline bool SecureMode_HasPath(const std::string& name)
{
    return name.find_first_of("\\/") != std::string::npos;
}

// True when the file of this name may not be written, renamed or deleted:
// secure mode is on and the name has a path. The caller reports the refusal
// with its own message.
inline bool SecureMode_Forbids(const std::string& name)
{
    return GameState.secureMode && SecureMode_HasPath(name);
}
