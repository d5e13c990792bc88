// Extension packages: preparation, the name lookup, calls, init and final.
#include "system/Extensions.h"

#include "code/Code.h"
#include "code/Executor.h"
#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/Functions.h"
#include "code/GameConstants.h"
#include "code/Scripts.h"
#include "data/Resources.h"
#include "data/TempDirectory.h"
#include "system/ExternalFunctions.h"
#include "world/GameState.h"
#include "world/Instance.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// Ids come from the game data; past this a damaged id is not given a slot.
constexpr int32_t kMaxExtensionId = 1000000;

constexpr const char* kSecureMessage = "In secure mode you cannot use extension packages.";

enum : int32_t {
    kLibraryFunction = 0,
    kScriptFunction = 1,
};

struct RExtensionEntry {
    int32_t externalIndex = -1;
    int32_t kind = kLibraryFunction;
    std::unique_ptr<CCode> code;
    std::string name;
    int32_t argumentCount = 0;
};

std::vector<RExtensionEntry> Entries;
std::unordered_map<std::string, int32_t> ByName; // the first function of a name, in package order

bool ValidId(int32_t id)
{
    return id >= 0 && id < static_cast<int32_t>(Entries.size());
}

std::string TrimBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool CallExtension(int32_t id, CInstance* self, CInstance* other, RValue& result, RValue* args, int argc)
{
    if (!ValidId(id))
        return false;
    if (GameState.secureMode) {
        Code_Context().SetError(kSecureMessage);
        return false;
    }
    const RExtensionEntry& entry = Entries[static_cast<size_t>(id)];
    if (entry.kind == kLibraryFunction) {
        External_Call(entry.externalIndex, args, argc, result);
        return true;
    }
    if (!entry.code)
        return false;
    if (Script_RunCode(*entry.code, -1, self, other, result, args, argc))
        return true;
    CExecutionContext& context = Code_Context();
    context.SetError("In extension function " + entry.name + ":\r" + context.ErrorMessage());
    return false;
}

void InstallLookup()
{
    RExtensionFunctionLookup lookup;
    lookup.find = [](std::string_view name, int32_t& id) {
        auto found = ByName.find(std::string(name));
        if (found == ByName.end())
            return false;
        id = found->second;
        return true;
    };
    lookup.argumentCount = [](int32_t id) {
        return ValidId(id) ? Entries[static_cast<size_t>(id)].argumentCount : -100;
    };
    lookup.call = &CallExtension;
    Function_SetExtensionLookup(std::move(lookup));
}

bool DefineConstants()
{
    for (const CExtensionPackage& package : GameResources.ExtensionPackages)
        for (const CExtensionFile& file : package.s_files)
            for (const CExtensionConstant& constant : file.s_constants)
                if (!Constant_Define(constant.s_name, constant.s_value))
                    return false;
    return true;
}

// False when the function could not be defined (its calls then do nothing).
bool DefineLibraryFunction(const CExtensionPackage& package, const CExtensionFile& file,
                           const CExtensionFunction& function, RExtensionEntry& entry)
{
    std::vector<bool> types;
    for (int32_t k = 0; k < function.s_argcount && k < CExtensionFunction::kArgumentSlots; ++k)
        types.push_back(function.s_argtype[static_cast<size_t>(k)] == kExtensionString);
    if (function.s_argcount < 0 || function.s_argcount > CExtensionFunction::kArgumentSlots)
        types.assign(kExternalMaxArguments + 1, false); // refused by the definition
    std::string folder = package.HostFolder();
    std::string name = SafeFileName(file.s_filename);
    entry.externalIndex = folder.empty() || name.empty()
                              ? -1
                              : External_DefineFile(folder + "/" + name, function.s_extname, function.s_kind,
                                                    function.s_returntype == kExtensionString, types);
    return entry.externalIndex >= 0;
}

