// A running game for the resource functions: code evaluated as the room's
// first instance, and the last error message taken and cleared.
#pragma once

#include "code/ErrorReport.h"
#include "tests/world/RunningGameFixture.h"

#include <string>

class ResourceFixture : public RunningGameFixture {
protected:
    // A game of one room holding an instance of obj_runner, whose events the
    // manifest text adds to (events = "[[object.event]]..." lines).
    void StartWith(const std::string& events = "", const std::string& more = "")
    {
        LoadGame("[[object]]\nname = \"obj_runner\"\n" + events + more +
                 "[[room]]\nname = \"rm_first\"\n[[room.instance]]\nobject = \"obj_runner\"\nx = 0\ny = 0\n");
        StartGame();
    }
    double Real(const std::string& expression) { return Evaluate(expression).val; }
    std::string Text(const std::string& expression) { return Evaluate(expression).str; }
    // The message of the last error since the last call, without its heading.
    std::string TakeError()
    {
        std::string last = Error_Last;
        Error_Last.clear();
        size_t colon = last.rfind("\r\n\r\n");
        return colon == std::string::npos ? last : last.substr(colon + 4);
    }
    // The lines shown since the last call, joined by "|".
    std::string Shown()
    {
        std::string joined;
        for (const std::string& line : TakeMessages())
            joined += (joined.empty() ? "" : "|") + line;
        return joined;
    }
};
