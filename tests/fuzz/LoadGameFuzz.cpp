// Feeds arbitrary bytes to the game data loader. The first byte chooses how:
// 0 puts the bytes at the marker offset as they are (header included, so
// the checksum usually fails); any other value wraps them as the outer body
// of a container with a valid checksum, so the readers behind it are reached.
#include "data/GameContainer.h"
#include "data/GameData.h"
#include "data/Stream.h"
#include "platform/MessageBox.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        Platform_SetMessageHook([](const std::string&) {});
        return true;
    }();
    (void)ready;
    if (size == 0)
        return 0;
    std::vector<uint8_t> file;
    if (data[0] == 0) {
        file.assign(static_cast<size_t>(kMarkerSearchStart), 0);
        file.insert(file.end(), data + 1, data + size);
    } else {
        file = WriteGameContainer({}, std::vector<uint8_t>(data + 1, data + size), data[0]);
    }
    CStream stream(std::move(file));
    try {
        LoadGameDataFromStream(stream, nullptr);
    } catch (const EStreamError&) {
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return 0;
}
