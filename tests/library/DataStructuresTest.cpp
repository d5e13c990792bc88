// The ds_* built-ins: ids, the comparison with its precision, each kind's
// operations and edge cases, the stored text (byte for byte, since save files
// keep it) and what damaged texts and bad ids do.
#include "code/FunctionCatalogue.h"
#include "library/DsGrid.h"
#include "library/Random.h"
#include "tests/library/LibraryFixture.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

const std::string kMissing = "Data structure with index does not exist.";

// A stored real 0 with an empty string: kind, real, string length.
const std::string kStoredZero = "00000000" "0000000000000000" "00000000";

std::string Repeat(const std::string& text, int times)
{
    std::string out;
    for (int k = 0; k < times; ++k)
        out += text;
    return out;
}

} // namespace

class DataStructures : public LibraryFixture {
protected:
    // The values of a list, in order, described.
    static std::vector<std::string> ListValues(double list)
    {
        std::vector<std::string> values;
        const int size = static_cast<int>(Call("ds_list_size", {list}).val);
        for (int k = 0; k < size; ++k)
            values.push_back(Describe(Call("ds_list_find_value", {list, k})));
        return values;
    }
    static double NewList(const std::vector<RValue>& values)
    {
        const double list = Call("ds_list_create", {}).val;
        for (const RValue& value : values)
            Call("ds_list_add", {list, value});
        return list;
    }
};

// ---------------------------------------------------------------- ids and errors

TEST_F(DataStructures, IdsTakeTheLowestFreeSlotPerKind)
{
    EXPECT_EQ(Call("ds_list_create", {}).val, 0);
    EXPECT_EQ(Call("ds_list_create", {}).val, 1);
    EXPECT_EQ(Call("ds_list_create", {}).val, 2);
    EXPECT_EQ(Call("ds_map_create", {}).val, 0); // kinds are numbered on their own
    EXPECT_EQ(Call("ds_grid_create", {2, 2}).val, 0);

    Call("ds_list_destroy", {0});
    Call("ds_list_destroy", {1});
    EXPECT_EQ(Call("ds_list_create", {}).val, 0);
    EXPECT_EQ(Call("ds_list_create", {}).val, 1);
    EXPECT_EQ(Call("ds_list_create", {}).val, 3);
    Call("ds_list_destroy", {3});
    Call("ds_list_destroy", {2});
    EXPECT_EQ(Call("ds_list_create", {}).val, 2);
    EXPECT_EQ(Reported(), "");

    Call("ds_list_add", {1.4, "rounded id"}); // 1.4 rounds to list 1
    EXPECT_EQ(Describe(Call("ds_list_find_value", {1, 0})), "'rounded id'");
}

