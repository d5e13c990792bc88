// What the file module's routines share: how they report, the secure-mode
// path test, and the registration of each group of functions.
#pragma once

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "code/Value.h"
#include "world/GameState.h"
#include "world/SecureMode.h"

#include <string>

// Every problem of these functions is a non-fatal error in the running event.
inline void File_Report(const std::string& message)
{
    Error_ShowInEvent(message, false);
}

// A name "has a path" when it holds either separator (ini files must have
// none); secure mode refuses writes to such names (world/SecureMode.h).
inline bool File_HasPath(const std::string& name)
{
    return SecureMode_HasPath(name);
}

inline bool File_IsSecure()
{
    return GameState.secureMode;
}

void File_ImplementTextFiles();
void File_ImplementBinaryFiles();
void File_ImplementFileSystem();
void File_ImplementFileSearch();
void File_ImplementFileNames();
void File_ImplementPrograms();
void File_ImplementRegistry();
void File_ImplementIni();

void File_CloseTextFiles();
void File_CloseBinaryFiles();
void File_CloseSearch();
void File_CloseIni();
