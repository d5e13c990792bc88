// Exporting and removing included files.
#include "runner/IncludedFiles.h"

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/FunctionCatalogue.h"
#include "data/DataFile.h"
#include "data/Resources.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "platform/RunFolder.h"
#include "world/GameState.h"
#include "world/SecureMode.h"

namespace {

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
    // The temporary folder is the runner's own: nothing there is written
    // through a link.
    if (!TempDir.empty() && hostPath.rfind(TempDir + "/", 0) == 0)
        return Platform_WritePrivateFile(hostPath, file.s_data.data(), file.s_data.size());
    return Platform_WriteWholeFile(hostPath, file.s_data.data(), file.s_data.size());
}

bool DataFile_Prepare(CDataFile& file)
{
    if (!file.HasData())
        return false;
    if (file.s_exportaction == kExportNone)
        return true;
    bool ok = false;
    if (SecureMode_Forbids(file.s_filename)) {
        Error_ShowInEvent("In secure mode you cannot export a data file to " + file.s_filename, false);
    } else if (file.s_exportaction == kExportFolder && GameState.secureMode) {
        Error_ShowInEvent("In secure mode you cannot export a data file to an indicated directory.", false);
    } else if (!DataFile_NameStaysInFolder(file.s_filename)) {
        // Only what the game puts in its own place may be removed at its end.
        Error_ShowInEvent("Cannot export a data file outside its folder: " + file.s_filename, false);
    } else {
        if (file.s_exportaction == kExportFolder)
            Platform_CreateDirectories(ToHostPath(file.s_exportdir));
        std::string path = ExportPath(file);
        ok = DataFile_ExportIt(file, path);
        if (ok)
            file.s_exportedto = path;
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

// Only a file this run wrote is removed: a file of that name that was there
// before (and was kept, not overwritten) is not the game's to delete.
void DataFile_Remove(CDataFile& file)
{
    if (file.s_removeend && !file.s_exportedto.empty())
        Platform_DeleteFile(file.s_exportedto);
    file.s_exportedto.clear();
}

void IncludedFiles_PrepareAll()
{
    static const std::string place = "included files at the start of the game";
    CCodePlace running(place);
    for (CDataFile& file : GameResources.DataFiles)
        DataFile_Prepare(file);
}

void IncludedFiles_RemoveAll()
{
    for (CDataFile& file : GameResources.DataFiles)
        DataFile_Remove(file);
}

void Runner_ImplementIncludedFileFunctions()
{
    Function_Implement("export_include_file", &F_ExportIncludeFile);
    Function_Implement("export_include_file_location", &F_ExportIncludeFileLocation);
    Function_Implement("discard_include_file", &F_DiscardIncludeFile);
}
