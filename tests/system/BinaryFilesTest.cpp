// Binary files: byte reads and writes, positions, sizes, emptying, the 32
// handles and their errors, and secure mode.
#include "tests/system/SystemFixture.h"

TEST_F(SystemFixture, BinaryFilesReadAndWriteBytesInPlace)
{
    WriteFile(Work("data.bin"), std::string("\x01\x02\x03\x04", 4));
    double f = Real("file_bin_open", {"DATA.bin", 2});
    ASSERT_EQ(f, 1);
    EXPECT_EQ(Real("file_bin_size", {f}), 4);
    EXPECT_EQ(Real("file_bin_position", {f}), 0); // an existing file opens at its start, kept
    EXPECT_EQ(Real("file_bin_read_byte", {f}), 1);
    Call("file_bin_write_byte", {f, 256 + 0xAB}); // the low 8 bits
    Call("file_bin_write_byte", {f, -1});
    EXPECT_EQ(Real("file_bin_position", {f}), 3);
    Call("file_bin_seek", {f, 6});                // past the end: the gap fills on writing
    Call("file_bin_write_byte", {f, 2.5});        // rounds to even
    EXPECT_EQ(Real("file_bin_size", {f}), 7);
    Call("file_bin_seek", {f, 3});
    EXPECT_EQ(Real("file_bin_read_byte", {f}), 4);
    EXPECT_EQ(Reported(), "");
    Call("file_bin_seek", {f, 7});
    EXPECT_EQ(Real("file_bin_read_byte", {f}), 0);
    EXPECT_EQ(Reported(), "Error reading byte.");
    Call("file_bin_seek", {f, -1});
    EXPECT_EQ(Reported(), "Error seeking.");
    EXPECT_EQ(ReadFile(Work("data.bin")), std::string("\x01\xAB\xFF\x04\x00\x00\x02", 7));

    Call("file_bin_rewrite", {f});
    EXPECT_EQ(Real("file_bin_size", {f}), 0);
    EXPECT_EQ(Real("file_bin_position", {f}), 0);
    Call("file_bin_close", {f});
    EXPECT_EQ(ReadFile(Work("data.bin")), "");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, BinaryModesLimitWhatAHandleMayDo)
{
    WriteFile(Work("r.bin"), "ab");
    double reader = Real("file_bin_open", {"r.bin", 0});
    Call("file_bin_write_byte", {reader, 1});
    EXPECT_EQ(Reported(), "Error writing byte.");
    Call("file_bin_rewrite", {reader}); // reading only: the file is not emptied
    EXPECT_EQ(Reported(), "Error rewriting file.");
    EXPECT_EQ(ReadFile(Work("r.bin")), "ab");

    double writer = Real("file_bin_open", {"r.bin", 1}); // opened, not emptied
    EXPECT_EQ(Real("file_bin_read_byte", {writer}), 0);
    EXPECT_EQ(Reported(), "Error reading byte.");
    Call("file_bin_write_byte", {writer, 'X'});
    EXPECT_EQ(ReadFile(Work("r.bin")), "Xb");

    // A missing file is created empty, whatever the mode.
    double created = Real("file_bin_open", {"new.bin", 0});
    EXPECT_GT(created, 0);
    EXPECT_EQ(ReadFile(Work("new.bin")), "");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, BinaryHandlesAreCheckedAndLimitedToThirtyTwo)
{
    for (int k = 1; k <= 32; ++k)
        ASSERT_EQ(Real("file_bin_open", {"b" + std::to_string(k), 1}), k);
    EXPECT_EQ(Real("file_bin_open", {"b33", 1}), -1);
    EXPECT_EQ(Reported(), "Cannot open another file (maximum exceeded).");
    Call("file_bin_close", {12});
    EXPECT_EQ(Real("file_bin_open", {"b33", 1}), 12);
    EXPECT_EQ(Reported(), "");
    for (int k = 1; k <= 32; ++k)
        Call("file_bin_close", {k});

    const struct {
        const char* function;
        std::vector<RValue> arguments;
        const char* message;
    } errors[] = {
        {"file_bin_close", {3}, "Trying to close unopened file."},
        {"file_bin_rewrite", {0}, "Trying to rewrite unopened file."},
        {"file_bin_size", {33}, "File is not opened."},
        {"file_bin_position", {-1}, "File is not opened."},
        {"file_bin_seek", {1, 0}, "File is not opened."},
        {"file_bin_read_byte", {1}, "File is not opened."},
        {"file_bin_write_byte", {1, 0}, "File is not opened."},
    };
    for (const auto& e : errors) {
        Call(e.function, e.arguments);
        EXPECT_EQ(Reported(), e.message) << e.function;
    }
    EXPECT_EQ(Real("file_bin_open", {"missing\\x.bin", 2}), -1);
    EXPECT_EQ(Reported(), "Error opening binary file.");
}

TEST_F(SystemFixture, SecureModeBinaryReadsCreateNothingOutside)
{
    GameState.secureMode = true;
    EXPECT_EQ(Real("file_bin_open", {"..\\w.bin", 1}), -1);
    EXPECT_EQ(Reported(), "In secure mode you cannot write file ..\\w.bin");
    // Reading from a path is allowed, but must not create the file there.
    EXPECT_EQ(Real("file_bin_open", {"..\\r.bin", 0}), -1);
    EXPECT_EQ(Reported(), "Error opening binary file.");
    EXPECT_EQ(ReadFile(Folder() + "/r.bin"), "<missing>");
    WriteFile(Folder() + "/r.bin", "z");
    double f = Real("file_bin_open", {"..\\r.bin", 0});
    EXPECT_EQ(Real("file_bin_read_byte", {f}), 'z');
    EXPECT_EQ(Real("file_bin_open", {"here.bin", 2}), 2);
    EXPECT_EQ(Reported(), "");
}
