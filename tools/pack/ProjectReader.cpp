// game.toml to GameProject.
#include "data/Stream.h"
#include "graphics/PictureFiles.h"
#include "platform/Files.h"
#include "tools/pack/Manifest.h"
#include "tools/pack/Project.h"
#include "tools/pack/ProjectPaths.h"
#include "tools/pack/ReaderContext.h"

#include "data/Room.h"

#include <cctype>
#include <deque>
#include <filesystem>

namespace {

// A picture file of the project (the first frame of an animation).
std::unique_ptr<TBitmap32> LoadPicture(CManifestTable& table, const std::string& key, const GameProject& project)
{
    std::string name = table.GetString(key, std::string());
    if (name.empty())
        return nullptr;
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(Project_FilePathAt(project, table, key, name), bytes))
        table.Fail(key, "cannot read the file \"" + name + "\"");
    std::vector<TBitmap32> frames;
    RPictureError error;
    if (!Picture_Decode(bytes.data(), bytes.size(), frames, &error))
        table.Fail(key, "\"" + name + "\": " + error.message);
    return std::make_unique<TBitmap32>(std::move(frames[0]));
}

bool ParseGUID(const std::string& text, std::array<uint8_t, 16>& guid)
{
    std::string hex;
    for (char c : text)
        if (c != '-' && c != '{' && c != '}')
            hex += c;
    if (hex.size() != 32)
        return false;
    uint8_t bytes[16];
    for (int k = 0; k < 16; ++k) {
        int value = 0;
        for (int d = 0; d < 2; ++d) {
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(hex[2 * k + d])));
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (digit < 0)
                return false;
            value = value * 16 + digit;
        }
        bytes[k] = static_cast<uint8_t>(value);
    }
    // The text form lists the first three groups most significant byte first;
    // the stored form keeps them little-endian.
    static const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (int k = 0; k < 16; ++k)
        guid[static_cast<size_t>(k)] = bytes[order[k]];
    return true;
}

void ReadGameTable(CManifestTable& game, GameProject& project)
{
    project.Name = game.GetString("name", std::filesystem::path(project.Folder).filename().string());
    // Without an id of its own a game still gets a stable one, so its save
    // files and highscores do not mix with another game's.
    uint32_t derived = CalcCRC(project.Name.data(), static_cast<int64_t>(project.Name.size())) % 100000000u;
    project.GameId = static_cast<int32_t>(game.GetInteger("id", derived, 0, INT32_MAX));
    std::string guid = game.GetString("guid", std::string());
    if (guid.empty()) {
        for (int k = 0; k < 4; ++k) {
            std::string seed = project.Name + "#" + std::to_string(project.GameId) + "#" + std::to_string(k);
            uint32_t part = CalcCRC(seed.data(), static_cast<int64_t>(seed.size()));
            for (int b = 0; b < 4; ++b)
                project.GameGUID[static_cast<size_t>(4 * k + b)] = static_cast<uint8_t>(part >> (8 * b));
        }
    } else if (!ParseGUID(guid, project.GameGUID)) {
        game.Fail("guid", "expected 32 hexadecimal digits such as \"0123abcd-4567-89ef-0123-456789abcdef\"");
    }
    project.DebugMode = game.GetBool("debug", false);
}

void ReadWindowTable(CManifestTable window, GameSettings& s)
{
    s.FullScreen = window.GetBool("fullscreen", s.FullScreen);
    s.Interpolate = window.GetBool("interpolate", s.Interpolate);
    s.NoBorder = !window.GetBool("border", !s.NoBorder);
    s.ShowCursor = window.GetBool("cursor", s.ShowCursor);
    s.Scaling = static_cast<int32_t>(window.GetInteger("scaling", s.Scaling, -1000000, 1000000));
    s.Sizeable = window.GetBool("sizeable", s.Sizeable);
    s.StayOnTop = window.GetBool("stay_on_top", s.StayOnTop);
    s.WindowColor = window.GetColor("color", s.WindowColor);
    s.NoCaptionButtons = !window.GetBool("caption_buttons", !s.NoCaptionButtons);
    s.VerticalSync = window.GetBool("vsync", s.VerticalSync);
    s.NoScreenSaver = !window.GetBool("screen_saver", !s.NoScreenSaver);
    s.FreezeWhenInactive = window.GetBool("freeze_when_inactive", s.FreezeWhenInactive);
    s.Priority = window.GetChoice("priority", {"normal", "high", "highest"}, s.Priority);

    CManifestTable display = window.GetTable("display_mode");
    s.SetDisplayMode = display.Table().size() > 0;
    s.ColorDepth = display.GetChoice("depth", {"keep", "16", "32"}, 0);
    s.Resolution = display.GetChoice(
        "resolution", {"keep", "320x240", "640x480", "800x600", "1024x768", "1280x1024", "1600x1200"}, 0);
    s.Frequency = display.GetChoice("frequency", {"keep", "60", "70", "85", "100", "120"}, 0);
    display.Finish();
    window.Finish();
}

