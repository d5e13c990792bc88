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

TResourceList<CSound> Sounds;
TResourceList<CSprite> Sprites;
TResourceList<CBackground> Backgrounds;
TResourceList<CPath> Paths;
TResourceList<CScript> Scripts;
TResourceList<CFont> Fonts;
TResourceList<CTimeLine> TimeLines;
TResourceList<CObject> Objects;
TResourceList<CRoom> Rooms;
TResourceList<CTrigger> Triggers;

int32_t Trigger_FindConstant(std::string_view name)
{
    for (int32_t k = 0; k < Triggers.Count(); ++k) {
        const CTrigger* trigger = Triggers.Get(k);
        if (trigger && !trigger->i_constname.empty() && trigger->i_constname == name)
            return k;
    }
    return -1;
}

void ClearResources()
{
    Sounds.Clear();
    Sprites.Clear();
    Backgrounds.Clear();
    Paths.Clear();
    Scripts.Clear();
    Fonts.Clear();
    TimeLines.Clear();
    Objects.Clear();
    Rooms.Clear();
    Triggers.Clear();
}
