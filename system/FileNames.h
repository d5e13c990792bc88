// The parts of a file name, for filename_*. Both "\" and "/" separate
// folders (games get folder names from this system with "/" in them), and a
// colon ends a drive.
#pragma once

#include <string>

std::string FileName_Name(const std::string& name);      // "a\b.txt" gives "b.txt"
std::string FileName_Path(const std::string& name);      // "a\b.txt" gives "a\"
std::string FileName_Dir(const std::string& name);       // "a\b.txt" gives "a"; "C:\b" gives "C:\"
std::string FileName_Drive(const std::string& name);     // "C:\b" gives "C:"; nothing else is a drive
std::string FileName_Ext(const std::string& name);       // "a\b.txt" gives ".txt"
std::string FileName_ChangeExt(const std::string& name, const std::string& extension);
