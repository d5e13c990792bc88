// One multiplayer message as the players' runners exchange it: a message
// with an id, or an update of a shared data slot, carrying a script value.
//
// The bytes, little-endian: ismessage (1: message, 0: data update), the id
// or slot (4, signed), isstring (1), then for a string its length n (4) and
// n UTF-16 code units, for a real the double (8).
#pragma once

#include "code/Value.h"

#include <cstdint>
#include <span>
#include <vector>

struct RMess {
    uint32_t ms_player = 0; // the addressee when sending, the sender when received
    bool ms_isMessage = true;
    int32_t ms_messid = 0; // message id, or the slot of a data update
    RValue ms_val;
};

// A receiver takes at most this many bytes, so a string travels with at most
// (32000 - 10) / 2 characters; longer strings are cut when sent.
constexpr size_t kLargestMessageBytes = 32000;
constexpr size_t kLongestMessageString = (kLargestMessageBytes - 10) / 2;

// The addressee is not part of the bytes.
std::vector<uint8_t> Message_Encode(const RMess& message);
// False for anything that is not exactly one well-formed message; the
// sender is the caller's to fill in.
bool Message_Decode(std::span<const uint8_t> bytes, RMess& message);
