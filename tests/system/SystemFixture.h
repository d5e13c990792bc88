// Calls the file module's built-ins by name, the way the executor does, in a
// fresh working directory with its own data and registry folders, so no test
// sees another's files or the user's own. Errors are recorded quietly and
// read back without their heading.
#pragma once

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/FunctionCatalogue.h"
#include "data/GameSettings.h"
#include "platform/Files.h"
#include "platform/RegistryStore.h"
#include "system/FileFunctions.h"
#include "world/GameState.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class SystemFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        System_ImplementFileFunctions();
        std::string strays;
        ASSERT_TRUE(Function_RegisterAll(&strays)) << strays;
    }
    void SetUp() override
    {
        Settings.Reset();
        Settings.ShowErrorMessages = false;
        CurrentEvent = RCurrentEvent{};
        Error_Reset();
        GameState.secureMode = false;
        s_folder = std::make_unique<CScratchFolder>();
        s_previous = std::filesystem::current_path();
        std::filesystem::create_directories(Folder() + "/work");
        std::filesystem::current_path(Folder() + "/work");
        setenv("XDG_DATA_HOME", (Folder() + "/data").c_str(), 1);
        Platform_SetRegistryFolder(Folder() + "/registry");
        Call("registry_set_root", {0});
    }
    void TearDown() override
    {
        System_CloseFiles();
        std::filesystem::current_path(s_previous);
        unsetenv("XDG_DATA_HOME");
        GameState.secureMode = false;
        Settings.Reset();
        Error_Reset();
        s_folder.reset();
    }

    // The scratch folder; the working directory is its "work" folder.
    const std::string& Folder() const { return s_folder->Path(); }
    std::string Work(const std::string& name) const { return Folder() + "/work/" + name; }

public:
    static void WriteFile(const std::string& hostPath, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
        Platform_WriteWholeFile(hostPath, bytes.data(), bytes.size());
    }
    static std::string ReadFile(const std::string& hostPath)
    {
        std::vector<uint8_t> bytes;
        if (!Platform_ReadWholeFile(hostPath, bytes))
            return "<missing>";
        return std::string(bytes.begin(), bytes.end());
    }

    static RValue Call(const std::string& name, const std::vector<RValue>& arguments)
    {
        return Test_CallFunction(name, arguments);
    }
    static double Real(const std::string& name, const std::vector<RValue>& arguments)
    {
        RValue result = Call(name, arguments);
        EXPECT_EQ(result.kind, VALUE_REAL) << name;
        return result.val;
    }
    static std::string Text(const std::string& name, const std::vector<RValue>& arguments)
    {
        RValue result = Call(name, arguments);
        EXPECT_EQ(result.kind, VALUE_STRING) << name;
        return result.str.Text();
    }

protected:
    // The message of the last error reported, without the event heading, and
    // forgets it; empty when none was reported.
    static std::string Reported()
    {
        if (!Error_Occurred)
            return "";
        const std::string heading = Error_EventHeading(false);
        EXPECT_EQ(Error_Last.compare(0, heading.size(), heading), 0) << Error_Last;
        std::string message = Error_Last.substr(heading.size());
        Error_Reset();
        return message;
    }

private:
    std::unique_ptr<CScratchFolder> s_folder;
    std::filesystem::path s_previous;
};
