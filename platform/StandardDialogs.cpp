// File, folder and colour choosers drawn with Dear ImGui.
#include "platform/StandardDialogs.h"

#include "platform/Clock.h"
#include "platform/StopSignals.h"
#include "platform/WidgetSession.h"

#include <imgui.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int64_t kFrameMicroseconds = 16000;

enum class EOutcome { Open, Chosen, Cancelled };

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool Match(const char* name, const char* pattern)
{
    for (; *pattern; ++pattern) {
        if (*pattern == '*') {
            for (const char* rest = name;; ++rest) {
                if (Match(rest, pattern + 1))
                    return true;
                if (!*rest)
                    return false;
            }
        }
        if (!*name || (*pattern != '?' && Lower(*pattern) != Lower(*name)))
            return false;
        ++name;
    }
    return !*name;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t cut = text.find(separator, start);
        parts.push_back(text.substr(start, cut == std::string::npos ? std::string::npos : cut - start));
        if (cut == std::string::npos)
            return parts;
        start = cut + 1;
    }
}

std::string Trim(const std::string& text)
{
    const size_t a = text.find_first_not_of(" \t"), b = text.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

// Runs frames of widgets until build says the dialog is over.
bool RunModal(const RDialogSurface& surface, const std::function<EOutcome()>& build)
{
    if (!surface.window || !surface.device || !surface.presentation)
        return false;
    std::unique_ptr<IWidgetSession> session = surface.window->OpenWidgets();
    if (!session)
        return false;
    for (;;) {
        const bool open = session->BeginFrame();
        const EOutcome outcome = build();
        session->EndFrame(*surface.device, surface.presentation());
        if (!open || outcome == EOutcome::Cancelled || Platform_StopRequested())
            return false;
        if (outcome == EOutcome::Chosen)
            return true;
        Platform_SleepMicroseconds(kFrameMicroseconds);
    }
}

// The OK and Cancel buttons of a chooser, Enter and Escape with them.
EOutcome OkOrCancel()
{
    EOutcome outcome = EOutcome::Open;
    if (ImGui::Button("OK") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)))
        outcome = EOutcome::Chosen;
    ImGui::SameLine();
    if (ImGui::Button("Cancel") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)))
        outcome = EOutcome::Cancelled;
    return outcome;
}

// A window in the middle of the game window, as a modal dialog would be.
void BeginCentred(const char* title, float w, float h)
{
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    w = std::min(w, display.x - 8);
    h = std::min(h, display.y - 8);
    ImGui::SetNextWindowPos(ImVec2((display.x - w) / 2, (display.y - h) / 2), ImGuiCond_Appearing);
    ImGui::SetNextWindowSize(ImVec2(w, h), ImGuiCond_Appearing);
    ImGui::Begin(title, nullptr, ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings);
}

void InputText(const char* label, std::string& text)
{
    char buffer[1024];
    std::strncpy(buffer, text.c_str(), sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
    if (ImGui::InputText(label, buffer, sizeof buffer))
        text = buffer;
}

// The folder list with a way up; picking a folder enters it. Returns the
// file double-clicked (files only when not choosing folders).
std::string FolderList(std::string& folder, const std::vector<std::string>& patterns, bool foldersOnly,
                       std::string& selected, const std::string& root)
{
    std::string opened;
    const float footer = ImGui::GetFrameHeightWithSpacing() * 3.2f;
    ImGui::BeginChild("entries", ImVec2(0, -footer), true);
    const fs::path here(folder);
    const bool atRoot = !root.empty() && fs::path(root).lexically_normal() == here.lexically_normal();
    if (here.has_parent_path() && here != here.parent_path() && !atRoot && ImGui::Selectable("../"))
        folder = here.parent_path().string();
    for (const std::string& entry : Platform_ListForChooser(folder, patterns, foldersOnly)) {
        const bool isFolder = !entry.empty() && entry.back() == '/';
        if (ImGui::Selectable(entry.c_str(), entry == selected, ImGuiSelectableFlags_AllowDoubleClick)) {
            if (isFolder) {
                folder = (here / entry.substr(0, entry.size() - 1)).string();
                selected.clear();
            } else {
                selected = entry;
                if (ImGui::IsMouseDoubleClicked(0))
                    opened = entry;
            }
        }
    }
    ImGui::EndChild();
    return opened;
}

} // namespace

std::vector<RFileFilter> Platform_ParseFileFilter(const std::string& filter)
{
    std::vector<RFileFilter> filters;
    if (Trim(filter).empty())
        return filters;
    const std::vector<std::string> parts = Split(filter, '|');
    for (size_t k = 0; k < parts.size(); k += 2) {
        RFileFilter entry;
        entry.description = parts[k];
        if (k + 1 < parts.size())
            for (const std::string& pattern : Split(parts[k + 1], ';'))
                if (!Trim(pattern).empty())
                    entry.patterns.push_back(Trim(pattern));
        filters.push_back(std::move(entry));
    }
    return filters;
}