// Every function that takes an id reports a missing one and gives the real 0.
TEST_F(DataStructures, EveryFunctionReportsAMissingId)
{
    const RCatalogueModule* module = nullptr;
    for (size_t m = 0; m < kFunctionCatalogueModules; ++m)
        if (std::string(kFunctionCatalogue[m].name) == "Function_Data_Structures")
            module = &kFunctionCatalogue[m];
    ASSERT_NE(module, nullptr);
    Call("ds_list_create", {}); // list 0 exists, so a copy into it still needs its source
    Call("ds_grid_create", {1, 1});
    int checked = 0;
    for (const RCatalogueEntry& entry : module->entries) {
        const std::string name = entry.name;
        if (name.ends_with("_create") || name == "ds_set_precision")
            continue;
        for (const RValue& id : {RValue(5), RValue(-1), RValue(0.5e9)}) {
            Error_Reset();
            std::vector<RValue> args(std::max(entry.argnumb, 1), RValue(1));
            args[0] = id;
            const RValue result = Call(name, args);
            EXPECT_EQ(Reported(), kMissing) << name << " with id " << Describe(id);
            EXPECT_EQ(Describe(result), "0") << name;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 110 - 7);

    Error_Reset();
    Call("ds_list_copy", {0, 9}); // the source is checked too
    EXPECT_EQ(Reported(), kMissing);
    Error_Reset();
    Call("ds_grid_add_grid_region", {0, 9, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Reported(), kMissing);
    Error_Reset();
    Call("ds_list_destroy", {0});
    Call("ds_list_destroy", {0}); // a second destroy names nothing
    EXPECT_EQ(Reported(), kMissing);
}

// ---------------------------------------------------------------- comparison

TEST_F(DataStructures, ComparisonUsesThePrecisionForRealsAndCodesForStrings)
{
    const struct {
        RValue a, b;
        int order;
    } cases[] = {
        {0.3, 0.300000001, 0},    // within the default 1e-8
        {0.3, 0.30000002, -1},
        {1e20, 1e20 + 1e5, 1 - 2}, // a fixed precision is absolute
        {"a", "b", -1},
        {"ab", "a", 1},            // a proper prefix is smaller
        {"B", "a", -1},            // by character code: upper case first
        {"\xE9", "z", 1},          // codes above 127 count as 128 to 255
        {1e9, "", -1},             // every real before every string
        {"0", 0, 1},
        {NAN, -INFINITY, -1},      // not-a-number before every real
        {NAN, NAN, 0},
        {INFINITY, INFINITY, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Ds_Compare(c.a, c.b), c.order) << Describe(c.a) << " vs " << Describe(c.b);
        EXPECT_EQ(Ds_Compare(c.b, c.a), -c.order) << Describe(c.b) << " vs " << Describe(c.a);
    }
}

TEST_F(DataStructures, PrecisionZeroMeansRelativeOneInATrillion)
{
    const double list = NewList({0.3});
    EXPECT_EQ(Call("ds_list_find_index", {list, 0.300000001}).val, 0);
    Call("ds_set_precision", {0});
    EXPECT_EQ(Call("ds_list_find_index", {list, 0.300000001}).val, -1);
    EXPECT_EQ(Ds_Compare(1e6, 1e6 + 1e-7), 0);  // 1e6 × 1e-12 = 1e-6
    EXPECT_EQ(Ds_Compare(1e6, 1e6 + 1e-5), -1);
    EXPECT_EQ(Ds_Compare(0, 5e-13), 0);         // at least 1e-12

    Call("ds_set_precision", {-0.5}); // its size is what counts
    EXPECT_EQ(Ds_Precision(), 0.5);
    EXPECT_EQ(Call("ds_list_find_index", {list, 0.79}).val, 0);
    Call("ds_set_precision", {NAN});
    EXPECT_EQ(Reported(), "Error in function ds_set_precision(): the precision is not a number.");
    EXPECT_EQ(Ds_Precision(), 0.5);
}

// ---------------------------------------------------------------- stacks and queues

TEST_F(DataStructures, StackAndQueueOrder)
{
    const double stack = Call("ds_stack_create", {}).val;
    const double queue = Call("ds_queue_create", {}).val;
    for (const RValue& value : {RValue(1), RValue("two"), RValue(3)}) {
        Call("ds_stack_push", {stack, value});
        Call("ds_queue_enqueue", {queue, value});
    }
    EXPECT_EQ(Call("ds_stack_size", {stack}).val, 3);
    EXPECT_EQ(Describe(Call("ds_stack_top", {stack})), "3");
    EXPECT_EQ(Describe(Call("ds_stack_pop", {stack})), "3");
    EXPECT_EQ(Describe(Call("ds_stack_pop", {stack})), "'two'");
    EXPECT_EQ(Describe(Call("ds_queue_head", {queue})), "1");
    EXPECT_EQ(Describe(Call("ds_queue_tail", {queue})), "3");
    EXPECT_EQ(Describe(Call("ds_queue_dequeue", {queue})), "1");
    EXPECT_EQ(Describe(Call("ds_queue_dequeue", {queue})), "'two'");
    EXPECT_EQ(Call("ds_queue_size", {queue}).val, 1);

    Call("ds_stack_clear", {stack});
    Call("ds_queue_clear", {queue});
    EXPECT_EQ(Call("ds_stack_empty", {stack}).val, 1);
    EXPECT_EQ(Call("ds_queue_empty", {queue}).val, 1);
    for (const char* name : {"ds_stack_pop", "ds_stack_top", "ds_queue_dequeue", "ds_queue_head", "ds_queue_tail"})
        EXPECT_EQ(Describe(Call(name, {0})), "0") << name;
    EXPECT_EQ(Reported(), "");
}

// The stored queue is its whole array: spent slots (emptied) and the spare
// slots up to the next multiple of 16.
TEST_F(DataStructures, QueueTextHoldsTheWholeArray)
{
    const double queue = Call("ds_queue_create", {}).val;
    EXPECT_EQ(Call("ds_queue_write", {queue}).str.Text(), "C9000000" "00000000" "00000000" "00000000");
    Call("ds_queue_enqueue", {queue, "a"});
    Call("ds_queue_enqueue", {queue, 20});
    Call("ds_queue_enqueue", {queue, "c"});
    Call("ds_queue_dequeue", {queue});
    const std::string expected = std::string("C9000000") + "03000000" + "01000000" + "10000000" + kStoredZero +
                                 "00000000" "0000000000003440" "00000000" +
                                 "01000000" "0000000000000000" "01000000" "63" + Repeat(kStoredZero, 13);
    EXPECT_EQ(Call("ds_queue_write", {queue}).str.Text(), expected);

    const double copy = Call("ds_queue_create", {}).val;
    Call("ds_queue_read", {copy, expected});
    EXPECT_EQ(Call("ds_queue_write", {copy}).str.Text(), expected);
    EXPECT_EQ(Describe(Call("ds_queue_head", {copy})), "20");
    Call("ds_queue_enqueue", {copy, 4}); // goes on after the read entries
    EXPECT_EQ(Describe(Call("ds_queue_tail", {copy})), "4");
    EXPECT_EQ(Call("ds_queue_size", {copy}).val, 3);
}

// Once more than 16 entries are spent and they are over half the used part,
// the rest moves to the front.
TEST_F(DataStructures, QueueMovesItsEntriesToTheFront)
{
    const double queue = Call("ds_queue_create", {}).val;
    for (int k = 0; k < 40; ++k)
        Call("ds_queue_enqueue", {queue, k});
    auto header = [&] { return Call("ds_queue_write", {queue}).str.Text().substr(8, 24); };
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(Call("ds_queue_dequeue", {queue}).val, k);
    EXPECT_EQ(header(), "28000000" "14000000" "30000000"); // 20 spent of 40: not over half yet
    EXPECT_EQ(Call("ds_queue_dequeue", {queue}).val, 20);
    EXPECT_EQ(header(), "13000000" "00000000" "30000000"); // 19 left, at the front; the array keeps 48 slots
    EXPECT_EQ(Describe(Call("ds_queue_head", {queue})), "21");
    EXPECT_EQ(Describe(Call("ds_queue_tail", {queue})), "39");
}

// ---------------------------------------------------------------- lists

TEST_F(DataStructures, ListPositionsOutsideDoNothing)
{
    const double list = NewList({"a", "b"});
    Call("ds_list_insert", {list, 2, "end"}); // size itself is allowed for insert
    Call("ds_list_insert", {list, 0, "front"});
    Call("ds_list_insert", {list, 5, "x"});
    Call("ds_list_insert", {list, -1, "x"});
    Call("ds_list_replace", {list, 4, "x"});
    Call("ds_list_replace", {list, 1.5, "A"}); // 1.5 rounds to 2
    Call("ds_list_delete", {list, 4});
    Call("ds_list_delete", {list, -1});
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"'front'", "'a'", "'A'", "'end'"}));
    Call("ds_list_delete", {list, 0});
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"'a'", "'A'", "'end'"}));
    EXPECT_EQ(Describe(Call("ds_list_find_value", {list, 3})), "0");
    EXPECT_EQ(Describe(Call("ds_list_find_value", {list, -1})), "0");
    EXPECT_EQ(Call("ds_list_find_index", {list, "end"}).val, 2);
    EXPECT_EQ(Call("ds_list_find_index", {list, "END"}).val, -1);
    EXPECT_EQ(Call("ds_list_find_index", {list, 0}).val, -1); // a real never equals a string
}