void ReadKeysTable(CManifestTable keys, GameSettings& s)
{
    s.KeyEscEnds = keys.GetBool("esc_ends_game", s.KeyEscEnds);
    s.KeyF1Information = keys.GetBool("f1_shows_information", s.KeyF1Information);
    s.KeyF4FullScreen = keys.GetBool("f4_switches_fullscreen", s.KeyF4FullScreen);
    s.KeyF5SaveF6Load = keys.GetBool("f5_saves_f6_loads", s.KeyF5SaveF6Load);
    s.KeyF9Screenshot = keys.GetBool("f9_takes_screenshot", s.KeyF9Screenshot);
    s.CloseButtonAsEsc = keys.GetBool("close_button_acts_as_esc", s.CloseButtonAsEsc);
    keys.Finish();
}

void ReadLoadingTable(CManifestTable loading, GameProject& project)
{
    GameSettings& s = project.Settings;
    s.ShowProgressBar = loading.GetBool("progress_bar", s.ShowProgressBar);
    s.BarBackImage = LoadPicture(loading, "bar_back", project);
    s.BarFrontImage = LoadPicture(loading, "bar_front", project);
    if (!s.ShowProgressBar && (s.BarBackImage || s.BarFrontImage))
        loading.Fail(s.BarBackImage ? "bar_back" : "bar_front", "bar pictures need progress_bar = true");
    s.ScaleProgressBar = loading.GetBool("scale_bar", s.ScaleProgressBar);
    s.LoadingImage = LoadPicture(loading, "image", project);
    s.LoadingImageTransparent = loading.GetBool("transparent", s.LoadingImageTransparent);
    s.LoadingImageAlpha = static_cast<int32_t>(loading.GetInteger("alpha", s.LoadingImageAlpha, 0, 255));
    loading.Finish();
}

void ReadErrorsTable(CManifestTable errors, GameSettings& s)
{
    s.ShowErrorMessages = errors.GetBool("show", s.ShowErrorMessages);
    s.LogErrorMessages = errors.GetBool("log", s.LogErrorMessages);
    s.AbortOnErrors = errors.GetBool("abort", s.AbortOnErrors);
    s.UninitializedIsZero = errors.GetBool("uninitialized_is_zero", false);
    s.CheckScriptArguments = errors.GetBool("check_script_arguments", true);
    s.ScriptOptions = (s.UninitializedIsZero ? 1 : 0) | (s.CheckScriptArguments ? 2 : 0);
    errors.Finish();
}

// The manifest and the files it includes: each resource list is the
// concatenation of the lists of all of them, the manifest's first.
class CManifestSet {
public:
    void Add(const std::string& host, const std::string& shown)
    {
        c_documents.push_back(ParseManifestFile(host, shown));
        c_roots.emplace_back(c_documents.back(), shown);
    }
    CManifestTable& Main() { return c_roots.front(); }
    std::vector<CManifestTable> Entries(const std::string& key)
    {
        std::vector<CManifestTable> all;
        for (CManifestTable& root : c_roots)
            for (CManifestTable& entry : root.GetTableArray(key))
                all.push_back(std::move(entry));
        return all;
    }
    void Finish()
    {
        for (CManifestTable& root : c_roots)
            root.Finish();
    }

private:
    std::deque<toml::table> c_documents;
    std::deque<CManifestTable> c_roots;
};

