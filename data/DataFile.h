// CDataFile: an included file as stored: its data and how and where it is
// exported when the game starts. Exporting itself belongs to start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CStream;

// Where an included file is exported at start.
enum EExportAction : int32_t {
    kExportNone = 0,
    kExportTemp = 1,    // the run's temporary directory
    kExportWorking = 2, // the working directory
    kExportFolder = 3,  // s_exportdir
};

class CDataFile {
public:
    static constexpr int32_t kVersion = 800;

    std::string s_filename; // name to export under
    std::string s_origname; // where the file came from
    bool s_exists = false;
    int32_t s_size = 0;
    bool s_store = false; // the data is stored in the game
    std::vector<uint8_t> s_data;
    int32_t s_exportaction = kExportWorking;
    std::string s_exportdir;
    bool s_overwrite = false;
    bool s_freedata = true;
    bool s_removeend = true;
    // Not stored: the host path this run exported the file to by its action,
    // the only file the end of the run may remove ("" for none).
    std::string s_exportedto;

    // The data travels only when the file exists and is stored.
    bool HasData() const { return s_exists && s_store; }

    void Clear() { *this = CDataFile(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CDataFile&) const = default;
};

// An export name stays inside the folder it is exported to: it is relative
// (no leading separator, no drive) and no ".." climbs above its start.
// Both "\\" and "/" separate folders.
bool DataFile_NameStaysInFolder(const std::string& name);