bool Platform_MatchesPattern(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    return Match(name.c_str(), pattern.c_str());
}

std::vector<std::string> Platform_ListForChooser(const std::string& folder, const std::vector<std::string>& patterns,
                                                 bool foldersOnly)
{
    std::vector<std::string> folders, files;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code kind;
        if (it->is_directory(kind)) {
            folders.push_back(name + "/");
        } else if (!foldersOnly) {
            bool matches = patterns.empty();
            for (const std::string& pattern : patterns)
                matches = matches || Platform_MatchesPattern(name, pattern);
            if (matches)
                files.push_back(name);
        }
    }
    std::sort(folders.begin(), folders.end(), LessIgnoringCase);
    std::sort(files.begin(), files.end(), LessIgnoringCase);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

bool Platform_ChooseFile(const RDialogSurface& surface, bool save, const std::vector<RFileFilter>& filters,
                         const std::string& folder, const std::string& name, std::string& chosen)
{
    std::string here = folder.empty() ? fs::current_path().string() : folder;
    std::string typed = name;
    std::string selected;
    int filterIndex = 0;
    const char* title = save ? "Save As" : "Open";
    return RunModal(surface, [&] {
        BeginCentred(title, 560, 400);
        ImGui::TextUnformatted(here.c_str());
        const std::vector<std::string> noPatterns;
        const std::vector<std::string>& patterns =
            filters.empty() ? noPatterns : filters[static_cast<size_t>(filterIndex)].patterns;
        const std::string opened = FolderList(here, patterns, false, selected, "");
        if (!selected.empty() && selected != typed && ImGui::IsItemHovered() == false)
            typed = selected;
        InputText("File name", typed);
        if (!filters.empty() &&
            ImGui::BeginCombo("Files of type", filters[static_cast<size_t>(filterIndex)].description.c_str())) {
            for (int k = 0; k < static_cast<int>(filters.size()); ++k)
                if (ImGui::Selectable(filters[static_cast<size_t>(k)].description.c_str(), k == filterIndex))
                    filterIndex = k;
            ImGui::EndCombo();
        }
        EOutcome outcome = EOutcome::Open;
        const bool confirm = ImGui::Button(save ? "Save" : "Open") || !opened.empty() ||
                             (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) && !typed.empty());
        ImGui::SameLine();
        if (ImGui::Button("Cancel") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)))
            outcome = EOutcome::Cancelled;
        if (confirm && outcome == EOutcome::Open) {
            const std::string file = opened.empty() ? typed : opened;
            const fs::path path = fs::path(file).is_absolute() ? fs::path(file) : fs::path(here) / file;
            std::error_code error;
            if (!file.empty() && fs::is_directory(path, error)) {
                here = path.lexically_normal().string();
                typed.clear();
            } else if (!file.empty() && (save || fs::exists(path, error))) {
                chosen = path.lexically_normal().string();
                outcome = EOutcome::Chosen;
            }
        }
        ImGui::End();
        return outcome;
    });
}

bool Platform_ChooseFolder(const RDialogSurface& surface, const std::string& caption, const std::string& start,
                           const std::string& root, std::string& chosen)
{
    std::error_code error;
    std::string here = !start.empty() && fs::is_directory(start, error) ? start
                       : !root.empty()                                  ? root
                                                                        : fs::current_path().string();
    std::string selected;
    const std::string title = caption.empty() ? "Select a folder" : caption;
    return RunModal(surface, [&] {
        BeginCentred(title.c_str(), 520, 380);
        ImGui::TextUnformatted(here.c_str());
        FolderList(here, {}, true, selected, root);
        const EOutcome outcome = OkOrCancel();
        if (outcome == EOutcome::Chosen)
            chosen = fs::path(here).lexically_normal().string();
        ImGui::End();
        return outcome;
    });
}

bool Platform_ChooseColor(const RDialogSurface& surface, int32_t start, int32_t& chosen)
{
    float rgb[3] = {static_cast<float>(start & 0xFF) / 255.0f, static_cast<float>((start >> 8) & 0xFF) / 255.0f,
                    static_cast<float>((start >> 16) & 0xFF) / 255.0f};
    return RunModal(surface, [&] {
        BeginCentred("Color", 330, 380);
        ImGui::ColorPicker3("##color", rgb, ImGuiColorEditFlags_DisplayRGB | ImGuiColorEditFlags_NoSidePreview);
        const EOutcome outcome = OkOrCancel();
        if (outcome == EOutcome::Chosen) {
            auto channel = [](float v) { return static_cast<int32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
            chosen = channel(rgb[0]) | (channel(rgb[1]) << 8) | (channel(rgb[2]) << 16);
        }
        ImGui::End();
        return outcome;
    });
}
