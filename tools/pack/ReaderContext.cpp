// Names, references, code and files shared by the resource readers.
#include "tools/pack/ReaderContext.h"

#include "platform/Files.h"
#include "tools/pack/ProjectPaths.h"

namespace {

const char* const kKeys[] = {"sound", "sprite", "background", "path", "script",
                             "font",  "timeline", "object",   "room", "trigger"};
const char* const kWords[] = {"sound", "sprite", "background", "path", "script",
                              "font",  "time line", "object",  "room", "trigger"};

} // namespace

const char* ResourceKey(EResourceKind kind)
{
    return kKeys[static_cast<size_t>(kind)];
}

void CReaderContext::CollectNames(EResourceKind kind, std::vector<CManifestTable>& entries)
{
    auto& names = c_names[static_cast<size_t>(kind)];
    for (size_t index = 0; index < entries.size(); ++index) {
        const toml::table& table = entries[index].Table();
        const toml::node* hole = table.get("hole");
        if (hole && hole->is_boolean() && hole->as_boolean()->get())
            continue;
        const toml::node* name = table.get("name");
        if (!name || !name->is_string())
            continue; // ReadHole reports it
        const std::string& text = name->as_string()->get();
        if (!names.emplace(text, static_cast<int32_t>(index)).second)
            ThrowProjectError(entries[index].File(), name->source(),
                              std::string("a ") + kWords[static_cast<size_t>(kind)] + " named \"" + text +
                                  "\" is already listed");
    }
}

int32_t CReaderContext::Find(EResourceKind kind, const std::string& name) const
{
    const auto& names = c_names[static_cast<size_t>(kind)];
    auto found = names.find(name);
    return found == names.end() ? -1 : found->second;
}

int32_t CReaderContext::GetReference(CManifestTable& table, const std::string& key, EResourceKind kind)
{
    std::string name = table.GetString(key, std::string());
    if (name.empty())
        return -1;
    int32_t index = Find(kind, name);
    if (index < 0)
        table.Fail(key, std::string("no ") + kWords[static_cast<size_t>(kind)] + " named \"" + name + "\"");
    return index;
}

bool CReaderContext::ReadHole(CManifestTable& table, std::string& name)
{
    if (table.GetBool("hole", false)) {
        table.Finish();
        return true;
    }
    if (!table.Has("name"))
        table.FailHere("every entry needs a name (or hole = true to leave its index empty)");
    name = table.GetString("name", std::string());
    if (name.empty())
        table.Fail("name", "a name cannot be empty");
    return false;
}

std::string CReaderContext::GetCode(CManifestTable& table, const std::string& key, bool* given)
{
    std::string fileKey = key + "_file";
    bool inline_ = table.Has(key), fromFile = table.Has(fileKey);
    if (given)
        *given = inline_ || fromFile;
    if (inline_ && fromFile)
        table.Fail(fileKey, "give either " + key + " or " + fileKey + ", not both");
    if (inline_)
        return table.GetString(key, std::string());
    if (!fromFile)
        return std::string();
    std::string relative = table.GetString(fileKey, std::string());
    std::vector<uint8_t> bytes = ReadFile(table, fileKey, relative);
    return std::string(bytes.begin(), bytes.end());
}

std::string CReaderContext::HostPath(const std::string& relative) const
{
    return Project_FilePath(c_project, relative);
}

std::vector<uint8_t> CReaderContext::ReadFile(CManifestTable& table, const std::string& key,
                                              const std::string& relative)
{
    std::vector<uint8_t> bytes;
    if (relative.empty() || !Platform_ReadWholeFile(Project_FilePathAt(c_project, table, key, relative), bytes))
        table.Fail(key, "cannot read the file \"" + relative + "\"");
    return bytes;
}
