// Helpers shared by the unit tests: captured messages, scratch folders and
// games built in memory.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"
#include "platform/MessageBox.h"
#include "tools/pack/GameBuilder.h"

#include <filesystem>
#include <string>
#include <vector>

// Collects every message box shown while it lives.
class CMessageCapture {
public:
    CMessageCapture()
    {
        Platform_SetMessageHook([this](const std::string& text) { c_messages.push_back(text); });
    }
    ~CMessageCapture() { Platform_SetMessageHook(nullptr); }
    const std::vector<std::string>& Messages() const { return c_messages; }

private:
    std::vector<std::string> c_messages;
};

// A whole game file around a main body written by the test: the outer body
// with default settings, then body scrambled as the builder does it.
std::vector<uint8_t> GameAroundMainBody(const CStream& body);
// The start of a main body: no filler, game id 1, a zero GUID.
CStream MainBodyHeader();

// A fresh folder below the system's temporary folder, removed afterwards.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    const std::string& Path() const { return c_path; }
    std::string File(const std::string& name) const { return c_path + "/" + name; }
    void Write(const std::string& name, const std::string& text) const;
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::string c_path;
};

class CInstance;
// Calls a built-in function by name as code would, self and other null
// unless given; a name without a routine fails the test and gives 0.
RValue Test_CallFunction(const std::string& name, const std::vector<RValue>& arguments, CInstance* self = nullptr,
                         CInstance* other = nullptr);
