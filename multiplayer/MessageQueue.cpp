// Taking, counting and dropping received messages by sender.
#include "multiplayer/MessageQueue.h"

#include <algorithm>

bool CMessageQueue::Append(const RMess& message)
{
    if (q_messages.size() >= kCapacity)
        return false;
    q_messages.push_back(message);
    return true;
}

bool CMessageQueue::Take(int64_t player, RMess& message)
{
    auto found = std::find_if(q_messages.begin(), q_messages.end(),
                              [player](const RMess& queued) { return Passes(player, queued.ms_player); });
    if (found == q_messages.end())
        return false;
    message = std::move(*found);
    q_messages.erase(found);
    return true;
}

int32_t CMessageQueue::Count(int64_t player) const
{
    return static_cast<int32_t>(std::count_if(q_messages.begin(), q_messages.end(), [player](const RMess& queued) {
        return Passes(player, queued.ms_player);
    }));
}

void CMessageQueue::Drop(int64_t player)
{
    std::erase_if(q_messages, [player](const RMess& queued) { return Passes(player, queued.ms_player); });
}
