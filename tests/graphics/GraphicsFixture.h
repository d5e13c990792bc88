// A display on the null window and device, with the graphics functions
// registered, so that script functions can be called as a game calls them.
#pragma once

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/GameSettings.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Graphics.h"
#include "graphics/WindowState.h"
#include "platform/NullVideo.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <initializer_list>

class GraphicsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings.Reset();
        Error_Reset();
        Error_Last.clear();
        Graphics_RegisterFunctions();
        ASSERT_TRUE(Function_RegisterAll());
        auto window = std::make_unique<CNullGameWindow>();
        g_window = window.get();
        Display_Open(std::move(window));
        ASSERT_TRUE(Display_CreateDevice(640, 480, false));
        g_device = static_cast<CNullRenderDevice*>(Display_Device());
        g_device->KeepSentVertices(true);
        Draw_ResetState(false);
    }
    void TearDown() override
    {
        Display_Close();
        Settings.Reset();
    }

    // Calls a built-in function by name with the given arguments.
    static RValue Call(const char* name, std::initializer_list<RValue> arguments = {})
    {
        return Test_CallFunction(name, arguments);
    }
    static double Real(const char* name, std::initializer_list<RValue> arguments = {})
    {
        return Call(name, arguments).val;
    }

    CNullGameWindow* g_window = nullptr;
    CNullRenderDevice* g_device = nullptr;
};
