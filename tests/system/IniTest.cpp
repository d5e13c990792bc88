// Ini files: the parser's edge cases, edits that keep every other line,
// the functions' errors, and the number forms ini files use.
#include "system/IniFile.h"
#include "system/NumberText.h"
#include "tests/system/SystemFixture.h"

#include <cmath>

using namespace std::string_literals;

TEST(IniFile, ReadsNamesIgnoringCaseAndBlanks)
{
    CIniFile ini;
    ini.Parse("\xEF\xBB\xBF"
              "orphan=before any section\r\n"
              "[ Game ]\r\n"
              "  Name = Brindle Quest  \n"
              "; comment=not a key\r"
              "Quoted=\"  spaced  \"\n"
              "single='x'\n"
              "half=\"open\n"
              "empty=\n"
              "name=second wins nothing\n"
              "no equals sign\n"
              "[game]\n"
              "later=in a second section of the same name\n"
              "[Other");
    const struct {
        const char* section, *key;
        bool found;
        const char* value;
    } cases[] = {
        {"game", "NAME", true, "Brindle Quest"},
        {"GAME ", " name", true, "Brindle Quest"},
        {"game", "quoted", true, "  spaced  "},
        {"game", "single", true, "x"},
        {"game", "half", true, "\"open"},
        {"game", "empty", true, ""},
        {"game", "; comment", false, ""},
        {"game", "no equals sign", false, ""},
        {"game", "later", false, ""}, // only the first section of a name counts
        {"", "orphan", false, ""},
        {"other", "x", false, ""},
    };
    for (const auto& c : cases) {
        std::string value;
        EXPECT_EQ(ini.Read(c.section, c.key, value), c.found) << c.section << "/" << c.key;
        if (c.found) {
            EXPECT_EQ(value, c.value) << c.section << "/" << c.key;
        }
    }
    EXPECT_TRUE(ini.HasSection("OTHER"));
    EXPECT_FALSE(ini.HasSection("orphan"));
}

TEST(IniFile, EditsKeepEveryOtherLine)
{
    CIniFile ini;
    ini.Parse("; top comment\n[A]\nx=1\n; note\ny = 2\n\n\n[B]\nz=3\n");
    ini.Write("a", "Y", "20");        // the stored key keeps its spelling
    ini.Write("A", "new", "n");       // after the last line that is not blank
    ini.Write("C", "k", "v\r\n[Evil]"); // a line break ends the value
    EXPECT_EQ(ini.Serialize(), "; top comment\r\n[A]\r\nx=1\r\n; note\r\ny=20\r\nnew=n\r\n\r\n\r\n[B]\r\nz=3\r\n"
                               "\r\n[C]\r\nk=v\r\n");
    ini.DeleteKey("a", "X");
    ini.DeleteSection("b");
    ini.DeleteKey("missing", "x");
    EXPECT_EQ(ini.Serialize(), "; top comment\r\n[A]\r\n; note\r\ny=20\r\nnew=n\r\n\r\n\r\n[C]\r\nk=v\r\n");

    CIniFile fresh;
    fresh.Parse("");
    fresh.Write("s", "k", "v");
    EXPECT_EQ(fresh.Serialize(), "[s]\r\nk=v\r\n");
}

TEST(NumberText, IniNumbersAndDecimalForms)
{
    const struct {
        const char* text;
        double value;
    } reads[] = {
        {"1.5E2", 150}, {"2e-1", 0.2}, {"+3", 0},   {"-4,25", -4.25}, {"12abc", 12},
        {"1.2.3", 1.2}, {"", 0},       {"--5", 5},  {"1e2e3", 100},   {"0E999", 0},
        {"7 8", 7},     {"-1E-2", -0.01},
    };
    for (const auto& r : reads)
        EXPECT_DOUBLE_EQ(ReadIniNumber(r.text), r.value) << r.text;

    const struct {
        double value;
        const char* text;
    } forms[] = {
        {0, "0"},           {3, "3"},         {-2.5, "-2.5"},           {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},       {1e20, "1E20"},           {1.5e-7, "1.5E-7"},
        {0.00001, "0.00001"}, {123456789012345.0, "123456789012345"}, {1e15, "1E15"},
        {-1234.5678, "-1234.5678"},           {INFINITY, "INF"},       {NAN, "NAN"},
    };
    for (const auto& f : forms) {
        EXPECT_EQ(FormatDecimal(f.value), f.text) << f.text;
        if (std::isfinite(f.value)) {
            EXPECT_NEAR(ReadIniNumber(FormatDecimal(f.value)), f.value, std::fabs(f.value) * 1e-14) << f.text;
        }
    }
}

