#include "tests/support/TestSupport.h"

#include "code/Functions.h"
#include "data/GameContainer.h"
#include "data/GameSettings.h"
#include "platform/Files.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
std::atomic<int> FolderCounter{0};
}

CScratchFolder::CScratchFolder()
{
    std::filesystem::path base = std::filesystem::temp_directory_path();
    c_path = (base / ("brindle_test_" + std::to_string(getpid()) + "_" + std::to_string(FolderCounter++))).string();
    std::filesystem::remove_all(c_path);
    std::filesystem::create_directories(c_path);
}

CScratchFolder::~CScratchFolder()
{
    std::error_code error;
    std::filesystem::remove_all(c_path, error);
}

void CScratchFolder::Write(const std::string& name, const std::string& text) const
{
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    Platform_WriteWholeFile(File(name), text.data(), text.size());
}

void CScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    Platform_WriteWholeFile(File(name), bytes.data(), bytes.size());
}

std::vector<uint8_t> GameAroundMainBody(const CStream& body)
{
    CStream outer;
    outer.WriteInteger(0);
    outer.WriteBoolean(false);
    outer.WriteInteger(0);
    GameSettings().SaveToStream(outer);
    outer.WriteString("D3DX8.dll");
    outer.WriteStreamC(CStream());
    uint32_t z = 12345, w = 67890;
    outer.WriteStreamE(body, z, w);
    return WriteGameContainer({}, outer.Bytes(), 99);
}

CStream MainBodyHeader()
{
    CStream body;
    body.WriteInteger(0); // filler count
    body.WriteInteger(0); // reserved
    body.WriteInteger(1); // game id
    for (int k = 0; k < 4; ++k)
        body.WriteInteger(0);
    return body;
}

RValue Test_CallFunction(const std::string& name, const std::vector<RValue>& arguments, CInstance* self,
                         CInstance* other)
{
    int32_t number = -1;
    const RFunction* function = Function_Find(name, number) ? Function_Get(number) : nullptr;
    EXPECT_TRUE(function && function->f_routine) << name << " has no routine";
    if (!function || !function->f_routine)
        return RValue();
    // Room for every argument a call can pass, as the executor gives.
    std::vector<RValue> args(std::max<size_t>(arguments.size(), kMaxCallArguments));
    std::copy(arguments.begin(), arguments.end(), args.begin());
    RValue result;
    CExecutionContext context(self, other);
    function->f_routine(context, result, static_cast<int>(arguments.size()), args.data());
    return result;
}