void ReadIncludes(CManifestSet& set, const GameProject& project, const std::string& shownFolder)
{
    CManifestTable& main = set.Main();
    const toml::node* node = main.GetNode("include");
    if (!node)
        return;
    const toml::array* files = node->as_array();
    if (!files)
        main.Fail("include", "expected a list of TOML files, as [\"objects.toml\"]");
    for (const toml::node& file : *files) {
        if (!file.is_string())
            main.Fail("include", "expected a list of TOML files, as [\"objects.toml\"]");
        std::string relative = file.as_string()->get();
        std::string host = Project_FilePathAt(project, main, "include", relative);
        if (!Platform_FileExists(host))
            main.Fail("include", "cannot read the file \"" + relative + "\"");
        set.Add(host, shownFolder + "/" + relative);
    }
}

void ReadResources(CManifestSet& set, CManifestTable& game, GameProject& project)
{
    CReaderContext context(project);
    std::vector<CManifestTable> lists[static_cast<size_t>(EResourceKind::Count)];
    for (size_t k = 0; k < static_cast<size_t>(EResourceKind::Count); ++k) {
        lists[k] = set.Entries(ResourceKey(static_cast<EResourceKind>(k)));
        context.CollectNames(static_cast<EResourceKind>(k), lists[k]);
    }
    auto list = [&lists](EResourceKind kind) -> std::vector<CManifestTable>& {
        return lists[static_cast<size_t>(kind)];
    };
    std::vector<CManifestTable> constants = set.Entries("constant");
    ReadConstants(context, constants);
    ReadTriggers(context, list(EResourceKind::Trigger));
    ReadSounds(context, list(EResourceKind::Sound));
    ReadSprites(context, list(EResourceKind::Sprite));
    ReadBackgrounds(context, list(EResourceKind::Background));
    ReadPaths(context, list(EResourceKind::Path));
    ReadScripts(context, list(EResourceKind::Script));
    ReadFonts(context, list(EResourceKind::Font));
    ReadTimeLines(context, list(EResourceKind::TimeLine));
    ReadObjects(context, list(EResourceKind::Object));
    ReadRooms(context, list(EResourceKind::Room));
    // A game starts in its first room, so a project without rooms gets one.
    if (list(EResourceKind::Room).empty())
        project.Resources.Rooms.Set(0, std::make_unique<CRoom>(), "room0");
    std::vector<CManifestTable> files = set.Entries("datafile");
    ReadDataFiles(context, files);
    std::vector<CManifestTable> extensions = set.Entries("extension");
    ReadExtensionPackages(context, extensions);
    ReadGameInformation(context, set.Main().GetTable("information"));
    std::vector<CManifestTable> init = set.Entries("library_init");
    ReadLibraryInitCode(context, init);
    ReadRoomOrder(context, game);
    if (project.Resources.RoomOrder.empty())
        game.FailHere("the game has no room to start in: list a room, or give [game] room_order");
}

} // namespace

void ReadProject(const std::string& folder, GameProject& project)
{
    project = GameProject();
    project.Folder = std::filesystem::absolute(folder).lexically_normal().string();
    while (project.Folder.size() > 1 && project.Folder.back() == '/')
        project.Folder.pop_back();
    std::string manifestPath = project.Folder + "/" + kManifestName;
    if (!Platform_FileExists(manifestPath))
        throw EProjectError(manifestPath + ": no such file (a project folder holds a " + kManifestName + ")");
    std::string shownFolder = folder;
    while (shownFolder.size() > 1 && shownFolder.back() == '/')
        shownFolder.pop_back();
    project.ShownFolder = shownFolder;
    std::string shownName = shownFolder + "/" + kManifestName;
    CManifestSet set;
    set.Add(manifestPath, shownName);
    CManifestTable& root = set.Main();
    ReadIncludes(set, project, shownFolder);

    CManifestTable game = root.GetTable("game");
    ReadGameTable(game, project);
    ReadWindowTable(root.GetTable("window"), project.Settings);
    ReadKeysTable(root.GetTable("keys"), project.Settings);
    ReadLoadingTable(root.GetTable("loading"), project);
    ReadErrorsTable(root.GetTable("errors"), project.Settings);
    ReadResources(set, game, project);
    game.Finish();
    set.Finish();
}
