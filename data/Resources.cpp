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
