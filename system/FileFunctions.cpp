// The file module's registration and its reset.
#include "system/FileFunctions.h"

#include "system/FileRoutines.h"

void System_ImplementFileFunctions()
{
    File_ImplementTextFiles();
    File_ImplementBinaryFiles();
    File_ImplementFileSystem();
    File_ImplementFileSearch();
    File_ImplementFileNames();
    File_ImplementPrograms();
    File_ImplementRegistry();
    File_ImplementIni();
}

void System_CloseFiles()
{
    File_CloseTextFiles();
    File_CloseBinaryFiles();
    File_CloseSearch();
    File_CloseIni();
}
