// The registry store's files, their text form and their locking.
#include "platform/RegistryStore.h"

#include "platform/Files.h"
#include "platform/TextEncoding.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr const char* kHeader = "brindle registry 1";
const char* const kRootNames[4] = {"current_user", "local_machine", "classes_root", "users"};

// Fields are UTF-8 with control bytes, "%" and the tab written as %HH, so a
// value holding line breaks or tabs keeps the one-line-per-entry layout.
std::string EncodeField(const std::string& gameText)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string text = Cp1252ToUtf8(gameText), out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '%') {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool DecodeField(const std::string& field, std::string& gameText)
{
    std::string text;
    for (size_t k = 0; k < field.size(); ++k) {
        if (field[k] != '%') {
            text += field[k];
            continue;
        }
        if (k + 2 >= field.size())
            return false;
        int high = HexDigit(field[k + 1]), low = HexDigit(field[k + 2]);
        if (high < 0 || low < 0)
            return false;
        text += static_cast<char>(high * 16 + low);
        k += 2;
    }
    gameText = Utf8ToCp1252(text);
    return true;
}

std::string ToHex(const std::string& bytes)
{
    static const char* const kHex = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

bool FromHex(const std::string& text, std::string& bytes)
{
    if (text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (size_t k = 0; k < text.size(); k += 2) {
        int high = HexDigit(text[k]), low = HexDigit(text[k + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

bool IsNumberText(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return std::strtoull(text.c_str(), nullptr, 10) <= 0xFFFFFFFFull;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

const char* TypeName(ERegistryType type)
{
    switch (type) {
    case ERegistryType::String: return "string";
    case ERegistryType::Binary: return "binary";
    case ERegistryType::Number: return "number";
    }
    return "string";
}

CRegistryStore::RKey* FindKey(CRegistryStore::RRoot& root, const std::string& canonical)
{
    for (CRegistryStore::RKey& key : root.keys)
        if (EqualsIgnoringCaseCp1252(key.path, canonical))
            return &key;
    return nullptr;
}

// Holds the root's lock file locked for as long as it lives.
class CRootLock {
public:
    explicit CRootLock(const std::string& path)
    {
        l_descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (l_descriptor >= 0 && ::flock(l_descriptor, LOCK_EX) != 0) {
            ::close(l_descriptor);
            l_descriptor = -1;
        }
    }
    ~CRootLock()
    {
        if (l_descriptor >= 0)
            ::close(l_descriptor); // closing releases the lock
    }
    bool IsHeld() const { return l_descriptor >= 0; }

private:
    int l_descriptor = -1;
};

// A damaged file is kept beside the new one before it is replaced, so lines
// this version could not read are never lost.
void KeepDamagedCopy(const std::string& file, const std::vector<uint8_t>& bytes)
{
    std::string copy = file + ".damaged";
    for (int n = 2; Platform_FileExists(copy); ++n)
        copy = file + ".damaged-" + std::to_string(n);
    if (Platform_WriteWholeFile(copy, bytes.data(), bytes.size()))
        std::fprintf(stderr, "brindle-run: the registry file %s was damaged; its old contents were kept in %s\n",
                     file.c_str(), copy.c_str());
}

std::string ChosenFolder()
{
    if (const char* folder = std::getenv("BRINDLE_REGISTRY_DIR"); folder && *folder)
        return folder;
    return Platform_DataDirectory() + "/registry";
}

std::unique_ptr<CRegistryStore> TheStore;

} // namespace

std::string Registry_CanonicalKey(const std::string& key)
{
    std::string canonical;
    size_t start = 0;
    while (start <= key.size()) {
        size_t slash = key.find('\\', start);
        if (slash == std::string::npos)
            slash = key.size();
        if (slash > start) {
            if (!canonical.empty())
                canonical += '\\';
            canonical.append(key, start, slash - start);
        }
        start = slash + 1;
    }
    return canonical;
}

std::string Registry_Serialize(const CRegistryStore::RRoot& root)
{
    std::string text = std::string(kHeader) + "\n";
    for (const CRegistryStore::RKey& key : root.keys) {
        text += "key\t" + EncodeField(key.path) + "\n";
        for (const auto& [name, value] : key.values) {
            std::string data = value.type == ERegistryType::String   ? EncodeField(value.data)
                               : value.type == ERegistryType::Binary ? ToHex(value.data)
                                                                     : value.data;
            text += std::string(TypeName(value.type)) + "\t" + EncodeField(name) + "\t" + data + "\n";
        }
    }
    return text;
}

CRegistryStore::RRoot Registry_Parse(const std::string& text)
{
    CRegistryStore::RRoot root;
    size_t start = 0;
    bool first = true;
    CRegistryStore::RKey* current = nullptr;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first) {
            first = false;
            if (line != kHeader)
                root.damaged = true;
            if (line == kHeader)
                continue;
        }
        if (line.empty())
            continue;
        std::vector<std::string> fields = SplitTabs(line);
        std::string name;
        if (fields.size() == 2 && fields[0] == "key") {
            if (!DecodeField(fields[1], name)) {
                root.damaged = true;
                current = nullptr;
                continue;
            }
            std::string canonical = Registry_CanonicalKey(name);
            current = FindKey(root, canonical);
            if (!current) {
                root.keys.push_back({canonical, {}});
                current = &root.keys.back();
            }
            continue;
        }
        RRegistryValue value;
        bool ok = current && fields.size() == 3 && DecodeField(fields[1], name);
        if (ok && fields[0] == "string") {
            value.type = ERegistryType::String;
            ok = DecodeField(fields[2], value.data);
        } else if (ok && fields[0] == "binary") {
            value.type = ERegistryType::Binary;
            ok = FromHex(fields[2], value.data);
        } else if (ok && fields[0] == "number") {
            value.type = ERegistryType::Number;
            value.data = fields[2];
            ok = IsNumberText(value.data);
        } else {
            ok = false;
        }
        if (!ok) {
            root.damaged = true;
            continue;
        }
        bool replaced = false;
        for (auto& [existing, old] : current->values)
            if (EqualsIgnoringCaseCp1252(existing, name)) {
                old = value;
                replaced = true;
            }
        if (!replaced)
            current->values.emplace_back(name, value);
    }
    return root;
}

CRegistryStore::CRegistryStore(std::string folder) : r_folder(std::move(folder)) {}

std::string CRegistryStore::FileOf(ERegistryRoot root) const
{
    return r_folder + "/" + kRootNames[static_cast<int>(root)] + ".registry";
}

CRegistryStore::RRoot& CRegistryStore::Load(ERegistryRoot root)
{
    RCached& cache = r_cache[static_cast<int>(root)];
    std::string file = FileOf(root);
    RFileStamp stamp = Platform_FileStamp(file);
    if (cache.loaded && stamp == cache.stamp)
        return cache.content;
    std::vector<uint8_t> bytes;
    cache.content = Platform_ReadWholeFile(file, bytes) ? Registry_Parse(std::string(bytes.begin(), bytes.end()))
                                                        : CRegistryStore::RRoot();
    cache.stamp = stamp;
    cache.loaded = true;
    if (cache.content.damaged && !cache.reported) {
        cache.reported = true;
        std::fprintf(stderr, "brindle-run: the registry file %s is damaged; lines that cannot be read are ignored\n",
                     file.c_str());
    }
    return cache.content;
}

bool CRegistryStore::ReadValue(ERegistryRoot root, const std::string& key, const std::string& name,
                               RRegistryValue& value)
{
    RKey* found = FindKey(Load(root), Registry_CanonicalKey(key));
    if (!found)
        return false;
    for (const auto& [existing, stored] : found->values)
        if (EqualsIgnoringCaseCp1252(existing, name)) {
            value = stored;
            return true;
        }
    return false;
}

bool CRegistryStore::KeyExists(ERegistryRoot root, const std::string& key)
{
    std::string canonical = Registry_CanonicalKey(key);
    if (canonical.empty())
        return true; // the root itself
    for (const RKey& stored : Load(root).keys) {
        if (stored.path.size() < canonical.size())
            continue;
        bool below = stored.path.size() == canonical.size() || stored.path[canonical.size()] == '\\';
        if (below && EqualsIgnoringCaseCp1252(std::string_view(stored.path).substr(0, canonical.size()), canonical))
            return true;
    }
    return false;
}

bool CRegistryStore::WriteValue(ERegistryRoot root, const std::string& key, const std::string& name,
                                const RRegistryValue& value)
{
    return WriteValues(root, key, {{name, value}});
}

bool CRegistryStore::WriteValues(ERegistryRoot root, const std::string& key,
                                 const std::vector<std::pair<std::string, RRegistryValue>>& values)
{
    if (!Platform_CreateDirectories(r_folder))
        return false;
    std::string file = FileOf(root);
    CRootLock lock(file + ".lock");
    if (!lock.IsHeld())
        return false;

    // Under the lock the file is read afresh: another run may have written
    // since this one last looked.
    std::vector<uint8_t> bytes;
    bool existed = Platform_ReadWholeFile(file, bytes);
    RRoot content = existed ? Registry_Parse(std::string(bytes.begin(), bytes.end())) : RRoot();
    if (content.damaged)
        KeepDamagedCopy(file, bytes);
    content.damaged = false;

    std::string canonical = Registry_CanonicalKey(key);
    RKey* target = FindKey(content, canonical);
    if (!target) {
        content.keys.push_back({canonical, {}});
        target = &content.keys.back();
    }
    for (const auto& [name, value] : values) {
        bool replaced = false;
        for (auto& [existing, old] : target->values)
            if (EqualsIgnoringCaseCp1252(existing, name)) {
                old = value;
                replaced = true;
            }
        if (!replaced)
            target->values.emplace_back(name, value);
    }

    if (!Platform_ReplaceFile(file, Registry_Serialize(content)))
        return false;
    RCached& cache = r_cache[static_cast<int>(root)];
    cache.content = std::move(content);
    cache.stamp = Platform_FileStamp(file);
    cache.loaded = true;
    return true;
}

CRegistryStore& Platform_Registry()
{
    if (!TheStore)
        TheStore = std::make_unique<CRegistryStore>(ChosenFolder());
    return *TheStore;
}

void Platform_SetRegistryFolder(const std::string& folder)
{
    TheStore = std::make_unique<CRegistryStore>(folder);
}