TEST_F(SystemFixture, IniFunctionsWorkInTheWorkingDirectory)
{
    Call("ini_open", {"Settings.ini"});
    Call("ini_write_string", {"Player", "Name", "Ann"});
    Call("ini_write_real", {"Player", "Volume", 0.75});
    Call("ini_write_real", {"Player", "Big", 1e20});
    EXPECT_EQ(ReadFile(Work("Settings.ini")), "[Player]\r\nName=Ann\r\nVolume=0.75\r\nBig=1E20\r\n");
    EXPECT_EQ(Text("ini_read_string", {"player", "name", "?"}), "Ann");
    EXPECT_EQ(Text("ini_read_string", {"player", "missing", "fallback"}), "fallback");
    EXPECT_DOUBLE_EQ(Real("ini_read_real", {"PLAYER", "volume", 0}), 0.75);
    EXPECT_EQ(Real("ini_read_real", {"player", "big", 0}), 1e20);
    EXPECT_EQ(Real("ini_read_real", {"player", "missing", -2.5}), -2.5);
    EXPECT_EQ(Real("ini_read_real", {"player", "name", 9}), 0); // a text that is no number
    EXPECT_EQ(Real("ini_key_exists", {"player", "NAME"}), 1);
    EXPECT_EQ(Real("ini_section_exists", {"nothing"}), 0);

    // A change made by someone else shows at once.
    WriteFile(Work("Settings.ini"), "[player]\nname=Bob\nscore=1.5E2\n");
    EXPECT_EQ(Text("ini_read_string", {"Player", "Name", "?"}), "Bob");
    EXPECT_EQ(Real("ini_read_real", {"player", "score", 0}), 150);

    Call("ini_key_delete", {"player", "score"});
    Call("ini_section_delete", {"nothing"});
    EXPECT_EQ(ReadFile(Work("Settings.ini")), "[player]\r\nname=Bob\r\n");
    Call("ini_close", {});
    EXPECT_EQ(Reported(), "");

    // The same file under another case is the same file.
    Call("ini_open", {"SETTINGS.INI"});
    EXPECT_EQ(Text("ini_read_string", {"player", "name", "?"}), "Bob");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, IniErrors)
{
    Call("ini_open", {"saves\\game.ini"});
    EXPECT_EQ(Reported(), "INI files must be located in the same directory as the program");
    const struct {
        const char* function;
        std::vector<RValue> arguments;
        const char* message;
    } cases[] = {
        {"ini_read_string", {"s", "k", "d"}, "Trying to read from undefined INI file"},
        {"ini_read_real", {"s", "k", 1}, "Trying to read from undefined INI file"},
        {"ini_key_exists", {"s", "k"}, "Trying to read from undefined INI file"},
        {"ini_section_exists", {"s"}, "Trying to read from undefined INI file"},
        {"ini_write_string", {"s", "k", "v"}, "Trying to write to undefined INI file"},
        {"ini_write_real", {"s", "k", 1}, "Trying to write to undefined INI file"},
        {"ini_key_delete", {"s", "k"}, "Trying to change undefined INI file"},
        {"ini_section_delete", {"s"}, "Trying to change undefined INI file"},
    };
    for (const auto& c : cases) {
        Call(c.function, c.arguments);
        EXPECT_EQ(Reported(), c.message) << c.function;
    }

    // A damaged file is read as far as it goes and its other lines survive a write.
    const std::string damaged = "\0\xFF garbage\n[s]\nk=1\n\x01\x02\n"s;
    WriteFile(Work("damaged.ini"), damaged);
    Call("ini_open", {"damaged.ini"});
    EXPECT_EQ(Real("ini_read_real", {"s", "k", 0}), 1);
    Call("ini_write_string", {"s", "k", "2"});
    EXPECT_EQ(ReadFile(Work("damaged.ini")), "\0\xFF garbage\r\n[s]\r\nk=2\r\n\x01\x02\r\n"s);
    EXPECT_EQ(Reported(), "");
}
