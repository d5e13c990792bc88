// External functions and extension packages against the suite's own C
// library: every way a definition or a call can fail, the script files of
// packages, and a package's functions, constants, init and final functions.
#include "code/Code.h"
#include "code/Executor.h"
#include "code/BuiltinConstants.h"
#include "code/Constants.h"
#include "code/Scripts.h"
#include "data/ExtensionPackage.h"
#include "data/Resources.h"
#include "data/Script.h"
#include "data/TempDirectory.h"
#include "runner/Registration.h"
#include "system/Extensions.h"
#include "system/ExternalFunctions.h"
#include "tests/system/SystemFixture.h"
#include "world/GameVariables.h"
#include "world/Instance.h"

namespace {

class ExternalFixture : public SystemFixture {
protected:
    static void SetUpTestSuite()
    {
        // Everything, so that code calling extension functions runs as in a game.
        std::string problem;
        ASSERT_TRUE(Runner_RegisterTables(problem)) << problem;
    }
    void SetUp() override
    {
        SystemFixture::SetUp();
        std::filesystem::copy_file(BRINDLE_TEST_LIBRARY, Work("libbrindle_test.so"));
        Game_SetProgramDirectory(Folder() + "/work");
        x_temp = TempDir;
        TempDir = Folder() + "/temp";
        std::filesystem::create_directories(TempDir);
    }
    void TearDown() override
    {
        External_FreeAll();
        Function_SetExtensionLookup(RExtensionFunctionLookup{});
        GameResources.ExtensionPackages.clear();
        Scripts.Clear();
        Script_ClearCompiled();
        Constant_Clear();
        Constant_AddBuiltins();
        TempDir = x_temp;
        SystemFixture::TearDown();
    }

    // Compiles and runs code; false with the pending message when it failed.
    static bool RunCode(const std::string& text, RValue& result)
    {
        Code_Context().ClearError();
        CCode code(text, true);
        if (!code.Compile())
            return false;
        CInstance self;
        self.Create(0, 0, 100001, 0);
        return Code_Execute(&self, &self, code, result);
    }

    std::string x_temp;
};

} // namespace

