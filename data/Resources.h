// The program's resources: one list per kind, filled by the game data loader
// and changed at run time by the resource functions, and the tables that go
// with them. Holes are entries without a resource; -1 stands for no resource
// wherever an index is stored.
#pragma once

#include "data/DataFile.h"
#include "data/ExtensionPackage.h"
#include "data/GameInformation.h"
#include "data/ResourceList.h"

#include <cstdint>
#include <string_view>
#include <string>
#include <vector>

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

// A game constant: its name and the expression text of its value.
struct RConstant {
    std::string name;
    std::string value;
    bool operator==(const RConstant&) const = default;
};

// Everything the sections of the game data hold. The program has one (the
// lists below refer into it); the builder fills one of its own to write.
class CGameResources {
public:
    CGameResources();
    ~CGameResources();
    CGameResources(CGameResources&&) noexcept;
    CGameResources& operator=(CGameResources&&) noexcept;

    std::vector<CExtensionPackage> ExtensionPackages;
    TResourceList<CTrigger> Triggers; // named by each trigger's own name
    std::vector<RConstant> Constants; // in stored order
    TResourceList<CSound> Sounds;
    TResourceList<CSprite> Sprites;
    TResourceList<CBackground> Backgrounds;
    TResourceList<CPath> Paths;
    TResourceList<CScript> Scripts;
    TResourceList<CFont> Fonts;
    TResourceList<CTimeLine> TimeLines;
    TResourceList<CObject> Objects;
    TResourceList<CRoom> Rooms;
    // The counters from which new instance ids and tile ids continue.
    int32_t LastInstanceId = 100000;
    int32_t LastTileId = 10000000;
    std::vector<CDataFile> DataFiles; // the included files
    CGameInformation GameInformation;
    std::vector<std::string> LibraryInitCode; // one piece of code per string
    std::vector<int32_t> RoomOrder;           // its first room starts the game

    void Clear();
    // Every list, name and table alike (compiled code is not compared).
    bool operator==(const CGameResources& other) const;
};

extern CGameResources GameResources;

extern TResourceList<CSound>& Sounds;
extern TResourceList<CSprite>& Sprites;
extern TResourceList<CBackground>& Backgrounds;
extern TResourceList<CPath>& Paths;
extern TResourceList<CScript>& Scripts;
extern TResourceList<CFont>& Fonts;
extern TResourceList<CTimeLine>& TimeLines;
extern TResourceList<CObject>& Objects;
extern TResourceList<CRoom>& Rooms;
extern TResourceList<CTrigger>& Triggers;

// Empties every list and table (tests, and before a game is loaded again).
void ClearResources();

// The index of the first trigger whose constant is named name, or -1.
int32_t Trigger_FindConstant(std::string_view name);
