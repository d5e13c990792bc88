// Outer body, main body and the container.
#include "tools/pack/GameBuilder.h"

#include "data/GameContainer.h"
#include "data/Sections.h"
#include "data/Stream.h"
#include "tools/pack/Manifest.h"

namespace {

// The stored library slot: the format wants a name and a file; nothing in
// this runner loads it.
constexpr const char* kLibraryName = "D3DX8.dll";

CStream BuildMainBody(const GameProject& project, uint32_t& z, uint32_t& w)
{
    CStream body;
    int32_t filler = 100 + static_cast<int32_t>(LocalRandom(z, w) % 500);
    body.WriteInteger(filler);
    for (int32_t k = 0; k < filler; ++k)
        body.WriteInteger(static_cast<int32_t>(LocalRandom(z, w)));
    body.WriteInteger(0); // reserved
    body.WriteInteger(project.GameId);
    body.WriteBytes(project.GameGUID.data(), project.GameGUID.size());
    SaveSections(body, project.Resources);
    return body;
}

} // namespace

std::vector<uint8_t> BuildOuterBody(const GameProject& project, uint32_t& z, uint32_t& w)
{
    CStream outer;
    outer.WriteInteger(0); // reserved
    outer.WriteBoolean(project.DebugMode);
    outer.WriteInteger(0); // reserved
    project.Settings.SaveToStream(outer);
    outer.WriteString(kLibraryName);
    outer.WriteStreamC(CStream());
    outer.WriteStreamE(BuildMainBody(project, z, w), z, w);
    return outer.Bytes();
}

std::vector<uint8_t> BuildGame(const GameProject& project, const std::vector<uint8_t>& runnerImage)
{
    // The runner refuses a game without a first room.
    if (project.Resources.RoomOrder.empty())
        throw EProjectError("the game has no room order; it needs at least one room to start in");
    // The random filler and key come from the game itself, so the same
    // project always packs to the same bytes.
    std::string seedText = project.Name + "/" + std::to_string(project.GameId);
    uint32_t z = CalcCRC(seedText.data(), static_cast<int64_t>(seedText.size())) | 1u;
    uint32_t w = static_cast<uint32_t>(project.GameId) * 2654435761u + 12345u;
    std::vector<uint8_t> outer = BuildOuterBody(project, z, w);
    uint32_t keyNumber = LocalRandom(z, w);
    std::vector<uint8_t> game = WriteGameContainer(runnerImage, outer, keyNumber);

    int64_t expected = std::max<int64_t>(kMarkerSearchStart, static_cast<int64_t>(runnerImage.size()));
    int64_t found = FindGameDataMarker(game.data(), static_cast<int64_t>(game.size()));
    if (found != expected)
        throw EProjectError("the runner image holds a chance match of the game data marker at offset " +
                            std::to_string(found) + "; the runner would not find this game's data");
    return game;
}
