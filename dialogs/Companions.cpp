// The windows beside the game.
#include "dialogs/Companions.h"

#include "platform/Clock.h"

#include <cstdio>
#include <vector>

namespace {

struct RCompanion {
    std::unique_ptr<CPanelHost> host;
    std::unique_ptr<IModalDialog> dialog;
    bool ctrl = false;
    int64_t opened = 0;
};
std::vector<RCompanion> Open;

} // namespace

void Companion_Open(std::unique_ptr<CPanelHost> host, std::unique_ptr<IModalDialog> dialog)
{
    if (!host->IsOpen()) {
        std::fprintf(stderr, "brindle-run: %s: cannot be shown beside the game without a display\n",
                     dialog->Describe().c_str());
        std::fflush(stderr);
        return;
    }
    Dialog_Show(*dialog, *host);
    Open.push_back({std::move(host), std::move(dialog), false, Platform_MonotonicMicroseconds()});
}

void Companion_ServiceAll()
{
    const int64_t now = Platform_MonotonicMicroseconds();
    for (size_t k = 0; k < Open.size();) {
        RCompanion& c = Open[k];
        c.host->TakeEvents([&c](const RWindowEvent& event) { Dialog_Feed(*c.dialog, event, c.ctrl); });
        const int64_t after = c.dialog->ClosesAfter();
        if (!c.dialog->IsClosed() && after >= 0 && now - c.opened >= after)
            c.dialog->CloseByTime();
        if (c.dialog->IsClosed()) {
            Open.erase(Open.begin() + static_cast<std::ptrdiff_t>(k));
            continue;
        }
        Dialog_Show(*c.dialog, *c.host);
        ++k;
    }
}

void Companion_CloseAll()
{
    Open.clear();
}

int32_t Companion_Count()
{
    return static_cast<int32_t>(Open.size());
}
