// Message boxes: on the screen when the run may show windows and a display
// server is there, else on standard error.
#include "platform/MessageBox.h"
#include "platform/LazyLibraries.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string ApplicationTitle = "Brindle Runner";
MessageHook Hook;
QuestionHook Question;
bool OnScreenAllowed = false;

// A display server to show a box on, and no request for a video driver that
// shows nothing (tests ask for the offscreen one).
bool CanShowBoxes()
{
    if (!OnScreenAllowed)
        return false;
    std::string error;
    if (!Platform_LoadLibraries({kLazySdl}, error))
        return false;
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

} // namespace

void Platform_AllowMessageBoxesOnScreen(bool allowed)
{
    OnScreenAllowed = allowed;
}

void Platform_ShowMessage(const std::string& text)
{
    if (Hook) {
        Hook(text);
        return;
    }
    if (CanShowBoxes() &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, ApplicationTitle.c_str(), text.c_str(), nullptr) == 0)
        return;
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

void Platform_SetApplicationTitle(const std::string& title)
{
    ApplicationTitle = title;
}

const std::string& Platform_ApplicationTitle()
{
    return ApplicationTitle;
}

void Platform_SetMessageHook(MessageHook hook)
{
    Hook = std::move(hook);
}

bool Platform_AskYesNo(const std::string& text)
{
    if (Question)
        return Question(text);
    if (CanShowBoxes()) {
        const SDL_MessageBoxButtonData buttons[] = {
            {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
            {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        };
        SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, ApplicationTitle.c_str(), text.c_str(), 2, buttons,
                               nullptr};
        int chosen = 0;
        if (SDL_ShowMessageBox(&box, &chosen) == 0)
            return chosen == 1;
    }
    std::fprintf(stderr, "%s (No)\n", text.c_str());
    std::fflush(stderr);
    return false;
}

void Platform_SetQuestionHook(QuestionHook hook)
{
    Question = std::move(hook);
}

bool Platform_ShowErrorWindow(const std::string& text, bool abortOnly, bool& shown)
{
    shown = false;
    if (Hook || !CanShowBoxes())
        return false;
    // Carriage returns separate the lines of game messages.
    std::string lines;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r') {
            lines += '\n';
            if (k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
        } else {
            lines += text[k];
        }
    }
    const SDL_MessageBoxButtonData withIgnore[] = {
        {0, 0, "Ignore"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "Abort"},
    };
    const SDL_MessageBoxButtonData* buttons = abortOnly ? withIgnore + 1 : withIgnore;
    SDL_MessageBoxData box{SDL_MESSAGEBOX_ERROR, nullptr, "Error Messages", lines.c_str(), abortOnly ? 1 : 2, buttons,
                           nullptr};
    int chosen = 1;
    if (SDL_ShowMessageBox(&box, &chosen) != 0)
        return false;
    shown = true;
    return chosen == 1;
}
