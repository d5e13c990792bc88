// The program's resource lists and tables.
#include "data/Resources.h"

#include "data/Background.h"
#include "data/Font.h"
#include "data/Object.h"
#include "data/Path.h"
#include "data/Room.h"
#include "data/Script.h"
#include "data/Sound.h"
#include "data/Sprite.h"
#include "data/TimeLine.h"
#include "data/Trigger.h"

CGameResources GameResources;

int32_t Trigger_FindConstant(std::string_view name)
{
    for (int32_t k = 0; k < Triggers.Count(); ++k) {
        const CTrigger* trigger = Triggers.Get(k);
        if (trigger && !trigger->i_constname.empty() && trigger->i_constname == name)
            return k;
    }
    return -1;
}

TResourceList<CSound>& Sounds = GameResources.Sounds;
TResourceList<CSprite>& Sprites = GameResources.Sprites;
TResourceList<CBackground>& Backgrounds = GameResources.Backgrounds;
TResourceList<CPath>& Paths = GameResources.Paths;
TResourceList<CScript>& Scripts = GameResources.Scripts;
TResourceList<CFont>& Fonts = GameResources.Fonts;
TResourceList<CTimeLine>& TimeLines = GameResources.TimeLines;
TResourceList<CObject>& Objects = GameResources.Objects;
TResourceList<CRoom>& Rooms = GameResources.Rooms;
TResourceList<CTrigger>& Triggers = GameResources.Triggers;

CGameResources::CGameResources() = default;
CGameResources::~CGameResources() = default;
CGameResources::CGameResources(CGameResources&&) noexcept = default;
CGameResources& CGameResources::operator=(CGameResources&&) noexcept = default;

void CGameResources::Clear()
{
    ExtensionPackages.clear();
    Triggers.Clear();
    Constants.clear();
    Sounds.Clear();
    Sprites.Clear();
    Backgrounds.Clear();
    Paths.Clear();
    Scripts.Clear();
    Fonts.Clear();
    TimeLines.Clear();
    Objects.Clear();
    Rooms.Clear();
    LastInstanceId = CGameResources().LastInstanceId;
    LastTileId = CGameResources().LastTileId;
    DataFiles.clear();
    GameInformation.Clear();
    LibraryInitCode.clear();
    RoomOrder.clear();
}

bool CGameResources::operator==(const CGameResources& o) const
{
    return ExtensionPackages == o.ExtensionPackages && Triggers.Equals(o.Triggers) && Constants == o.Constants &&
           Sounds.Equals(o.Sounds) && Sprites.Equals(o.Sprites) && Backgrounds.Equals(o.Backgrounds) &&
           Paths.Equals(o.Paths) && Scripts.Equals(o.Scripts) && Fonts.Equals(o.Fonts) &&
           TimeLines.Equals(o.TimeLines) && Objects.Equals(o.Objects) && Rooms.Equals(o.Rooms) &&
           LastInstanceId == o.LastInstanceId && LastTileId == o.LastTileId && DataFiles == o.DataFiles &&
           GameInformation == o.GameInformation && LibraryInitCode == o.LibraryInitCode && RoomOrder == o.RoomOrder;
}

void ClearResources()
{
    GameResources.Clear();
}
