// The standard dialogs of the platform: choosing a file to open or save, a
// folder, or a colour. They are drawn with widgets over the game window's
// last frame and hold the game until the player closes them. Paths are host
// paths (UTF-8).
#pragma once

#include "platform/GameWindow.h"
#include "platform/RenderDevice.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One entry of a file filter: its description and its patterns.
struct RFileFilter {
    std::string description;
    std::vector<std::string> patterns; // "*.txt"; "*.*" and "*" match everything
    bool operator==(const RFileFilter&) const = default;
};
// "Text Files|*.txt|All Files|*.*": pairs of a description and patterns
// (separated by ";"); a description without patterns matches everything.
std::vector<RFileFilter> Platform_ParseFileFilter(const std::string& filter);
// "*" and "?" wildcards, ignoring case; "*.*" matches names without a dot too.
bool Platform_MatchesPattern(const std::string& name, const std::string& pattern);
// The entries of a folder as a chooser lists them: folders first (with a
// trailing "/"), then files that match one of the patterns (every file when
// there are none), each group sorted ignoring case; hidden names left out.
std::vector<std::string> Platform_ListForChooser(const std::string& folder, const std::vector<std::string>& patterns,
                                                 bool foldersOnly);

// Where the dialogs show: the game window, its device and how its last
// frame is presented.
struct RDialogSurface {
    IGameWindow* window = nullptr;
    IRenderDevice* device = nullptr;
    std::function<RPresentation()> presentation;
};

// False when cancelled (or when nothing can be shown).
bool Platform_ChooseFile(const RDialogSurface& surface, bool save, const std::vector<RFileFilter>& filters,
                         const std::string& folder, const std::string& name, std::string& chosen);
bool Platform_ChooseFolder(const RDialogSurface& surface, const std::string& caption, const std::string& start,
                           const std::string& root, std::string& chosen);
// Colours 0xBBGGRR.
bool Platform_ChooseColor(const RDialogSurface& surface, int32_t start, int32_t& chosen);
