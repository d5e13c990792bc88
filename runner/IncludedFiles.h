// Included files: exported when the game starts (to the temporary folder,
// the working directory or a chosen folder), on request by scripts, and
// removed at the end when they ask for it.
#pragma once

#include <string>

class CDataFile;

// Writes the file's data to the host path unless a file is there and may
// not be overwritten; false on a write error or without data.
bool DataFile_ExportIt(const CDataFile& file, const std::string& hostPath);
// Exports by the file's action, then frees its data when it asks for that.
bool DataFile_Prepare(CDataFile& file);
void DataFile_Discard(CDataFile& file);
// Deletes the file this run exported by the file's action, when the record
// asks for removal at the end.
void DataFile_Remove(CDataFile& file);

void IncludedFiles_PrepareAll();
void IncludedFiles_RemoveAll();
void Runner_ImplementIncludedFileFunctions();
