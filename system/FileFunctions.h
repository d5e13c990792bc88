// The file module as the rest of the runner sees it: the built-in functions
// for files, folders, file names, other programs, the command line, the
// environment, the registry and ini files, and the secure-mode flag.
#pragma once

// Supplies every routine of the file module to the function catalogue.
void System_ImplementFileFunctions();

// The secure-mode flag as the player set it in the registry: off without the
// preferences key, else the "Warning" flag, and with a "BrindleRunning" flag
// present, both of them.
bool System_ReadSecureMode();

// Closes every open text and binary file, the file search and the ini file.
void System_CloseFiles();
