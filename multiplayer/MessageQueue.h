// The messages received and not yet taken by the game, in arrival order.
// A taken message leaves at once: keeping it until the queue fills, only
// to clear it then, would change nothing the game can see.
#pragma once

#include "multiplayer/MessageCodec.h"

#include <cstdint>
#include <deque>

class CMessageQueue {
public:
    static constexpr size_t kCapacity = 4000;

    // False when the queue is full: the new message is lost.
    bool Append(const RMess& message);
    // The first message whose sender passes the filter leaves the queue.
    bool Take(int64_t player, RMess& message);
    int32_t Count(int64_t player) const;
    void Drop(int64_t player);
    size_t Size() const { return q_messages.size(); }

    // The filter of the receiving functions: 0 lets any sender pass, a
    // negative value none, any other value the player with that id.
    static bool Passes(int64_t player, uint32_t sender) { return player == 0 || (player > 0 && player == sender); }

private:
    std::deque<RMess> q_messages;
};
