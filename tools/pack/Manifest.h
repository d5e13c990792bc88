// Reading a project's TOML files with errors that name the file, line and
// column. CManifestTable wraps one table: each Get takes a key with its
// default, and Finish reports every key that nothing asked for, so that a
// misspelt key is an error rather than silently ignored.
#pragma once

#include <toml++/toml.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

class EProjectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "file:line:column: message", or "file: message" without a position.
[[noreturn]] void ThrowProjectError(const std::string& file, const toml::source_region& where,
                                    const std::string& message);

class CManifestTable {
public:
    CManifestTable(const toml::table& table, std::string file, std::string path = std::string())
        : t_table(table), t_file(std::move(file)), t_path(std::move(path))
    {
    }

    bool Has(const std::string& key) const { return t_table.contains(key); }
    bool GetBool(const std::string& key, bool fallback);
    int64_t GetInteger(const std::string& key, int64_t fallback, int64_t minimum = INT32_MIN,
                       int64_t maximum = INT32_MAX);
    double GetReal(const std::string& key, double fallback);
    std::string GetString(const std::string& key, const std::string& fallback);
    // A string that must be one of choices; returns its position in the list.
    int GetChoice(const std::string& key, const std::vector<std::string>& choices, int fallback);
    // A colour as "#RRGGBB" or a game colour integer (0xBBGGRR); returns 0xBBGGRR.
    int32_t GetColor(const std::string& key, int32_t fallback);
    // A sub-table, or an empty one when absent.
    CManifestTable GetTable(const std::string& key);
    // An array of tables (the [[key]] form), or none when absent.
    std::vector<CManifestTable> GetTableArray(const std::string& key);
    const toml::node* GetNode(const std::string& key);

    // Reports the first key that no Get asked for.
    void Finish() const;

    [[noreturn]] void Fail(const std::string& key, const std::string& message) const;
    [[noreturn]] void FailHere(const std::string& message) const;
    const std::string& File() const { return t_file; }
    const toml::table& Table() const { return t_table; }

private:
    std::string KeyName(const std::string& key) const { return t_path.empty() ? key : t_path + "." + key; }

    const toml::table& t_table;
    std::string t_file;
    std::string t_path;
    std::set<std::string> t_used;
};

// Parses a TOML file; syntax errors become EProjectError with the position.
toml::table ParseManifestFile(const std::string& path, const std::string& displayName);
