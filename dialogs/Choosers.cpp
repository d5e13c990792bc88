// The standard dialogs.
#include "dialogs/Choosers.h"

#include "graphics/Overlay.h"
#include "platform/Files.h"
#include "platform/StandardDialogs.h"
#include "platform/TextEncoding.h"
#include "world/Input.h"

#include <filesystem>

namespace {

// Folders are given with a separator at their end, so that a game can add
// a file's name to them.
std::string AsFolder(std::string text)
{
    if (!text.empty() && text.back() != '/' && text.back() != '\\')
        text += '/';
    return text;
}

} // namespace

CChooser::CChooser(EChooser kind, std::string describe) : c_kind(kind), c_describe(std::move(describe)) {}

bool CChooser::Apply(const RDialogAnswer& answer)
{
    if (answer.kind == EDialogAnswer::Cancel) {
        TakeDefault();
        return true;
    }
    if (c_kind == EChooser::Color ? answer.kind != EDialogAnswer::Color : answer.kind != EDialogAnswer::Text)
        return false;
    c_color = answer.number;
    c_text = c_kind == EChooser::Folder ? AsFolder(answer.text) : answer.text;
    c_closed = true;
    return true;
}

std::string CChooser::TakeDefault()
{
    c_cancelled = c_closed = true;
    c_color = -1;
    c_text.clear();
    return c_kind == EChooser::Color ? "cancelled (-1)" : "cancelled (\"\")";
}

RDialogAnswer CChooser::Answer() const
{
    RDialogAnswer answer;
    if (!c_cancelled) {
        answer.kind = c_kind == EChooser::Color ? EDialogAnswer::Color : EDialogAnswer::Text;
        answer.number = c_color;
        answer.text = c_text;
    }
    return answer;
}

bool CChooser::Run(const std::string& filter, const std::string& start, const std::string& root, int32_t startColor,
                   const std::string& caption)
{
    int32_t w = 0, h = 0;
    if (Dialogs_IsAutomated() || !Overlay_GetClientSize(w, h)) {
        Dialog_Run(*this);
        return !c_cancelled;
    }
    const RDialogSurface surface = Overlay_DialogSurface();
    std::string chosen;
    bool ok = false;
    switch (c_kind) {
    case EChooser::Color:
        ok = Platform_ChooseColor(surface, startColor, c_color);
        break;
    case EChooser::OpenFile:
    case EChooser::SaveFile: {
        const std::filesystem::path given(start.empty() ? std::string() : ToHostPath(start));
        ok = Platform_ChooseFile(surface, c_kind == EChooser::SaveFile,
                                 Platform_ParseFileFilter(GameTextToHost(filter)), given.parent_path().string(),
                                 given.filename().string(), chosen);
        break;
    }
    case EChooser::Folder:
        ok = Platform_ChooseFolder(surface, Cp1252ToUtf8(caption), start.empty() ? std::string() : ToHostPath(start),
                                   root.empty() ? std::string() : ToHostPath(root), chosen);
        if (ok)
            chosen = AsFolder(chosen);
        break;
    }
    c_closed = true;
    c_cancelled = !ok;
    if (ok && c_kind != EChooser::Color)
        c_text = HostTextToGame(chosen);
    if (!ok)
        TakeDefault();
    if (DialogHooks.answered)
        DialogHooks.answered(Answer());
    Input_ClearAll();
    return ok;
}
