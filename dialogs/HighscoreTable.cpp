// Storing, scrambling and ordering the highscore table.
#include "dialogs/HighscoreTable.h"

#include "data/GameData.h"
#include "platform/RegistryStore.h"

#include <vector>

RHighscoreStyle HighscoreStyle;

namespace {

std::string TableKey()
{
    return "\\Software\\Brindle\\Scores\\" + std::to_string(GameId);
}

std::string ValueName(int32_t place)
{
    return "Rank" + std::to_string(place);
}

RHighscoreEntry Nobody()
{
    return {HighscoreStyle.nobody, 0};
}

// Sums wrap around at 32 bits, as the registers they were made in did.
int32_t Wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

std::string Highscore_Encode(const RHighscoreEntry& entry, int32_t gameId)
{
    std::vector<int32_t> v(16 + entry.name.size());
    // The score's bytes, least significant first. Negative scores keep
    // their two's complement bytes, so that they read back as they were.
    const uint32_t bits = static_cast<uint32_t>(entry.score);
    for (size_t k = 0; k < 16; ++k)
        v[k] = k < 4 ? static_cast<int32_t>((bits >> (8 * k)) & 0xFF) : (entry.score < 0 ? 255 : 0);
    for (size_t k = 0; k < entry.name.size(); ++k)
        v[16 + k] = static_cast<unsigned char>(entry.name[k]);
    std::string text;
    text.reserve(v.size() * 2);
    for (size_t i = 1; i <= v.size(); ++i) {
        const int32_t x = Wrap(int64_t(v[i - 1]) + static_cast<int64_t>(i) + gameId) % 256;
        text += static_cast<char>(65 + x / 16);
        text += static_cast<char>(65 + x % 16);
    }
    return text;
}

bool Highscore_Decode(const std::string& text, int32_t gameId, RHighscoreEntry& entry)
{
    if (text.size() % 2 != 0 || text.size() < 32)
        return false;
    const size_t pairs = text.size() / 2;
    std::vector<int32_t> x(pairs);
    for (size_t i = 1; i <= pairs; ++i) {
        const int32_t c1 = static_cast<unsigned char>(text[2 * (i - 1)]);
        const int32_t c2 = static_cast<unsigned char>(text[2 * (i - 1) + 1]);
        int32_t value = Wrap(int64_t(16 * c1 + c2 - 1105) - static_cast<int64_t>(i) - gameId) % 256;
        if (value < 0)
            value += 256;
        x[i - 1] = value;
    }
    entry.score = Wrap(int64_t(x[0]) + 256 * int64_t(x[1]) + 65536 * int64_t(x[2]) + 16777216 * int64_t(x[3]));
    entry.name.clear();
    for (size_t k = 16; k < pairs; ++k)
        entry.name += static_cast<char>(x[k]);
    return true;
}

RHighscoreEntry Highscore_Read(int32_t place)
{
    if (place < 1 || place > kHighscorePlaces)
        return Nobody();
    CRegistryStore& store = Platform_Registry();
    RRegistryValue value;
    RHighscoreEntry entry;
    if (!store.KeyExists(ERegistryRoot::CurrentUser, TableKey()) ||
        !store.ReadValue(ERegistryRoot::CurrentUser, TableKey(), ValueName(place), value) ||
        value.type != ERegistryType::String || !Highscore_Decode(value.data, GameId, entry))
        return Nobody();
    return entry;
}

std::array<RHighscoreEntry, kHighscorePlaces> Highscore_ReadAll()
{
    std::array<RHighscoreEntry, kHighscorePlaces> table;
    for (int32_t place = 1; place <= kHighscorePlaces; ++place)
        table[static_cast<size_t>(place - 1)] = Highscore_Read(place);
    return table;
}

namespace {

// Places first..10 of table, in one write of the store.
void WritePlaces(const std::array<RHighscoreEntry, kHighscorePlaces>& table, int32_t first)
{
    std::vector<std::pair<std::string, RRegistryValue>> values;
    for (int32_t place = first; place <= kHighscorePlaces; ++place) {
        RRegistryValue value;
        value.type = ERegistryType::String;
        value.data = Highscore_Encode(table[static_cast<size_t>(place - 1)], GameId);
        values.emplace_back(ValueName(place), std::move(value));
    }
    Platform_Registry().WriteValues(ERegistryRoot::CurrentUser, TableKey(), values);
}

} // namespace

void Highscore_Write(int32_t place, const RHighscoreEntry& entry)
{
    if (place < 1 || place > kHighscorePlaces)
        return;
    RRegistryValue value;
    value.type = ERegistryType::String;
    value.data = Highscore_Encode(entry, GameId);
    Platform_Registry().WriteValue(ERegistryRoot::CurrentUser, TableKey(), ValueName(place), value);
}

void Highscore_Clear()
{
    std::array<RHighscoreEntry, kHighscorePlaces> table;
    table.fill(Nobody());
    WritePlaces(table, 1);
}

int32_t Highscore_Insert(const RHighscoreEntry& entry)
{
    std::array<RHighscoreEntry, kHighscorePlaces> table = Highscore_ReadAll();
    int32_t place = 0;
    for (int32_t i = 1; i <= kHighscorePlaces; ++i)
        if (table[static_cast<size_t>(i - 1)].score < entry.score) {
            place = i;
            break;
        }
    if (place == 0)
        return 0;
    for (int32_t r = kHighscorePlaces - 1; r >= place; --r)
        table[static_cast<size_t>(r)] = table[static_cast<size_t>(r - 1)];
    table[static_cast<size_t>(place - 1)] = entry;
    WritePlaces(table, place);
    return place;
}
