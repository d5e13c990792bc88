// Multiplayer play for games: the mplay_* functions and what the runner
// does for them around the game. Without a network installed every
// connection attempt fails, as on a computer with no network.
#pragma once

#include "platform/NetworkPlay.h"

#include <memory>

void Multiplayer_ImplementFunctions();

// Starts over with this network play for the game with this identifier:
// sessions are made and found under it, so a game sees only its own.
void Multiplayer_Start(std::unique_ptr<INetworkPlay> network, const RGameGuid& game);
// Once a step: keeps a session alive and relays for the other players
// while the game is busy with other things.
void Multiplayer_Service();
// At the end of the run: the others hear that this player left.
void Multiplayer_Shutdown();
