// Adding to and clearing action lists that may be running.
#include "world/EventEditing.h"

#include "code/ExecutionContext.h"
#include "data/Event.h"
#include "data/RetiredResources.h"
#include "world/Actions.h"

#include <memory>
#include <vector>

namespace {

void ReplaceActions(CEvent& event, std::vector<CAction> actions)
{
    Resource_Retire(std::make_unique<std::vector<CAction>>(std::move(event.e_actions)));
    event.e_actions = std::move(actions);
}

} // namespace

bool Event_AddCodeAction(CEvent& event, const std::string& code)
{
    CAction action = CAction::MakeCode(code);
    if (!Action_Compile(action, false)) {
        Code_Context().ClearError();
        return false;
    }
    std::vector<CAction> actions = event.e_actions;
    actions.push_back(std::move(action));
    ReplaceActions(event, std::move(actions));
    return true;
}

void Event_ClearActions(CEvent& event)
{
    ReplaceActions(event, {});
}
