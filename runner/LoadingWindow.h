// The loading window of start-up: shown once the settings are read, it
// follows the load and preparation with a bar and, in debug mode, a text.
// Until the window layer exists it only keeps the steps it was shown.
#pragma once

#include "data/GameData.h"

#include <string>
#include <utility>
#include <vector>

class CLoadingWindow : public ILoadObserver {
public:
    void SettingsRead(bool debugMode) override;
    void Progress(int percent, const std::string& text) override;
    void Close();

    bool IsShown() const { return w_shown; }
    const std::vector<std::pair<int, std::string>>& Steps() const { return w_steps; }

private:
    bool w_shown = false;
    bool w_showText = false;
    std::vector<std::pair<int, std::string>> w_steps;
};
