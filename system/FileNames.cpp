// filename_* and the name splitting behind them.
#include "system/FileNames.h"

#include "system/FileRoutines.h"

namespace {

bool IsDelimiter(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

// The position of the last folder or drive delimiter, or npos.
size_t LastDelimiter(const std::string& name)
{
    return name.find_last_of("\\/:");
}

bool F_FilenameName(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(FileName_Name(args[0].str.Text())));
    return true;
}

bool F_FilenamePath(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(FileName_Path(args[0].str.Text())));
    return true;
}

bool F_FilenameDir(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(FileName_Dir(args[0].str.Text())));
    return true;
}

bool F_FilenameDrive(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(FileName_Drive(args[0].str.Text())));
    return true;
}

bool F_FilenameExt(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(FileName_Ext(args[0].str.Text())));
    return true;
}

bool F_FilenameChangeExt(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(FileName_ChangeExt(args[0].str.Text(), args[1].str.Text())));
    return true;
}

} // namespace

std::string FileName_Name(const std::string& name)
{
    size_t cut = LastDelimiter(name);
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

std::string FileName_Path(const std::string& name)
{
    size_t cut = LastDelimiter(name);
    return cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
}

// The trailing separator goes, unless it is the root's own ("C:\", "\").
std::string FileName_Dir(const std::string& name)
{
    size_t cut = LastDelimiter(name);
    if (cut == std::string::npos)
        return std::string();
    if (cut > 0 && name[cut] != ':' && !IsDelimiter(name[cut - 1]))
        return name.substr(0, cut);
    return name.substr(0, cut + 1);
}

std::string FileName_Drive(const std::string& name)
{
    return name.size() >= 2 && name[1] == ':' ? name.substr(0, 2) : std::string();
}

std::string FileName_Ext(const std::string& name)
{
    size_t cut = name.find_last_of(".\\/:");
    return cut != std::string::npos && name[cut] == '.' ? name.substr(cut) : std::string();
}

std::string FileName_ChangeExt(const std::string& name, const std::string& extension)
{
    size_t cut = name.find_last_of(".\\/:");
    if (cut == std::string::npos || name[cut] != '.')
        cut = name.size();
    return name.substr(0, cut) + extension;
}

void File_ImplementFileNames()
{
    Function_Implement("filename_name", &F_FilenameName);
    Function_Implement("filename_path", &F_FilenamePath);
    Function_Implement("filename_dir", &F_FilenameDir);
    Function_Implement("filename_drive", &F_FilenameDrive);
    Function_Implement("filename_ext", &F_FilenameExt);
    Function_Implement("filename_change_ext", &F_FilenameChangeExt);
}
