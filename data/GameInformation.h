// CGameInformation: the game's information page as stored: rich text and
// how its window looks. The window itself comes with the dialogs.
#pragma once

#include <cstdint>
#include <string>

class CStream;

class CGameInformation {
public:
    static constexpr int32_t kVersion = 800;

    int32_t i_color = 0xFFFFFF; // background of the text, 0xBBGGRR
    bool i_ingamewindow = false;
    std::string i_caption = "Game Information";
    int32_t i_left = -1; // negative: centred
    int32_t i_top = -1;
    int32_t i_width = 600;
    int32_t i_height = 400;
    bool i_showborder = true;
    bool i_sizeable = true;
    bool i_stayontop = false;
    bool i_pausegame = true;
    std::string i_text; // RTF

    void Clear() { *this = CGameInformation(); }
    // The section: version, then one compressed block.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CGameInformation&) const = default;
};
