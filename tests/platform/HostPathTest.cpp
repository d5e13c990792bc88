// Game paths on their way to the host: dots resolved on the text, drive
// folders that cannot be climbed out of, names matched ignoring case in the
// game's code page, and the code page itself.
#include "platform/Files.h"
#include "platform/TextEncoding.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

TEST(HostPath, DotsResolveOnTheTextAndNeverClimbOutOfARoot)
{
    CScratchFolder folder;
    std::string base = folder.Path();
    folder.Write("Saves/Caf\xC3\xA9/Slot.sav", std::string("x"));
    setenv("XDG_DATA_HOME", base.c_str(), 1);
    std::string drive = base + "/brindle/drive_c";
    const struct {
        std::string game, host;
    } cases[] = {
        {"C:\\..\\..\\etc\\passwd", drive + "/etc/passwd"},     // a drive's root has no parent
        {"c:/Games/../../x.ini", drive + "/x.ini"},
        {"C:", drive},
        {"\\..\\tmp", "/tmp"},                                     // nor has the file system's
        {base + "\\new\\..\\saves\\.\\slot", base + "/Saves/slot"}, // "new" need not exist
        {base + "\\SAVES\\caf\xC9\\slot.SAV", base + "/Saves/Caf\xC3\xA9/Slot.sav"}, // code page letters fold
        {base + "/saves/caf\xC3\xA9/SLOT.sav", base + "/Saves/Caf\xC3\xA9/Slot.sav"}, // host text stays
        {base + "\\saves\\new folder\\x", base + "/Saves/new folder/x"},
        {"..\\..\\up", "../../up"},                                 // relative paths may go up
        {"a\\..", "."},
        {"\\\\server\\share\\file", ""},                           // network shares are not found
        {"//server/share", ""},
        {std::string("safe.txt\0../../x", 16), "safe.txt"},         // a name ends at its first zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToHostPath(c.game), c.host) << c.game;
    EXPECT_TRUE(std::filesystem::is_directory(drive)); // every drive has its root
    unsetenv("XDG_DATA_HOME");
}

TEST(HostPath, TheFirstOfSeveralCaseVariantsWinsWhateverTheListingOrder)
{
    CScratchFolder folder;
    folder.Write("b.TXT", std::string("1"));
    folder.Write("B.txt", std::string("2"));
    EXPECT_EQ(ToHostPath(folder.Path() + "/b.txt"), folder.Path() + "/B.txt");
    EXPECT_EQ(ToHostPath(folder.Path() + "/b.TXT"), folder.Path() + "/b.TXT"); // an exact name first
}

TEST(TextEncoding, CodePageRoundTripsAndFolds)
{
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c);
    bool exact = false;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(every), &exact), every);
    EXPECT_TRUE(exact);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5 \xC3", &exact), "? ?"); // no such letter; a cut sequence
    EXPECT_FALSE(exact);

    EXPECT_EQ(GameTextToHost("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(GameTextToHost("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(HostTextToGame("caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(HostTextToGame("\xE6\x97\xA5"), "\xE6\x97\xA5"); // kept, so it still finds its file

    EXPECT_TRUE(EqualsIgnoringCaseCp1252("\x9A\xFF\xE0z", "\x8A\x9F\xC0Z"));
    EXPECT_FALSE(EqualsIgnoringCaseCp1252("\xF7", "\xD7")); // division and multiplication signs
    EXPECT_TRUE(LessIgnoringCaseCp1252("a", "B"));
    EXPECT_TRUE(LessIgnoringCaseCp1252("Z", "_"));
    EXPECT_TRUE(LessIgnoringCaseCp1252("A", "a")); // ties by exact bytes
}
