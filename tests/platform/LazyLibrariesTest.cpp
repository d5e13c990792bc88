// The libraries opened on first use: each opens with every function the
// runner calls, a missing one is an error rather than a crash, and a call
// made before anyone opened its library still arrives with its arguments.
#include "platform/LazyLibraries.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

// Called through its stand-in; no SDL header reaches the tests.
extern "C" int SDL_snprintf(char* text, size_t size, const char* format, ...);

namespace {

#ifdef BRINDLE_LAZY_LINK
// The first call of a library goes through the resolver, which must hand on
// every argument register and the stack: a variadic call with integers and
// pointers past the sixth, and doubles (whose count travels in a register
// of its own). Run in a child, where nothing has opened the library yet
// when the test runs alone, as CTest runs each.
TEST(LazyLibrariesTest, TheFirstCallOpensTheLibraryAndKeepsEveryArgument)
{
    EXPECT_EXIT(
        {
            char text[96] = {};
            const int length =
                SDL_snprintf(text, sizeof text, "%d %d %d %d %.1f %.1f %s %d", 1, 2, 3, 4, 1.5, 2.5, "end", 9);
            const bool same = std::strcmp(text, "1 2 3 4 1.5 2.5 end 9") == 0 && length == 21;
            std::exit(same && Platform_IsLibraryLoaded(kLazySdl) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
#endif

TEST(LazyLibrariesTest, EveryLibraryOpensWithEveryFunctionItIsCalledFor)
{
    for (int k = 0; k < kLazyLibraryCount; ++k) {
        std::string error;
        EXPECT_TRUE(Platform_LoadLibraries({static_cast<ELazyLibrary>(k)}, error)) << k << ": " << error;
        EXPECT_TRUE(Platform_IsLibraryLoaded(static_cast<ELazyLibrary>(k))) << k;
    }
    std::string error;
    EXPECT_TRUE(Platform_LoadVideoLibraries(error)) << error;
}

TEST(LazyLibrariesTest, AMissingLibraryOrFunctionIsReportedAndChangesNothing)
{
    struct RCase {
        const char* soname;
        const char* function;
        const char* expected;
    } cases[] = {
        {"libbrindle-absent.so.7", "strlen", "the library libbrindle-absent.so.7 cannot be loaded"},
        {"libc.so.6", "brindle_no_such_function", "the library libc.so.6 has no function brindle_no_such_function"},
    };
    for (const RCase& c : cases) {
        int marker = 0;
        RLazySymbol present{&marker, "strlen", 0};
        RLazySymbol asked{&marker, c.function, 0};
        RLazySymbol* const symbols[] = {&present, &asked};
        std::string error;
        EXPECT_FALSE(Platform_OpenLibraryTable(c.soname, symbols, 2, error)) << c.soname;
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << error;
        // No slot half filled: a library is all there or not at all.
        EXPECT_EQ(present.target, &marker);
        EXPECT_EQ(asked.target, &marker);
    }
}


} // namespace
