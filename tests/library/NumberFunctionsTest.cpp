// Built-ins on reals: rounding, arithmetic, trigonometry, aggregates and
// vectors, with the messages of their domain errors, and the registration
// of the whole module.
#include "tests/library/LibraryFixture.h"

#include <cmath>
#include <string_view>

TEST_F(LibraryFixture, ExactResults)
{
    const RCallCase cases[] = {
        {"is_real", {1}, 1},
        {"is_real", {"1"}, 0},
        {"is_string", {"1"}, 1},
        {"is_string", {1}, 0},
        {"abs", {-3.5}, 3.5},
        // Rounding: ties to even, floor and ceil toward their side.
        {"round", {2.5}, 2},
        {"round", {3.5}, 4},
        {"round", {-2.5}, -2},
        {"round", {-0.4}, 0},
        {"round", {1e20}, 1e20}, // beyond 64 bits: already whole, unchanged
        {"floor", {-1.5}, -2},
        {"floor", {2.9}, 2},
        {"floor", {1e10}, 1e10}, // beyond 32 bits: the exact floor
        {"ceil", {1.2}, 2},
        {"ceil", {-1.5}, -1},
        {"ceil", {-1e10 - 0.5}, -1e10},
        {"frac", {-1.25}, -0.25},
        {"frac", {3}, 0},
        {"frac", {INFINITY}, 0},
        // sign: exactly 1e-13 either side counts as a sign.
        {"sign", {1e-14}, 0},
        {"sign", {-1e-14}, 0},
        {"sign", {0}, 0},
        {"sign", {1e-13}, 1},
        {"sign", {-1e-13}, -1},
        {"sign", {-5}, -1},
        {"sign", {7}, 1},
        {"sqrt", {16}, 4},
        {"sqrt", {0}, 0},
        {"sqr", {-3}, 9},
        {"exp", {0}, 1},
        {"exp", {-1000}, 0}, // underflow is no error
        {"ln", {1}, 0},
        {"log2", {8}, 3},
        {"log10", {1000}, 3},
        {"power", {2, 10}, 1024},
        {"power", {-2, 3}, -8},
        {"power", {0, 0}, 1},
        {"logn", {2, 8}, 3},
        {"arctan2", {0, -1}, M_PI},
        {"arctan2", {-0.0, -1}, M_PI}, // a negative zero y stays on the upper side
        {"arctan2", {0, 0}, 0},
        {"degtorad", {180}, 180 * 0.017453292519943295769},
        {"radtodeg", {1}, 57.295779513082320877},
        // Aggregates.
        {"mean", {1, 2, 3, 4}, 2.5},
        {"mean", {}, 0},
        {"mean", {"a", 3}, 1.5}, // a string's real part is 0
        {"median", {1, 2, 3, 4}, 2},
        {"median", {3, 1, 2}, 2},
        {"median", {5, 5, 1, 1}, 1},
        {"median", {7}, 7},
        {"median", {}, 0},
        // Vectors: dot_product is the cosine of the angle between them.
        {"dot_product", {1, 0, 0, 1}, 0},
        {"dot_product", {2, 0, 3, 0}, 1},
        {"dot_product", {0, 0, 1, 1}, 0}, // a zero vector has no angle
        {"dot_product_3d", {0, 0, 1, 0, 0, 5}, 1},
        {"dot_product_3d", {0, 0, 0, 1, 2, 3}, 0},
        {"point_distance", {1, 1, 4, 5}, 5},
        {"point_distance_3d", {1, 1, 1, 3, 4, 7}, 7},
        // Directions counter-clockwise with y growing downwards.
        {"point_direction", {0, 0, 1, -1}, 45},
        {"point_direction", {0, 0, -1, 0}, 180},
        {"point_direction", {0, 0, 1, 0}, 0},
        {"point_direction", {0, 0, 1, 1}, 315},
        {"point_direction", {5, 5, 5, 9}, 270},
        {"point_direction", {5, 5, 5, 1}, 90},
        {"point_direction", {5, 5, 5, 5}, 0},
        // Within 1e-4 of a whole number snaps to it.
        {"lengthdir_x", {10, 90}, 0},
        {"lengthdir_y", {10, 90}, -10},
        {"lengthdir_x", {10, 60}, 5},
        {"lengthdir_y", {10, 180}, 0},
        {"lengthdir_x", {1, 0.5}, 1}, // cos(0.5°) = 0.99996
        {"lengthdir_y", {3, 270}, 3},
    };
    for (const RCallCase& c : cases) {
        Error_Reset();
        const RValue result = Call(c.name, c.arguments);
        EXPECT_EQ(Describe(result), Describe(c.expected)) << CaseName(c);
        EXPECT_EQ(Reported(), "") << CaseName(c);
    }
}