TEST_F(DataStructures, ListSortPutsRealsFirstAndOrdersEqualValues)
{
    double list = NewList({2, "a", 1});
    Call("ds_list_sort", {list, 1});
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"1", "2", "'a'"}));
    Call("ds_list_sort", {list, 0.4}); // below 0.5: descending
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"'a'", "2", "1"}));

    // 1 and 1.000000001 are equal under the precision: ascending keeps their
    // order, descending reverses it.
    list = NewList({1.000000001, 5, 1, "b", 0});
    Call("ds_list_sort", {list, 1});
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"0", "1.0000000010000001", "1", "5", "'b'"}));
    Call("ds_list_sort", {list, 0});
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"'b'", "5", "1", "1.0000000010000001", "0"}));
}

// The order is that of a step-by-step insertion sort; check a long list
// with many equal values against one.
TEST_F(DataStructures, ListSortMatchesInsertionSortOnLongLists)
{
    Random_SetSeed(7);
    std::vector<RValue> values;
    for (int k = 0; k < 300; ++k) {
        const uint32_t pick = Random_Below(40);
        // Equal values carry a tiny offset so their order can be seen.
        values.push_back(pick < 30 ? RValue(pick % 10 + k * 1e-12) : RValue(std::string(1, char('a' + pick % 3))));
    }
    for (const bool ascending : {true, false}) {
        std::vector<RValue> expected = values;
        for (size_t i = 1; i < expected.size(); ++i)
            for (size_t j = i; j > 0; --j) {
                const int order = Ds_Compare(expected[j - 1], expected[j]);
                if (ascending ? order <= 0 : order > 0)
                    break;
                std::swap(expected[j - 1], expected[j]);
            }
        const double list = NewList(values);
        Call("ds_list_sort", {list, ascending ? 1 : 0});
        std::vector<std::string> wanted;
        for (const RValue& value : expected)
            wanted.push_back(Describe(value));
        EXPECT_EQ(ListValues(list), wanted) << (ascending ? "ascending" : "descending");
    }
}

TEST_F(DataStructures, ShufflesDrawFromTheSharedGenerator)
{
    const double list = NewList({1, 2, 3, 4, 5, 6});
    Call("random_set_seed", {99});
    Call("ds_list_shuffle", {list});
    const std::vector<std::string> first = ListValues(list);
    // 8 × 6 swaps, two positions each.
    uint32_t seed = 99;
    for (int k = 0; k < 96; ++k)
        seed = seed * 134775813u + 1;
    EXPECT_EQ(Random_GetSeed(), seed);

    const double again = NewList({1, 2, 3, 4, 5, 6});
    Call("random_set_seed", {99});
    Call("ds_list_shuffle", {again});
    EXPECT_EQ(ListValues(again), first);
    std::vector<std::string> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_NE(first, sorted);

    const double grid = Call("ds_grid_create", {3, 2}).val;
    for (int k = 0; k < 6; ++k)
        Call("ds_grid_set", {grid, k / 2, k % 2, k});
    Call("random_set_seed", {5});
    Call("ds_grid_shuffle", {grid});
    seed = 5;
    for (int k = 0; k < 8 * 6 * 4; ++k) // two cells per swap, a column and a row each
        seed = seed * 134775813u + 1;
    EXPECT_EQ(Random_GetSeed(), seed);
    EXPECT_EQ(Call("ds_grid_get_sum", {grid, 0, 0, 2, 1}).val, 15);
}

// ---------------------------------------------------------------- maps

TEST_F(DataStructures, MapKeepsDuplicateKeysOldestFirst)
{
    const double map = Call("ds_map_create", {}).val;
    Call("ds_map_add", {map, "k", 1});
    Call("ds_map_add", {map, "k", 2});
    Call("ds_map_add", {map, "j", 3});
    EXPECT_EQ(Call("ds_map_size", {map}).val, 3);
    EXPECT_EQ(Describe(Call("ds_map_find_value", {map, "k"})), "1");
    Call("ds_map_replace", {map, "k", "one"});
    Call("ds_map_replace", {map, "missing", 9}); // a missing key is not added
    EXPECT_EQ(Call("ds_map_size", {map}).val, 3);
    EXPECT_EQ(Describe(Call("ds_map_find_value", {map, "k"})), "'one'");
    Call("ds_map_delete", {map, "k"});
    EXPECT_EQ(Describe(Call("ds_map_find_value", {map, "k"})), "2");
    EXPECT_EQ(Call("ds_map_exists", {map, "k"}).val, 1);
    Call("ds_map_delete", {map, "k"});
    EXPECT_EQ(Call("ds_map_exists", {map, "k"}).val, 0);
    EXPECT_EQ(Describe(Call("ds_map_find_value", {map, "k"})), "0");
    Call("ds_map_delete", {map, "k"});
    EXPECT_EQ(Call("ds_map_size", {map}).val, 1);
}

