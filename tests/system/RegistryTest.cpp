// The registry: values that survive the run, key and value names that match
// ignoring case, roots kept apart, two writers at once, damaged files, the
// secure-mode flag.
#include "data/GameData.h"
#include "tests/system/SystemFixture.h"

#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::string_literals;

namespace {

RRegistryValue Number(const char* text)
{
    return RRegistryValue{ERegistryType::Number, text};
}

} // namespace

TEST_F(SystemFixture, RegistryValuesSurviveTheRun)
{
    GameId = 4242;
    Call("registry_write_string", {"Player", "Zo\xEB"});
    Call("registry_write_real", {"best", -12.75});
    Call("registry_write_real", {"BEST", 3.5}); // the same value
    EXPECT_EQ(Reported(), "");

    // A later run: a fresh store on the same folder.
    Platform_SetRegistryFolder(Folder() + "/registry");
    EXPECT_EQ(Text("registry_read_string", {"player"}), "Zo\xEB");
    EXPECT_EQ(Real("registry_read_real", {"Best"}), 3.5);
    EXPECT_EQ(Real("registry_exists", {"PLAYER"}), 1);
    EXPECT_EQ(Real("registry_exists", {"nothing"}), 0);
    EXPECT_EQ(Real("registry_read_real", {"nothing"}), 0);
    EXPECT_EQ(Text("registry_read_string", {"nothing"}), "");
    // A value of the other type reads as missing.
    EXPECT_EQ(Real("registry_read_real", {"player"}), 0);
    EXPECT_EQ(Text("registry_read_string", {"best"}), "");

    // The game's own key, reached from outside; the text is UTF-8 on disk.
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\BRINDLE\\4242", "player"}), "Zo\xEB");
    EXPECT_EQ(Real("registry_read_real_ext", {"\\Software\\Brindle\\4242\\", "best"}), 3.5);
    std::string file = ReadFile(Folder() + "/registry/current_user.registry");
    EXPECT_NE(file.find("Zo\xC3\xAB"), std::string::npos) << file;

    // Another game has its own key.
    GameId = 7;
    EXPECT_EQ(Real("registry_exists", {"player"}), 0);
    GameId = 0;
}

TEST_F(SystemFixture, RegistryKeysSplitOnBackslashesOnlyAndRootsStayApart)
{
    Call("registry_write_string_ext", {"Software\\A/B", "v", "slash"});
    Call("registry_write_string_ext", {"Software\\A\\B", "v", "nested"});
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\a/b", "V"}), "slash");
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\\\a\\b", "V"}), "nested");

    // Values with line breaks, tabs and "%" keep the file one entry a line.
    Call("registry_write_string_ext", {"k", "odd\tname", "a\r\nb%41\t"});
    Platform_SetRegistryFolder(Folder() + "/registry");
    EXPECT_EQ(Text("registry_read_string_ext", {"K", "ODD\tNAME"}), "a\r\nb%41\t");

    Call("registry_set_root", {1});
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\a/b", "v"}), "");
    Call("registry_write_real_ext", {"Software\\A/B", "v", 2});
    EXPECT_EQ(Real("registry_read_real_ext", {"software\\a/b", "v"}), 2);
    Call("registry_set_root", {0});
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\a/b", "v"}), "slash");
    EXPECT_EQ(Real("registry_exists_ext", {"Software\\A/B", "v"}), 1);
    EXPECT_EQ(Real("registry_exists_ext", {"Software\\A", "v"}), 0);
    EXPECT_EQ(Reported(), "");
}

