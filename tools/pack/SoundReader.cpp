// [[sound]] entries: the sound file's bytes, checked to be WAV, OGG, MP3 or
// MIDI, with the kind, effects, volume, pan and preload flag.
#include "data/Sound.h"
#include "tools/pack/ReaderContext.h"

#include <cstring>
#include <filesystem>

namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, size_t offset, const char* text)
{
    size_t n = std::strlen(text);
    return bytes.size() >= offset + n && std::memcmp(bytes.data() + offset, text, n) == 0;
}

bool IsSoundFile(const std::vector<uint8_t>& bytes)
{
    if (StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE"))
        return true;
    if (StartsWith(bytes, 0, "OggS") || StartsWith(bytes, 0, "MThd") || StartsWith(bytes, 0, "ID3"))
        return true;
    // An MP3 without a tag starts with a frame's sync bits.
    return bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0;
}

int32_t ReadEffects(CManifestTable& table)
{
    static const char* const names[] = {"chorus",     "echo",      "flanger",    "gargle",     "reverb",
                                        "compressor", "equalizer", "distortion", "environment"};
    const toml::node* node = table.GetNode("effects");
    if (!node)
        return 0;
    const toml::array* list = node->as_array();
    if (!list)
        table.Fail("effects", "expected a list such as [\"echo\", \"reverb\"]");
    int32_t bits = 0;
    for (const toml::node& item : *list) {
        int bit = -1;
        if (item.is_string())
            for (int k = 0; k < 9; ++k)
                if (item.as_string()->get() == names[k])
                    bit = k;
        if (bit < 0)
            table.Fail("effects", "effects are chorus, echo, flanger, gargle, reverb, compressor, equalizer, "
                                  "distortion and environment");
        bits |= 1 << bit;
    }
    return bits;
}

} // namespace

void ReadSounds(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Sounds, entries, [&](CManifestTable& table, const std::string&, int) {
        auto sound = std::make_unique<CSound>();
        std::string file = table.GetString("file", std::string());
        if (!file.empty()) {
            sound->s_sound = context.ReadFile(table, "file", file);
            if (!IsSoundFile(sound->s_sound))
                table.Fail("file", "\"" + file + "\" is not a WAV, OGG, MP3 or MIDI file");
            sound->s_hasSound = true;
            sound->s_extension = std::filesystem::path(file).extension().string();
            sound->s_origname = std::filesystem::path(file).filename().string();
        }
        sound->s_kind = table.GetChoice("kind", {"normal", "music", "3d", "multimedia"}, kSoundNormal);
        sound->s_effects = ReadEffects(table);
        sound->s_volume = table.GetReal("volume", 1);
        if (sound->s_volume < 0 || sound->s_volume > 1)
            table.Fail("volume", "must lie between 0 and 1");
        sound->s_pan = table.GetReal("pan", 0);
        if (sound->s_pan < -1 || sound->s_pan > 1)
            table.Fail("pan", "must lie between -1 (left) and 1 (right)");
        sound->s_preload = table.GetBool("preload", true);
        table.Finish();
        return sound;
    });
}