TEST_F(DataStructures, MapNeighbouringKeys)
{
    const double map = Call("ds_map_create", {}).val;
    EXPECT_EQ(Describe(Call("ds_map_find_first", {map})), "0");
    EXPECT_EQ(Describe(Call("ds_map_find_last", {map})), "0");
    for (const RValue& key : {RValue("b"), RValue(10), RValue(2), RValue("a"), RValue(10)})
        Call("ds_map_add", {map, key, 0});
    const struct {
        const char* function;
        RValue key;
        const char* expected;
    } cases[] = {
        {"ds_map_find_next", 2, "10"},
        {"ds_map_find_next", 10, "'a'"},   // past both tens
        {"ds_map_find_next", 5, "10"},     // a key that is not there
        {"ds_map_find_next", "b", "0"},    // nothing after the last
        {"ds_map_find_next", "zz", "0"},
        {"ds_map_find_previous", 10, "2"},
        {"ds_map_find_previous", "a", "10"},
        {"ds_map_find_previous", 2, "0"},  // nothing before the first
        {"ds_map_find_previous", -5, "0"},
        {"ds_map_find_previous", "z", "'b'"}, // every key is less: the last
        {"ds_map_find_first", 0, "2"},
        {"ds_map_find_last", 0, "'b'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(Call(c.function, {map, c.key})), c.expected) << c.function << " " << Describe(c.key);
}

// Many keys in random order: lookups and walking with find_next agree with
// a plain ordered multimap.
TEST_F(DataStructures, LargeMapAgreesWithAnOrderedMultimap)
{
    const double map = Call("ds_map_create", {}).val;
    std::multimap<double, double> reference;
    Random_SetSeed(3);
    for (int k = 0; k < 2000; ++k) {
        const double key = Random_Below(1500);
        Call("ds_map_add", {map, key, k});
        reference.emplace(key, k);
    }
    for (int k = 0; k < 500; ++k) {
        const double key = Random_Below(1500);
        Call("ds_map_delete", {map, key});
        if (auto at = reference.lower_bound(key); at != reference.end() && at->first == key)
            reference.erase(at); // the oldest of equal keys
    }
    ASSERT_EQ(Call("ds_map_size", {map}).val, reference.size());
    for (double key = 0; key < 1500; key += 7) {
        auto at = reference.lower_bound(key); // the oldest of equal keys
        const bool present = at != reference.end() && at->first == key;
        EXPECT_EQ(Call("ds_map_find_value", {map, key}).val, present ? at->second : 0) << key;
    }
    RValue key = Call("ds_map_find_first", {map});
    for (auto at = reference.begin(); at != reference.end(); at = reference.upper_bound(at->first)) {
        ASSERT_EQ(key.val, at->first);
        key = Call("ds_map_find_next", {map, key});
    }
    EXPECT_EQ(Describe(key), "0");
}

// ---------------------------------------------------------------- priority queues

TEST_F(DataStructures, PriorityExtremesAndTies)
{
    const double queue = Call("ds_priority_create", {}).val;
    Call("ds_priority_add", {queue, "a", 5});
    Call("ds_priority_add", {queue, "b", 1});
    Call("ds_priority_add", {queue, "c", 5});
    Call("ds_priority_add", {queue, "d", 1});
    Call("ds_priority_add", {queue, "e", 3});
    EXPECT_EQ(Describe(Call("ds_priority_find_min", {queue})), "'b'"); // the first of equal priorities
    EXPECT_EQ(Describe(Call("ds_priority_find_max", {queue})), "'a'");
    // Removing b moves the last entry (e) into its place: a e c d.
    EXPECT_EQ(Describe(Call("ds_priority_delete_min", {queue})), "'b'");
    EXPECT_EQ(Describe(Call("ds_priority_delete_min", {queue})), "'d'");
    // a e c: with c and a both at 9, a comes first in storage order.
    Call("ds_priority_change_priority", {queue, "c", 9});
    Call("ds_priority_change_priority", {queue, "a", 9});
    EXPECT_EQ(Describe(Call("ds_priority_find_priority", {queue, "c"})), "9");
    EXPECT_EQ(Describe(Call("ds_priority_find_priority", {queue, "zz"})), "0");
    EXPECT_EQ(Describe(Call("ds_priority_delete_max", {queue})), "'a'");
    Call("ds_priority_delete_value", {queue, "e"});
    EXPECT_EQ(Call("ds_priority_size", {queue}).val, 1);
    EXPECT_EQ(Describe(Call("ds_priority_delete_max", {queue})), "'c'");
    for (const char* name : {"ds_priority_delete_min", "ds_priority_find_min", "ds_priority_delete_max",
                             "ds_priority_find_max"})
        EXPECT_EQ(Describe(Call(name, {queue})), "0") << name;
    EXPECT_EQ(Call("ds_priority_empty", {queue}).val, 1);
}

// ---------------------------------------------------------------- grids

class Grids : public DataStructures {
protected:
    // The grid's cells as rows of text, y down, for readable comparisons.
    static std::vector<std::string> Rows(double grid)
    {
        std::vector<std::string> rows;
        const int w = static_cast<int>(Call("ds_grid_width", {grid}).val);
        const int h = static_cast<int>(Call("ds_grid_height", {grid}).val);
        for (int y = 0; y < h; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                const RValue cell = Call("ds_grid_get", {grid, x, y});
                row += (x ? " " : "") + (cell.kind == VALUE_STRING ? cell.str.Text() : Describe(cell));
            }
            rows.push_back(row);
        }
        return rows;
    }
    // A grid whose cell (x, y) holds 10 × x + y.
    static double Numbered(int w, int h)
    {
        const double grid = Call("ds_grid_create", {w, h}).val;
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                Call("ds_grid_set", {grid, x, y, 10 * x + y});
        return grid;
    }
};

TEST_F(Grids, CellOperationsByKind)
{
    const double grid = Call("ds_grid_create", {3, 1}).val;
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"0 0 0"}));
    Call("ds_grid_set", {grid, 0, 0, 4});
    Call("ds_grid_set", {grid, 1, 0, "ab"});
    Call("ds_grid_add", {grid, 0, 0, 2.5});  // reals add
    Call("ds_grid_add", {grid, 1, 0, "cd"}); // strings join
    Call("ds_grid_add", {grid, 2, 0, "s"});  // mixed: the cell becomes the value
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"6.5 abcd s"}));
    Call("ds_grid_multiply", {grid, 0, 0, 2});
    Call("ds_grid_multiply", {grid, 1, 0, 2}); // a string cell is left alone
    Call("ds_grid_multiply", {grid, 2, 0, "x"});
    Call("ds_grid_set", {grid, 3, 0, 1}); // outside: nothing
    Call("ds_grid_set", {grid, -1, 0, 1});
    Call("ds_grid_set", {grid, 0, 1, 1});
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"13 abcd s"}));
    EXPECT_EQ(Describe(Call("ds_grid_get", {grid, 5, 0})), "0");
    EXPECT_EQ(Describe(Call("ds_grid_get", {grid, 1.4, 0.2})), "'abcd'"); // coordinates round
    Call("ds_grid_clear", {grid, "z"});
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"z z z"}));
    EXPECT_EQ(Reported(), "");
}

