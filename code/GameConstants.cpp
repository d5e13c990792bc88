// Defining the game's own constants at start: each value text is evaluated
// once, in order, so a constant may use those defined before it.
#include "code/GameConstants.h"

#include "code/Code.h"
#include "code/Constants.h"
#include "code/Executor.h"
#include "platform/MessageBox.h"
#include "world/Instance.h"

std::string Constant_TrimmedName(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool Constant_IsValidName(const std::string& name)
{
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !letter(name[0]))
        return false;
    for (char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

bool Constant_Define(const std::string& rawName, const std::string& valueText)
{
    std::string name = Constant_TrimmedName(rawName);
    if (!Constant_IsValidName(name)) {
        Platform_ShowMessage("Constant name " + name + "  is not valid.");
        return false;
    }
    CCode code(valueText, true);
    RValue value;
    CInstance temporary;
    if (!code.Compile() || !Code_Evaluate(&temporary, &temporary, code, value)) {
        Code_Context().ClearError();
        Platform_ShowMessage("Value for constant " + name + "  is not valid.");
        return false;
    }
    Constant_Add(name, value);
    return true;
}

bool Constant_DefineAll(const std::vector<std::pair<std::string, std::string>>& constants)
{
    for (const auto& [name, value] : constants)
        if (!Constant_Define(name, value))
            return false;
    return true;
}
