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
    if (inline_) {
        std::string code = table.GetString(key, std::string());
        NoteOrigin(code, table, *table.GetNode(key));
        return code;
    }
    if (!fromFile)
        return std::string();
    std::string relative = table.GetString(fileKey, std::string());
    std::vector<uint8_t> bytes = ReadFile(table, fileKey, relative);
    std::string code(bytes.begin(), bytes.end());
    c_project.CodeOrigins.Add(code, RCodeOrigin{c_project.ShownFolder + "/" + relative, 1, 1, true});
    return code;
}

const std::vector<std::string>& CReaderContext::ManifestLines(const std::string& hostPath)
{
    auto found = c_manifestLines.find(hostPath);
    if (found != c_manifestLines.end())
        return found->second;
    std::vector<std::string>& lines = c_manifestLines[hostPath];
    std::vector<uint8_t> bytes;
    if (Platform_ReadWholeFile(hostPath, bytes)) {
        std::string text(bytes.begin(), bytes.end());
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    return lines;
}

void CReaderContext::NoteOrigin(const std::string& text, const CManifestTable& table, const toml::node& node)
{
    const toml::source_region& where = node.source();
    if (where.begin.line == 0)
        return;
    RCodeOrigin origin{table.File(), static_cast<int32_t>(where.begin.line), static_cast<int32_t>(where.begin.column),
                       false};
    // The value starts at its opening quote. A string in triple quotes keeps
    // its line breaks (and drops one that directly follows the quotes); any
    // other string is one line of the file.
    std::string line;
    if (where.path) {
        const std::vector<std::string>& lines = ManifestLines(*where.path);
        if (where.begin.line <= lines.size())
            line = lines[where.begin.line - 1];
    }
    size_t quote = static_cast<size_t>(where.begin.column) - 1;
    bool triple = quote + 3 <= line.size() && (line.compare(quote, 3, "\"\"\"") == 0 || line.compare(quote, 3, "'''") == 0);
    if (triple) {
        origin.linesFollowFile = true;
        std::string rest = line.substr(quote + 3);
        if (rest.empty() || rest == "\r") {
            origin.line += 1;
            origin.column = 1;
        } else {
            origin.column += 3;
        }
    } else {
        origin.column += 1;
    }
    c_project.CodeOrigins.Add(text, origin);
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
