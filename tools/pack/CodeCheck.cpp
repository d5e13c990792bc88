// Compiling a project's code before it is packed.
#include "tools/pack/CodeCheck.h"

#include "code/BuiltinConstants.h"
#include "code/Code.h"
#include "code/CodeError.h"
#include "code/ExecutionContext.h"
#include "code/Constants.h"
#include "code/Executor.h"
#include "code/FunctionCatalogue.h"
#include "code/Functions.h"
#include "code/GameConstants.h"
#include "code/VariableCatalogue.h"
#include "data/EventTexts.h"
#include "data/Object.h"
#include "data/Room.h"
#include "data/Script.h"
#include "data/TimeLine.h"
#include "data/Trigger.h"
#include "world/Actions.h"
#include "world/Instance.h"

#include <set>

namespace {

// The project's resources stand in for the program's while the check runs,
// so that names resolve as they will in the game; the tables go back to the
// runner's own afterwards.
class CCheckTables {
public:
    explicit CCheckTables(GameProject& project) : t_project(project)
    {
        t_saved = std::move(GameResources);
        GameResources = std::move(project.Resources);
        // Every built-in function, without its routine: a constant's value
        // that calls one cannot run here, and nothing the game does happens
        // while it is packed.
        Function_Clear();
        for (size_t m = 0; m < kFunctionCatalogueModules; ++m)
            for (const RCatalogueEntry& entry : kFunctionCatalogue[m].entries)
                Function_Add(entry.name, nullptr, entry.argnumb);
        if (Variable_BuiltinCount() == 0)
            Variable_RegisterAll();
        Constant_Clear();
        Constant_AddBuiltins();
        // Functions of the project's extension packages are known by name.
        Function_SetExtensionLookup(RExtensionFunctionLookup{
            [](std::string_view name, int32_t& id) {
                for (const CExtensionPackage& package : GameResources.ExtensionPackages)
                    for (const CExtensionFile& file : package.s_files)
                        for (const CExtensionFunction& function : file.s_functions)
                            if (function.s_name == name) {
                                id = function.s_id;
                                return true;
                            }
                return false;
            },
            nullptr, nullptr});
    }
    ~CCheckTables()
    {
        Function_SetExtensionLookup(RExtensionFunctionLookup{});
        Constant_Clear();
        Constant_AddBuiltins();
        Function_RegisterAll();
        Code_Context().ClearError();
        t_project.Resources = std::move(GameResources);
        GameResources = std::move(t_saved);
    }
    CCheckTables(const CCheckTables&) = delete;
    CCheckTables& operator=(const CCheckTables&) = delete;

private:
    GameProject& t_project;
    CGameResources t_saved;
};

class CChecker {
public:
    explicit CChecker(const GameProject& project) : c_project(project) {}

    // Compiles one piece (into code, when given); a mistake is reported at
    // the place of origin (the text the piece was written as; the piece
    // itself when that is empty).
    bool Compile(const std::string& text, bool expression, const std::string& what, const std::string& origin = {},
                 CCode* into = nullptr)
    {
        CCode local;
        CCode& code = into ? *into : local;
        code.Create(text, expression);
        if (code.Compile())
            return true;
        Report(origin.empty() ? text : origin, origin.empty() || origin == text, what, code.ErrorPlace());
        return false;
    }

    // Code that runs as a program, or failing that as an expression
    // (a trigger's condition).
    void CompileEither(const std::string& text, const std::string& what)
    {
        CCode program(text, false);
        if (program.Compile() || CCode(text, true).Compile())
            return;
        Report(text, true, what, program.ErrorPlace());
    }

    void CompileActions(const CEvent& event, const std::string& what)
    {
        for (int k = 0; k < event.Count(); ++k) {
            const CAction& action = event.e_actions[static_cast<size_t>(k)];
            std::string where = what + ", action " + std::to_string(k + 1);
            int32_t number;
            if (action.act_exetype == kExecuteFunction && !Function_Find(action.act_functionname, number))
                Report(action.act_functionname, true, where,
                       RCodeErrorPlace{1, 1, "Failed to locate action function " + action.act_functionname});
            for (const RActionCode& piece : Action_CodePieces(action))
                Compile(piece.text, piece.expression, where, piece.origin);
        }
    }

