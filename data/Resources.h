// The program's resource lists, one per kind, filled by the game data loader
// and changed at run time by the resource functions. Holes are entries
// without a resource; -1 stands for no resource wherever an index is stored.
#pragma once

#include "data/ResourceList.h"

#include <cstdint>
#include <string_view>

class CSound;
class CSprite;
class CBackground;
class CPath;
class CScript;
class CFont;
class CTimeLine;
class CObject;
class CRoom;
class CTrigger;

extern TResourceList<CSound> Sounds;
extern TResourceList<CSprite> Sprites;
extern TResourceList<CBackground> Backgrounds;
extern TResourceList<CPath> Paths;
extern TResourceList<CScript> Scripts;
extern TResourceList<CFont> Fonts;
extern TResourceList<CTimeLine> TimeLines;
extern TResourceList<CObject> Objects;
extern TResourceList<CRoom> Rooms;
extern TResourceList<CTrigger> Triggers;

// The index of the first trigger whose constant is named name, or -1.
int32_t Trigger_FindConstant(std::string_view name);

// Empties every list (tests, and before a game is loaded again).
void ClearResources();