TEST_F(Grids, RegionsTakeCornersInEitherOrderAndAreClamped)
{
    const double grid = Call("ds_grid_create", {4, 3}).val;
    Call("ds_grid_set_region", {grid, 2, 2, 1, 1, 7});
    Call("ds_grid_add_region", {grid, 10, -3, 3, 1, 1}); // clamped to column 3, rows 0 and 1
    Call("ds_grid_multiply_region", {grid, 5, 5, 9, 9, 0}); // nothing inside
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"0 0 0 1", "0 7 7 1", "0 7 7 0"}));
    EXPECT_EQ(Call("ds_grid_get_sum", {grid, 0, 0, 3, 2}).val, 30);
    EXPECT_EQ(Call("ds_grid_get_max", {grid, 3, 0, 0, 2}).val, 7);
    EXPECT_EQ(Call("ds_grid_get_min", {grid, 1, 1, 3, 2}).val, 0);
    EXPECT_EQ(Call("ds_grid_get_mean", {grid, 1, 1, 2, 2}).val, 7);
}

TEST_F(Grids, StatisticsSkipStrings)
{
    const double grid = Call("ds_grid_create", {2, 2}).val;
    Call("ds_grid_clear", {grid, "s"});
    EXPECT_EQ(Call("ds_grid_get_max", {grid, 0, 0, 1, 1}).val, -100000000);
    EXPECT_EQ(Call("ds_grid_get_min", {grid, 0, 0, 1, 1}).val, 100000000);
    EXPECT_EQ(Call("ds_grid_get_sum", {grid, 0, 0, 1, 1}).val, 0);
    EXPECT_EQ(Call("ds_grid_get_mean", {grid, 0, 0, 1, 1}).val, 0);
    EXPECT_EQ(Call("ds_grid_get_max", {grid, 5, 5, 6, 6}).val, -100000000); // outside the grid
    Call("ds_grid_set", {grid, 1, 1, -3e8});
    Call("ds_grid_set", {grid, 0, 1, 4});
    EXPECT_EQ(Call("ds_grid_get_max", {grid, 0, 0, 1, 1}).val, 4);
    EXPECT_EQ(Call("ds_grid_get_min", {grid, 0, 0, 1, 1}).val, -3e8);
    EXPECT_EQ(Call("ds_grid_get_mean", {grid, 0, 0, 1, 1}).val, (4 - 3e8) / 2);
    EXPECT_EQ(Call("ds_grid_get_disk_mean", {grid, 0, 1, 0.5}).val, 4);
}

// A disk holds the cells whose centres lie within r of (xm, ym).
TEST_F(Grids, DisksCoverCellsWithinTheRadius)
{
    const double grid = Call("ds_grid_create", {5, 5}).val;
    Call("ds_grid_set_disk", {grid, 2, 2, 1.5, 1});
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"0 0 0 0 0", "0 1 1 1 0", "0 1 1 1 0", "0 1 1 1 0", "0 0 0 0 0"}));
    Call("ds_grid_add_disk", {grid, 0.4, 0, 1, 5}); // off centre, cut by the edge
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"5 5 0 0 0", "0 1 1 1 0", "0 1 1 1 0", "0 1 1 1 0", "0 0 0 0 0"}));
    Call("ds_grid_multiply_disk", {grid, 2, 2, 0, 3}); // radius 0: the centre cell alone
    EXPECT_EQ(Call("ds_grid_get", {grid, 2, 2}).val, 3);
    EXPECT_EQ(Call("ds_grid_get_disk_sum", {grid, 2, 2, 1}).val, 7);
    EXPECT_EQ(Call("ds_grid_get_disk_max", {grid, 0, 0, 1}).val, 5);
    EXPECT_EQ(Call("ds_grid_get_disk_min", {grid, 4, 4, 0.9}).val, 0);
    Call("ds_grid_set_disk", {grid, NAN, 2, 1, 9}); // no centre, no cells
    Call("ds_grid_set_disk", {grid, 2, 2, INFINITY, 8}); // every cell
    EXPECT_EQ(Call("ds_grid_get_sum", {grid, 0, 0, 4, 4}).val, 200);
}

