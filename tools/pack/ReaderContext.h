// What the readers of one project share: the project being filled, the
// names of every resource (gathered first, so references may point to
// resources listed later), and reading code and files named by the manifest.
#pragma once

#include "tools/pack/Manifest.h"
#include "tools/pack/Project.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class EResourceKind {
    Sound,
    Sprite,
    Background,
    Path,
    Script,
    Font,
    TimeLine,
    Object,
    Room,
    Trigger,
    Count,
};

// The manifest key of each kind's array of tables ("sprite" for [[sprite]]).
const char* ResourceKey(EResourceKind kind);

class CReaderContext {
public:
    explicit CReaderContext(GameProject& project) : c_project(project) {}

    GameProject& Project() { return c_project; }
    CGameResources& Resources() { return c_project.Resources; }

    // Notes the names of the entries of one kind; a second entry with the
    // same name is an error at that entry.
    void CollectNames(EResourceKind kind, std::vector<CManifestTable>& entries);
    int32_t Find(EResourceKind kind, const std::string& name) const;
    // A reference by name: -1 when the key is absent (or ""), an error when
    // nothing of that kind has the name.
    int32_t GetReference(CManifestTable& table, const std::string& key, EResourceKind kind);

    // The common start of every resource entry: true for a hole
    // ("hole = true", which allows no other key), else the name.
    bool ReadHole(CManifestTable& table, std::string& name);
    // Fills a resource list from the entries of its kind, index for index: a
    // hole leaves its index empty, any other entry becomes the record that
    // read(table, name, index) makes of it.
    template <typename List, typename Read>
    void ReadEntries(List& list, std::vector<CManifestTable>& entries, Read read)
    {
        for (size_t k = 0; k < entries.size(); ++k) {
            int index = static_cast<int>(k);
            CManifestTable& table = entries[k];
            std::string name;
            if (ReadHole(table, name))
                list.Set(index, nullptr, std::string());
            else
                list.Set(index, read(table, name, index), name);
        }
    }

    // A piece of code given inline as key, or in the file key + "_file".
    // given tells whether either was present; both at once is an error.
    // Where it was written goes into the project's code origins.
    std::string GetCode(CManifestTable& table, const std::string& key, bool* given = nullptr);
    // Notes where a text of the manifest (a string value) was written.
    void NoteOrigin(const std::string& text, const CManifestTable& table, const toml::node& node);
    // The bytes of a project file named by key (its value is a path
    // relative to the project folder, inside it: tools/pack/ProjectPaths.h).
    std::vector<uint8_t> ReadFile(CManifestTable& table, const std::string& key, const std::string& relative);
    // The host path of a project file, "" when the path leaves the folder.
    std::string HostPath(const std::string& relative) const;

private:
    // The lines of a manifest file, read once, to see how its strings are written.
    const std::vector<std::string>& ManifestLines(const std::string& hostPath);

    GameProject& c_project;
    std::map<std::string, std::vector<std::string>> c_manifestLines;
    std::array<std::map<std::string, int32_t>, static_cast<size_t>(EResourceKind::Count)> c_names;
};

// One reader per kind of entry; each fills its part of the project's resources.
void ReadSounds(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadSprites(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadBackgrounds(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadPaths(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadScripts(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadFonts(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadTimeLines(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadObjects(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadRooms(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadTriggers(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadConstants(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadLibraryInitCode(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadDataFiles(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadExtensionPackages(CReaderContext& context, std::vector<CManifestTable>& entries);
void ReadGameInformation(CReaderContext& context, CManifestTable table);
// A plain text (UTF-8, lines ended by LF) as the minimal rich-text page the
// information section stores.
std::string PlainTextToRichText(const std::string& utf8);
// The room order from [game] room_order; every existing room in index
// order when absent.
void ReadRoomOrder(CReaderContext& context, CManifestTable& game);
