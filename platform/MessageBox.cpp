// Message boxes: standard error until the window layer offers real boxes.
#include "platform/MessageBox.h"

#include <cstdio>

namespace {

std::string ApplicationTitle = "Brindle Runner";
MessageHook Hook;
QuestionHook Question;

} // namespace

void Platform_ShowMessage(const std::string& text)
{
    if (Hook) {
        Hook(text);
        return;
    }
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
    std::fprintf(stderr, "%s (No)\n", text.c_str());
    std::fflush(stderr);
    return false;
}

void Platform_SetQuestionHook(QuestionHook hook)
{
    Question = std::move(hook);
}
