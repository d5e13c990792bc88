// Exporting and removing included files.
#include "runner/IncludedFiles.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/DataFile.h"
#include "data/Resources.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "world/GameState.h"

namespace {

bool HasPath(const std::string& name)
{
    return name.find('\\') != std::string::npos || name.find('/') != std::string::npos;
}

// The last part of a game path, without "." or "..".
std::string OwnName(const std::string& name)
{
    size_t cut = name.find_last_of("\\/");
    std::string own = cut == std::string::npos ? name : name.substr(cut + 1);
    return own == "." || own == ".." ? std::string() : own;
}

// The host path a file is exported to by its action, or "" for none.
std::string ExportPath(const CDataFile& file)
{
    switch (file.s_exportaction) {
    // The temporary folder is the runner's own: only the file's own name counts there.
    case kExportTemp: return TempDir.empty() || OwnName(file.s_filename).empty() ? std::string() : TempDir + "/" + OwnName(file.s_filename);
    case kExportWorking: return ToHostPath(file.s_filename);
    case kExportFolder: return ToHostPath(file.s_exportdir + "\\" + file.s_filename);
    default: return std::string();
    }
}

CDataFile* FindFile(const std::string& name)
{
    for (CDataFile& file : GameResources.DataFiles)
        if (file.s_filename == name)
            return &file;
    return nullptr;
}

bool F_ExportIncludeFile(CExecutionContext&, RValue&, int, RValue* args)
{
    CDataFile* file = FindFile(args[0].str.Text());
    if (!file) {
        Error_ShowInEvent("Trying to export non-existing file.", false);
        return true;
    }
    DataFile_Prepare(*file);
    return true;
}

bool F_ExportIncludeFileLocation(CExecutionContext&, RValue&, int, RValue* args)
{
    CDataFile* file = FindFile(args[0].str.Text());
    if (!file) {
        Error_ShowInEvent("Trying to export non-existing file.", false);
        return true;
    }
    if (GameState.secureMode) {
        Error_ShowInEvent("In secure mode you cannot export a file to a location.", false);
        return true;
    }
    DataFile_ExportIt(*file, ToHostPath(args[1].str.Text()));
    return true;
}

bool F_DiscardIncludeFile(CExecutionContext&, RValue&, int, RValue* args)
{
    CDataFile* file = FindFile(args[0].str.Text());
    if (!file) {
        Error_ShowInEvent("Trying to discard non-existing file.", false);
        return true;
    }
    DataFile_Discard(*file);
    return true;
}

} // namespace

bool DataFile_ExportIt(const CDataFile& file, const std::string& hostPath)
{
    if (!file.HasData() || hostPath.empty())
        return false;
    if (Platform_FileExists(hostPath) && !file.s_overwrite)
        return false;
    return Platform_WriteWholeFile(hostPath, file.s_data.data(), file.s_data.size());
}

bool DataFile_Prepare(CDataFile& file)
{
    if (!file.HasData())
        return false;
    if (file.s_exportaction == kExportNone)
        return true;
    bool ok = false;
    if (GameState.secureMode && HasPath(file.s_filename)) {
        Error_ShowInEvent("In secure mode you cannot export a data file to " + file.s_filename, false);
    } else if (file.s_exportaction == kExportFolder && GameState.secureMode) {
        Error_ShowInEvent("In secure mode you cannot export a data file to an indicated directory.", false);
    } else {
        if (file.s_exportaction == kExportFolder)
            Platform_CreateDirectories(ToHostPath(file.s_exportdir));
        ok = DataFile_ExportIt(file, ExportPath(file));
    }
    if (file.s_freedata)
        DataFile_Discard(file);
    return ok;
}

void DataFile_Discard(CDataFile& file)
{
    file.s_data.clear();
    file.s_data.shrink_to_fit();
    file.s_store = false;
}

void DataFile_Remove(const CDataFile& file)
{
    if (!file.s_removeend || file.s_exportaction == kExportNone)
        return;
    if (GameState.secureMode && (HasPath(file.s_filename) || file.s_exportaction == kExportFolder))
        return;
    std::string path = ExportPath(file);
    if (!path.empty())
        Platform_DeleteFile(path);
}

void IncludedFiles_PrepareAll()
{
    for (CDataFile& file : GameResources.DataFiles)
        DataFile_Prepare(file);
}

void IncludedFiles_RemoveAll()
{
    for (const CDataFile& file : GameResources.DataFiles)
        DataFile_Remove(file);
}

void Runner_ImplementIncludedFileFunctions()
{
    Function_Implement("export_include_file", &F_ExportIncludeFile);
    Function_Implement("export_include_file_location", &F_ExportIncludeFileLocation);
    Function_Implement("discard_include_file", &F_DiscardIncludeFile);
}
