// The ids of one kind of data structure: slots holding a structure or
// nothing. A new structure takes the lowest empty slot, so ids of destroyed
// structures are reused; each kind numbers its structures on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

template <class TStructure>
class CDsIdTable {
public:
    // The id of the new structure.
    int64_t Add(std::unique_ptr<TStructure> structure)
    {
        size_t slot = s_firstFree;
        while (slot < s_slots.size() && s_slots[slot])
            ++slot;
        if (slot == s_slots.size())
            s_slots.emplace_back();
        s_slots[slot] = std::move(structure);
        s_firstFree = slot + 1;
        return static_cast<int64_t>(slot);
    }
    // Null when the id names no structure.
    TStructure* Find(int64_t id) const
    {
        if (id < 0 || static_cast<uint64_t>(id) >= s_slots.size())
            return nullptr;
        return s_slots[static_cast<size_t>(id)].get();
    }
    // False when the id names no structure.
    bool Remove(int64_t id)
    {
        if (!Find(id))
            return false;
        s_slots[static_cast<size_t>(id)].reset();
        if (static_cast<size_t>(id) < s_firstFree)
            s_firstFree = static_cast<size_t>(id);
        while (!s_slots.empty() && !s_slots.back())
            s_slots.pop_back();
        if (s_firstFree > s_slots.size())
            s_firstFree = s_slots.size();
        return true;
    }
    void RemoveAll()
    {
        s_slots.clear();
        s_firstFree = 0;
    }

private:
    std::vector<std::unique_ptr<TStructure>> s_slots;
    size_t s_firstFree = 0; // no empty slot lies below this one
};
