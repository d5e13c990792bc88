// file_text_* with handles 1 to 32, and the older file_* functions that
// work on the one file in slot 0.
#include "system/FileRoutines.h"
#include "system/NumberText.h"
#include "system/TextFile.h"

#include "platform/FileSystem.h"
#include "platform/Files.h"

namespace {

constexpr int kTextSlots = 33; // 0 for the file_* functions, 1..32 handles

CTextFile TextFiles[kTextSlots];

CTextFile* Slot(const RValue& handle)
{
    int32_t slot = RoundToInt32(handle.val);
    return slot >= 0 && slot < kTextSlots ? &TextFiles[slot] : nullptr;
}

int32_t FreeSlot()
{
    for (int32_t slot = 1; slot < kTextSlots; ++slot)
        if (TextFiles[slot].State() == CTextFile::Closed)
            return slot;
    return -1;
}

// A file that is not there is no error for the readers: they give -1 (or
// leave slot 0 closed) without a word. Anything else that fails is one.
bool IsMissing(const std::string& hostPath)
{
    return !Platform_PathExists(hostPath);
}

// The messages of one reading or writing routine: the handle versions and
// the slot 0 versions differ in wording.
struct RTextMessages {
    const char* notReading;
    const char* notWriting;
};
constexpr RTextMessages kHandleMessages = {"File is not opened for reading.", "File not opened for writing."};
constexpr RTextMessages kSlotZeroMessages = {"File not opened for reading.", "File not opened for writing."};
constexpr const char* kNotOpenForEnd = "File is not opened for reading.";

CTextFile* Reading(CTextFile* file, const char* message)
{
    if (!file || file->State() != CTextFile::Reading) {
        File_Report(message);
        return nullptr;
    }
    return file;
}

CTextFile* Writing(CTextFile* file, const char* message)
{
    if (!file || file->State() != CTextFile::Writing) {
        File_Report(message);
        return nullptr;
    }
    return file;
}

// The shared bodies of each pair of functions.
void ReadString(CTextFile* file, RValue& result, const RTextMessages& messages)
{
    std::string text;
    if (!(file = Reading(file, messages.notReading)))
        return;
    if (!file->ReadString(text)) {
        File_Report("Error reading string.");
        return;
    }
    result.SetString(RString(std::move(text)));
}

void ReadReal(CTextFile* file, RValue& result, const RTextMessages& messages)
{
    double value = 0;
    if (!(file = Reading(file, messages.notReading)))
        return;
    if (!file->ReadReal(value)) {
        File_Report("Error reading real.");
        return;
    }
    result.SetReal(value);
}

void ReadLine(CTextFile* file, const RTextMessages& messages)
{
    if ((file = Reading(file, messages.notReading)) && !file->ReadLine())
        File_Report("Error reading line.");
}

void IsAtEnd(CTextFile* file, RValue& result, bool lineEnd)
{
    bool at = false;
    if (!(file = Reading(file, kNotOpenForEnd)))
        return;
    if (lineEnd ? file->IsAtLineEnd(at) : file->IsAtEnd(at))
        result.SetReal(at ? 1 : 0);
}

void WriteText(CTextFile* file, const std::string& text, const RTextMessages& messages)
{
    if ((file = Writing(file, messages.notWriting)))
        file->Write(text);
}

void WriteLineEnd(CTextFile* file, const RTextMessages& messages)
{
    if ((file = Writing(file, messages.notWriting)))
        file->WriteLineEnd();
}

enum class EOpenKind { Read, Write, Append };

// Opens name into file; false (after any message) when it did not open.
bool OpenInto(CTextFile& file, const std::string& name, EOpenKind kind)
{
    if (kind == EOpenKind::Write && SecureMode_Forbids(name)) {
        File_Report("In secure mode you cannot write file " + name);
        return false;
    }
    if (kind == EOpenKind::Append && SecureMode_Forbids(name)) {
        File_Report("In secure mode you cannot append to file " + name);
        return false;
    }
    std::string host = ToHostPath(name);
    switch (kind) {
    case EOpenKind::Read:
        if (IsMissing(host))
            return false;
        if (!file.OpenRead(host)) {
            File_Report("Error opening file for reading.");
            return false;
        }
        return true;
    case EOpenKind::Write:
        if (!file.OpenWrite(host)) {
            File_Report("Error opening file for writing.");
            return false;
        }
        return true;
    case EOpenKind::Append:
        if (!file.OpenAppend(host)) {
            File_Report("Error opening file for appending.");
            return false;
        }
        return true;
    }
    return false;
}

void OpenHandle(RValue& result, const RValue& name, EOpenKind kind)
{
    result.SetReal(-1);
    int32_t slot = FreeSlot();
    if (slot < 0) {
        File_Report("Cannot open another file (maximum exceeded).");
        return;
    }
    if (OpenInto(TextFiles[slot], name.str.Text(), kind))
        result.SetReal(slot);
}

bool F_FileTextOpenRead(CExecutionContext&, RValue& result, int, RValue* args)
{
    OpenHandle(result, args[0], EOpenKind::Read);
    return true;
}

bool F_FileTextOpenWrite(CExecutionContext&, RValue& result, int, RValue* args)
{
    OpenHandle(result, args[0], EOpenKind::Write);
    return true;
}

bool F_FileTextOpenAppend(CExecutionContext&, RValue& result, int, RValue* args)
{
    OpenHandle(result, args[0], EOpenKind::Append);
    return true;
}

// Slot 0 belongs to the file_* functions: only file_close closes it.
bool F_FileTextClose(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t slot = RoundToInt32(args[0].val);
    if (slot < 1 || slot >= kTextSlots) {
        File_Report("Trying to close unexisting text file.");
        return true;
    }
    if (TextFiles[slot].State() != CTextFile::Closed && !TextFiles[slot].Close())
        File_Report("Error closing file.");
    return true;
}

bool F_FileTextReadString(CExecutionContext&, RValue& result, int, RValue* args)
{
    ReadString(Slot(args[0]), result, kHandleMessages);
    return true;
}

bool F_FileTextReadReal(CExecutionContext&, RValue& result, int, RValue* args)
{
    ReadReal(Slot(args[0]), result, kHandleMessages);
    return true;
}

bool F_FileTextReadln(CExecutionContext&, RValue&, int, RValue* args)
{
    ReadLine(Slot(args[0]), kHandleMessages);
    return true;
}

bool F_FileTextEof(CExecutionContext&, RValue& result, int, RValue* args)
{
    IsAtEnd(Slot(args[0]), result, false);
    return true;
}

bool F_FileTextEoln(CExecutionContext&, RValue& result, int, RValue* args)
{
    IsAtEnd(Slot(args[0]), result, true);
    return true;
}

bool F_FileTextWriteString(CExecutionContext&, RValue&, int, RValue* args)
{
    WriteText(Slot(args[0]), args[1].str.Text(), kHandleMessages);
    return true;
}

bool F_FileTextWriteReal(CExecutionContext&, RValue&, int, RValue* args)
{
    WriteText(Slot(args[0]), FormatTextFileReal(args[1].val), kHandleMessages);
    return true;
}

bool F_FileTextWriteln(CExecutionContext&, RValue&, int, RValue* args)
{
    WriteLineEnd(Slot(args[0]), kHandleMessages);
    return true;
}

void CloseSlotZero()
{
    if (TextFiles[0].State() != CTextFile::Closed && !TextFiles[0].Close())
        File_Report("Error closing file.");
}

bool F_FileOpenRead(CExecutionContext&, RValue&, int, RValue* args)
{
    CloseSlotZero();
    OpenInto(TextFiles[0], args[0].str.Text(), EOpenKind::Read);
    return true;
}

bool F_FileOpenWrite(CExecutionContext&, RValue&, int, RValue* args)
{
    CloseSlotZero();
    OpenInto(TextFiles[0], args[0].str.Text(), EOpenKind::Write);
    return true;
}

bool F_FileOpenAppend(CExecutionContext&, RValue&, int, RValue* args)
{
    CloseSlotZero();
    OpenInto(TextFiles[0], args[0].str.Text(), EOpenKind::Append);
    return true;
}

bool F_FileClose(CExecutionContext&, RValue&, int, RValue*)
{
    CloseSlotZero();
    return true;
}

bool F_FileReadString(CExecutionContext&, RValue& result, int, RValue*)
{
    ReadString(&TextFiles[0], result, kSlotZeroMessages);
    return true;
}

bool F_FileReadReal(CExecutionContext&, RValue& result, int, RValue*)
{
    ReadReal(&TextFiles[0], result, kSlotZeroMessages);
    return true;
}

bool F_FileReadln(CExecutionContext&, RValue&, int, RValue*)
{
    ReadLine(&TextFiles[0], kSlotZeroMessages);
    return true;
}

bool F_FileEof(CExecutionContext&, RValue& result, int, RValue*)
{
    IsAtEnd(&TextFiles[0], result, false);
    return true;
}

bool F_FileEoln(CExecutionContext&, RValue& result, int, RValue*)
{
    IsAtEnd(&TextFiles[0], result, true);
    return true;
}

bool F_FileWriteString(CExecutionContext&, RValue&, int, RValue* args)
{
    WriteText(&TextFiles[0], args[0].str.Text(), kSlotZeroMessages);
    return true;
}

bool F_FileWriteReal(CExecutionContext&, RValue&, int, RValue* args)
{
    WriteText(&TextFiles[0], FormatTextFileReal(args[0].val), kSlotZeroMessages);
    return true;
}

bool F_FileWriteln(CExecutionContext&, RValue&, int, RValue*)
{
    WriteLineEnd(&TextFiles[0], kSlotZeroMessages);
    return true;
}

} // namespace

