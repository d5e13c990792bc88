// The external function table, the library search and the script functions.
#include "system/ExternalFunctions.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "data/TempDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/NativeLibrary.h"
#include "platform/TextEncoding.h"
#include "world/GameState.h"
#include "world/GameVariables.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

struct RExternalFunction {
    void* library = nullptr; // null once the library was freed
    std::string libraryName; // as the game named it
    std::string functionName;
    void* address = nullptr;
    int32_t convention = 0; // kept as given; every convention is this system's C convention
    int32_t argumentCount = 0;
    std::array<bool, kExternalMaxArguments> stringArgument{};
    bool stringResult = false;
    std::unique_ptr<CNativeSignature> signature;
};

std::vector<RExternalFunction> Table;

// "name.dll" → "name.so"; a name without an extension gains ".so".
std::string WithSharedSuffix(const std::string& name)
{
    size_t slash = name.find_last_of('/');
    size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + ".so";
    return name.substr(0, dot) + ".so";
}

// "dir/name.so" → "dir/libname.so".
std::string WithLibPrefix(const std::string& name)
{
    size_t slash = name.find_last_of('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    return name.substr(0, start) + "lib" + name.substr(start);
}

// The three spellings of a library name, in the order they are tried.
std::vector<std::string> Spellings(const std::string& name)
{
    std::vector<std::string> spellings{name};
    for (const std::string& other : {WithSharedSuffix(name), WithLibPrefix(WithSharedSuffix(name))})
        if (other != spellings.back() && other != spellings.front())
            spellings.push_back(other);
    return spellings;
}

// The first spelling that loads from a file; a file that is no library of
// this system (one built for the original platform) does not stop the search.
void* OpenFirstFile(const std::vector<std::string>& hostPaths)
{
    for (const std::string& path : hostPaths)
        if (Platform_FileExists(path))
            if (void* library = Platform_OpenLibrary(path))
                return library;
    return nullptr;
}

// The file of that name in the folder, spelled as the folder spells it when
// it differs only in case.
std::string InFolder(const std::string& folder, const std::string& name)
{
    std::string exact = folder + "/" + name;
    if (Platform_FileExists(exact))
        return exact;
    std::vector<RDirectoryEntry> entries;
    if (Platform_ListDirectory(folder, entries))
        for (const RDirectoryEntry& entry : entries)
            if (EqualsIgnoringCaseCp1252(HostTextToGame(entry.name), HostTextToGame(name)))
                return folder + "/" + entry.name;
    return exact;
}

void* OpenByGameName(const std::string& gameName)
{
    std::string host = GameTextToHost(gameName);
    for (char& c : host)
        if (c == '\\')
            c = '/';
    if (host.find('/') != std::string::npos) {
        std::vector<std::string> paths;
        for (const std::string& spelling : Spellings(host))
            paths.push_back(ToHostPath(HostTextToGame(spelling)));
        return OpenFirstFile(paths);
    }
    std::vector<std::string> folders{Game_ProgramDirectory(), TempDir};
    for (const CExtensionPackage& package : GameResources.ExtensionPackages)
        folders.push_back(package.HostFolder());
    const std::vector<std::string> spellings = Spellings(host);
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        std::vector<std::string> paths;
        for (const std::string& spelling : spellings)
            paths.push_back(InFolder(folder, spelling));
        if (void* library = OpenFirstFile(paths))
            return library;
    }
    for (const std::string& spelling : spellings)
        if (void* library = Platform_OpenLibrary(spelling))
            return library;
    return nullptr;
}

