// Files and folders: existence, deleting, renaming without replacing,
// copying, folders, attributes, the sorted file search, file name parts,
// disk space and the secure-mode refusals.
#include "system/FileNames.h"
#include "system/FileSearch.h"
#include "tests/system/SystemFixture.h"

#include <sys/stat.h>

TEST_F(SystemFixture, FilesAreFoundDeletedRenamedAndCopied)
{
    WriteFile(Work("Saves/Slot1.sav"), "one");
    EXPECT_EQ(Real("file_exists", {"saves\\slot1.SAV"}), 1);
    EXPECT_EQ(Real("file_exists", {"saves"}), 0); // a folder is no file
    EXPECT_EQ(Real("directory_exists", {"SAVES"}), 1);
    EXPECT_EQ(Real("directory_exists", {"saves\\slot1.sav"}), 0);

    Call("file_copy", {"saves\\slot1.sav", "saves\\slot2.sav"});
    EXPECT_EQ(ReadFile(Work("Saves/slot2.sav")), "one");
    WriteFile(Work("Saves/slot2.sav"), "two");
    Call("file_copy", {"saves\\slot2.sav", "SAVES\\SLOT1.SAV"}); // replaces, keeping the existing name
    EXPECT_EQ(ReadFile(Work("Saves/Slot1.sav")), "two");
    Call("file_copy", {"saves\\slot1.sav", "saves\\Slot1.sav"}); // onto itself: nothing lost
    EXPECT_EQ(ReadFile(Work("Saves/Slot1.sav")), "two");

    WriteFile(Work("Saves/slot2.sav"), "keep");
    Call("file_rename", {"saves\\slot1.sav", "saves\\slot2.sav"}); // never over an existing file
    EXPECT_EQ(ReadFile(Work("Saves/slot2.sav")), "keep");
    EXPECT_EQ(ReadFile(Work("Saves/Slot1.sav")), "two");
    Call("file_rename", {"saves\\slot1.sav", "saves\\SLOT1.sav"}); // only the case changes
    EXPECT_EQ(ReadFile(Work("Saves/SLOT1.sav")), "two");
    EXPECT_EQ(ReadFile(Work("Saves/Slot1.sav")), "<missing>");
    Call("file_rename", {"saves\\slot1.sav", "saves\\third.sav"});
    EXPECT_EQ(ReadFile(Work("Saves/third.sav")), "two");

    Call("file_delete", {"saves\\THIRD.sav"});
    EXPECT_EQ(Real("file_exists", {"saves\\third.sav"}), 0);
    Call("file_delete", {"saves"}); // folders are not deleted as files
    EXPECT_EQ(Real("directory_exists", {"saves"}), 1);

    Call("directory_create", {"a\\b\\c"});
    EXPECT_EQ(Real("directory_exists", {"A\\B\\C"}), 1);
    EXPECT_EQ(Reported(), ""); // failures of the file system itself are silent
}

