// Reading and writing extension package records, and unpacking their files.
#include "data/ExtensionPackage.h"

#include "data/Stream.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "platform/RunFolder.h"

namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// Keys of the substituted file data come from the package itself, so the
// same project always packs to the same bytes.
int32_t PackageKey(const std::string& name)
{
    return static_cast<int32_t>(CalcCRC(name.data(), static_cast<int64_t>(name.size())) % 1000000u) + 1;
}

} // namespace

// ---------------------------------------------------------------- constants and functions

bool CExtensionConstant::LoadFromExeStream(CStream& stream)
{
    *this = CExtensionConstant();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_name);
    stream.ReadString(s_value);
    return true;
}

void CExtensionConstant::SaveToExeStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_name);
    stream.WriteString(s_value);
}

bool CExtensionFunction::LoadFromExeStream(CStream& stream)
{
    *this = CExtensionFunction();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_name);
    stream.ReadString(s_extname);
    s_kind = stream.ReadInteger();
    s_id = stream.ReadInteger();
    s_argcount = stream.ReadInteger();
    for (int32_t& type : s_argtype)
        type = stream.ReadInteger();
    s_returntype = stream.ReadInteger();
    if (s_returntype != kExtensionString)
        s_returntype = kExtensionReal;
    return true;
}

void CExtensionFunction::SaveToExeStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_name);
    stream.WriteString(s_extname);
    stream.WriteInteger(s_kind);
    stream.WriteInteger(s_id);
    stream.WriteInteger(s_argcount);
    for (int32_t type : s_argtype)
        stream.WriteInteger(type);
    stream.WriteInteger(s_returntype);
}

void CExtensionFunction::Normalize()
{
    s_name = Trim(s_name);
    s_extname = Trim(s_extname);
    if (s_extname.empty())
        s_extname = s_name;
    // Library calls with more than four arguments pass only reals.
    if (s_argcount > 4)
        s_argtype.fill(kExtensionReal);
}

// ---------------------------------------------------------------- files

bool CExtensionFile::LoadFromExeStream(CStream& stream)
{
    *this = CExtensionFile();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_filename);
    s_kind = stream.ReadInteger();
    stream.ReadString(s_init);
    stream.ReadString(s_final);
    int32_t functions = stream.ReadInteger();
    for (int32_t k = 0; k < functions; ++k)
        if (!s_functions.emplace_back().LoadFromExeStream(stream))
            return false;
    int32_t constants = stream.ReadInteger();
    for (int32_t k = 0; k < constants; ++k)
        if (!s_constants.emplace_back().LoadFromExeStream(stream))
            return false;
    return true;
}

void CExtensionFile::SaveToExeStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_filename);
    stream.WriteInteger(s_kind);
    stream.WriteString(s_init);
    stream.WriteString(s_final);
    stream.WriteInteger(static_cast<int32_t>(s_functions.size()));
    for (const CExtensionFunction& function : s_functions)
        function.SaveToExeStream(stream);
    stream.WriteInteger(static_cast<int32_t>(s_constants.size()));
    for (const CExtensionConstant& constant : s_constants)
        constant.SaveToExeStream(stream);
}

// ---------------------------------------------------------------- packages

std::string CExtensionPackage::HostFolder() const
{
    if (TempDir.empty())
        return std::string();
    std::string folder = SafeFileName(s_folder);
    return folder.empty() ? TempDir : TempDir + "/" + folder;
}

bool CExtensionPackage::LoadFromExeStream(CStream& stream)
{
    *this = CExtensionPackage();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_name);
    stream.ReadString(s_folder);
    int32_t count = stream.ReadInteger();
    for (int32_t k = 0; k < count; ++k)
        if (!s_files.emplace_back().LoadFromExeStream(stream))
            return false;
    for (CExtensionFile& file : s_files)
        for (CExtensionFunction& function : file.s_functions)
            function.Normalize();

    // The file data: a key, then the substituted blocks from offset 5 on
    // (the byte at offset 4 is stored as it is).
    std::unique_ptr<CStream> data = stream.ReadStream();
    int32_t key = data->ReadInteger();
    data->Decrypt(key, data->Position() + 1, 0);
    std::string folder = HostFolder();
    if (!folder.empty())
        Platform_CreateDirectories(folder);
    for (CExtensionFile& file : s_files) {
        if (!file.HasData())
            continue;
        file.s_data = std::move(data->ReadStreamC()->Bytes());
        if (file.s_kind != kExtensionLibrary && file.s_kind != kExtensionOther)
            continue;
        std::string name = SafeFileName(file.s_filename);
        // A file that cannot be written shows up when the package is
        // prepared: its functions are then not found.
        if (!folder.empty() && !name.empty())
            Platform_WritePrivateFile(folder + "/" + name, file.s_data.data(), file.s_data.size());
    }
    return true;
}

void CExtensionPackage::SaveToExeStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_name);
    stream.WriteString(s_folder);
    stream.WriteInteger(static_cast<int32_t>(s_files.size()));
    for (const CExtensionFile& file : s_files)
        file.SaveToExeStream(stream);

    CStream data;
    int32_t key = PackageKey(s_name);
    data.WriteInteger(key);
    for (const CExtensionFile& file : s_files)
        if (file.HasData())
            data.WriteStreamC(CStream(file.s_data));
    data.Encrypt(key, 5, 0);
    stream.WriteStream(data);
}