int32_t Define(const std::string& libraryName, void* (*open)(const std::string&), const std::string& function,
               int32_t convention, bool stringResult, const std::vector<bool>& stringArguments)
{
    const int32_t count = static_cast<int32_t>(stringArguments.size());
    if (count > kExternalMaxArguments)
        return -1;
    if (count > kExternalMaxMixedArguments)
        for (bool isString : stringArguments)
            if (isString)
                return -1;
    void* library = nullptr;
    for (size_t k = Table.size(); k-- > 0;) {
        if (EqualsIgnoringCaseCp1252(Table[k].libraryName, libraryName)) {
            library = Table[k].library;
            break;
        }
    }
    bool loadedNow = false;
    if (!library) {
        library = open(libraryName);
        if (!library)
            return -1;
        loadedNow = true;
    }
    void* address = Platform_LibraryFunction(library, function);
    bool types[kExternalMaxArguments] = {};
    for (int32_t k = 0; k < count; ++k)
        types[k] = stringArguments[static_cast<size_t>(k)];
    std::unique_ptr<CNativeSignature> signature = CNativeSignature::Make(count, types, stringResult);
    if (!address || !signature) {
        // A library loaded only for this definition is not kept open.
        if (loadedNow)
            Platform_CloseLibrary(library);
        return -1;
    }
    RExternalFunction& entry = Table.emplace_back();
    entry.library = library;
    entry.libraryName = libraryName;
    entry.functionName = function;
    entry.address = address;
    entry.convention = convention;
    entry.argumentCount = count;
    for (int32_t k = 0; k < count; ++k)
        entry.stringArgument[static_cast<size_t>(k)] = types[k];
    entry.stringResult = stringResult;
    entry.signature = std::move(signature);
    return static_cast<int32_t>(Table.size() - 1);
}

// ---------------------------------------------------------------- script functions

constexpr const char* kSecureMessage = "In secure mode you cannot use DLLs";
constexpr const char* kDefineFailed = "Error defining an external function.";

bool Refused()
{
    if (!GameState.secureMode)
        return false;
    Error_ShowInEvent(kSecureMessage, false);
    return true;
}

bool IsStringType(const RValue& value)
{
    return RoundToInt32(value.val) == 1;
}

void DefineAndReport(RValue& result, const std::string& library, const std::string& function, int32_t convention,
                     bool stringResult, const std::vector<bool>& types)
{
    int32_t id = External_Define(library, function, convention, stringResult, types);
    if (id < 0)
        Error_ShowInEvent(kDefineFailed, false);
    result = RValue(static_cast<double>(id));
}

BUILTIN(F_ExternalDefine)
{
    result = RValue(-1.0);
    if (Refused())
        return true;
    if (argc <= 4 || argc != RoundToInt32(args[4].val) + 5) {
        Error_ShowInEvent("Wrong number of arguments to external_define()", false);
        return true;
    }
    const int32_t count = argc - 5;
    if (count > kExternalMaxArguments) {
        Error_ShowInEvent("DLL functions can have at most 16 arguments", false);
        return true;
    }
    std::vector<bool> types;
    for (int32_t k = 0; k < count; ++k) {
        if (count > kExternalMaxMixedArguments && RoundToInt32(args[5 + k].val) != 0) {
            Error_ShowInEvent("DLL functions with more than 4 arguments cannot have string arguments", false);
            return true;
        }
        types.push_back(IsStringType(args[5 + k]));
    }
    DefineAndReport(result, args[0].str.Text(), args[1].str.Text(), RoundToInt32(args[2].val),
                    IsStringType(args[3]), types);
    return true;
}

// external_define0 .. external_define4: (dll, name, argtype1 .. argtypeK, restype).
template <int K>
BUILTIN(F_ExternalDefineTyped)
{
    result = RValue(-1.0);
    if (Refused())
        return true;
    std::vector<bool> types;
    for (int k = 0; k < K; ++k)
        types.push_back(IsStringType(args[2 + k]));
    DefineAndReport(result, args[0].str.Text(), args[1].str.Text(), 0, IsStringType(args[2 + K]), types);
    return true;
}