// The init or final function of every file that names one, in order.
bool RunFileFunctions(bool initialization)
{
    for (const CExtensionPackage& package : GameResources.ExtensionPackages) {
        for (const CExtensionFile& file : package.s_files) {
            const std::string& name = initialization ? file.s_init : file.s_final;
            if (name.empty())
                continue;
            if (GameState.secureMode) {
                Error_Show(kSecureMessage, true);
                return false;
            }
            const CExtensionFunction* found = nullptr;
            for (const CExtensionFunction& function : file.s_functions)
                if (function.s_name == name)
                    found = found ? found : &function;
            if (!found) {
                Error_Show(std::string(initialization ? "Could not locate initialization function "
                                                      : "Could not locate finalization function ") +
                               name,
                           true);
                return false;
            }
            CInstance temporary;
            temporary.Create(0, 0, 0, 0);
            RValue result;
            Code_Context().ClearError();
            // It runs outside any event: errors inside are headed with it.
            const std::string place = std::string(initialization ? "initialization" : "finalization") +
                                      " function " + name + " of extension package " + package.s_name;
            CCodePlace running(place);
            if (!CallExtension(found->s_id, &temporary, &temporary, result, nullptr, 0)) {
                Error_Show(Code_PendingError(), true);
                Code_Context().ClearError();
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::map<std::string, std::string> Extensions_SplitScripts(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\n') {
            line += c;
        }
    }
    std::map<std::string, std::string> sections;
    std::string* section = nullptr;
    bool first = true;
    for (const std::string& current : lines) {
        if (current.compare(0, 7, "#define") == 0) {
            section = &sections[TrimBlanks(current.substr(7))];
            section->clear();
            first = true;
        } else if (section) {
            if (!first)
                *section += "\r\n";
            *section += current;
            first = false;
        }
    }
    return sections;
}

bool Extensions_Prepare()
{
    Entries.clear();
    ByName.clear();
    InstallLookup();
    if (!DefineConstants())
        return false;
    int32_t largest = -1;
    for (const CExtensionPackage& package : GameResources.ExtensionPackages)
        for (const CExtensionFile& file : package.s_files)
            for (const CExtensionFunction& function : file.s_functions)
                if (function.s_id <= kMaxExtensionId)
                    largest = std::max(largest, function.s_id);
    Entries.resize(static_cast<size_t>(largest + 1));

    for (const CExtensionPackage& package : GameResources.ExtensionPackages) {
        for (const CExtensionFile& file : package.s_files) {
            std::map<std::string, std::string> scripts;
            bool undefined = false;
            if (file.s_kind == kExtensionScripts)
                scripts = Extensions_SplitScripts(std::string(file.s_data.begin(), file.s_data.end()));
            for (const CExtensionFunction& function : file.s_functions) {
                if (!ValidId(function.s_id))
                    continue;
                RExtensionEntry& entry = Entries[static_cast<size_t>(function.s_id)];
                entry.name = function.s_name;
                entry.argumentCount = function.s_argcount;
                ByName.emplace(function.s_name, function.s_id);
                if (file.s_kind == kExtensionLibrary) {
                    undefined = !DefineLibraryFunction(package, file, function, entry) || undefined;
                    continue;
                }
                auto text = scripts.find(function.s_extname);
                if (file.s_kind != kExtensionScripts || text == scripts.end())
                    continue;
                auto code = std::make_unique<CCode>(text->second, false);
                if (!code->Compile()) {
                    Error_Show("COMPILATION ERROR in extension package " + package.s_name + "\r" + code->ErrorMessage(),
                               true);
                    return false;
                }
                entry.code = std::move(code);
                entry.kind = kScriptFunction;
            }
            // A library this system cannot load (one built for the original
            // platform, say) leaves its functions returning 0; said once.
            if (undefined)
                Error_Show("Error defining an external function.", false);
        }
    }
    return true;
}

bool Extensions_Start()
{
    return RunFileFunctions(true);
}

void Extensions_End()
{
    RunFileFunctions(false);
}
