// Text files: lines ended by CR LF, LF or CR alone; the end-of-file and
// end-of-line rules; the number reader and writer; the handle table and the
// single file of the older functions; secure mode.
#include "tests/system/SystemFixture.h"

namespace {

// Every line of a file read the way games loop over one.
std::vector<std::string> ReadAllLines(double handle)
{
    std::vector<std::string> lines;
    for (int guard = 0; guard < 100 && SystemFixture::Real("file_text_eof", {handle}) == 0; ++guard) {
        lines.push_back(SystemFixture::Text("file_text_read_string", {handle}));
        SystemFixture::Call("file_text_readln", {handle});
    }
    return lines;
}

} // namespace

TEST_F(SystemFixture, TextReadingAcceptsEveryLineEnd)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* bytes;
        Lines lines;
    } cases[] = {
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\ntwo\n", {"one", "two"}},
        {"one\rtwo\r", {"one", "two"}},
        {"one\r\ntwo", {"one", "two"}},           // no line end after the last line
        {"one\n\r\ntwo\r\rthree", {"one", "", "two", "", "three"}},
        {"\r\n", {""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        WriteFile(Work("lines.txt"), c.bytes);
        double handle = Real("file_text_open_read", {"lines.txt"});
        ASSERT_EQ(handle, 1);
        EXPECT_EQ(ReadAllLines(handle), c.lines) << testing::PrintToString(std::string(c.bytes));
        Call("file_text_close", {handle});
    }
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, ReadingAStringStopsBeforeTheLineEndAndEndOfFileEndsTheLine)
{
    WriteFile(Work("t.txt"), "ab\r\ncd");
    double f = Real("file_text_open_read", {"t.txt"});
    EXPECT_EQ(Real("file_text_eoln", {f}), 0);
    EXPECT_EQ(Text("file_text_read_string", {f}), "ab");
    EXPECT_EQ(Real("file_text_eoln", {f}), 1);
    EXPECT_EQ(Text("file_text_read_string", {f}), ""); // still before the line end
    EXPECT_EQ(Real("file_text_eof", {f}), 0);
    Call("file_text_readln", {f});
    EXPECT_EQ(Text("file_text_read_string", {f}), "cd");
    EXPECT_EQ(Real("file_text_eof", {f}), 1);
    EXPECT_EQ(Real("file_text_eoln", {f}), 1); // the end of the file ends the last line
    Call("file_text_readln", {f});             // nothing left: no error
    EXPECT_EQ(Text("file_text_read_string", {f}), "");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, TextNumbersReadForgivingly)
{
    const struct {
        const char* line;
        double value;
        const char* rest; // the line after the number
    } cases[] = {
        {"  -12.5e3", -12.5, "3"}, // the e ends the number and is consumed
        {"1 2,5", 12.5, ""},
        {"--3", -3, ""},
        {"3x4", 3, "4"},
        {"7\r\n8", 7, ""},        // the line end stays
        {"0.25.5", 0.25, "5"},    // a second point ends the number
        {"\t-0,125 ", -0.125, ""},
        {"", 0, ""},
        {"abc", 0, "bc"},
    };
    for (const auto& c : cases) {
        WriteFile(Work("n.txt"), c.line);
        double f = Real("file_text_open_read", {"n.txt"});
        EXPECT_DOUBLE_EQ(Real("file_text_read_real", {f}), c.value) << c.line;
        EXPECT_EQ(Text("file_text_read_string", {f}), c.rest) << c.line;
        Call("file_text_close", {f});
    }
}

TEST_F(SystemFixture, TextWritesEndLinesWithCrLfAndCutDecimals)
{
    double f = Real("file_text_open_write", {"out.txt"});
    Call("file_text_write_string", {f, "name"});
    Call("file_text_write_real", {f, 0.5});
    Call("file_text_write_real", {f, 3});
    Call("file_text_write_real", {f, -2.25});
    Call("file_text_writeln", {f});
    Call("file_text_write_real", {f, 2.0 / 3});   // cut, not rounded
    Call("file_text_write_real", {f, -0.0000001}); // no decimals show, the sign does
    Call("file_text_write_real", {f, 1e20});
    Call("file_text_writeln", {f});
    // Every write reaches the file at once, before the close.
    EXPECT_EQ(ReadFile(Work("out.txt")),
              "name 0.500000 3 -2.250000\r\n 0.666666 -0 100000000000000000000\r\n");
    Call("file_text_close", {f});

    // Reals read back one to a line: the reader skips blanks, so two on a
    // line would read as one number.
    f = Real("file_text_open_write", {"reals.txt"});
    Call("file_text_write_real", {f, 2.0 / 3});
    Call("file_text_writeln", {f});
    Call("file_text_write_real", {f, -7.5});
    Call("file_text_close", {f});
    f = Real("file_text_open_read", {"REALS.TXT"});
    EXPECT_DOUBLE_EQ(Real("file_text_read_real", {f}), 0.666666);
    Call("file_text_readln", {f});
    EXPECT_DOUBLE_EQ(Real("file_text_read_real", {f}), -7.5);
    Call("file_text_close", {f});

    // Appending keeps what is there; writing empties it.
    f = Real("file_text_open_append", {"out.txt"});
    Call("file_text_write_string", {f, "more"});
    Call("file_text_close", {f});
    EXPECT_EQ(ReadFile(Work("out.txt")).substr(ReadFile(Work("out.txt")).size() - 6), "\r\nmore");
    f = Real("file_text_open_write", {"out.txt"});
    Call("file_text_close", {f});
    EXPECT_EQ(ReadFile(Work("out.txt")), "");
    f = Real("file_text_open_append", {"new.txt"});
    Call("file_text_write_string", {f, "x"});
    Call("file_text_close", {f});
    EXPECT_EQ(ReadFile(Work("new.txt")), "x");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, TextHandlesAreSlotsOneToThirtyTwo)
{
    EXPECT_EQ(Real("file_text_open_read", {"missing.txt"}), -1);
    EXPECT_EQ(Reported(), ""); // a missing file is no error

    for (int k = 1; k <= 32; ++k)
        ASSERT_EQ(Real("file_text_open_write", {"f" + std::to_string(k) + ".txt"}), k);
    EXPECT_EQ(Real("file_text_open_write", {"f33.txt"}), -1);
    EXPECT_EQ(Reported(), "Cannot open another file (maximum exceeded).");
    EXPECT_EQ(ReadFile(Work("f33.txt")), "<missing>");
    Call("file_text_close", {7});
    EXPECT_EQ(Real("file_text_open_read", {"f1.txt"}), 7); // the lowest free slot
    EXPECT_EQ(Reported(), "");

    const struct {
        const char* function;
        std::vector<RValue> arguments;
        const char* message;
    } errors[] = {
        {"file_text_close", {0}, "Trying to close unexisting text file."},
        {"file_text_close", {33}, "Trying to close unexisting text file."},
        {"file_text_read_string", {1}, "File is not opened for reading."},
        {"file_text_read_real", {40}, "File is not opened for reading."},
        {"file_text_readln", {-1}, "File is not opened for reading."},
        {"file_text_eof", {2}, "File is not opened for reading."},
        {"file_text_eoln", {2}, "File is not opened for reading."},
        {"file_text_write_string", {7, "x"}, "File not opened for writing."},
        {"file_text_write_real", {7, 1}, "File not opened for writing."},
        {"file_text_writeln", {40}, "File not opened for writing."},
    };
    for (const auto& e : errors) {
        Call(e.function, e.arguments);
        EXPECT_EQ(Reported(), e.message) << e.function;
    }
    Call("file_text_close", {5});
    Call("file_text_close", {5}); // a closed slot closes quietly
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, TheOlderFunctionsUseTheirOneFile)
{
    Call("file_open_write", {"old.txt"});
    Call("file_write_string", {"a"});
    Call("file_write_real", {1.5});
    Call("file_writeln", {});
    Call("file_write_string", {"b"});
    Call("file_open_read", {"old.txt"}); // closes the written file first
    EXPECT_EQ(Text("file_read_string", {}), "a 1.500000");
    EXPECT_EQ(Real("file_eoln", {}), 1);
    Call("file_readln", {});
    EXPECT_EQ(Text("file_read_string", {}), "b");
    EXPECT_EQ(Real("file_eof", {}), 1);
    Call("file_close", {});
    EXPECT_EQ(Reported(), "");

    Call("file_open_read", {"missing.txt"}); // quietly leaves the file closed
    EXPECT_EQ(Reported(), "");
    const struct {
        const char* function;
        std::vector<RValue> arguments;
        const char* message;
    } errors[] = {
        {"file_read_string", {}, "File not opened for reading."},
        {"file_read_real", {}, "File not opened for reading."},
        {"file_readln", {}, "File not opened for reading."},
        {"file_eof", {}, "File is not opened for reading."},
        {"file_eoln", {}, "File is not opened for reading."},
        {"file_write_string", {"x"}, "File not opened for writing."},
        {"file_write_real", {1}, "File not opened for writing."},
        {"file_writeln", {}, "File not opened for writing."},
    };
    for (const auto& e : errors) {
        Call(e.function, e.arguments);
        EXPECT_EQ(Reported(), e.message) << e.function;
    }

    // The handle functions never close it.
    Call("file_open_append", {"old.txt"});
    Call("file_text_close", {0});
    EXPECT_EQ(Reported(), "Trying to close unexisting text file.");
    Call("file_write_string", {"c"});
    Call("file_close", {});
    EXPECT_EQ(ReadFile(Work("old.txt")), "a 1.500000\r\nbc");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, SecureModeRefusesTextWritesToPathsOnly)
{
    GameState.secureMode = true;
    double f = Real("file_text_open_write", {"plain.txt"});
    EXPECT_EQ(f, 1);
    Call("file_text_close", {f});
    EXPECT_EQ(Reported(), "");

    EXPECT_EQ(Real("file_text_open_write", {"C:\\plain.txt"}), -1);
    EXPECT_EQ(Reported(), "In secure mode you cannot write file C:\\plain.txt");
    EXPECT_EQ(Real("file_text_open_append", {"sub/plain.txt"}), -1);
    EXPECT_EQ(Reported(), "In secure mode you cannot append to file sub/plain.txt");
    Call("file_open_write", {"..\\escape.txt"});
    EXPECT_EQ(Reported(), "In secure mode you cannot write file ..\\escape.txt");
    EXPECT_EQ(ReadFile(Folder() + "/escape.txt"), "<missing>");

    // Reading from anywhere stays allowed.
    WriteFile(Folder() + "/outside.txt", "hi");
    f = Real("file_text_open_read", {"..\\outside.txt"});
    EXPECT_EQ(Text("file_text_read_string", {f}), "hi");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, OpeningAFolderAsATextFileIsAnError)
{
    std::filesystem::create_directories(Work("folder"));
    EXPECT_EQ(Real("file_text_open_read", {"folder"}), -1);
    EXPECT_EQ(Reported(), "Error opening file for reading.");
    EXPECT_EQ(Real("file_text_open_write", {"folder"}), -1);
    EXPECT_EQ(Reported(), "Error opening file for writing.");
    EXPECT_EQ(Real("file_text_open_append", {"missing\\x.txt"}), -1);
    EXPECT_EQ(Reported(), "Error opening file for appending.");
}