TEST_F(Grids, SearchesGoColumnByColumn)
{
    const double grid = Call("ds_grid_create", {3, 3}).val;
    Call("ds_grid_set", {grid, 2, 0, "x"});
    Call("ds_grid_set", {grid, 1, 2, "x"});
    EXPECT_EQ(Call("ds_grid_value_exists", {grid, 0, 0, 2, 2, "x"}).val, 1);
    EXPECT_EQ(Call("ds_grid_value_x", {grid, 0, 0, 2, 2, "x"}).val, 1); // column 1 comes before column 2
    EXPECT_EQ(Call("ds_grid_value_y", {grid, 0, 0, 2, 2, "x"}).val, 2);
    EXPECT_EQ(Call("ds_grid_value_exists", {grid, 0, 0, 2, 1, "x"}).val, 1);
    EXPECT_EQ(Call("ds_grid_value_x", {grid, 2, 1, 0, 0, "x"}).val, 2);
    EXPECT_EQ(Call("ds_grid_value_exists", {grid, 0, 0, 2, 2, "y"}).val, 0);
    EXPECT_EQ(Call("ds_grid_value_x", {grid, 0, 0, 2, 2, "y"}).val, 0);
    EXPECT_EQ(Call("ds_grid_value_disk_exists", {grid, 2, 2, 1, "x"}).val, 1);
    EXPECT_EQ(Call("ds_grid_value_disk_x", {grid, 2, 2, 1, "x"}).val, 1);
    EXPECT_EQ(Call("ds_grid_value_disk_y", {grid, 0, 0, 1.9, "x"}).val, 0);
    EXPECT_EQ(Call("ds_grid_value_disk_exists", {grid, 0, 0, 1.9, "x"}).val, 0); // (2, 0) is 2 away
    EXPECT_EQ(Call("ds_grid_value_disk_y", {grid, 0, 0, 2, "x"}).val, 0);
    EXPECT_EQ(Call("ds_grid_value_disk_x", {grid, 0, 0, 2, "x"}).val, 2);
}

TEST_F(Grids, GridRegionsCopyLikeABlockMove)
{
    // Onto another grid: the source rectangle (corners in either order)
    // lands with its smallest corner at (xpos, ypos).
    const double source = Numbered(3, 3);
    const double target = Call("ds_grid_create", {3, 3}).val;
    Call("ds_grid_set_grid_region", {target, source, 2, 1, 1, 2, 0, 1});
    EXPECT_EQ(Rows(target), (std::vector<std::string>{"0 0 0", "11 21 0", "12 22 0"}));
    // A negative position cuts off what falls outside; so does the far side.
    Call("ds_grid_clear", {target, 0});
    Call("ds_grid_set_grid_region", {target, source, 0, 0, 2, 2, -1, 2});
    EXPECT_EQ(Rows(target), (std::vector<std::string>{"0 0 0", "0 0 0", "10 20 0"}));
    Call("ds_grid_add_grid_region", {target, source, 0, 0, 2, 2, 0, 0});
    Call("ds_grid_multiply_grid_region", {target, source, 0, 0, 0, 0, 2, 2}); // × cell (0, 0), which is 0
    EXPECT_EQ(Rows(target), (std::vector<std::string>{"0 10 20", "1 11 21", "12 32 0"}));

    // Within one grid, overlapping moves in every direction read each cell before overwriting it.
    const struct {
        int x1, y1, x2, y2, xpos, ypos;
        std::vector<std::string> rows;
    } moves[] = {
        {0, 0, 1, 1, 1, 1, {"0 10 20", "1 0 10", "2 1 11"}},
        {1, 1, 2, 2, 0, 0, {"11 21 20", "12 22 21", "2 12 22"}},
        {0, 1, 1, 2, 1, 0, {"0 1 11", "1 2 12", "2 12 22"}},
        {1, 0, 2, 1, 0, 1, {"0 10 20", "10 20 21", "11 21 22"}},
    };
    for (const auto& m : moves) {
        const double grid = Numbered(3, 3);
        Call("ds_grid_set_grid_region", {grid, grid, m.x1, m.y1, m.x2, m.y2, m.xpos, m.ypos});
        EXPECT_EQ(Rows(grid), m.rows) << m.x1 << "," << m.y1 << " to " << m.xpos << "," << m.ypos;
    }
}

TEST_F(Grids, ResizeKeepsTheCellsThatRemain)
{
    const double grid = Numbered(3, 2);
    Call("ds_grid_resize", {grid, 2, 3});
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"0 10", "1 11", "0 0"}));
    EXPECT_EQ(Call("ds_grid_width", {grid}).val, 2);
    EXPECT_EQ(Call("ds_grid_height", {grid}).val, 3);
    Call("ds_grid_resize", {grid, 0, 3});
    EXPECT_EQ(Call("ds_grid_get_sum", {grid, 0, 0, 5, 5}).val, 0);
    EXPECT_EQ(Reported(), "");
}

TEST_F(Grids, SizesThatCannotBeMadeAreRefused)
{
    const std::string create =
        "Error in function ds_grid_create(): a grid must have sides from 0 up and at most 16777216 cells.";
    for (const auto& [w, h] : std::vector<std::pair<double, double>>{
             {-1, 5}, {5, -0.6}, {1e6, 1e6}, {4097, 4097}, {1e300, 0}, {16777217, 1}}) {
        Error_Reset();
        EXPECT_EQ(Call("ds_grid_create", {w, h}).val, -1) << w << " x " << h;
        EXPECT_EQ(Reported(), create) << w << " x " << h;
    }
    EXPECT_EQ(Call("ds_grid_create", {0, 0}).val, 0);
    EXPECT_TRUE(CDS_Grid::IsValidSize(4096, 4096)); // exactly the largest
    EXPECT_TRUE(CDS_Grid::IsValidSize(0, 16777216));
    EXPECT_FALSE(CDS_Grid::IsValidSize(4096, 4097));
    const double grid = Call("ds_grid_create", {4096, 1}).val;
    Error_Reset();
    Call("ds_grid_resize", {grid, 70000, 70000});
    EXPECT_EQ(Reported(), "Error in function ds_grid_resize(): a grid must have sides from 0 up and at most "
                          "16777216 cells.");
    EXPECT_EQ(Call("ds_grid_width", {grid}).val, 4096);
}

// ---------------------------------------------------------------- stored text

