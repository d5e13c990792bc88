// Packing a project folder in memory and placing the errors of its run.
#include "runner/ProjectRun.h"

#include "code/Code.h"
#include "code/EventContext.h"
#include "code/ExecutionContext.h"
#include "code/Scripts.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/TimeLine.h"
#include "tools/pack/CodeCheck.h"
#include "tools/pack/GameBuilder.h"
#include "tools/pack/Manifest.h"

#include <cstdio>
#include <new>

namespace {

// Where the code of the running game was written; empty unless the game
// was run from its folder.
CCodeOrigins Origins;

// The code running when an error that is not a code error was reported (a
// built-in function's complaint): the running script, else the action of
// the running event. Its text, or the name of the action's function.
std::string RunningCodeText()
{
    const int32_t script = Code_Context().RunningScript();
    if (script >= 0) {
        const CCode* code = Script_Code(script);
        return code ? code->GetText() : std::string();
    }
    const RCurrentEvent& event = CurrentEvent;
    const CEvent* actions = nullptr;
    if (event.type == kTimeLineEventType) {
        const CTimeLine* line = TimeLines.Get(event.object);
        for (int m = 0; line && m < line->Count(); ++m)
            if (line->s_step[static_cast<size_t>(m)] == event.number)
                actions = &line->s_event[static_cast<size_t>(m)];
    } else if (const CObject* object = Objects.Get(event.object)) {
        if (event.type >= 0 && event.type < kEventTypeCount) {
            const auto& events = object->o_events[static_cast<size_t>(event.type)];
            auto found = events.find(event.number);
            if (found != events.end())
                actions = &found->second;
        }
    }
    if (!actions || event.action < 0 || event.action >= actions->Count())
        return std::string();
    const CAction& action = actions->e_actions[static_cast<size_t>(event.action)];
    if (action.act_codecode)
        return action.act_codecode->GetText();
    return action.act_functionname;
}

} // namespace

bool Runner_PackProject(const std::string& folder, std::vector<uint8_t>& game)
{
    try {
        GameProject project;
        ReadProject(folder, project);
        std::vector<std::string> mistakes = CheckProjectCode(project);
        for (const std::string& mistake : mistakes)
            std::fprintf(stderr, "brindle-run: %s\n", mistake.c_str());
        if (!mistakes.empty())
            return false;
        game = BuildGame(project, {});
        Origins = std::move(project.CodeOrigins);
        return true;
    } catch (const EProjectError& error) {
        std::fprintf(stderr, "brindle-run: %s\n", error.what());
        return false;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "brindle-run: not enough memory to pack %s\n", folder.c_str());
        return false;
    }
}

void Runner_TellErrorPlace()
{
    if (Origins.IsEmpty())
        return;
    // A code error knows its code and line; another error lies in the code
    // that was running, at its start.
    const CExecutionContext& context = Code_Context();
    bool codeError = context.Failed() && context.ErrorPlace().line > 0;
    std::string text = codeError ? context.ErrorSource() : RunningCodeText();
    std::string places;
    for (const RCodeOrigin* origin : Origins.Find(text)) {
        RProjectPlace place = CCodeOrigins::Locate(*origin, codeError ? context.ErrorPlace().line : 1, 1);
        places += (places.empty() ? "" : " or ") + place.file + ":" + std::to_string(place.line);
    }
    if (places.empty())
        return;
    std::fprintf(stderr, codeError ? "brindle-run: error in %s\n" : "brindle-run: error in the code starting at %s\n",
                 places.c_str());
    std::fflush(stderr);
}