// One row per failure: what is called, what it gives and the message shown.
TEST_F(ExternalFixture, EveryFailureHasItsResultAndMessage)
{
    static const char kForeign[] = "MZ\x90\0\x03\0\0\0 a library of the original platform";
    WriteFile(Work("oldlib.dll"), std::string(kForeign, sizeof kForeign - 1));
    std::filesystem::copy_file(BRINDLE_TEST_LIBRARY, Work("libfreed.so"));
    const RValue lib("brindle_test.dll");
    const double add = Real("external_define", {lib, "add", 0, 0, 2, 0, 0});
    const double greet = Real("external_define", {lib, "greet", 1, 1, 1, 1});
    const double freed = Real("external_define", {"freed.dll", "add", 0, 0, 2, 0, 0});
    ASSERT_GE(add, 0);
    ASSERT_GE(greet, 0);
    ASSERT_GE(freed, 0);
    Call("external_free", {"FREED.DLL"}); // in any letter case
    EXPECT_EQ(Reported(), "");

    const std::string defineFailed = "Error defining an external function.";
    const std::string secure = "In secure mode you cannot use DLLs";
    struct {
        const char* what;
        bool secureMode;
        std::string function;
        std::vector<RValue> arguments;
        RValue result;
        std::string message;
    } cases[] = {
        {"missing library", false, "external_define", {"no_such.dll", "add", 0, 0, 2, 0, 0}, RValue(-1.0), defineFailed},
        {"missing library, fixed form", false, "external_define2", {"no_such", "add", 0, 0, 0}, RValue(-1.0),
         defineFailed},
        {"missing symbol", false, "external_define", {lib, "no_such_function", 0, 0, 0}, RValue(-1.0), defineFailed},
        {"library of the original platform", false, "external_define", {"oldlib.dll", "add", 0, 0, 2, 0, 0},
         RValue(-1.0), defineFailed},
        {"argnumb not the count given", false, "external_define", {lib, "add", 0, 0, 3, 0, 0}, RValue(-1.0),
         "Wrong number of arguments to external_define()"},
        {"too few arguments to define", false, "external_define", {lib, "add", 0, 0}, RValue(-1.0),
         "Wrong number of arguments to external_define()"},
        {"a string among five arguments", false, "external_define", {lib, "weighted8", 0, 0, 5, 0, 0, 1, 0, 0},
         RValue(-1.0), "DLL functions with more than 4 arguments cannot have string arguments"},
        {"call with too few arguments", false, "external_call", {add, 1}, RValue(0.0), ""},
        {"call with too many arguments", false, "external_call", {add, 1, 2, 3}, RValue(0.0), ""},
        {"unknown id", false, "external_call", {999, 1, 2}, RValue(0.0), ""},
        {"negative id", false, "external_call3", {-1, 1, 2, 3}, RValue(0.0), ""},
        {"freed library", false, "external_call", {freed, 1, 2}, RValue(0.0), ""},
        {"a real for a string", false, "external_call", {greet, 5}, RValue("Hello, !"), ""},
        {"strings for reals", false, "external_call", {add, "a", "b"}, RValue(0.0), ""},
        {"secure define", true, "external_define", {lib, "add", 0, 0, 2, 0, 0}, RValue(-1.0), secure},
        {"secure fixed define", true, "external_define8", {lib, "weighted8", 0}, RValue(-1.0), secure},
        {"secure call", true, "external_call", {add, 1, 2}, RValue(0.0), secure},
        {"secure fixed call", true, "external_call2", {add, 1, 2}, RValue(0.0), secure},
        {"secure free", true, "external_free", {lib}, RValue(0.0), secure},
    };
    for (const auto& c : cases) {
        GameState.secureMode = c.secureMode;
        RValue got = Call(c.function, c.arguments);
        EXPECT_EQ(got.kind, c.result.kind) << c.what;
        EXPECT_EQ(got.val, c.result.val) << c.what;
        EXPECT_EQ(got.str.Text(), c.result.str.Text()) << c.what;
        EXPECT_EQ(Reported(), c.message) << c.what;
    }
    GameState.secureMode = false;
    // Beyond the sixteen arguments no call from code can reach.
    EXPECT_EQ(External_Define("brindle_test.dll", "weighted16", 0, false, std::vector<bool>(17)), -1);
    // The library stayed usable through all of it, freed only under its other name.
    EXPECT_EQ(Real("external_call", {add, 1.5, 2}), 3.5);
}

