// The CD functions speak to the drive in media command strings. This
// system has no CD audio, so the built-in sender answers every "cdaudio"
// command with the empty reply: no disc is ever present and the functions
// give 0 or do nothing. Tests put a disc of their own in its place.
#pragma once

#include <functional>
#include <string>

using MciSender = std::function<std::string(const std::string& command)>;
// Null puts the built-in sender (the MCI_command subset) back.
void Sound_SetMciSender(MciSender sender);
std::string Sound_SendMci(const std::string& command);
