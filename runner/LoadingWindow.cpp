#include "runner/LoadingWindow.h"

#include "data/GameSettings.h"

void CLoadingWindow::SettingsRead(bool debugMode)
{
    w_showText = debugMode && Settings.ShowProgressBar;
    w_shown = true;
    Progress(0, "Loading");
}

void CLoadingWindow::Progress(int percent, const std::string& text)
{
    w_steps.emplace_back(percent, text);
}

void CLoadingWindow::Close()
{
    w_shown = false;
}
