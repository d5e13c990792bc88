// Calls the library's built-ins by name, the way the executor does:
// sixteen argument slots, the unused ones the real 0, the result preset to
// the real 0. Errors are recorded quietly and read back without their heading.
#pragma once

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/FunctionCatalogue.h"
#include "data/GameSettings.h"
#include "library/DataStructures.h"
#include "library/DsValues.h"
#include "library/MathFunctions.h"
#include "library/MiscFunctions.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class LibraryFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Library_RegisterMath();
        Library_RegisterDataStructures();
        Library_RegisterMiscFunctions();
        std::string strays;
        ASSERT_TRUE(Function_RegisterAll(&strays)) << strays;
    }
    void SetUp() override
    {
        Settings.Reset();
        Settings.ShowErrorMessages = false;
        CurrentEvent = RCurrentEvent{};
        Error_Reset();
        Ds_DestroyAll();
        Ds_SetPrecision(1e-8);
    }
    void TearDown() override
    {
        Settings.Reset();
        Error_Reset();
    }

    static RValue Call(const std::string& name, const std::vector<RValue>& arguments)
    {
        return Test_CallFunction(name, arguments);
    }

    // The message of the last error reported, without the event heading;
    // empty when none was reported since the last Error_Reset.
    static std::string Reported()
    {
        if (!Error_Occurred)
            return "";
        const std::string heading = Error_EventHeading(false);
        EXPECT_EQ(Error_Last.compare(0, heading.size(), heading), 0) << Error_Last;
        return Error_Last.substr(heading.size());
    }

    // "'text'" for a string, the shortest exact digits for a real: a
    // mismatch shows both kind and value.
    static std::string Describe(const RValue& value)
    {
        if (value.kind == VALUE_STRING)
            return "'" + value.str.Text() + "'";
        char text[32];
        std::snprintf(text, sizeof(text), "%.17g", value.val);
        return text;
    }
};

// One call and what it must give, for tables of cases.
struct RCallCase {
    std::string name;
    std::vector<RValue> arguments;
    RValue expected;
};

inline std::string CaseName(const RCallCase& c)
{
    std::string text = c.name + "(";
    for (size_t k = 0; k < c.arguments.size(); ++k) {
        if (k)
            text += ", ";
        text += c.arguments[k].kind == VALUE_STRING ? "'" + c.arguments[k].str.Text() + "'"
                                                    : std::to_string(c.arguments[k].val);
    }
    return text + ")";
}
