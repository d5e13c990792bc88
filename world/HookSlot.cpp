// The registry of hook slots and the start-up check.
#include "world/HookSlot.h"

#include "code/ErrorReport.h"

#include <algorithm>
#include <vector>

namespace {

// Slots are made during static initialisation, in any order: the registry
// is made on first use.
std::vector<CHookSlot*>& Registry()
{
    static std::vector<CHookSlot*> slots;
    return slots;
}

} // namespace

CHookSlot::CHookSlot(const char* name, EMissing missing, const char* feature)
    : h_name(name), h_missing(missing), h_feature(feature)
{
    // A bare function (a temporary used only to assign from) is no slot.
    if (h_name)
        Registry().push_back(this);
}

CHookSlot::CHookSlot(const CHookSlot& other)
    : h_name(other.h_name), h_missing(other.h_missing), h_feature(other.h_feature), h_installs(other.h_installs)
{
    if (h_name)
        Registry().push_back(this);
}

CHookSlot::~CHookSlot()
{
    std::vector<CHookSlot*>& slots = Registry();
    slots.erase(std::remove(slots.begin(), slots.end(), this), slots.end());
}

void CHookSlot::ReportUnavailable() const
{
    Error_Show(std::string(h_feature) + " is not available on this system.", false);
}

void Hooks_ForEach(const std::function<void(const CHookSlot& slot)>& visit)
{
    for (const CHookSlot* slot : Registry())
        visit(*slot);
}

void Hooks_BeginStartup()
{
    for (CHookSlot* slot : Registry())
        slot->h_installs = 0;
}

std::string Hooks_FinishStartup(bool checkTwice)
{
    std::string problem;
    auto add = [&problem](const std::string& text) { problem += (problem.empty() ? "" : "; ") + text; };
    for (const CHookSlot* slot : Registry()) {
        if (slot->Missing() == CHookSlot::EMissing::Required && !slot->IsInstalled())
            add(std::string("the hook ") + slot->Name() + " is not installed");
        if (checkTwice && slot->InstallCount() > 1)
            add(std::string("the hook ") + slot->Name() + " is installed " + std::to_string(slot->InstallCount()) +
                " times");
    }
    return problem;
}
