// Entries that carry whole files: [[datafile]] (included files),
// [[extension]] packages and the [information] page.
#include "tools/pack/ReaderContext.h"

#include "platform/TextEncoding.h"

#include <filesystem>

namespace {

std::string BaseName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// The runner splits script files at carriage returns only, so a file written
// with bare line feeds gets CR LF line ends as it is packed.
std::vector<uint8_t> WithCarriageReturns(const std::vector<uint8_t>& text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\n' && (k == 0 || text[k - 1] != '\r'))
            out.push_back('\r');
        out.push_back(text[k]);
    }
    return out;
}

int32_t ArgumentType(CManifestTable& table, const std::string& key, const std::string& text)
{
    if (text == "string")
        return kExtensionString;
    if (text == "real")
        return kExtensionReal;
    table.Fail(key, "types are \"string\" and \"real\"");
}

CExtensionFunction ReadFunction(CManifestTable& table, int32_t& nextId)
{
    CExtensionFunction f;
    f.s_name = table.GetString("name", std::string());
    if (f.s_name.empty())
        table.FailHere("an extension function needs a name");
    f.s_extname = table.GetString("external_name", f.s_name);
    f.s_kind = table.GetChoice("convention", {"standard", "c"}, 1) == 1 ? CExtensionFunction::kCallC : 11;
    f.s_id = static_cast<int32_t>(table.GetInteger("id", nextId, 0, 1000000));
    nextId = std::max(nextId, f.s_id + 1);
    if (const toml::node* node = table.GetNode("arguments")) {
        const toml::array* list = node->as_array();
        if (!list || list->size() > CExtensionFunction::kArgumentSlots)
            table.Fail("arguments", "expected a list of up to 17 types such as [\"real\", \"string\"]");
        for (size_t k = 0; k < list->size(); ++k) {
            const toml::node* item = list->get(k);
            if (!item->is_string())
                table.Fail("arguments", "types are \"string\" and \"real\"");
            f.s_argtype[k] = ArgumentType(table, "arguments", item->as_string()->get());
        }
        f.s_argcount = static_cast<int32_t>(list->size());
    }
    // Any count can be given for functions that take a variable number.
    f.s_argcount = static_cast<int32_t>(table.GetInteger("argument_count", f.s_argcount, -1, 16));
    f.s_returntype = ArgumentType(table, "returns", table.GetString("returns", "real"));
    f.Normalize();
    table.Finish();
    return f;
}

} // namespace

void ReadDataFiles(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    for (CManifestTable& table : entries) {
        CDataFile file;
        std::string source = table.GetString("file", std::string());
        if (!source.empty()) {
            file.s_data = context.ReadFile(table, "file", source);
            file.s_exists = true;
            file.s_size = static_cast<int32_t>(file.s_data.size());
        }
        file.s_filename = table.GetString("name", BaseName(source));
        if (file.s_filename.empty())
            table.FailHere("an included file needs a file or a name");
        if (!DataFile_NameStaysInFolder(file.s_filename))
            table.Fail("name", "an included file is exported inside its folder: the name cannot start at a root or "
                               "drive, nor climb out with \"..\"");
        file.s_origname = table.GetString("original_name", source);
        file.s_store = table.GetBool("store", true);
        if (!file.HasData())
            file.s_data.clear();
        file.s_exportaction = table.GetChoice("export", {"none", "temp", "working", "folder"}, kExportWorking);
        file.s_exportdir = table.GetString("folder", std::string());
        if (file.s_exportaction == kExportFolder && file.s_exportdir.empty())
            table.Fail("export", "export = \"folder\" needs the folder, as folder = \"data\"");
        file.s_overwrite = table.GetBool("overwrite", false);
        file.s_freedata = table.GetBool("free_data", true);
        file.s_removeend = table.GetBool("remove_at_end", true);
        table.Finish();
        context.Resources().DataFiles.push_back(std::move(file));
    }
}

void ReadExtensionPackages(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    int32_t nextId = 0;
    for (CManifestTable& table : entries) {
        CExtensionPackage package;
        package.s_name = table.GetString("name", std::string());
        if (package.s_name.empty())
            table.FailHere("an extension package needs a name");
        package.s_folder = table.GetString("folder", package.s_name);
        for (CManifestTable& f : table.GetTableArray("file")) {
            CExtensionFile& file = package.s_files.emplace_back();
            std::string source = f.GetString("file", std::string());
            file.s_filename = f.GetString("name", BaseName(source));
            if (file.s_filename.empty())
                f.FailHere("an extension file needs a file or a name");
            int fallback = source.empty() ? 2 : 3;
            static const std::vector<std::string> kinds = {"library", "scripts", "empty", "other"};
            file.s_kind = f.GetChoice("kind", kinds, fallback) + 1;
            if (file.HasData()) {
                if (source.empty())
                    f.FailHere("this kind of extension file needs its file, as file = \"...\"");
                file.s_data = context.ReadFile(f, "file", source);
                if (file.s_kind == kExtensionScripts)
                    file.s_data = WithCarriageReturns(file.s_data);
            }
            file.s_init = f.GetString("init", std::string());
            file.s_final = f.GetString("final", std::string());
            for (CManifestTable& function : f.GetTableArray("function"))
                file.s_functions.push_back(ReadFunction(function, nextId));
            for (CManifestTable& c : f.GetTableArray("constant")) {
                CExtensionConstant& constant = file.s_constants.emplace_back();
                constant.s_name = c.GetString("name", std::string());
                constant.s_value = c.GetString("value", std::string());
                if (constant.s_name.empty())
                    c.FailHere("an extension constant needs a name");
                c.Finish();
            }
            f.Finish();
        }
        table.Finish();
        context.Resources().ExtensionPackages.push_back(std::move(package));
    }
}

std::string PlainTextToRichText(const std::string& utf8)
{
    // The page's characters are the game's code page, written as \'hh
    // beyond ASCII so that the rich text itself stays ASCII.
    std::string escaped;
    for (char c : Utf8ToCp1252(utf8)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\par\n";
        } else if (c == '\t') {
            escaped += "\\tab ";
        } else if (byte >= 0x80) {
            static const char kHex[] = "0123456789abcdef";
            escaped += "\\'";
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 15];
        } else if (c != '\r') {
            escaped += c;
        }
    }
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 " + escaped + "}";
}

void ReadGameInformation(CReaderContext& context, CManifestTable table)
{
    CGameInformation& info = context.Resources().GameInformation;
    info.Clear();
    info.i_color = table.GetColor("color", info.i_color);
    info.i_ingamewindow = table.GetBool("in_game_window", info.i_ingamewindow);
    info.i_caption = table.GetString("caption", info.i_caption);
    info.i_left = static_cast<int32_t>(table.GetInteger("left", info.i_left));
    info.i_top = static_cast<int32_t>(table.GetInteger("top", info.i_top));
    info.i_width = static_cast<int32_t>(table.GetInteger("width", info.i_width, 1));
    info.i_height = static_cast<int32_t>(table.GetInteger("height", info.i_height, 1));
    info.i_showborder = table.GetBool("border", info.i_showborder);
    info.i_sizeable = table.GetBool("sizeable", info.i_sizeable);
    info.i_stayontop = table.GetBool("stay_on_top", info.i_stayontop);
    info.i_pausegame = table.GetBool("pause_game", info.i_pausegame);
    std::string text = context.GetCode(table, "text");
    // Plain text becomes a minimal rich-text page, so authors may write either.
    if (!text.empty() && text.rfind("{\\rtf", 0) != 0)
        text = PlainTextToRichText(text);
    info.i_text = text;
    table.Finish();
}
