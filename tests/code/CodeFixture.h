// A small language environment for compiler tests: a few built-in variables,
// functions and constants registered by hand, and empty resource lists.
#pragma once

#include "code/Code.h"
#include "code/Constants.h"
#include "code/Functions.h"
#include "code/Variables.h"
#include "data/GameSettings.h"
#include "data/Resources.h"

#include <gtest/gtest.h>

class CodeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings.Reset();
        ClearResources();
        Function_Clear();
        Constant_Clear();
        Variable_ClearBuiltins();
        Variable_AddBuiltin("argument_relative", nullptr, nullptr, false);
        for (int k = 0; k < 16; ++k)
            Variable_AddBuiltin("argument" + std::to_string(k), nullptr, nullptr, true);
        Variable_AddBuiltin("argument", nullptr, nullptr, true);
        Variable_AddBuiltin("argument_count", nullptr, nullptr, false);
        for (const char* name : {"x", "y", "speed", "id"})
            Variable_AddBuiltin(name, nullptr, nullptr, true);
        Function_Add("draw_text", nullptr, 3);
        Function_Add("f", nullptr, kAnyArgumentCount);
        Function_Add("g", nullptr, 0);
        Function_Add("h", nullptr, 2);
        struct {
            const char* name;
            double value;
        } constants[] = {{"self", -1}, {"other", -2}, {"all", -3}, {"noone", -4}, {"global", -5},
                         {"local", -7}, {"true", 1},  {"false", 0}, {"c_red", 255}, {"c_blue", 16711680}};
        for (const auto& c : constants)
            Constant_Add(c.name, RValue(c.value));
    }
    void TearDown() override
    {
        ClearResources();
        Settings.Reset();
    }

    // Compiles and returns whether it worked; the message is in code.ErrorMessage().
    static bool CompileText(CCode& code, const std::string& text, bool isExpression = false)
    {
        code.Create(text, isExpression);
        return code.Compile();
    }
};