TEST_F(DataStructures, WrittenTextIsExact)
{
    const double stack = Call("ds_stack_create", {}).val;
    Call("ds_stack_push", {stack, 1});
    Call("ds_stack_push", {stack, "ab"});
    const double list = NewList({2.5, "a", -1});
    const double map = Call("ds_map_create", {}).val;
    Call("ds_map_add", {map, "k", 7});
    Call("ds_map_add", {map, 3, "three"});
    const double queue = Call("ds_priority_create", {}).val;
    Call("ds_priority_add", {queue, "x", 5});
    Call("ds_priority_add", {queue, "y", 1});
    const double grid = Call("ds_grid_create", {2, 1}).val;
    Call("ds_grid_set", {grid, 0, 0, 1});
    Call("ds_grid_set", {grid, 1, 0, "b"});

    const struct {
        const char* function;
        double id;
        const char* text;
    } cases[] = {
        {"ds_stack_write", stack,
         "65000000" "02000000" "00000000000000000000F03F00000000" "010000000000000000000000020000006162"},
        {"ds_list_write", list,
         "2D010000" "03000000" "00000000000000000000044000000000" "0100000000000000000000000100000061"
         "00000000000000000000F0BF00000000"},
        // keys in order (reals first), then the values in the same order
        {"ds_map_write", map,
         "91010000" "02000000" "00000000000000000000084000000000" "010000000000000000000000010000006B"
         "0100000000000000000000000500000074687265" "65" "000000000000000000001C4000000000"},
        // all priorities, then all values
        {"ds_priority_write", queue,
         "F5010000" "02000000" "00000000000000000000144000000000" "00000000000000000000F03F00000000"
         "0100000000000000000000000100000078" "0100000000000000000000000100000079"},
        {"ds_grid_write", grid,
         "59020000" "02000000" "01000000" "00000000000000000000F03F00000000" "0100000000000000000000000100000062"},
    };
    for (const auto& c : cases) {
        const RValue text = Call(c.function, {c.id});
        EXPECT_EQ(Describe(text), std::string("'") + c.text + "'") << c.function;
    }
    EXPECT_EQ(Call("ds_list_write", {NewList({})}).str.Text(), "2D010000" "00000000");
}

TEST_F(DataStructures, ReadReplacesTheContentsAndRoundTrips)
{
    const double list = NewList({"x", 3.25, std::string("\0\xFF", 2), -0.0});
    const std::string text = Call("ds_list_write", {list}).str.Text();
    const double copy = NewList({"to be replaced", 1});
    Call("ds_list_read", {copy, text});
    EXPECT_EQ(ListValues(copy), ListValues(list));
    EXPECT_EQ(Call("ds_list_write", {copy}).str.Text(), text);
    // Lower-case digits read too; an odd last digit is ignored.
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    Call("ds_list_read", {copy, lower + "F"});
    EXPECT_EQ(Call("ds_list_write", {copy}).str.Text(), text);

    // Every kind through its own write and read, from filled to fresh.
    const double map = Call("ds_map_create", {}).val;
    for (int k = 0; k < 20; ++k)
        Call("ds_map_add", {map, (k * 7) % 20, k});
    const double grid = Call("ds_grid_create", {3, 4}).val;
    Call("ds_grid_set", {grid, 2, 3, "corner"});
    for (const auto& [kind, id] : std::vector<std::pair<std::string, double>>{{"map", map}, {"grid", grid}}) {
        const std::string written = Call("ds_" + kind + "_write", {id}).str.Text();
        const double fresh = kind == "grid" ? Call("ds_grid_create", {1, 1}).val : Call("ds_map_create", {}).val;
        Call("ds_" + kind + "_read", {fresh, written});
        EXPECT_EQ(Call("ds_" + kind + "_write", {fresh}).str.Text(), written) << kind;
    }
    EXPECT_EQ(Describe(Call("ds_grid_get", {1, 2, 3})), "'corner'");
    EXPECT_EQ(Reported(), "");
}

// A text of another kind is ignored without a word (as is the empty text);
// a text of the right kind that does not decode is reported, and the
// structure stays as it was either way.
TEST_F(DataStructures, ForeignAndDamagedTextsLeaveTheStructureAlone)
{
    const double list = NewList({"kept"});
    const std::string mapText = Call("ds_map_write", {Call("ds_map_create", {}).val}).str.Text();
    const std::string listText = Call("ds_list_write", {NewList({"a", 2})}).str.Text();
    const std::string damaged = "Error in function ds_list_read(): the string is damaged.";
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {mapText, ""},
        {"", ""},
        {"hello world", ""},
        {"2D01", ""},                                           // too short for the kind number
        {listText.substr(0, listText.size() - 2), damaged},     // truncated
        {listText.substr(0, 20) + "ZZ" + listText.substr(22), damaged}, // not hexadecimal
        {"2D010000" "FFFFFF7F", damaged},                       // a count far past the text
        {"2D010000" "FFFFFFFF", damaged},                       // a negative count
        {"2D010000" "01000000" "02000000" "0000000000000000" "00000000", damaged}, // kind 2
    };
    for (const auto& c : cases) {
        Error_Reset();
        Call("ds_list_read", {list, c.text});
        EXPECT_EQ(Reported(), c.message) << c.text;
        EXPECT_EQ(ListValues(list), (std::vector<std::string>{"'kept'"})) << c.text;
    }

    const struct {
        const char* kind;
        std::string text;
    } damagedOthers[] = {
        {"queue", "C9000000" "05000000" "01000000" "02000000" + Repeat(kStoredZero, 2)}, // end past the array
        {"queue", "C9000000" "01000000" "02000000" "02000000" + Repeat(kStoredZero, 2)}, // head after end
        {"grid", "59020000" "00100000" "00100000"},   // 4096 × 4096 cells in 12 bytes
        {"grid", "59020000" "FFFFFFFF" "01000000"},
        {"grid", "59020000" "00000100" "00000100"},   // 65536²: past the largest grid
        {"map", "91010000" "01000000" + kStoredZero}, // a key without its value
    };
    for (const auto& c : damagedOthers) {
        Error_Reset();
        const std::string kind = c.kind;
        const double id = kind == "grid" ? Call("ds_grid_create", {1, 1}).val : Call("ds_" + kind + "_create", {}).val;
        const std::string before = Call("ds_" + kind + "_write", {id}).str.Text();
        Call("ds_" + kind + "_read", {id, c.text});
        EXPECT_EQ(Reported(), "Error in function ds_" + kind + "_read(): the string is damaged.") << c.text;
        EXPECT_EQ(Call("ds_" + kind + "_write", {id}).str.Text(), before) << c.text;
    }
}

