// Showing, logging and recording run-time errors.
#include "code/ErrorReport.h"

#include "code/EventContext.h"
#include "code/StopRequest.h"
#include "data/EventTexts.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "platform/Files.h"

#include <cstdio>

std::string Error_Last;
bool Error_Occurred = false;
bool Error_Terminating = false;

namespace {

RErrorHooks Hooks;
bool AbortWithoutWindow = false;
bool LogStarted = false;

// Lines of the log end with CR LF, whatever separates them in the message.
std::string WithCrLf(const std::string& message)
{
    std::string out;
    for (size_t k = 0; k < message.size(); ++k) {
        char c = message[k];
        if (c == '\r') {
            out += "\r\n";
            if (k + 1 < message.size() && message[k + 1] == '\n')
                ++k;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

void AppendToLog(const std::string& message)
{
    std::FILE* file = std::fopen("game_errors.log", LogStarted ? "ab" : "wb");
    if (!file)
        return;
    LogStarted = true;
    std::string text = WithCrLf(message) + "\r\n\r\n\r\n";
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

} // namespace

std::string Error_TextForTerminal(const std::string& message)
{
    std::string out;
    for (size_t k = 0; k < message.size(); ++k) {
        if (message[k] == '\r') {
            out += '\n';
            if (k + 1 < message.size() && message[k + 1] == '\n')
                ++k;
        } else {
            out += message[k];
        }
    }
    return out;
}

void Error_SetHooks(RErrorHooks hooks)
{
    Hooks = std::move(hooks);
}

void Error_SetAbortWithoutWindow(bool abort)
{
    AbortWithoutWindow = abort;
}

void Error_Reset()
{
    Error_Last.clear();
    Error_Occurred = false;
    Error_Terminating = false;
    LogStarted = false;
}

void Error_Show(const std::string& message, bool fatal)
{
    // Code cut short by a stop request fails on its way out; that is not
    // the game's error.
    if (Error_Terminating || Code_StopRequested())
        return;
    bool abort = fatal || Settings.AbortOnErrors;
    if (Settings.ShowErrorMessages) {
        int answer = Hooks.showWindow ? Hooks.showWindow(message, abort) : -1;
        if (answer >= 0) {
            abort = abort || answer == 1;
        } else {
            std::fprintf(stderr, "%s\n", Error_TextForTerminal(message).c_str());
            std::fflush(stderr);
            abort = abort || AbortWithoutWindow;
        }
        if (Hooks.afterShow)
            Hooks.afterShow();
    }
    if (Hooks.clearInput)
        Hooks.clearInput();
    if (Settings.LogErrorMessages)
        AppendToLog(message);
    Error_Last = message;
    Error_Occurred = true;
    if (abort) {
        Error_Terminating = true;
        if (Hooks.requestEnd)
            Hooks.requestEnd();
    }
}

std::string Error_EventHeading(bool fatal)
{
    const RCurrentEvent& event = CurrentEvent;
    std::string kind = fatal ? "FATAL ERROR" : "ERROR";
    // The heading names the code that runs; between events nothing does.
    if (event.place)
        return kind + " in\r\n" + *event.place + ":\r\n\r\n";
    if (event.object < 0 && event.type != kTimeLineEventType)
        return kind + "\r\n\r\n";
    std::string heading = kind + " in\r\naction number " + std::to_string(event.action + 1) + "\r\n";
    if (event.type == kTimeLineEventType) {
        heading += "at time step " + std::to_string(event.number) + "\r\nof time line " +
                   TimeLine_NameOrUndefined(event.object) + ":\r\n";
    } else {
        heading += "of " + Event_Name(event.type, event.number) + "\r\nfor object " +
                   Object_NameOrUndefined(event.object) + ":\r\n";
    }
    return heading + "\r\n";
}

void Error_ShowInEvent(const std::string& message, bool fatal)
{
    Error_Show(Error_EventHeading(fatal) + message, fatal);
}