TEST_F(ExternalFixture, LibrariesAreFoundByTheirWindowsStyleNames)
{
    std::filesystem::create_directories(Work("sub"));
    std::filesystem::copy_file(BRINDLE_TEST_LIBRARY, Work("sub/Helper.so"));
    std::filesystem::copy_file(BRINDLE_TEST_LIBRARY, TempDir + "/libtemponly.so");
    struct {
        std::string name;
        std::string function;
        int count;
        bool found;
    } cases[] = {
        {"brindle_test.dll", "add", 2, true},   // lib prefix and .so, in the game's folder
        {"LIBBRINDLE_TEST.SO", "add", 2, true}, // a different case
        {"sub\\helper.dll", "add", 2, true},    // a path, with the extension replaced
        {"temponly.dll", "add", 2, true},       // the temporary folder
        {"libm.so.6", "sqrt", 1, true},         // the system's library path
        {"sub\\missing.dll", "add", 2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(External_Define(c.name, c.function, 0, false, std::vector<bool>(c.count, false)) >= 0, c.found)
            << c.name;
}

TEST(ExtensionScripts, FilesSplitIntoSections)
{
    struct {
        std::string text;
        std::map<std::string, std::string> sections;
    } cases[] = {
        {"ignored\r#define a\rreturn 1;\r#define  b \rx = 1;\r\ny = 2;\r",
         {{"a", "return 1;"}, {"b", "x = 1;\r\ny = 2;"}}},
        {"#define last\rreturn 1;\rreturn 2;", {{"last", "return 1;"}}}, // no line break: the last line is lost
        {"#define a\n#define b\n", {}},                                   // bare line feeds end no line
        {"#define twice\r#define twice\rsecond\r", {{"twice", "second"}}},
        {"no section at all\r", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Extensions_SplitScripts(c.text), c.sections) << c.text;
}

TEST_F(ExternalFixture, PackagesOfferFunctionsConstantsAndScripts)
{
    CExtensionPackage package;
    package.s_name = "Test package";
    package.s_folder = "pkg";
    std::filesystem::create_directories(package.HostFolder());
    std::filesystem::copy_file(BRINDLE_TEST_LIBRARY, package.HostFolder() + "/libbrindle_test.so");
    auto function = [](const std::string& name, const std::string& extname, int32_t id, int32_t count) {
        CExtensionFunction f;
        f.s_name = name;
        f.s_extname = extname;
        f.s_id = id;
        f.s_argcount = count;
        return f;
    };
    CExtensionFile& library = package.s_files.emplace_back();
    library.s_filename = "libbrindle_test.so";
    library.s_kind = kExtensionLibrary;
    library.s_init = "ext_init";
    library.s_final = "ext_final";
    library.s_functions = {function("ext_init", "ext_init", 0, 0), function("ext_final", "ext_final", 1, 0),
                           function("add2", "add", 2, 2), function("calls", "call_count", 5, 0),
                           function("shadowed", "call_count", 6, 0)};
    library.s_constants.push_back(CExtensionConstant{"PKG_FIVE", "2 + 3"});
    CExtensionFile& scripts = package.s_files.emplace_back();
    scripts.s_kind = kExtensionScripts;
    std::string text = "#define twice\rreturn argument0 * 2;\r#define fails\rreturn no_such_variable;\r";
    scripts.s_data.assign(text.begin(), text.end());
    scripts.s_functions = {function("twice", "twice", 3, 1), function("fails", "fails", 4, 0)};
    GameResources.ExtensionPackages.push_back(package);
    // A script of the same name comes first.
    auto script = std::make_unique<CScript>();
    script->s_text = "return -1;";
    Scripts.Set(0, std::move(script), "shadowed");
    ASSERT_TRUE(Script_Compile(0));

    ASSERT_TRUE(Extensions_Prepare());
    ASSERT_TRUE(Extensions_Start());
    RValue result;
    ASSERT_TRUE(RunCode("add2(2, 3) * 100 + twice(4) + PKG_FIVE", result)) << Code_PendingError();
    EXPECT_EQ(result.val, 513);
    ASSERT_TRUE(RunCode("calls()", result));
    EXPECT_EQ(result.val, 1); // the init function reset the library's counter
    ASSERT_TRUE(RunCode("shadowed()", result));
    EXPECT_EQ(result.val, -1);
    EXPECT_FALSE(RunCode("fails()", result));
    EXPECT_EQ(Code_PendingError().rfind("In extension function fails:\r", 0), 0u) << Code_PendingError();
    EXPECT_FALSE(RunCode("add2(1)", result)); // the compiler knows the count

    GameState.secureMode = true;
    EXPECT_FALSE(RunCode("add2(2, 3)", result));
    EXPECT_EQ(Code_PendingError(), "In secure mode you cannot use extension packages.");
    EXPECT_FALSE(Extensions_Start());
    EXPECT_EQ(Error_Last, "In secure mode you cannot use extension packages.");
    GameState.secureMode = false;
    Error_Reset();

    GameResources.ExtensionPackages[0].s_files[0].s_init = "missing_init";
    EXPECT_FALSE(Extensions_Start());
    EXPECT_EQ(Error_Last, "Could not locate initialization function missing_init");
    Error_Reset();

    GameResources.ExtensionPackages[0].s_files[1].s_data.assign({'#', 'd', 'e', 'f', 'i', 'n', 'e', ' ', 't', 'w',
                                                                  'i', 'c', 'e', '\r', '(', '\r'});
    EXPECT_FALSE(Extensions_Prepare());
    EXPECT_EQ(Error_Last.rfind("COMPILATION ERROR in extension package Test package\r", 0), 0u) << Error_Last;
}