// A map text whose keys are out of order (written by hand, or under another
// precision) is put in order, so every key can be found.
TEST_F(DataStructures, MapReadSortsKeysItFindsOutOfOrder)
{
    const std::string text = "91010000" "03000000"
                             "00000000" "0000000000001440" "00000000"  // key 5
                             "00000000" "000000000000F03F" "00000000"  // key 1
                             "00000000" "0000000000000840" "00000000"  // key 3
                             "00000000" "0000000000002440" "00000000"  // value 10
                             "00000000" "0000000000003440" "00000000"  // value 20
                             "00000000" "0000000000003E40" "00000000"; // value 30
    const double map = Call("ds_map_create", {}).val;
    Call("ds_map_read", {map, text});
    EXPECT_EQ(Call("ds_map_find_value", {map, 1}).val, 20);
    EXPECT_EQ(Call("ds_map_find_value", {map, 3}).val, 30);
    EXPECT_EQ(Call("ds_map_find_value", {map, 5}).val, 10);
    EXPECT_EQ(Call("ds_map_find_first", {map}).val, 1);
    EXPECT_EQ(Call("ds_map_find_next", {map, 3}).val, 5);
}

TEST_F(DataStructures, CopiesAreIndependent)
{
    const double list = NewList({1, "a"});
    const double copy = NewList({});
    Call("ds_list_copy", {copy, list});
    Call("ds_list_add", {list, 3});
    Call("ds_list_copy", {list, list}); // onto itself: unchanged
    EXPECT_EQ(ListValues(copy), (std::vector<std::string>{"1", "'a'"}));
    EXPECT_EQ(ListValues(list), (std::vector<std::string>{"1", "'a'", "3"}));

    const double grid = Call("ds_grid_create", {2, 2}).val;
    const double other = Call("ds_grid_create", {5, 1}).val;
    Call("ds_grid_set", {grid, 1, 1, "g"});
    Call("ds_grid_copy", {other, grid}); // takes the source's size too
    Call("ds_grid_set", {grid, 1, 1, 0});
    EXPECT_EQ(Call("ds_grid_width", {other}).val, 2);
    EXPECT_EQ(Describe(Call("ds_grid_get", {other, 1, 1})), "'g'");
    EXPECT_EQ(Reported(), "");
}

// Joined strings are held to the longest string any built-in makes.
TEST_F(DataStructures, GridAddRefusesStringsPastTheLimit)
{
    const double grid = Call("ds_grid_create", {1, 2}).val;
    const std::string half(kLongestBuiltString / 2 + 1, 'x');
    Call("ds_grid_set_region", {grid, 0, 0, 0, 1, half});
    Call("ds_grid_add_region", {grid, 0, 0, 0, 1, half});
    EXPECT_EQ(Reported(),
              "Error in function ds_grid_add_region(): the result would be longer than 67108864 characters.");
    EXPECT_EQ(Call("ds_grid_get", {grid, 0, 1}).str.size(), half.size());

    // Writing a structure whose text would pass the limit gives "" and says so.
    Error_Reset();
    const double list = NewList({half});
    EXPECT_EQ(Describe(Call("ds_list_write", {list})), "''");
    EXPECT_EQ(Reported(), "Error in function ds_list_write(): the result would be longer than 67108864 characters.");
}

// Valid texts of every kind with digits changed or cut short: each read
// either takes a whole structure or reports and leaves it as it was, and
// never reads or allocates past what the text holds.
TEST_F(DataStructures, CorruptedTextsNeverBreakARead)
{
    const double list = NewList({1, "two", 3.5});
    const double map = Call("ds_map_create", {}).val;
    Call("ds_map_add", {map, "k", "v"});
    Call("ds_map_add", {map, 2, 4});
    const double queue = Call("ds_queue_create", {}).val;
    Call("ds_queue_enqueue", {queue, "q"});
    const double grid = Call("ds_grid_create", {2, 2}).val;
    Call("ds_grid_set", {grid, 1, 1, "g"});
    const double stack = Call("ds_stack_create", {}).val;
    Call("ds_stack_push", {stack, 8});
    const double priority = Call("ds_priority_create", {}).val;
    Call("ds_priority_add", {priority, "p", 1});
    const std::pair<std::string, double> kinds[] = {{"list", list}, {"map", map},     {"queue", queue},
                                                    {"grid", grid}, {"stack", stack}, {"priority", priority}};
    Random_SetSeed(11);
    for (const auto& [kind, id] : kinds) {
        const std::string original = Call("ds_" + kind + "_write", {id}).str.Text();
        for (int k = 0; k < 300; ++k) {
            std::string text = original;
            const uint32_t at = 8 + Random_Below(static_cast<uint32_t>(text.size() - 8));
            if (k % 3 == 0)
                text.resize(at);
            else
                text[at] = "0123456789ABCDEFZ"[Random_Below(17)];
            Error_Reset();
            Call("ds_" + kind + "_read", {id, text});
            const std::string now = Call("ds_" + kind + "_write", {id}).str.Text();
            if (!Reported().empty()) {
                EXPECT_EQ(now, original) << kind << " " << text;
            } else if (now != original) {
                // What a read accepted is a whole structure: it round-trips.
                Call("ds_" + kind + "_read", {id, now});
                EXPECT_EQ(Call("ds_" + kind + "_write", {id}).str.Text(), now) << kind << " " << text;
                EXPECT_EQ(Reported(), "") << kind << " " << text;
            }
            Call("ds_" + kind + "_read", {id, original});
        }
    }
}
