// What the file and folder choosers list: filters as games write them,
// wildcard patterns, and a folder's entries in the order they are shown.
#include "platform/StandardDialogs.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(StandardDialogs, FiltersAndPatterns)
{
    EXPECT_EQ(Platform_ParseFileFilter("Text Files|*.txt|All Files|*.*"),
              (std::vector<RFileFilter>{{"Text Files", {"*.txt"}}, {"All Files", {"*.*"}}}));
    EXPECT_EQ(Platform_ParseFileFilter("Pictures|*.png; *.BMP|Odd"),
              (std::vector<RFileFilter>{{"Pictures", {"*.png", "*.BMP"}}, {"Odd", {}}}));
    EXPECT_TRUE(Platform_ParseFileFilter("").empty());
    struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {{"save.txt", "*.txt", true},  {"SAVE.TXT", "*.txt", true}, {"save.txt.bak", "*.txt", false},
                 {"README", "*.*", true},       {"level1.dat", "level?.dat", true},
                 {"level10.dat", "level?.dat", false}, {"a", "*", true}, {"", "?", false}};
    for (const auto& c : cases)
        EXPECT_EQ(Platform_MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(StandardDialogs, FolderListing)
{
    CScratchFolder folder;
    for (const char* name : {"b.txt", "A.txt", "c.png", ".hidden.txt"})
        folder.Write(name, "x");
    std::filesystem::create_directory(folder.File("zeta"));
    std::filesystem::create_directory(folder.File("Alpha"));
    EXPECT_EQ(Platform_ListForChooser(folder.Path(), {"*.txt"}, false),
              (std::vector<std::string>{"Alpha/", "zeta/", "A.txt", "b.txt"}));
    EXPECT_EQ(Platform_ListForChooser(folder.Path(), {}, false).size(), 5u);
    EXPECT_EQ(Platform_ListForChooser(folder.Path(), {"*.*"}, true), (std::vector<std::string>{"Alpha/", "zeta/"}));
    EXPECT_TRUE(Platform_ListForChooser(folder.File("missing"), {}, false).empty());
}

} // namespace
