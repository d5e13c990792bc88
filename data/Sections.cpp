// Section framing: versions, counts, resource lists of compressed blocks with
// presence flags and names, and the progress shown before each section.
#include "data/Sections.h"

#include "data/Background.h"
#include "data/Font.h"
#include "data/GameData.h"
#include "data/Object.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Script.h"
#include "data/Sound.h"
#include "data/Sprite.h"
#include "data/Stream.h"
#include "data/TimeLine.h"
#include "data/Trigger.h"
#include "platform/MessageBox.h"

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

namespace {

constexpr const char* kResourceError = "Error: Error in resource data.";
constexpr const char* kExtensionError = "Error in loading extension packages.";

constexpr int32_t kExtensionsVersion = 700;
constexpr int32_t kListVersion = 800;
constexpr int32_t kLibraryInitVersion = 500;
constexpr int32_t kRoomOrderVersion = 700;

// The trigger list stores no names: each trigger carries its own.
template <typename T>
std::string ListName(const T&, std::string stored)
{
    return stored;
}
std::string ListName(const CTrigger& trigger, std::string)
{
    return trigger.i_name;
}

// One list entry from its inflated block: nullptr for a hole, the name in
// name; false when the record fails.
template <typename T>
bool ReadEntry(CStream& block, bool named, std::unique_ptr<T>& item, std::string& name)
{
    if (!block.ReadBoolean())
        return true;
    if (named)
        block.ReadString(name);
    item = std::make_unique<T>();
    if (!item->LoadFromStream(block))
        return false;
    name = ListName(*item, std::move(name));
    return true;
}

// Where one compressed block lies in the body.
struct RBlockPlace {
    size_t offset;
    size_t size;
};

// Entries are independent of each other, so large lists inflate and read
// their blocks on two threads; the outcome is taken in index order, which
// gives the same first failure as reading one entry after the other.
constexpr size_t kParallelBytes = 4u << 20;

template <typename T>
bool ReadResourceList(CStream& body, TResourceList<T>& list, bool named)
{
    list.Clear();
    if (body.ReadInteger() != kListVersion)
        return false;
    int32_t count = body.ReadInteger();
    std::vector<RBlockPlace> places;
    std::exception_ptr scanError; // a damaged size ends the list where it stands
    size_t total = 0;
    try {
        for (int32_t index = 0; index < count; ++index) {
            int32_t size = body.ReadInteger();
            if (size < 0 || static_cast<size_t>(size) > body.Size() - body.Position())
                throw EStreamError("Stream read error");
            places.push_back(RBlockPlace{body.Position(), static_cast<size_t>(size)});
            body.Seek(body.Position() + static_cast<size_t>(size));
            total += static_cast<size_t>(size);
        }
    } catch (const EStreamError&) {
        scanError = std::current_exception();
    }

    struct REntry {
        std::unique_ptr<T> item;
        std::string name;
        bool ok = false;
        std::exception_ptr error;
    };
    std::vector<REntry> entries(places.size());
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    auto work = [&] {
        for (size_t k; !stop && (k = next++) < places.size();) {
            REntry& entry = entries[k];
            try {
                CStream block(InflateBytes(body.Memory() + places[k].offset, places[k].size));
                entry.ok = ReadEntry(block, named, entry.item, entry.name);
            } catch (...) {
                entry.error = std::current_exception();
            }
            // Entries after a failure are not needed.
            if (!entry.ok)
                stop = true;
        }
    };
    std::thread helper;
    if (total >= kParallelBytes && places.size() > 1) {
        try {
            helper = std::thread(work);
        } catch (const std::system_error&) {
            // No second thread: this one reads every entry.
        }
    }
    work();
    if (helper.joinable())
        helper.join();
    for (size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].error)
            std::rethrow_exception(entries[k].error);
        if (!entries[k].ok)
            return false;
        list.Set(static_cast<int>(k), std::move(entries[k].item), std::move(entries[k].name));
    }
    if (scanError)
        std::rethrow_exception(scanError);
    return true;
}

template <typename T>
void WriteResourceList(CStream& body, const TResourceList<T>& list, bool named)
{
    body.WriteInteger(kListVersion);
    body.WriteInteger(list.Count());
    for (int index = 0; index < list.Count(); ++index) {
        CStream block;
        const T* item = list.Get(index);
        block.WriteBoolean(item != nullptr);
        if (item) {
            if (named)
                block.WriteString(list.Name(index));
            item->SaveToStream(block);
        }
        body.WriteStreamC(block);
    }
}

bool ReadExtensionPackages(CStream& body, CGameResources& r)
{
    if (body.ReadInteger() != kExtensionsVersion) {
        Platform_ShowMessage(kResourceError);
        return false;
    }
    int32_t count = body.ReadInteger();
    for (int32_t k = 0; k < count; ++k)
        if (!r.ExtensionPackages.emplace_back().LoadFromExeStream(body)) {
            Platform_ShowMessage(kExtensionError);
            Platform_ShowMessage(kResourceError);
            return false;
        }
    return true;
}

bool ReadConstants(CStream& body, CGameResources& r)
{
    if (body.ReadInteger() != kListVersion)
        return false;
    int32_t count = body.ReadInteger();
    for (int32_t k = 0; k < count; ++k) {
        RConstant& constant = r.Constants.emplace_back();
        body.ReadString(constant.name);
        body.ReadString(constant.value);
    }
    return true;
}