// Two runs writing at once: every write of each survives.
TEST_F(SystemFixture, TwoWritersAtOnceKeepEveryValue)
{
    const int kWrites = 60;
    std::string folder = Folder() + "/registry";
    pid_t children[2];
    for (int writer = 0; writer < 2; ++writer) {
        children[writer] = ::fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) {
            CRegistryStore store(folder);
            bool ok = true;
            for (int k = 0; k < kWrites; ++k)
                ok = store.WriteValue(ERegistryRoot::CurrentUser, "Software\\Race",
                                      "w" + std::to_string(writer) + "_" + std::to_string(k),
                                      RRegistryValue{ERegistryType::String, std::to_string(k)}) && ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    CRegistryStore store(folder);
    for (int writer = 0; writer < 2; ++writer)
        for (int k = 0; k < kWrites; ++k) {
            RRegistryValue value;
            ASSERT_TRUE(store.ReadValue(ERegistryRoot::CurrentUser, "software\\race",
                                        "W" + std::to_string(writer) + "_" + std::to_string(k), value))
                << writer << " " << k;
            EXPECT_EQ(value.data, std::to_string(k));
        }
    EXPECT_FALSE(Registry_Parse(ReadFile(store.FileOf(ERegistryRoot::CurrentUser))).damaged);
}

TEST_F(SystemFixture, ADamagedRegistryFileLosesNothing)
{
    std::string file = Folder() + "/registry/current_user.registry";
    const std::string damaged = "brindle registry 1\n"
                                "key\tSoftware\\Good\n"
                                "string\tname\tkept\n"
                                "binary\tbad\t0g\n"           // not hexadecimal
                                "\x01\x02 garbage\n"
                                "number\tflag\t99999999999\n" // too large
                                "string\tlast\tstill read\n";
    WriteFile(file, damaged);
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\good", "name"}), "kept");
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\good", "last"}), "still read");
    EXPECT_EQ(Real("registry_exists_ext", {"software\\good", "bad"}), 0);

    Call("registry_write_string_ext", {"Software\\Good", "new", "value"});
    EXPECT_EQ(ReadFile(file + ".damaged"), damaged); // the unreadable lines are kept
    EXPECT_FALSE(Registry_Parse(ReadFile(file)).damaged);
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\good", "name"}), "kept");
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\good", "new"}), "value");

    // Not a registry file at all: read as empty, and kept aside on the next write.
    WriteFile(file, "\x89PNG\r\n\x1a\n\0\0"s);
    EXPECT_EQ(Text("registry_read_string_ext", {"software\\good", "name"}), "");
    Call("registry_write_string_ext", {"x", "y", "z"});
    EXPECT_EQ(ReadFile(file + ".damaged-2").substr(0, 4), "\x89PNG");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, SecureModeComesFromThePreferencesKey)
{
    const std::string key = "Software\\Brindle\\Version 8\\Preferences";
    const struct {
        const char* warning;    // nullptr: no such value
        const char* running;
        bool keyExists;
        bool secure;
    } cases[] = {
        {nullptr, nullptr, false, false},
        {nullptr, nullptr, true, false},
        {"1", nullptr, true, true},
        {"0", nullptr, true, false},
        {"1", "1", true, true},
        {"1", "0", true, false},
        {"0", "1", true, false},
    };
    for (const auto& c : cases) {
        std::string folder = Folder() + "/secure" + std::to_string(&c - cases);
        Platform_SetRegistryFolder(folder);
        CRegistryStore& store = Platform_Registry();
        if (c.keyExists)
            store.WriteValue(ERegistryRoot::CurrentUser, key, "Other", Number("5"));
        if (c.warning)
            store.WriteValue(ERegistryRoot::CurrentUser, key, "Warning", Number(c.warning));
        if (c.running)
            store.WriteValue(ERegistryRoot::CurrentUser, key, "BrindleRunning", Number(c.running));
        EXPECT_EQ(System_ReadSecureMode(), c.secure) << (&c - cases);
    }

    GameState.secureMode = true;
    Call("registry_write_string_ext", {"Software\\X", "v", "no"});
    EXPECT_EQ(Reported(), "In Secure mode you cannot write registry entries in Software\\X");
    Call("registry_write_real_ext", {"Software\\X", "v", 1});
    EXPECT_EQ(Reported(), "In Secure mode you cannot write registry entries in Software\\X");
    EXPECT_EQ(Real("registry_exists_ext", {"Software\\X", "v"}), 0);
    Call("registry_write_string", {"own", "yes"}); // the game's own key stays writable
    EXPECT_EQ(Text("registry_read_string", {"own"}), "yes");
    EXPECT_EQ(Reported(), "");
}
