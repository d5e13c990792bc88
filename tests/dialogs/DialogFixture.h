// Dialogs as an automated run meets them: a null display, the dialog and
// graphics functions registered, and answers queued by the test in place
// of an input script. What the dialogs say on standard error is captured.
#pragma once

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/FunctionCatalogue.h"
#include "data/GameData.h"
#include "data/GameSettings.h"
#include "dialogs/Dialogs.h"
#include "graphics/Display.h"
#include "graphics/Graphics.h"
#include "platform/NullVideo.h"
#include "platform/RegistryStore.h"
#include "tests/support/TestSupport.h"
#include "world/Input.h"
#include "world/StepLoop.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>

class DialogFixture : public ::testing::Test {
protected:
    static std::deque<RDialogAnswer>& Answers()
    {
        static std::deque<RDialogAnswer> answers;
        return answers;
    }

    void SetUp() override
    {
        Settings.Reset();
        Settings.ShowErrorMessages = false;
        Error_Reset();
        CurrentEvent = RCurrentEvent{};
        Graphics_RegisterFunctions();
        Dialogs_RegisterFunctions();
        ASSERT_TRUE(Function_RegisterAll());
        Display_Open(std::make_unique<CNullGameWindow>());
        ASSERT_TRUE(Display_CreateDevice(640, 480, false));
        Platform_SetRegistryFolder(d_scratch.Path());
        GameId = 4321;
        Answers().clear();
        DialogHooks.takeAnswer = [](RDialogAnswer& answer) {
            if (Answers().empty())
                return false;
            answer = Answers().front();
            Answers().pop_front();
            return true;
        };
        Dialogs_SetAutomated(true);
        StepLoop_SetClock(&VirtualStepClock()); // splash timers pass at once
        Input_Reset();
        ::testing::internal::CaptureStderr();
    }
    void TearDown() override
    {
        ::testing::internal::GetCapturedStderr();
        DialogHooks = RDialogHooks();
        StepLoop_SetClock(nullptr);
        Display_Close();
        Settings.Reset();
        Error_Reset();
    }

    static void Answer(EDialogAnswer kind, int32_t number = 0, std::string text = "")
    {
        Answers().push_back({kind, number, std::move(text)});
    }
    static RValue Call(const char* name, std::initializer_list<RValue> arguments = {})
    {
        return Test_CallFunction(name, arguments);
    }
    // What was written on standard error since the last look.
    static std::string Said()
    {
        std::string text = ::testing::internal::GetCapturedStderr();
        ::testing::internal::CaptureStderr();
        return text;
    }
    // The last error reported, without its heading; empty when none was.
    static std::string Reported()
    {
        if (!Error_Occurred)
            return "";
        const std::string heading = Error_EventHeading(false);
        return Error_Last.compare(0, heading.size(), heading) == 0 ? Error_Last.substr(heading.size()) : Error_Last;
    }

    CScratchFolder d_scratch;
};