bool ReadRoomsAndCounters(CStream& body, CGameResources& r)
{
    if (!ReadResourceList(body, r.Rooms, true))
        return false;
    r.LastInstanceId = body.ReadInteger();
    r.LastTileId = body.ReadInteger();
    return true;
}

bool ReadDataFiles(CStream& body, CGameResources& r)
{
    if (body.ReadInteger() != kListVersion)
        return false;
    int32_t count = body.ReadInteger();
    for (int32_t k = 0; k < count; ++k) {
        std::unique_ptr<CStream> block = body.ReadStreamC();
        if (!r.DataFiles.emplace_back().LoadFromStream(*block))
            return false;
    }
    return true;
}

bool ReadLibraryInitCode(CStream& body, CGameResources& r)
{
    if (body.ReadInteger() != kLibraryInitVersion)
        return false;
    int32_t count = body.ReadInteger();
    for (int32_t k = 0; k < count; ++k)
        body.ReadString(r.LibraryInitCode.emplace_back());
    return true;
}

bool ReadRoomOrder(CStream& body, CGameResources& r)
{
    if (body.ReadInteger() != kRoomOrderVersion)
        return false;
    int32_t count = body.ReadInteger();
    // The first entry is the first room: a game needs one.
    if (count <= 0)
        return false;
    for (int32_t k = 0; k < count; ++k)
        r.RoomOrder.push_back(body.ReadInteger());
    return true;
}

struct RSection {
    int percent;
    const char* text;
    bool (*read)(CStream&, CGameResources&);
};

const RSection kSections[] = {
    {0, "Loading extension packages", ReadExtensionPackages},
    {5, "Loading triggers", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Triggers, false); }},
    {6, "Loading constants", ReadConstants},
    {7, "Loading sounds", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Sounds, true); }},
    {10, "Loading sprites", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Sprites, true); }},
    {23, "Loading backgrounds",
     [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Backgrounds, true); }},
    {30, "Loading paths", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Paths, true); }},
    {32, "Loading scripts", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Scripts, true); }},
    {34, "Loading fonts", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Fonts, true); }},
    {36, "Loading time lines", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.TimeLines, true); }},
    {38, "Loading objects", [](CStream& b, CGameResources& r) { return ReadResourceList(b, r.Objects, true); }},
    {40, "Loading rooms", ReadRoomsAndCounters},
    {43, "Loading included files", ReadDataFiles},
    {45, "Loading help", [](CStream& b, CGameResources& r) { return r.GameInformation.LoadFromStream(b); }},
    {47, "Loading library init code", ReadLibraryInitCode},
    {49, "Loading room order", ReadRoomOrder},
};

} // namespace

bool LoadSections(CStream& body, ILoadObserver& observer)
{
    GameResources.Clear();
    for (const RSection& section : kSections) {
        observer.Progress(section.percent, section.text);
        if (!section.read(body, GameResources)) {
            // The extension reader has shown its own messages.
            if (section.read != ReadExtensionPackages)
                Platform_ShowMessage(kResourceError);
            return false;
        }
    }
    return true;
}

void SaveSections(CStream& body, const CGameResources& r)
{
    for (int section = 0; section < kSectionCount; ++section)
        SaveSection(body, r, section);
}

void SaveSection(CStream& body, const CGameResources& r, int section)
{
    switch (section) {
    case 0:
        body.WriteInteger(kExtensionsVersion);
        body.WriteInteger(static_cast<int32_t>(r.ExtensionPackages.size()));
        for (const CExtensionPackage& package : r.ExtensionPackages)
            package.SaveToExeStream(body);
        break;
    case 1:
        WriteResourceList(body, r.Triggers, false);
        break;
    case 2:
        body.WriteInteger(kListVersion);
        body.WriteInteger(static_cast<int32_t>(r.Constants.size()));
        for (const RConstant& constant : r.Constants) {
            body.WriteString(constant.name);
            body.WriteString(constant.value);
        }
        break;
    case 3:
        WriteResourceList(body, r.Sounds, true);
        break;
    case 4:
        WriteResourceList(body, r.Sprites, true);
        break;
    case 5:
        WriteResourceList(body, r.Backgrounds, true);
        break;
    case 6:
        WriteResourceList(body, r.Paths, true);
        break;
    case 7:
        WriteResourceList(body, r.Scripts, true);
        break;
    case 8:
        WriteResourceList(body, r.Fonts, true);
        break;
    case 9:
        WriteResourceList(body, r.TimeLines, true);
        break;
    case 10:
        WriteResourceList(body, r.Objects, true);
        break;
    case 11:
        WriteResourceList(body, r.Rooms, true);
        body.WriteInteger(r.LastInstanceId);
        body.WriteInteger(r.LastTileId);
        break;
    case 12:
        body.WriteInteger(kListVersion);
        body.WriteInteger(static_cast<int32_t>(r.DataFiles.size()));
        for (const CDataFile& file : r.DataFiles) {
            CStream block;
            file.SaveToStream(block);
            body.WriteStreamC(block);
        }
        break;
    case 13:
        r.GameInformation.SaveToStream(body);
        break;
    case 14:
        body.WriteInteger(kLibraryInitVersion);
        body.WriteInteger(static_cast<int32_t>(r.LibraryInitCode.size()));
        for (const std::string& code : r.LibraryInitCode)
            body.WriteString(code);
        break;
    case 15:
        body.WriteInteger(kRoomOrderVersion);
        body.WriteInteger(static_cast<int32_t>(r.RoomOrder.size()));
        for (int32_t room : r.RoomOrder)
            body.WriteInteger(room);
        break;
    default:
        break;
    }
}