TEST_F(SystemFixture, SecureModeRefusesChangesToPaths)
{
    GameState.secureMode = true;
    WriteFile(Work("x.txt"), "x");
    const struct {
        const char* function;
        std::vector<RValue> arguments;
        const char* message;
    } cases[] = {
        {"file_delete", {"..\\x.txt"}, "In Secure mode you cannot delete file ..\\x.txt"},
        {"file_rename", {"x.txt", "d/y.txt"}, "In Secure mode you cannot rename file x.txt into d/y.txt"},
        {"file_copy", {"c:\\x.txt", "y.txt"}, "In Secure mode you cannot copy file c:\\x.txt to y.txt"},
        {"directory_create", {"a\\b"}, "In Secure mode you cannot create directory a\\b"},
    };
    for (const auto& c : cases) {
        Call(c.function, c.arguments);
        EXPECT_EQ(Reported(), c.message) << c.function;
    }
    EXPECT_EQ(Real("directory_exists", {"a"}), 0);
    Call("file_copy", {"x.txt", "y.txt"});
    Call("file_rename", {"y.txt", "z.txt"});
    Call("directory_create", {"plain"});
    EXPECT_EQ(ReadFile(Work("z.txt")), "x");
    EXPECT_EQ(Real("directory_exists", {"plain"}), 1);
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, FileSearchIsSortedIgnoringCaseAndFiltersByAttributes)
{
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "_x.txt", "a.dat", "noext", ".hidden.txt"})
        WriteFile(Work(std::string("find/") + name), "");
    std::filesystem::create_directories(Work("find/Sub.txt"));

    auto all = [](const std::string& mask, double attributes) {
        std::vector<std::string> names;
        for (std::string name = Text("file_find_first", {mask, attributes}); !name.empty();
             name = Text("file_find_next", {}))
            names.push_back(name);
        return names;
    };
    using Names = std::vector<std::string>;
    // "_" sorts after the letters, as upper-case names do.
    EXPECT_EQ(all("find\\*.txt", 0), (Names{"A.txt", "b.txt", "c.TXT", "_x.txt"}));
    EXPECT_EQ(all("FIND/*.txt", 16 + 2), (Names{".hidden.txt", "A.txt", "b.txt", "c.TXT", "Sub.txt", "_x.txt"}));
    EXPECT_EQ(all("find\\*", 16), (Names{".", "..", "a.dat", "A.txt", "b.txt", "c.TXT", "noext", "Sub.txt", "_x.txt"}));
    EXPECT_EQ(all("find\\?.*", 0), (Names{"a.dat", "A.txt", "b.txt", "c.TXT"}));
    EXPECT_EQ(all("find\\*.", 0), (Names{"noext"}));
    EXPECT_EQ(all("find\\nothing*", 0), Names{});
    EXPECT_EQ(all("missing\\*", 0), Names{});
    EXPECT_EQ(all("find\\", 0), Names{});

    // One search at a time; after the end or a close, next gives "".
    EXPECT_EQ(Text("file_find_first", {"find\\b*", 0}), "b.txt");
    EXPECT_EQ(Text("file_find_first", {"find\\a*", 0}), "a.dat");
    Call("file_find_close", {});
    EXPECT_EQ(Text("file_find_next", {}), "");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, MasksMatchLikeTheOriginalPlatformsWildcards)
{
    const struct {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        {"Level1.lvl", "level?.LVL", true}, {"level10.lvl", "level?.lvl", false},
        {"a.b.c", "*.c", true},             {"abc", "*.*", true},
        {"abc", "a*b*c*", true},            {"ab", "a*b*c", false},
        {"x.txt", "*.", false},             {"x", "*.", true},
        {"\xC9t\xE9.txt", "\xE9T\xC9*", true}, // accented letters fold too
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

TEST_F(SystemFixture, AttributesAndDiskSpace)
{
    WriteFile(Work("plain.txt"), "");
    WriteFile(Work(".secret"), "");
    WriteFile(Work("locked.txt"), "");
    ::chmod(Work("locked.txt").c_str(), 0444);
    std::filesystem::create_directories(Work("dir"));
    const struct {
        const char* name;
        int attributes;
        double expected;
    } cases[] = {
        {"plain.txt", 32, 1}, {"plain.txt", 1 | 2 | 16, 0}, {".secret", 2, 1}, {"dir", 16, 1},
        {"dir", 32, 0},       {"missing", 63, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Real("file_attributes", {c.name, c.attributes}), c.expected) << c.name << " " << c.attributes;
    if (::geteuid() != 0) { // root may write anything
        EXPECT_EQ(Real("file_attributes", {"locked.txt", 1}), 1);
    }

    double size = Real("disk_size", {});
    EXPECT_GT(size, 0);
    EXPECT_GE(Real("disk_free", {""}), 0);
    EXPECT_EQ(Real("disk_size", {"c"}), size);
    EXPECT_EQ(Real("disk_size", {"C:\\"}), size);
    EXPECT_EQ(Real("disk_free", {"D"}), -1);
}

TEST_F(SystemFixture, FileNamePartsTakeEitherSeparator)
{
    const struct {
        const char* name;
        const char* file, *path, *dir, *drive, *ext;
    } cases[] = {
        {"C:\\games\\level.dat", "level.dat", "C:\\games\\", "C:\\games", "C:", ".dat"},
        {"/home/me/save.sav", "save.sav", "/home/me/", "/home/me", "", ".sav"},
        {"dir/sub\\x.tar.gz", "x.tar.gz", "dir/sub\\", "dir/sub", "", ".gz"},
        {"C:\\x", "x", "C:\\", "C:\\", "C:", ""},
        {"C:x.txt", "x.txt", "C:", "C:", "C:", ".txt"},
        {"\\x", "x", "\\", "\\", "", ""},
        {"name", "name", "", "", "", ""},
        {"a.b\\c", "c", "a.b\\", "a.b", "", ""},
        {"\\\\server\\share\\f", "f", "\\\\server\\share\\", "\\\\server\\share", "", ""},
        {"", "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text("filename_name", {c.name}), c.file) << c.name;
        EXPECT_EQ(Text("filename_path", {c.name}), c.path) << c.name;
        EXPECT_EQ(Text("filename_dir", {c.name}), c.dir) << c.name;
        EXPECT_EQ(Text("filename_drive", {c.name}), c.drive) << c.name;
        EXPECT_EQ(Text("filename_ext", {c.name}), c.ext) << c.name;
    }
    EXPECT_EQ(Text("filename_change_ext", {"dir.v2/save.sav", ".bak"}), "dir.v2/save.bak");
    EXPECT_EQ(Text("filename_change_ext", {"dir.v2/save", ".bak"}), "dir.v2/save.bak");
    EXPECT_EQ(Text("filename_change_ext", {"a.b.c", ""}), "a.b");
}
