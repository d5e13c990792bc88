// Plain message boxes for start-up and loading messages. Without a display
// (or before one exists) the text goes to standard error instead.
#pragma once

#include <functional>
#include <string>

// Shows text with an OK button and waits for it.
void Platform_ShowMessage(const std::string& text);

// The caption of message boxes: the game executable's name without extension.
void Platform_SetApplicationTitle(const std::string& title);
const std::string& Platform_ApplicationTitle();

// Asks a question with the buttons Yes and No; true for Yes. Without a way to
// ask, the question goes to standard error and the answer is No.
bool Platform_AskYesNo(const std::string& text);

// Tests and automation capture messages instead of showing them.
using MessageHook = std::function<void(const std::string& text)>;
void Platform_SetMessageHook(MessageHook hook);
// Tests answer questions themselves.
using QuestionHook = std::function<bool(const std::string& text)>;
void Platform_SetQuestionHook(QuestionHook hook);
