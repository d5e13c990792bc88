// The loading window of start-up: shown once the settings are read, it
// follows the load and preparation with a bar. Runs without a display (and
// headless runs) show nothing; the progress is recorded all the same.
#pragma once

#include "data/GameData.h"
#include "platform/PictureWindow.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CLoadingWindow : public ILoadObserver {
public:
    explicit CLoadingWindow(bool noWindow = true) : w_noWindow(noWindow) {}

    void SettingsRead(bool debugMode) override;
    void Progress(int percent, const std::string& text) override;
    // Closes the window and frees its picture.
    void Close();

    bool IsShown() const { return w_shown; }
    bool HasWindow() const { return w_window != nullptr; }
    const std::vector<std::pair<int, std::string>>& Steps() const { return w_steps; }

private:
    bool w_noWindow;
    bool w_shown = false;
    std::vector<std::pair<int, std::string>> w_steps;
    std::unique_ptr<IPictureWindow> w_window;
};
