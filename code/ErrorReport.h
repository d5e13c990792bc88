// The run-time error display: what happens to an error once its caller has
// worded it. Depending on the game's settings it is shown (with Ignore or
// only Abort), appended to "game_errors.log", remembered for error_last and
// error_occurred, and ends the game when fatal or when the player aborts.
#pragma once

#include <functional>
#include <string>

extern std::string Error_Last;
extern bool Error_Occurred;
extern bool Error_Terminating; // an error ended the game; further errors are dropped

void Error_Show(const std::string& message, bool fatal);
// Heads the message with the running event (object, event, action) first.
void Error_ShowInEvent(const std::string& message, bool fatal);
// The heading alone, as Error_ShowInEvent would put it before a message.
std::string Error_EventHeading(bool fatal);

// What the display needs from the rest of the runner. Without a window the
// message goes to standard error and counts as ignored, unless the runner
// was told to abort on every error.
struct RErrorHooks {
    // Shows the error window; abortOnly hides Ignore. Returns 1 for Abort,
    // 0 for Ignore, -1 when no window could be shown.
    std::function<int(const std::string& text, bool abortOnly)> showWindow;
    // Clears held keys, mouse buttons and the typed string.
    std::function<void()> clearInput;
    // Ends the game at the step loop's next check.
    std::function<void()> requestEnd;
    // After an error has been shown (or written to standard error).
    std::function<void()> afterShow;
};
void Error_SetHooks(RErrorHooks hooks);
// Without a window: treat every shown error as if Abort were pressed.
void Error_SetAbortWithoutWindow(bool abort);
// Back to the start of a run: no log written yet, nothing recorded.
void Error_Reset();

// Standard error wants line feeds where messages carry carriage returns.
std::string Error_TextForTerminal(const std::string& message);
