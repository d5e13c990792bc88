// The in-process clipboard used when there is no display, and the switch
// to the display's own.
#include "platform/Clipboard.h"

namespace {

// Copy and paste within the game still work headless; nothing leaves the process.
class CProcessClipboard : public CClipboard {
public:
    bool HasText() override { return !s_text.empty(); }
    std::string GetText() override { return s_text; }
    void SetText(const std::string& text) override { s_text = text; }

private:
    std::string s_text;
};

CProcessClipboard ProcessClipboard;
CClipboard* Installed = nullptr;

} // namespace

void Platform_SetClipboard(CClipboard* clipboard)
{
    Installed = clipboard;
}

CClipboard& Platform_Clipboard()
{
    return Installed ? *Installed : ProcessClipboard;
}
