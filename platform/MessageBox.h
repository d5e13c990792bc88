// Plain message boxes for start-up and loading messages. Without a display
// (or before one exists) the text goes to standard error instead.
#pragma once

#include <functional>
#include <string>

// Runs that may show windows (not headless) allow boxes on the screen; until
// then, and without a display server, text goes to standard error.
void Platform_AllowMessageBoxesOnScreen(bool allowed);

// Shows text with an OK button and waits for it.
void Platform_ShowMessage(const std::string& text);

// The caption of message boxes: the game executable's name without extension.
void Platform_SetApplicationTitle(const std::string& title);
const std::string& Platform_ApplicationTitle();

// Asks a question with the buttons Yes and No; true for Yes. Without a way to
// ask, the question goes to standard error and the answer is No.
bool Platform_AskYesNo(const std::string& text);

// The error window for errors in running code: the text with Abort (the
// default) and, unless abortOnly, Ignore. True when Abort was chosen; false
// (Ignore) when no window can be shown, for the caller to decide.
bool Platform_ShowErrorWindow(const std::string& text, bool abortOnly, bool& shown);

// Tests and automation capture messages instead of showing them.
using MessageHook = std::function<void(const std::string& text)>;
void Platform_SetMessageHook(MessageHook hook);
// Tests answer questions themselves.
using QuestionHook = std::function<bool(const std::string& text)>;
void Platform_SetQuestionHook(QuestionHook hook);