TEST_F(LibraryFixture, ResultsWithinRounding)
{
    const RCallCase cases[] = {
        {"sin", {M_PI / 6}, 0.5},
        {"cos", {M_PI / 3}, 0.5},
        {"tan", {M_PI / 4}, 1},
        {"arcsin", {1}, M_PI / 2},
        {"arccos", {-1}, M_PI},
        {"arctan", {1}, M_PI / 4},
        {"arctan2", {1, 0}, M_PI / 2},
        {"arctan2", {-1, -1}, -3 * M_PI / 4},
        {"power", {9, 0.5}, 3},
        {"logn", {10, 0.001}, -3},
        {"dot_product", {1, 0, 1, 1}, M_SQRT1_2},
        {"dot_product", {1, 1, -2, -2}, -1},
        {"dot_product_3d", {1, 2, 2, 2, 4, 4}, 1},
        {"lengthdir_x", {10, 45}, 10 * M_SQRT1_2}, // far from whole: not snapped
        {"lengthdir_y", {10, 45}, -10 * M_SQRT1_2},
        {"point_direction", {0, 0, 1, -2}, 63.43494882292201},
    };
    for (const RCallCase& c : cases) {
        const RValue result = Call(c.name, c.arguments);
        EXPECT_NEAR(result.val, c.expected.val, 1e-12) << CaseName(c);
    }
}

TEST_F(LibraryFixture, DomainErrorsReportTheirMessageAndLeaveZero)
{
    struct {
        const char* name;
        std::vector<RValue> arguments;
        const char* message;
    } cases[] = {
        {"sqrt", {-1}, "Cannot apply sqrt to negative number."},
        {"sqrt", {-INFINITY}, "Cannot apply sqrt to negative number."},
        {"exp", {1000}, "Error in function exp()."},
        {"ln", {0}, "Error in function ln()."},
        {"ln", {-1}, "Error in function ln()."},
        {"log2", {0}, "Error in function log2()."},
        {"log10", {-1}, "Error in function log10()."},
        {"arcsin", {1.5}, "Error in function arcsin()."},
        {"arccos", {-2}, "Error in function arccos()."},
        {"arctan", {NAN}, "Error in function arctan()."},
        {"arctan2", {NAN, 1}, "Error in function arctan2()."},
        {"power", {0, -1}, "Error in function power()."},       // division by zero
        {"power", {-8, 1.0 / 3}, "Error in function power()."}, // no real root
        {"power", {10, 400}, "Error in function power()."},     // overflow
        {"logn", {1, 5}, "Error in function logn()."},          // base 1
        {"logn", {0, 5}, "Error in function logn()."},
        {"logn", {-2, 8}, "Error in function logn()."},
        {"logn", {2, 0}, "Error in function logn()."},
    };
    for (const auto& c : cases) {
        Error_Reset();
        const RValue result = Call(c.name, c.arguments);
        EXPECT_EQ(Describe(result), "0") << c.name;
        EXPECT_EQ(Reported(), c.message) << c.name;
    }
}

TEST_F(LibraryFixture, ErrorsAreShownWithTheRunningEvent)
{
    // Shown, not fatal: the game goes on and error_last holds the whole text.
    CurrentEvent.object = 0;
    CurrentEvent.type = 0; // create
    CurrentEvent.action = 1;
    Call("sqrt", {-4});
    EXPECT_EQ(Error_Last, "ERROR in\r\naction number 2\r\nof Create Event\r\nfor object <undefined>:\r\n\r\n"
                          "Cannot apply sqrt to negative number.");
    EXPECT_TRUE(Error_Occurred);
    EXPECT_FALSE(Error_Terminating);
}

TEST_F(LibraryFixture, MinAndMaxCompareInTheKindTheyHold)
{
    const RCallCase cases[] = {
        // 'a' replaces 3 by its real part (0), then 1 replaces 'a' by its
        // string part ("" sorts before "a").
        {"min", {3, "a", 1}, 1},
        {"max", {3, "a", 1}, 3},
        {"max", {"a", "b", 3}, "b"},
        {"min", {"b", "a", "B"}, "B"},
        {"max", {"z", "\xE9"}, "\xE9"}, // bytes compare unsigned
        {"min", {0, "x"}, 0},           // ties keep the earlier argument
        {"min", {"", 5}, ""},
        {"min", {}, 0},
        {"max", {-1, -7, 4, 2}, 4},
        {"min3", {5, 1, 3}, 1},
        {"max3", {5, 1, 9}, 9},
        {"max3", {"x", "y", 2}, "y"},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
}

TEST_F(LibraryFixture, EveryMathFunctionIsRegisteredWithARoutine)
{
    Library_RegisterMath();
    std::string strays;
    ASSERT_TRUE(Function_RegisterAll(&strays)) << "not in the catalogue: " << strays;
    int counted = 0;
    for (size_t m = 0; m < kFunctionCatalogueModules; ++m) {
        if (std::string_view(kFunctionCatalogue[m].name) != "Function_Math")
            continue;
        for (const RCatalogueEntry& entry : kFunctionCatalogue[m].entries) {
            int32_t number = -1;
            ASSERT_TRUE(Function_Find(entry.name, number)) << entry.name;
            EXPECT_NE(Function_Get(number)->f_routine, nullptr) << entry.name;
            ++counted;
        }
    }
    EXPECT_EQ(counted, 66);
}
