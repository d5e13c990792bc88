// The instance lists of a room: the active instances in room-list order, the
// deactivated ones, and per object the instances of exactly that object and
// of it or any descendant. Instances are destroyed in two stages: marked at
// once, freed by RemoveMarked at one safe point of the step.
//
// The per-object lists are rebuilt from the room list after removals and
// (de)activations and appended to in between, so their order is the room
// order at the last rebuild followed by later creations. An id index finds
// an instance by id without searching the list.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CInstance;

class CInstanceLists {
public:
    CInstanceLists();
    ~CInstanceLists();
    CInstanceLists(const CInstanceLists&) = delete;
    CInstanceLists& operator=(const CInstanceLists&) = delete;

    // The room list (active instances); positions are stable while no
    // removal, sort or (de)activation runs, so callers walk it by position.
    int32_t InstanceCount() const { return static_cast<int32_t>(r_instance.size()); }
    CInstance* InstanceAt(int32_t position) const
    {
        return position >= 0 && position < InstanceCount() ? r_instance[static_cast<size_t>(position)].get() : nullptr;
    }
    int32_t DeactivatedCount() const { return static_cast<int32_t>(r_instance_deact.size()); }
    CInstance* DeactivatedAt(int32_t position) const
    {
        return position >= 0 && position < DeactivatedCount() ? r_instance_deact[static_cast<size_t>(position)].get()
                                                              : nullptr;
    }

    // Creates an instance with the given id and enters it; performs no event.
    CInstance* AddInstance(double x, double y, int32_t objectindex, int32_t id);
    // Appends an instance made elsewhere (a copy carried between rooms).
    CInstance* AdoptInstance(std::unique_ptr<CInstance> instance);
    void ClearInstances();

    int32_t Obj_Number(int32_t objectindex) const;
    CInstance* Obj_Instance(int32_t objectindex, int32_t number) const;
    int32_t Obj_Number_Recursive(int32_t objectindex) const;
    CInstance* Obj_Instance_Recursive(int32_t objectindex, int32_t number) const;

    // Orders the room list by depth, greatest first, keeping the order of equal depths.
    void SortInstances();
    // Frees every marked instance; true when anything was removed.
    bool RemoveMarked();
    // Moves instances between the active and deactivated lists by their flag.
    void UpdateActive();
    void RebuildObjectLists();
    // After an instance took another id (a changed instance keeps its old one).
    void ReindexIds() { RebuildIdIndex(); }

    // The active instance with this id (the newest when several share it), marked or not.
    CInstance* FindById(int32_t id) const;

    // Takes every instance out of the lists, leaving them empty.
    std::vector<std::unique_ptr<CInstance>> TakeAll();

private:
    void Enter(CInstance* instance);
    void IndexId(CInstance* instance);
    void RebuildIdIndex();
    void EnsureObjectSlots();
    // The stress build: every list moves to new memory after a change.
    void StressMove();

    std::vector<std::unique_ptr<CInstance>> r_instance;
    std::vector<std::unique_ptr<CInstance>> r_instance_deact;
    std::vector<std::vector<CInstance*>> r_obj_instance;
    std::vector<std::vector<CInstance*>> r_obj_instance_recursive;
    std::unordered_map<int32_t, CInstance*> r_byid;
};
