// Supplies the room-change and game functions.
#pragma once

void World_ImplementRoomFunctions();