void File_CloseTextFiles()
{
    for (CTextFile& file : TextFiles)
        file.Close();
}

void File_ImplementTextFiles()
{
    Function_Implement("file_text_open_read", &F_FileTextOpenRead);
    Function_Implement("file_text_open_write", &F_FileTextOpenWrite);
    Function_Implement("file_text_open_append", &F_FileTextOpenAppend);
    Function_Implement("file_text_close", &F_FileTextClose);
    Function_Implement("file_text_read_string", &F_FileTextReadString);
    Function_Implement("file_text_read_real", &F_FileTextReadReal);
    Function_Implement("file_text_readln", &F_FileTextReadln);
    Function_Implement("file_text_eof", &F_FileTextEof);
    Function_Implement("file_text_eoln", &F_FileTextEoln);
    Function_Implement("file_text_write_string", &F_FileTextWriteString);
    Function_Implement("file_text_write_real", &F_FileTextWriteReal);
    Function_Implement("file_text_writeln", &F_FileTextWriteln);
    Function_Implement("file_open_read", &F_FileOpenRead);
    Function_Implement("file_open_write", &F_FileOpenWrite);
    Function_Implement("file_open_append", &F_FileOpenAppend);
    Function_Implement("file_close", &F_FileClose);
    Function_Implement("file_read_string", &F_FileReadString);
    Function_Implement("file_read_real", &F_FileReadReal);
    Function_Implement("file_readln", &F_FileReadln);
    Function_Implement("file_eof", &F_FileEof);
    Function_Implement("file_eoln", &F_FileEoln);
    Function_Implement("file_write_string", &F_FileWriteString);
    Function_Implement("file_write_real", &F_FileWriteReal);
    Function_Implement("file_writeln", &F_FileWriteln);
}
