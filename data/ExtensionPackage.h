// CExtensionPackage: an extension package as stored: its files with the
// functions and constants they offer, and the files' data, which is written
// under the run's temporary directory as the package is read.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CStream;

class CExtensionConstant {
public:
    static constexpr int32_t kVersion = 700;

    std::string s_name;
    std::string s_value; // an expression text

    bool LoadFromExeStream(CStream& stream);
    void SaveToExeStream(CStream& stream) const;
    bool operator==(const CExtensionConstant&) const = default;
};

// Argument and result types of extension functions.
constexpr int32_t kExtensionString = 1;
constexpr int32_t kExtensionReal = 2;

class CExtensionFunction {
public:
    static constexpr int32_t kVersion = 700;
    static constexpr int kArgumentSlots = 17;
    // The calling convention value that selects the C convention.
    static constexpr int32_t kCallC = 12;

    std::string s_name;    // the name scripts call it by
    std::string s_extname; // the name in the library or script file
    int32_t s_kind = kCallC;
    int32_t s_id = 0;
    int32_t s_argcount = 0;
    std::array<int32_t, kArgumentSlots> s_argtype;
    int32_t s_returntype = kExtensionReal;

    CExtensionFunction() { s_argtype.fill(kExtensionReal); }
    bool LoadFromExeStream(CStream& stream);
    void SaveToExeStream(CStream& stream) const;
    // What every function goes through once read: names trimmed, the script
    // name as the default library name, only reals beyond four arguments.
    void Normalize();
    bool operator==(const CExtensionFunction&) const = default;
};

// Kinds of extension files.
enum EExtensionFileKind : int32_t {
    kExtensionLibrary = 1,
    kExtensionScripts = 2,
    kExtensionNoData = 3,
    kExtensionOther = 4,
};

class CExtensionFile {
public:
    static constexpr int32_t kVersion = 700;

    std::string s_filename;
    int32_t s_kind = kExtensionOther;
    std::string s_init;  // function called at game start, "" for none
    std::string s_final; // function called at game end, "" for none
    std::vector<CExtensionFunction> s_functions;
    std::vector<CExtensionConstant> s_constants;
    // The file's data from the package. For script files it is the script
    // text, which the extension layer splits into its functions.
    std::vector<uint8_t> s_data;

    bool HasData() const { return s_kind != kExtensionNoData; }
    bool LoadFromExeStream(CStream& stream);
    void SaveToExeStream(CStream& stream) const;
    bool operator==(const CExtensionFile&) const = default;
};

class CExtensionPackage {
public:
    static constexpr int32_t kVersion = 700;

    std::string s_name;
    std::string s_folder; // below the temporary directory
    std::vector<CExtensionFile> s_files;

    // Reads the package and writes its library and other files into
    // TempDir/s_folder (nothing is written when TempDir is empty).
    bool LoadFromExeStream(CStream& stream);
    void SaveToExeStream(CStream& stream) const;
    bool operator==(const CExtensionPackage&) const = default;

    // The host folder the package's files go to, "" when none can be made.
    std::string HostFolder() const;
};
