// registry_*: values in the game's own key, and anywhere below the root
// chosen with registry_set_root. The store's own failures are silent, as
// they are for games on the original platform.
#include "system/FileFunctions.h"
#include "system/FileRoutines.h"

#include "data/GameData.h"
#include "platform/RegistryStore.h"

#include <cstring>

namespace {

ERegistryRoot ExtensionRoot = ERegistryRoot::CurrentUser;

std::string GameKey()
{
    return "\\Software\\Brindle\\" + std::to_string(GameId);
}

// A real is stored as the 8 bytes of the double, so games that share values
// with other programs keep the same layout.
RRegistryValue RealValue(double value)
{
    RRegistryValue stored;
    stored.type = ERegistryType::Binary;
    stored.data.resize(sizeof value);
    std::memcpy(stored.data.data(), &value, sizeof value);
    return stored;
}

RRegistryValue StringValue(const std::string& text)
{
    return RRegistryValue{ERegistryType::String, text};
}

// A value of another type than asked for reads as missing.
std::string ReadString(ERegistryRoot root, const std::string& key, const std::string& name)
{
    RRegistryValue value;
    if (!Platform_Registry().ReadValue(root, key, name, value) || value.type != ERegistryType::String)
        return std::string();
    return value.data;
}

double ReadReal(ERegistryRoot root, const std::string& key, const std::string& name)
{
    RRegistryValue value;
    double real = 0;
    if (!Platform_Registry().ReadValue(root, key, name, value) || value.type != ERegistryType::Binary ||
        value.data.size() != sizeof real)
        return 0;
    std::memcpy(&real, value.data.data(), sizeof real);
    return real;
}

bool Exists(ERegistryRoot root, const std::string& key, const std::string& name)
{
    RRegistryValue value;
    return Platform_Registry().ReadValue(root, key, name, value);
}

bool F_RegistryWriteString(CExecutionContext&, RValue&, int, RValue* args)
{
    Platform_Registry().WriteValue(ERegistryRoot::CurrentUser, GameKey(), args[0].str.Text(),
                                   StringValue(args[1].str.Text()));
    return true;
}

bool F_RegistryWriteReal(CExecutionContext&, RValue&, int, RValue* args)
{
    Platform_Registry().WriteValue(ERegistryRoot::CurrentUser, GameKey(), args[0].str.Text(), RealValue(args[1].val));
    return true;
}

bool F_RegistryReadString(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(ReadString(ERegistryRoot::CurrentUser, GameKey(), args[0].str.Text())));
    return true;
}

bool F_RegistryReadReal(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(ReadReal(ERegistryRoot::CurrentUser, GameKey(), args[0].str.Text()));
    return true;
}

bool F_RegistryExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Exists(ERegistryRoot::CurrentUser, GameKey(), args[0].str.Text()) ? 1 : 0);
    return true;
}

bool F_RegistrySetRoot(CExecutionContext&, RValue&, int, RValue* args)
{
    switch (RoundToInt32(args[0].val)) {
    case 1: ExtensionRoot = ERegistryRoot::LocalMachine; break;
    case 2: ExtensionRoot = ERegistryRoot::ClassesRoot; break;
    case 3: ExtensionRoot = ERegistryRoot::Users; break;
    default: ExtensionRoot = ERegistryRoot::CurrentUser; break;
    }
    return true;
}

bool RefusedInSecureMode(const std::string& key)
{
    if (!File_IsSecure())
        return false;
    File_Report("In Secure mode you cannot write registry entries in " + key);
    return true;
}

bool F_RegistryWriteStringExt(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& key = args[0].str.Text();
    if (!RefusedInSecureMode(key))
        Platform_Registry().WriteValue(ExtensionRoot, key, args[1].str.Text(), StringValue(args[2].str.Text()));
    return true;
}

bool F_RegistryWriteRealExt(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& key = args[0].str.Text();
    if (!RefusedInSecureMode(key))
        Platform_Registry().WriteValue(ExtensionRoot, key, args[1].str.Text(), RealValue(args[2].val));
    return true;
}

bool F_RegistryReadStringExt(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetString(RString(ReadString(ExtensionRoot, args[0].str.Text(), args[1].str.Text())));
    return true;
}

bool F_RegistryReadRealExt(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(ReadReal(ExtensionRoot, args[0].str.Text(), args[1].str.Text()));
    return true;
}

bool F_RegistryExistsExt(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Exists(ExtensionRoot, args[0].str.Text(), args[1].str.Text()) ? 1 : 0);
    return true;
}

// Flags are numbers; a real written by a game or a text edited by hand
// count too.
bool IsSetFlag(const RRegistryValue& value)
{
    switch (value.type) {
    case ERegistryType::Number: return value.data != "0";
    case ERegistryType::Binary:
        if (value.data.size() == sizeof(double)) {
            double real;
            std::memcpy(&real, value.data.data(), sizeof real);
            return IsTrue(real);
        }
        return value.data.find_first_not_of('\0') != std::string::npos;
    case ERegistryType::String: return value.data == "1" || value.data == "true" || value.data == "True";
    }
    return false;
}

} // namespace

bool System_ReadSecureMode()
{
    const std::string key = "\\Software\\Brindle\\Version 8\\Preferences";
    CRegistryStore& store = Platform_Registry();
    if (!store.KeyExists(ERegistryRoot::CurrentUser, key))
        return false;
    RRegistryValue warning, running;
    bool secure = store.ReadValue(ERegistryRoot::CurrentUser, key, "Warning", warning) && IsSetFlag(warning);
    if (store.ReadValue(ERegistryRoot::CurrentUser, key, "BrindleRunning", running))
        secure = secure && IsSetFlag(running);
    return secure;
}

void File_ImplementRegistry()
{
    Function_Implement("registry_write_string", &F_RegistryWriteString);
    Function_Implement("registry_write_real", &F_RegistryWriteReal);
    Function_Implement("registry_read_string", &F_RegistryReadString);
    Function_Implement("registry_read_real", &F_RegistryReadReal);
    Function_Implement("registry_exists", &F_RegistryExists);
    Function_Implement("registry_set_root", &F_RegistrySetRoot);
    Function_Implement("registry_write_string_ext", &F_RegistryWriteStringExt);
    Function_Implement("registry_write_real_ext", &F_RegistryWriteRealExt);
    Function_Implement("registry_read_string_ext", &F_RegistryReadStringExt);
    Function_Implement("registry_read_real_ext", &F_RegistryReadRealExt);
    Function_Implement("registry_exists_ext", &F_RegistryExistsExt);
}
