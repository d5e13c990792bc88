// The extent of a program image inside its file, so that the runner can tell
// whether game data has been appended behind it.
#pragma once

#include <cstdint>
#include <string>

// The number of bytes the ELF image at hostPath occupies (headers, segments,
// sections and the section table), or -1 when the file is not an ELF file.
int64_t Platform_ProgramImageSize(const std::string& hostPath);
// The size of a file in bytes, or -1.
int64_t Platform_FileSize(const std::string& hostPath);
// Marks a file as executable by everyone who may read it.
bool Platform_MakeExecutable(const std::string& hostPath);
