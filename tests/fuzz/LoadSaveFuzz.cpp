// Feeds arbitrary bytes to the save-file loader of a running game. A file
// that loads is saved again and loaded once more, so that whatever a damaged
// file put into the rooms also goes through the writer and the freeing of
// the rooms it replaced.
#include "code/ErrorReport.h"
#include "data/GameData.h"
#include "data/GameSettings.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Stream.h"
#include "platform/MessageBox.h"
#include "world/SaveGame.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// The seeds are saves of the test game save-load: its id and three objects,
// the last with a parent, so the per-object lists follow a parent chain.
constexpr int32_t kSeedGameId = 1616;

bool SetUp()
{
    Platform_SetMessageHook([](const std::string&) {});
    Settings.ShowErrorMessages = false;
    GameId = kSeedGameId;
    for (int32_t k = 0; k < 3; ++k) {
        auto object = std::make_unique<CObject>();
        object->o_parent = k == 2 ? 0 : -1;
        Objects.Set(k, std::move(object), "obj" + std::to_string(k));
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = SetUp();
    (void)ready;
    CStream file(std::vector<uint8_t>(data, data + size));
    if (SaveGame_Apply(file) != ESaveRead::Loaded)
        return 0;
    CStream again;
    SaveGame_Write(again);
    SaveGame_Apply(again);
    return 0;
}
