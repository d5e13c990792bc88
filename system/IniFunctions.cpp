// ini_*: one open ini file in the working directory. Every write goes to
// the file at once, and a file changed by anyone else since it was last read
// is read again first, so the game always sees what the file holds.
#include "system/FileRoutines.h"
#include "system/IniFile.h"
#include "system/NumberText.h"

#include "platform/FileSystem.h"
#include "platform/Files.h"

namespace {

struct RIniState {
    bool open = false;
    std::string hostPath;
    CIniFile file;
    RFileStamp stamp;
    bool loaded = false;
};

RIniState Ini;

void Refresh()
{
    RFileStamp stamp = Platform_FileStamp(Ini.hostPath);
    if (Ini.loaded && stamp == Ini.stamp)
        return;
    std::vector<uint8_t> bytes;
    if (Platform_ReadWholeFile(Ini.hostPath, bytes))
        Ini.file.Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    else
        Ini.file.Parse(std::string_view());
    Ini.stamp = stamp;
    Ini.loaded = true;
}

// A failed write is silent, but the next access reads the file again, so
// the change the file did not take is not shown either.
void Save()
{
    if (Platform_ReplaceFile(Ini.hostPath, Ini.file.Serialize()))
        Ini.stamp = Platform_FileStamp(Ini.hostPath);
    else
        Ini.loaded = false;
}

bool OpenForReading()
{
    if (!Ini.open) {
        File_Report("Trying to read from undefined INI file");
        return false;
    }
    Refresh();
    return true;
}

bool OpenForWriting()
{
    if (!Ini.open) {
        File_Report("Trying to write to undefined INI file");
        return false;
    }
    Refresh();
    return true;
}

bool OpenForChanging()
{
    if (!Ini.open) {
        File_Report("Trying to change undefined INI file");
        return false;
    }
    Refresh();
    return true;
}

bool F_IniOpen(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& name = args[0].str.Text();
    if (File_HasPath(name)) {
        File_Report("INI files must be located in the same directory as the program");
        return true;
    }
    File_CloseIni();
    Ini.open = true;
    Ini.hostPath = ToHostPath(Platform_WorkingDirectory() + "\\" + name);
    return true;
}

bool F_IniClose(CExecutionContext&, RValue&, int, RValue*)
{
    File_CloseIni();
    return true;
}

bool F_IniReadString(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (!OpenForReading()) {
        result.SetString(RString());
        return true;
    }
    std::string value;
    if (!Ini.file.Read(args[0].str.Text(), args[1].str.Text(), value))
        value = args[2].str.Text();
    result.SetString(RString(std::move(value)));
    return true;
}

bool F_IniReadReal(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (!OpenForReading())
        return true;
    std::string value;
    if (!Ini.file.Read(args[0].str.Text(), args[1].str.Text(), value))
        value = FormatDecimal(args[2].val);
    result.SetReal(ReadIniNumber(value));
    return true;
}

bool F_IniWriteString(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!OpenForWriting())
        return true;
    Ini.file.Write(args[0].str.Text(), args[1].str.Text(), args[2].str.Text());
    Save();
    return true;
}

bool F_IniWriteReal(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!OpenForWriting())
        return true;
    Ini.file.Write(args[0].str.Text(), args[1].str.Text(), FormatDecimal(args[2].val));
    Save();
    return true;
}

bool F_IniKeyExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    std::string value;
    if (OpenForReading())
        result.SetReal(Ini.file.Read(args[0].str.Text(), args[1].str.Text(), value) ? 1 : 0);
    return true;
}

bool F_IniSectionExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (OpenForReading())
        result.SetReal(Ini.file.HasSection(args[0].str.Text()) ? 1 : 0);
    return true;
}

bool F_IniKeyDelete(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!OpenForChanging())
        return true;
    Ini.file.DeleteKey(args[0].str.Text(), args[1].str.Text());
    Save();
    return true;
}

bool F_IniSectionDelete(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!OpenForChanging())
        return true;
    Ini.file.DeleteSection(args[0].str.Text());
    Save();
    return true;
}

} // namespace

void File_CloseIni()
{
    Ini = RIniState();
}

void File_ImplementIni()
{
    Function_Implement("ini_open", &F_IniOpen);
    Function_Implement("ini_close", &F_IniClose);
    Function_Implement("ini_read_string", &F_IniReadString);
    Function_Implement("ini_read_real", &F_IniReadReal);
    Function_Implement("ini_write_string", &F_IniWriteString);
    Function_Implement("ini_write_real", &F_IniWriteReal);
    Function_Implement("ini_key_exists", &F_IniKeyExists);
    Function_Implement("ini_section_exists", &F_IniSectionExists);
    Function_Implement("ini_key_delete", &F_IniKeyDelete);
    Function_Implement("ini_section_delete", &F_IniSectionDelete);
}
