// file_exists, file_delete, file_rename, file_copy, directory_exists,
// directory_create, file_attributes, disk_free and disk_size. Failures of the
// file system itself are silent here, as games expect: they test with
// file_exists afterwards.
#include "system/FileRoutines.h"

#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"

#include <cctype>

namespace {

bool F_FileExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t attributes = 0;
    bool exists = Platform_ReadAttributes(ToHostPath(args[0].str.Text()), attributes) &&
                  !(attributes & kAttributeDirectory);
    result.SetReal(exists ? 1 : 0);
    return true;
}

bool F_FileDelete(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& name = args[0].str.Text();
    if (SecureMode_Forbids(name)) {
        File_Report("In Secure mode you cannot delete file " + name);
        return true;
    }
    Platform_DeleteFile(ToHostPath(name));
    return true;
}

// The host name a rename goes to. A new name that differs from the old one
// only in case would be matched to the old file itself; the rename then
// takes the name as the game spelt it.
std::string RenameTarget(const std::string& from, const std::string& newName)
{
    std::string to = ToHostPath(newName);
    RFileStamp source = Platform_FileStamp(from), target = Platform_FileStamp(to);
    if (target.size < 0 || source.device != target.device || source.inode != target.inode)
        return to;
    size_t cut = newName.find_last_of("\\/:");
    std::string spelt = GameTextToHost(cut == std::string::npos ? newName : newName.substr(cut + 1));
    size_t slash = to.find_last_of('/');
    return slash == std::string::npos ? spelt : to.substr(0, slash + 1) + spelt;
}

// A rename never replaces an existing file.
bool F_FileRename(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& oldName = args[0].str.Text();
    const std::string& newName = args[1].str.Text();
    if (SecureMode_Forbids(oldName) || SecureMode_Forbids(newName)) {
        File_Report("In Secure mode you cannot rename file " + oldName + " into " + newName);
        return true;
    }
    std::string from = ToHostPath(oldName);
    std::string to = RenameTarget(from, newName);
    if (to != from)
        Platform_RenameWithoutReplacing(from, to);
    return true;
}

bool F_FileCopy(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& from = args[0].str.Text();
    const std::string& to = args[1].str.Text();
    if (SecureMode_Forbids(from) || SecureMode_Forbids(to)) {
        File_Report("In Secure mode you cannot copy file " + from + " to " + to);
        return true;
    }
    Platform_CopyFile(ToHostPath(from), ToHostPath(to));
    return true;
}

bool F_DirectoryExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Platform_DirectoryExists(ToHostPath(args[0].str.Text())) ? 1 : 0);
    return true;
}

bool F_DirectoryCreate(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& name = args[0].str.Text();
    if (SecureMode_Forbids(name)) {
        File_Report("In Secure mode you cannot create directory " + name);
        return true;
    }
    Platform_CreateDirectories(ToHostPath(name));
    return true;
}

bool F_FileAttributes(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t attributes = 0;
    if (!Platform_ReadAttributes(ToHostPath(args[0].str.Text()), attributes)) {
        result.SetReal(-1);
        return true;
    }
    result.SetReal((attributes & RoundToInt32(args[1].val)) != 0 ? 1 : 0);
    return true;
}

// There is one drive here: the working directory's file system, as "C" or
// as no drive at all. Other letters are unknown.
bool DiskSpace(int argc, const RValue* args, int64_t& freeBytes, int64_t& totalBytes)
{
    if (argc > 0 && !args[0].str.empty() && std::toupper(static_cast<unsigned char>(args[0].str.Text()[0])) != 'C')
        return false;
    return Platform_DiskSpace(".", freeBytes, totalBytes);
}

bool F_DiskFree(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    int64_t freeBytes = 0, totalBytes = 0;
    result.SetReal(DiskSpace(argc, args, freeBytes, totalBytes) ? static_cast<double>(freeBytes) : -1);
    return true;
}

bool F_DiskSize(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    int64_t freeBytes = 0, totalBytes = 0;
    result.SetReal(DiskSpace(argc, args, freeBytes, totalBytes) ? static_cast<double>(totalBytes) : -1);
    return true;
}

} // namespace

void File_ImplementFileSystem()
{
    Function_Implement("file_exists", &F_FileExists);
    Function_Implement("file_delete", &F_FileDelete);
    Function_Implement("file_rename", &F_FileRename);
    Function_Implement("file_copy", &F_FileCopy);
    Function_Implement("directory_exists", &F_DirectoryExists);
    Function_Implement("directory_create", &F_DirectoryCreate);
    Function_Implement("file_attributes", &F_FileAttributes);
    Function_Implement("disk_free", &F_DiskFree);
    Function_Implement("disk_size", &F_DiskSize);
}
