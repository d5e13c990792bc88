// ELF image size and file modes.
#include "platform/Executable.h"

#include <algorithm>
#include <cstdio>
#include <elf.h>
#include <sys/stat.h>
#include <vector>

namespace {

template <typename T>
bool ReadAt(std::FILE* file, int64_t offset, T& value)
{
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 && std::fread(&value, sizeof value, 1, file) == 1;
}

template <typename Ehdr, typename Phdr, typename Shdr>
int64_t ImageEnd(std::FILE* file)
{
    Ehdr header;
    if (!ReadAt(file, 0, header))
        return -1;
    int64_t end = static_cast<int64_t>(header.e_ehsize);
    end = std::max<int64_t>(end, static_cast<int64_t>(header.e_phoff + uint64_t(header.e_phnum) * header.e_phentsize));
    end = std::max<int64_t>(end, static_cast<int64_t>(header.e_shoff + uint64_t(header.e_shnum) * header.e_shentsize));
    for (unsigned k = 0; k < header.e_phnum; ++k) {
        Phdr program;
        if (!ReadAt(file, static_cast<int64_t>(header.e_phoff + uint64_t(k) * header.e_phentsize), program))
            return -1;
        end = std::max<int64_t>(end, static_cast<int64_t>(program.p_offset + program.p_filesz));
    }
    for (unsigned k = 0; k < header.e_shnum; ++k) {
        Shdr section;
        if (!ReadAt(file, static_cast<int64_t>(header.e_shoff + uint64_t(k) * header.e_shentsize), section))
            return -1;
        if (section.sh_type != SHT_NOBITS)
            end = std::max<int64_t>(end, static_cast<int64_t>(section.sh_offset + section.sh_size));
    }
    return end;
}

} // namespace

int64_t Platform_ProgramImageSize(const std::string& hostPath)
{
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file)
        return -1;
    unsigned char ident[EI_NIDENT];
    int64_t result = -1;
    if (std::fread(ident, 1, EI_NIDENT, file) == EI_NIDENT && ident[EI_MAG0] == ELFMAG0 && ident[EI_MAG1] == ELFMAG1 &&
        ident[EI_MAG2] == ELFMAG2 && ident[EI_MAG3] == ELFMAG3) {
        if (ident[EI_CLASS] == ELFCLASS64)
            result = ImageEnd<Elf64_Ehdr, Elf64_Phdr, Elf64_Shdr>(file);
        else if (ident[EI_CLASS] == ELFCLASS32)
            result = ImageEnd<Elf32_Ehdr, Elf32_Phdr, Elf32_Shdr>(file);
    }
    std::fclose(file);
    return result;
}

int64_t Platform_FileSize(const std::string& hostPath)
{
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.st_size);
}

bool Platform_MakeExecutable(const std::string& hostPath)
{
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0)
        return false;
    mode_t mode = info.st_mode;
    if (mode & S_IRUSR)
        mode |= S_IXUSR;
    if (mode & S_IRGRP)
        mode |= S_IXGRP;
    if (mode & S_IROTH)
        mode |= S_IXOTH;
    return chmod(hostPath.c_str(), mode) == 0;
}