// external_define5 .. external_define8: (dll, name, restype), K reals.
template <int K>
BUILTIN(F_ExternalDefineReals)
{
    result = RValue(-1.0);
    if (Refused())
        return true;
    DefineAndReport(result, args[0].str.Text(), args[1].str.Text(), 0, IsStringType(args[2]),
                    std::vector<bool>(K, false));
    return true;
}

BUILTIN(F_ExternalCall)
{
    if (Refused())
        return true;
    External_Call(RoundToInt32(args[0].val), args + 1, argc - 1, result);
    return true;
}

BUILTIN(F_ExternalFree)
{
    if (Refused())
        return true;
    External_Free(args[0].str.Text());
    return true;
}

} // namespace

int32_t External_Define(const std::string& library, const std::string& function, int32_t convention,
                        bool stringResult, const std::vector<bool>& stringArguments)
{
    return Define(library, &OpenByGameName, function, convention, stringResult, stringArguments);
}

int32_t External_DefineFile(const std::string& hostPath, const std::string& function, int32_t convention,
                            bool stringResult, const std::vector<bool>& stringArguments)
{
    auto open = [](const std::string& path) { return OpenFirstFile(Spellings(path)); };
    return Define(hostPath, open, function, convention, stringResult, stringArguments);
}

bool External_Call(int32_t id, const RValue* arguments, int count, RValue& result)
{
    if (id < 0 || id >= static_cast<int32_t>(Table.size()))
        return false;
    const RExternalFunction& entry = Table[static_cast<size_t>(id)];
    if (!entry.library || entry.argumentCount != count)
        return false;
    RNativeValue values[kExternalMaxArguments];
    // Strings go as copies, so a function that writes into its argument
    // cannot change a value the game shares elsewhere.
    std::string texts[kExternalMaxMixedArguments];
    for (int k = 0; k < count; ++k) {
        if (entry.stringArgument[static_cast<size_t>(k)]) {
            texts[k] = arguments[k].str.Text();
            values[k].text = texts[k].c_str();
        } else {
            values[k].real = arguments[k].val;
        }
    }
    RNativeValue returned = entry.signature->Call(entry.address, values);
    if (entry.stringResult)
        result = RValue(std::string(returned.text ? returned.text : ""));
    else
        result = RValue(returned.real);
    return true;
}

void External_Free(const std::string& library)
{
    bool freed = false;
    for (RExternalFunction& entry : Table) {
        if (!entry.library || !EqualsIgnoringCaseCp1252(entry.libraryName, library))
            continue;
        if (!freed)
            Platform_CloseLibrary(entry.library);
        freed = true;
        entry.library = nullptr;
    }
}

void External_FreeAll()
{
    while (!Table.empty()) {
        auto loaded = std::find_if(Table.begin(), Table.end(), [](const RExternalFunction& e) { return e.library; });
        if (loaded == Table.end())
            break;
        External_Free(loaded->libraryName);
    }
    Table.clear();
}

void System_ImplementExternalFunctions()
{
    Function_Implement("external_define", &F_ExternalDefine);
    Function_Implement("external_call", &F_ExternalCall);
    Function_Implement("external_free", &F_ExternalFree);
    Function_Implement("external_define0", &F_ExternalDefineTyped<0>);
    Function_Implement("external_define1", &F_ExternalDefineTyped<1>);
    Function_Implement("external_define2", &F_ExternalDefineTyped<2>);
    Function_Implement("external_define3", &F_ExternalDefineTyped<3>);
    Function_Implement("external_define4", &F_ExternalDefineTyped<4>);
    Function_Implement("external_define5", &F_ExternalDefineReals<5>);
    Function_Implement("external_define6", &F_ExternalDefineReals<6>);
    Function_Implement("external_define7", &F_ExternalDefineReals<7>);
    Function_Implement("external_define8", &F_ExternalDefineReals<8>);
    for (const char* name : {"external_call0", "external_call1", "external_call2", "external_call3", "external_call4",
                             "external_call5", "external_call6", "external_call7", "external_call8"})
        Function_Implement(name, &F_ExternalCall);
}
