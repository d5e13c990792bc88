// execute_program, execute_shell, parameter_count, parameter_string and
// environment_get_variable. Programs of the original platform are never run
// (there is nothing here that could run them faithfully); they fail as a
// missing program would.
#include "system/CommandLine.h"
#include "system/FileRoutines.h"
#include "system/Parameters.h"

#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Programs.h"
#include "platform/TextEncoding.h"
#include "world/GameVariables.h"
#include "world/StepLoop.h"

#include <cctype>

namespace {

std::string WithoutQuotes(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// Where a program named by a game is: a name with a folder or drive is a
// path; a bare name is looked for beside the game, in the working directory
// and then on the search path, as the original platform looks for programs.
std::string FindProgram(const std::string& name)
{
    if (name.empty())
        return std::string();
    if (name.find_first_of("\\/:") != std::string::npos)
        return ToHostPath(name);
    std::string host = GameTextToHost(name);
    for (const std::string& folder : {Game_ProgramDirectory(), std::string(".")}) {
        if (folder.empty())
            continue;
        std::string candidate = ToHostPath(folder + "/" + name);
        if (Platform_PathExists(candidate))
            return candidate;
    }
    std::string found;
    return Platform_FindOnSearchPath(host, found) ? found : std::string();
}

void AddArguments(std::vector<std::string>& arguments, const std::string& line)
{
    for (const std::string& argument : SplitCommandLine(line))
        arguments.push_back(GameTextToHost(argument));
}

// The program and its arguments from what a game passed. A program name
// that is no file is read as the start of the command line, so both
// ("C:\Program Files\x", "a") and ("x a", "") name program x.
bool ResolveCommand(const std::string& program, const std::string& arguments, std::string& host,
                    std::vector<std::string>& argv)
{
    host = FindProgram(WithoutQuotes(program));
    if (!host.empty() && Platform_PathExists(host)) {
        argv = {host};
        AddArguments(argv, arguments);
        return true;
    }
    std::vector<std::string> words = SplitCommandLine(program);
    if (words.size() < 2)
        return false;
    host = FindProgram(words[0]);
    if (host.empty() || !Platform_PathExists(host))
        return false;
    argv = {host};
    for (size_t k = 1; k < words.size(); ++k)
        argv.push_back(GameTextToHost(words[k]));
    AddArguments(argv, arguments);
    return true;
}

void HandleMessagesWhileWaiting()
{
    if (StepHooks.handleMessages)
        StepHooks.handleMessages();
}

bool F_ExecuteProgram(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& program = args[0].str.Text();
    if (File_IsSecure()) {
        File_Report("In Secure mode you cannot execute program " + program);
        return true;
    }
    std::string host;
    std::vector<std::string> argv;
    int64_t process = 0;
    if (!ResolveCommand(program, args[1].str.Text(), host, argv) || !Platform_StartProgram(host, argv, process)) {
        File_Report("Cannot execute " + program);
        return true;
    }
    if (IsTrue(args[2].val))
        Platform_WaitForProgram(process, &HandleMessagesWhileWaiting);
    return true;
}

// "http:", "mailto:" and the like; a drive letter is no scheme.
bool IsWebAddress(const std::string& text)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (size_t k = 1; k < colon; ++k) {
        char c = text[k];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// Opening a file: a program runs with the arguments, anything else goes to
// the desktop's opener, which takes no arguments.
bool F_ExecuteShell(CExecutionContext&, RValue&, int, RValue* args)
{
    const std::string& file = args[0].str.Text();
    if (File_IsSecure()) {
        File_Report("In Secure mode you cannot execute program " + file);
        return true;
    }
    bool ok = false;
    if (IsWebAddress(file)) {
        ok = Platform_OpenDocument(GameTextToHost(file));
    } else {
        std::string host = FindProgram(WithoutQuotes(file));
        int64_t process = 0;
        if (host.empty() || !Platform_PathExists(host) || Platform_IsForeignProgram(host)) {
            ok = false;
        } else if (Platform_IsExecutableFile(host)) {
            std::vector<std::string> argv = {host};
            AddArguments(argv, args[1].str.Text());
            ok = Platform_StartProgram(host, argv, process);
        } else {
            // The opener may run elsewhere: it gets the whole path.
            ok = Platform_OpenDocument(host[0] == '/' ? host : Platform_WorkingDirectory() + "/" + host);
        }
    }
    if (!ok)
        File_Report("Cannot execute " + file);
    return true;
}

bool F_ParameterCount(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(GameParameters.empty() ? 0 : static_cast<double>(GameParameters.size() - 1));
    return true;
}

bool F_ParameterString(CExecutionContext&, RValue& result, int, RValue* args)
{
    int64_t index = RoundToInteger(args[0].val);
    std::string text;
    if (index >= 0 && static_cast<uint64_t>(index) < GameParameters.size())
        text = HostTextToGame(GameParameters[static_cast<size_t>(index)]);
    result.SetString(RString(std::move(text)));
    return true;
}

bool F_EnvironmentGetVariable(CExecutionContext&, RValue& result, int, RValue* args)
{
    std::string value;
    if (!Platform_GetEnvironment(GameTextToHost(args[0].str.Text()), value))
        value.clear();
    result.SetString(RString(HostTextToGame(value)));
    return true;
}

} // namespace

void File_ImplementPrograms()
{
    Function_Implement("execute_program", &F_ExecuteProgram);
    Function_Implement("execute_shell", &F_ExecuteShell);
    Function_Implement("parameter_count", &F_ParameterCount);
    Function_Implement("parameter_string", &F_ParameterString);
    Function_Implement("environment_get_variable", &F_EnvironmentGetVariable);
}
