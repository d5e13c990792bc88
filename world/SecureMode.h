// Secure mode keeps a game's file changes inside its own folder. Every
// routine that writes, renames or deletes a file asks SecureMode_Forbids
// first, whichever module it lives in: file functions, picture savers,
// included files, saved games.
#pragma once

#include "code/ErrorReport.h"
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

// The check of the routines that write a file of their own making (pictures,
// models): false, after reporting "In secure mode you cannot write file " +
// name as a non-fatal error, when the file may not be written. Savers ask
// before they read any pixels, so the refusal shows even where there are
// none to read.
inline bool SecureMode_MayWrite(const std::string& name)
{
    if (!SecureMode_Forbids(name))
        return true;
    Error_ShowInEvent("In secure mode you cannot write file " + name, false);
    return false;
}
