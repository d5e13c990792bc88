// The shared random generator and the built-ins that draw from it. Expected
// draws are worked out by hand from seed' = seed × 134775813 + 1 (mod 2^32):
// from seed 1 the seeds run 134775814, 3698175007, 870078620, 1172187917.
#include "library/Random.h"
#include "tests/library/LibraryFixture.h"

#include <cmath>
#include <set>

TEST_F(LibraryFixture, SeedOneGivesTheSameSequenceInEveryRun)
{
    Call("random_set_seed", {1});
    // (134775814 × 100) >> 32 = 13477581400 / 4294967296 = 3.14 → 3
    EXPECT_EQ(Call("irandom", {99}).val, 3);
    // (3698175007 × 100) >> 32 = 86.1 → 86
    EXPECT_EQ(Call("irandom", {99}).val, 86);
    // 3698175007 read as a signed 32-bit integer
    EXPECT_EQ(Call("random_get_seed", {}).val, 3698175007.0 - 4294967296.0);

    Call("random_set_seed", {1});
    EXPECT_EQ(Call("random", {1}).val, 134775814 / 4294967296.0);
    EXPECT_EQ(Call("random", {10}).val, 3698175007 / 4294967296.0 * 10);
    EXPECT_EQ(Call("random_range", {10, 20}).val, 10 + 870078620 / 4294967296.0 * 10);
    EXPECT_EQ(Random_GetSeed(), 870078620u);

    Call("random_set_seed", {1});
    EXPECT_EQ(Call("irandom_range", {1, 100}).val, 1 + 3); // the same draw as irandom(99), moved up by 1
}

TEST_F(LibraryFixture, SeedIsRoundedAndTakenModulo2To32)
{
    struct {
        double given;
        double read;
    } cases[] = {
        {-1, -1},          {4294967297.0, 1}, {2.5, 2},     {3.5, 4},
        {2147483648.0, -2147483648.0},        {1e300, 0},   {NAN, 0},
        {-4294967296.0 * 3 - 7, -7},
    };
    for (const auto& c : cases) {
        Call("random_set_seed", {c.given});
        EXPECT_EQ(Call("random_get_seed", {}).val, c.read) << c.given;
    }
}

TEST_F(LibraryFixture, IntegerDrawsStayInTheirRange)
{
    Random_SetSeed(12345);
    for (int k = 0; k < 50; ++k) {
        EXPECT_EQ(Call("irandom", {0}).val, 0);
        EXPECT_EQ(Call("irandom", {0.9}).val, 0);
        EXPECT_EQ(Call("irandom_range", {3, 3}).val, 3);
        EXPECT_EQ(Call("irandom_range", {3.2, 3.9}).val, 3);
    }

    // Every value of a small range turns up, none outside it; bounds given
    // in either order or below zero name the same kind of range.
    struct {
        const char* name;
        std::vector<RValue> arguments;
        std::set<double> values;
    } ranges[] = {
        {"irandom", {2.7}, {0, 1, 2}},
        {"irandom", {-2}, {-2, -1, 0}},
        {"irandom_range", {-1, 1}, {-1, 0, 1}},
        {"irandom_range", {5, 3}, {3, 4, 5}},
        {"irandom_range", {2.5, 4.9}, {2, 3, 4}},
    };
    for (const auto& range : ranges) {
        std::set<double> seen;
        for (int k = 0; k < 300; ++k)
            seen.insert(Call(range.name, range.arguments).val);
        EXPECT_EQ(seen, range.values) << range.name << "(" << range.arguments[0].val << ", ...)";
    }
}

TEST_F(LibraryFixture, CountsBeyond32BitsUseTheWholeRange)
{
    // From seed 1 the first draw is 134775814 / 2^32 of the way up.
    Random_SetSeed(1);
    EXPECT_EQ(Call("irandom", {1e10}).val, std::floor(134775814 / 4294967296.0 * (1e10 + 1)));
    Random_SetSeed(1);
    EXPECT_EQ(Call("irandom_range", {-2147483648.0, 2147483647.0}).val, -2147483648.0 + 134775814);
    // No range to draw from: 0, and the sequence is left alone.
    Random_SetSeed(7);
    EXPECT_EQ(Call("irandom", {INFINITY}).val, 0);
    EXPECT_EQ(Call("irandom_range", {0, NAN}).val, 0);
    EXPECT_EQ(Random_GetSeed(), 7u);
}

TEST_F(LibraryFixture, ChooseReturnsAnArgumentOfAnyKind)
{
    Random_SetSeed(1);
    // (134775814 × 3) >> 32 = 0, then (3698175007 × 3) >> 32 = 2
    RValue first = Call("choose", {"a", 2, "c"});
    EXPECT_EQ(Describe(first), "'a'");
    RValue second = Call("choose", {"a", 2, "c"});
    EXPECT_EQ(Describe(second), "'c'");
    EXPECT_EQ(Describe(Call("choose", {})), "0");
    EXPECT_EQ(Random_GetSeed(), 3698175007u); // no draw without arguments
}

TEST_F(LibraryFixture, GeneratorDrawsForOtherModules)
{
    Random_SetSeed(0);
    EXPECT_EQ(Random_Next(), 1u);
    Random_SetSeed(0xFFFFFFFFu);
    EXPECT_EQ(Random_Next(), 0xFFFFFFFFu * 134775813u + 1u);
    EXPECT_EQ(Random_Below(0), 0u);
    Random_SetSeed(0xFFFFFFFEu);
    EXPECT_LT(Random_Real(), 1.0);
    EXPECT_LT(Random_Below(10), 10u);
}
