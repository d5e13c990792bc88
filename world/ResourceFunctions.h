// The resource functions of a running game that belong to the world: objects,
// time lines, rooms and scripts. Sprites, backgrounds, fonts and room tiles
// are the drawing module's, paths the motion module's, sounds the sound
// module's.
#pragma once

void World_ImplementObjectResourceFunctions();
void World_ImplementTimeLineResourceFunctions();
void World_ImplementRoomResourceFunctions();
void World_ImplementScriptResourceFunctions();

// All four groups.
void World_ImplementResourceFunctions();
