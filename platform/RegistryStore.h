// The registry the games expect, kept in our own files: one text file per
// root below the registry folder ($XDG_DATA_HOME/brindle/registry, or the
// folder named by BRINDLE_REGISTRY_DIR). Keys are paths split on "\" alone
// ("/" is an ordinary character in key names), a leading "\" is ignored, and
// key and value names match ignoring case. Names and text values are game
// text (Windows-1252) here and UTF-8 in the files.
//
// Every write locks the root's lock file, reads the file afresh, changes it
// and replaces it through a temporary file and a rename, so two runs writing
// at once both keep their values and a reader never sees half a file.
#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <string>
#include <vector>

enum class ERegistryRoot {
    CurrentUser,
    LocalMachine,
    ClassesRoot,
    Users,
};

enum class ERegistryType : uint8_t {
    String,
    Binary,
    Number, // a 32-bit unsigned number, as flags are stored
};

struct RRegistryValue {
    ERegistryType type = ERegistryType::String;
    std::string data; // the text, the bytes, or the number in decimal
};

class CRegistryStore {
public:
    explicit CRegistryStore(std::string folder);

    bool ReadValue(ERegistryRoot root, const std::string& key, const std::string& name, RRegistryValue& value);
    bool KeyExists(ERegistryRoot root, const std::string& key);
    // Creates the key and its parents as needed. False when the store cannot
    // be written; nothing already stored is lost then.
    bool WriteValue(ERegistryRoot root, const std::string& key, const std::string& name, const RRegistryValue& value);
    // Several values of one key in one write.
    bool WriteValues(ERegistryRoot root, const std::string& key,
                     const std::vector<std::pair<std::string, RRegistryValue>>& values);

    const std::string& Folder() const { return r_folder; }
    std::string FileOf(ERegistryRoot root) const;

    // One key: its path as first written, and its values in order.
    struct RKey {
        std::string path;
        std::vector<std::pair<std::string, RRegistryValue>> values;
    };
    struct RRoot {
        std::vector<RKey> keys;
        bool damaged = false; // some lines could not be read
    };

private:
    RRoot& Load(ERegistryRoot root);

    std::string r_folder;
    struct RCached {
        bool loaded = false;
        bool reported = false; // damage told once per run
        RFileStamp stamp;
        RRoot content;
    };
    RCached r_cache[4];
};

// The text form of a root file, and back. Parsing never fails: lines it
// cannot read are skipped and the root is marked damaged.
std::string Registry_Serialize(const CRegistryStore::RRoot& root);
CRegistryStore::RRoot Registry_Parse(const std::string& text);
// "\\Software\\x\\" and "software\\X" name the same key: the canonical form
// has no empty components and no leading or trailing "\".
std::string Registry_CanonicalKey(const std::string& key);

// The store the runner uses; its folder is chosen on first use.
CRegistryStore& Platform_Registry();
// Points the runner's store at another folder (tests).
void Platform_SetRegistryFolder(const std::string& folder);
