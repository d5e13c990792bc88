// file_bin_*: up to 32 files read and written byte by byte.
#include "system/FileRoutines.h"

#include "platform/FileHandle.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"

namespace {

constexpr int kBinarySlots = 33; // handles 1..32; slot 0 is never used

CFileHandle BinaryFiles[kBinarySlots];

CFileHandle* OpenSlot(const RValue& handle)
{
    int32_t slot = RoundToInt32(handle.val);
    if (slot < 1 || slot >= kBinarySlots || !BinaryFiles[slot].IsOpen())
        return nullptr;
    return &BinaryFiles[slot];
}

CFileHandle* OpenSlotOrReport(const RValue& handle)
{
    CFileHandle* file = OpenSlot(handle);
    if (!file)
        File_Report("File is not opened.");
    return file;
}

// Mode 0 reads, 1 writes, anything else does both. An existing file opens at
// its start without being emptied; a missing one is created empty.
bool F_FileBinOpen(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(-1);
    const std::string& name = args[0].str.Text();
    int32_t mode = RoundToInt32(args[1].val);
    int32_t slot = -1;
    for (int32_t k = 1; k < kBinarySlots && slot < 0; ++k)
        if (!BinaryFiles[k].IsOpen())
            slot = k;
    if (slot < 0) {
        File_Report("Cannot open another file (maximum exceeded).");
        return true;
    }
    if (mode != 0 && SecureMode_Forbids(name)) {
        File_Report("In secure mode you cannot write file " + name);
        return true;
    }
    std::string host = ToHostPath(name);
    EFileAccess access = mode == 0 ? EFileAccess::Read : mode == 1 ? EFileAccess::Write : EFileAccess::ReadWrite;
    // Opening for reading creates a missing file too, but secure mode must
    // not let a read create files outside the game's folder.
    EFileOpening opening = mode == 0 && SecureMode_Forbids(name) ? EFileOpening::Existing : EFileOpening::ExistingOrNew;
    bool ok = BinaryFiles[slot].Open(host, access, opening);
    if (!ok) {
        File_Report("Error opening binary file.");
        return true;
    }
    result.SetReal(slot);
    return true;
}

// A file opened only for reading cannot be emptied through its handle.
bool F_FileBinRewrite(CExecutionContext&, RValue&, int, RValue* args)
{
    CFileHandle* file = OpenSlot(args[0]);
    if (!file) {
        File_Report("Trying to rewrite unopened file.");
        return true;
    }
    if (!file->Truncate())
        File_Report("Error rewriting file.");
    return true;
}

bool F_FileBinClose(CExecutionContext&, RValue&, int, RValue* args)
{
    CFileHandle* file = OpenSlot(args[0]);
    if (!file) {
        File_Report("Trying to close unopened file.");
        return true;
    }
    file->Close();
    return true;
}

bool F_FileBinSize(CExecutionContext&, RValue& result, int, RValue* args)
{
    CFileHandle* file = OpenSlotOrReport(args[0]);
    if (!file)
        return true;
    int64_t size = file->Size();
    if (size < 0)
        File_Report("Error retrieving file size.");
    else
        result.SetReal(static_cast<double>(size));
    return true;
}

bool F_FileBinPosition(CExecutionContext&, RValue& result, int, RValue* args)
{
    CFileHandle* file = OpenSlotOrReport(args[0]);
    if (!file)
        return true;
    int64_t position = file->Position();
    if (position < 0)
        File_Report("Error retrieving file size.");
    else
        result.SetReal(static_cast<double>(position));
    return true;
}

bool F_FileBinSeek(CExecutionContext&, RValue&, int, RValue* args)
{
    CFileHandle* file = OpenSlotOrReport(args[0]);
    if (file && !file->Seek(RoundToInteger(args[1].val)))
        File_Report("Error seeking.");
    return true;
}

bool F_FileBinReadByte(CExecutionContext&, RValue& result, int, RValue* args)
{
    CFileHandle* file = OpenSlotOrReport(args[0]);
    if (!file)
        return true;
    unsigned char byte = 0;
    if (file->Read(&byte, 1) != 1)
        File_Report("Error reading byte.");
    else
        result.SetReal(byte);
    return true;
}

bool F_FileBinWriteByte(CExecutionContext&, RValue&, int, RValue* args)
{
    CFileHandle* file = OpenSlotOrReport(args[0]);
    if (!file)
        return true;
    unsigned char byte = static_cast<unsigned char>(RoundToInteger(args[1].val) & 0xFF);
    if (!file->Write(&byte, 1))
        File_Report("Error writing byte.");
    return true;
}

} // namespace

void File_CloseBinaryFiles()
{
    for (CFileHandle& file : BinaryFiles)
        file.Close();
}

void File_ImplementBinaryFiles()
{
    Function_Implement("file_bin_open", &F_FileBinOpen);
    Function_Implement("file_bin_rewrite", &F_FileBinRewrite);
    Function_Implement("file_bin_close", &F_FileBinClose);
    Function_Implement("file_bin_size", &F_FileBinSize);
    Function_Implement("file_bin_position", &F_FileBinPosition);
    Function_Implement("file_bin_seek", &F_FileBinSeek);
    Function_Implement("file_bin_read_byte", &F_FileBinReadByte);
    Function_Implement("file_bin_write_byte", &F_FileBinWriteByte);
}
