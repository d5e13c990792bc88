// Typed access to TOML tables with positioned errors.
#include "tools/pack/Manifest.h"

#include <cmath>

static const toml::table EmptyTable;

void ThrowProjectError(const std::string& file, const toml::source_region& where, const std::string& message)
{
    if (where.begin.line == 0)
        throw EProjectError(file + ": " + message);
    throw EProjectError(file + ":" + std::to_string(where.begin.line) + ":" + std::to_string(where.begin.column) +
                        ": " + message);
}

toml::table ParseManifestFile(const std::string& path, const std::string& displayName)
{
    try {
        return toml::parse_file(path);
    } catch (const toml::parse_error& error) {
        ThrowProjectError(displayName, error.source(), std::string(error.description()));
    }
}

void CManifestTable::Fail(const std::string& key, const std::string& message) const
{
    const toml::node* node = t_table.get(key);
    ThrowProjectError(t_file, node ? node->source() : t_table.source(), "'" + KeyName(key) + "': " + message);
}

void CManifestTable::FailHere(const std::string& message) const
{
    ThrowProjectError(t_file, t_table.source(), message);
}

const toml::node* CManifestTable::GetNode(const std::string& key)
{
    t_used.insert(key);
    return t_table.get(key);
}

bool CManifestTable::GetBool(const std::string& key, bool fallback)
{
    const toml::node* node = GetNode(key);
    if (!node)
        return fallback;
    if (!node->is_boolean())
        Fail(key, "expected true or false");
    return node->as_boolean()->get();
}

int64_t CManifestTable::GetInteger(const std::string& key, int64_t fallback, int64_t minimum, int64_t maximum)
{
    const toml::node* node = GetNode(key);
    if (!node)
        return fallback;
    if (!node->is_integer())
        Fail(key, "expected a whole number");
    int64_t value = node->as_integer()->get();
    if (value < minimum || value > maximum)
        Fail(key, "must lie between " + std::to_string(minimum) + " and " + std::to_string(maximum));
    return value;
}

double CManifestTable::GetReal(const std::string& key, double fallback)
{
    const toml::node* node = GetNode(key);
    if (!node)
        return fallback;
    if (node->is_integer())
        return static_cast<double>(node->as_integer()->get());
    if (!node->is_floating_point())
        Fail(key, "expected a number");
    double value = node->as_floating_point()->get();
    if (!std::isfinite(value))
        Fail(key, "expected a finite number");
    return value;
}

std::string CManifestTable::GetString(const std::string& key, const std::string& fallback)
{
    const toml::node* node = GetNode(key);
    if (!node)
        return fallback;
    if (!node->is_string())
        Fail(key, "expected a text in quotes");
    return node->as_string()->get();
}

int CManifestTable::GetChoice(const std::string& key, const std::vector<std::string>& choices, int fallback)
{
    if (!Has(key)) {
        t_used.insert(key);
        return fallback;
    }
    std::string value = GetString(key, std::string());
    for (size_t k = 0; k < choices.size(); ++k)
        if (choices[k] == value)
            return static_cast<int>(k);
    std::string list;
    for (size_t k = 0; k < choices.size(); ++k)
        list += (k ? ", \"" : "\"") + choices[k] + "\"";
    Fail(key, "expected one of " + list);
}

int32_t CManifestTable::GetColor(const std::string& key, int32_t fallback)
{
    const toml::node* node = GetNode(key);
    if (!node)
        return fallback;
    if (node->is_integer()) {
        int64_t value = node->as_integer()->get();
        if (value < 0 || value > 0xFFFFFF)
            Fail(key, "a colour number must lie between 0 and 0xFFFFFF");
        return static_cast<int32_t>(value);
    }
    if (node->is_string()) {
        const std::string& text = node->as_string()->get();
        if (text.size() == 7 && text[0] == '#') {
            uint32_t rgb = 0;
            bool ok = true;
            for (size_t k = 1; k < 7; ++k) {
                char c = text[k];
                int digit = c >= '0' && c <= '9' ? c - '0'
                            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                   : -1;
                ok = ok && digit >= 0;
                rgb = rgb * 16 + static_cast<uint32_t>(digit < 0 ? 0 : digit);
            }
            if (ok) {
                uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
                return static_cast<int32_t>(r | (g << 8) | (b << 16));
            }
        }
    }
    Fail(key, "expected a colour as \"#RRGGBB\" or a number 0xBBGGRR");
}

CManifestTable CManifestTable::GetTable(const std::string& key)
{
    const toml::node* node = GetNode(key);
    if (!node)
        return CManifestTable(EmptyTable, t_file, KeyName(key));
    if (!node->is_table())
        Fail(key, "expected a table");
    return CManifestTable(*node->as_table(), t_file, KeyName(key));
}

std::vector<CManifestTable> CManifestTable::GetTableArray(const std::string& key)
{
    std::vector<CManifestTable> result;
    const toml::node* node = GetNode(key);
    if (!node)
        return result;
    if (!node->is_array_of_tables())
        Fail(key, "expected a list of tables ([[" + KeyName(key) + "]])");
    const toml::array& array = *node->as_array();
    for (size_t k = 0; k < array.size(); ++k)
        result.emplace_back(*array.get(k)->as_table(), t_file, KeyName(key) + "[" + std::to_string(k) + "]");
    return result;
}

void CManifestTable::Finish() const
{
    for (auto&& [key, node] : t_table) {
        std::string name(key.str());
        if (!t_used.count(name))
            ThrowProjectError(t_file, key.source().begin.line ? key.source() : node.source(),
                              "unknown key '" + KeyName(name) + "'");
    }
}