    // A mistake at its line and column within text (or at the start of
    // text when the mistake lies in code made from it).
    void Report(const std::string& text, bool within, const std::string& what, const RCodeErrorPlace& error)
    {
        std::vector<const RCodeOrigin*> origins = c_project.CodeOrigins.Find(text);
        if (origins.empty()) {
            Add(c_project.ShownFolder + "/" + kManifestName + ": in " + what + ": " + error.reason);
            return;
        }
        for (const RCodeOrigin* origin : origins) {
            RProjectPlace place = within ? CCodeOrigins::Locate(*origin, error.line, error.column)
                                         : CCodeOrigins::Locate(*origin, 1, 1);
            Add(place.ToString() + ": " + error.reason);
        }
    }

    std::vector<std::string> TakeErrors() { return std::move(c_errors); }

private:
    // The same code written once but used twice fails twice: once is enough.
    void Add(const std::string& message)
    {
        if (c_seen.insert(message).second)
            c_errors.push_back(message);
    }

    const GameProject& c_project;
    std::vector<std::string> c_errors;
    std::set<std::string> c_seen;
};

// Constants as the runner defines them at start: in order, each from its
// value. A value that cannot be worked out here (it calls a function)
// leaves the constant unknown, so later code never fails on its account.
void DefineConstants(CChecker& checker)
{
    for (const RConstant& constant : GameResources.Constants) {
        std::string name = Constant_TrimmedName(constant.name);
        std::string what = "constant " + name;
        if (!Constant_IsValidName(name)) {
            checker.Report(constant.name, true, what, RCodeErrorPlace{1, 1, "Constant name " + name + " is not valid."});
            continue;
        }
        CCode code;
        if (!checker.Compile(constant.value, true, what, {}, &code))
            continue;
        RValue value;
        CInstance temporary;
        if (Code_Evaluate(&temporary, &temporary, code, value))
            Constant_Add(name, value);
        Code_Context().ClearError();
    }
}

} // namespace

std::vector<std::string> CheckProjectCode(GameProject& project)
{
    CCheckTables tables(project);
    CChecker checker(project);
    DefineConstants(checker);
    for (int32_t t = 0; t < Triggers.Count(); ++t)
        if (const CTrigger* trigger = Triggers.Get(t))
            checker.CompileEither(trigger->i_condition, "the condition of trigger " + trigger->i_name);
    for (int32_t s = 0; s < Scripts.Count(); ++s)
        if (const CScript* script = Scripts.Get(s))
            checker.Compile(script->s_text, false, "script " + Scripts.Name(s));
    for (int32_t t = 0; t < TimeLines.Count(); ++t) {
        const CTimeLine* line = TimeLines.Get(t);
        for (int m = 0; line && m < line->Count(); ++m)
            checker.CompileActions(line->s_event[static_cast<size_t>(m)],
                                   "time line " + TimeLines.Name(t) + ", step " +
                                       std::to_string(line->s_step[static_cast<size_t>(m)]));
    }
    for (int32_t o = 0; o < Objects.Count(); ++o) {
        const CObject* object = Objects.Get(o);
        for (int32_t etype = 0; object && etype < kEventTypeCount; ++etype)
            for (const auto& [number, event] : object->o_events[static_cast<size_t>(etype)])
                checker.CompileActions(event, "object " + Objects.Name(o) + ", " + Event_Name(etype, number));
    }
    for (int32_t r = 0; r < Rooms.Count(); ++r) {
        const CRoom* room = Rooms.Get(r);
        if (!room)
            continue;
        if (!room->r_code.empty())
            checker.Compile(room->r_code, false, "the creation code of room " + Rooms.Name(r));
        for (const RRoomInstance& instance : room->r_instance)
            if (!instance.code.empty())
                checker.Compile(instance.code, false, "the creation code of an instance in room " + Rooms.Name(r));
    }
    for (const std::string& text : GameResources.LibraryInitCode)
        if (!text.empty())
            checker.Compile(text, false, "library initialization code");
    return checker.TakeErrors();
}
