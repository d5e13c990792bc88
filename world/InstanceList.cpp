// Entering, removing, sorting and (de)activating instances.
#include "world/InstanceList.h"

#include "data/Object.h"
#include "data/Resources.h"
#include "data/StressBuild.h"
#include "world/Instance.h"

#include <algorithm>
#include <iterator>

CInstanceLists::CInstanceLists() = default;
CInstanceLists::~CInstanceLists() = default;

namespace {

template <typename T>
void MoveToNewMemory(std::vector<T>& list)
{
    std::vector<T> moved;
    moved.reserve(list.size());
    std::move(list.begin(), list.end(), std::back_inserter(moved));
    list = std::move(moved);
}

} // namespace

void CInstanceLists::StressMove()
{
    if constexpr (!kStressBuild)
        return;
    ++InstanceLayoutChanges;
    MoveToNewMemory(r_instance);
    MoveToNewMemory(r_instance_deact);
    for (auto& list : r_obj_instance)
        MoveToNewMemory(list);
    for (auto& list : r_obj_instance_recursive)
        MoveToNewMemory(list);
    MoveToNewMemory(r_obj_instance);
    MoveToNewMemory(r_obj_instance_recursive);
    std::unordered_map<int32_t, CInstance*> index(r_byid.begin(), r_byid.end());
    r_byid = std::move(index);
}

void CInstanceLists::EnsureObjectSlots()
{
    size_t count = static_cast<size_t>(std::max(Objects.Count(), 0));
    if (r_obj_instance.size() < count) {
        r_obj_instance.resize(count);
        r_obj_instance_recursive.resize(count);
    }
}

void CInstanceLists::Enter(CInstance* instance)
{
    ++InstanceLayoutChanges;
    EnsureObjectSlots();
    int32_t object = instance->i_objectindex;
    if (object < 0 || object >= static_cast<int32_t>(r_obj_instance.size()))
        return;
    r_obj_instance[static_cast<size_t>(object)].push_back(instance);
    // Up the parent chain through existing objects; the step limit guards
    // against a cycle in damaged data.
    for (int steps = 0; object >= 0 && steps <= Objects.Count(); ++steps) {
        r_obj_instance_recursive[static_cast<size_t>(object)].push_back(instance);
        const CObject* current = Objects.Get(object);
        int32_t parent = current ? current->o_parent : -1;
        object = Objects.Exists(parent) && parent < static_cast<int32_t>(r_obj_instance.size()) ? parent : -1;
    }
}

void CInstanceLists::IndexId(CInstance* instance)
{
    r_byid[instance->i_id] = instance;
}

void CInstanceLists::RebuildIdIndex()
{
    // Later entries win, so the newest of instances sharing an id is found.
    r_byid.clear();
    for (const auto& instance : r_instance)
        r_byid[instance->i_id] = instance.get();
}

CInstance* CInstanceLists::AddInstance(double x, double y, int32_t objectindex, int32_t id)
{
    auto instance = std::make_unique<CInstance>();
    instance->Create(x, y, id, objectindex);
    return AdoptInstance(std::move(instance));
}

CInstance* CInstanceLists::AdoptInstance(std::unique_ptr<CInstance> instance)
{
    CInstance* raw = instance.get();
    r_instance.push_back(std::move(instance));
    Enter(raw);
    IndexId(raw);
    StressMove();
    return raw;
}

void CInstanceLists::ClearInstances()
{
    r_instance.clear();
    r_instance_deact.clear();
    r_obj_instance.clear();
    r_obj_instance_recursive.clear();
    r_byid.clear();
}

std::vector<std::unique_ptr<CInstance>> CInstanceLists::TakeAll()
{
    std::vector<std::unique_ptr<CInstance>> all = std::move(r_instance);
    for (auto& instance : r_instance_deact)
        all.push_back(std::move(instance));
    ClearInstances();
    return all;
}

int32_t CInstanceLists::Obj_Number(int32_t objectindex) const
{
    if (objectindex < 0 || objectindex >= static_cast<int32_t>(r_obj_instance.size()))
        return 0;
    return static_cast<int32_t>(r_obj_instance[static_cast<size_t>(objectindex)].size());
}

CInstance* CInstanceLists::Obj_Instance(int32_t objectindex, int32_t number) const
{
    if (number < 0 || number >= Obj_Number(objectindex))
        return nullptr;
    return r_obj_instance[static_cast<size_t>(objectindex)][static_cast<size_t>(number)];
}

int32_t CInstanceLists::Obj_Number_Recursive(int32_t objectindex) const
{
    if (objectindex < 0 || objectindex >= static_cast<int32_t>(r_obj_instance_recursive.size()))
        return 0;
    return static_cast<int32_t>(r_obj_instance_recursive[static_cast<size_t>(objectindex)].size());
}

CInstance* CInstanceLists::Obj_Instance_Recursive(int32_t objectindex, int32_t number) const
{
    if (number < 0 || number >= Obj_Number_Recursive(objectindex))
        return nullptr;
    return r_obj_instance_recursive[static_cast<size_t>(objectindex)][static_cast<size_t>(number)];
}

void CInstanceLists::SortInstances()
{
    bool sorted = true;
    for (size_t k = 1; k < r_instance.size() && sorted; ++k)
        sorted = r_instance[k]->i_depth <= r_instance[k - 1]->i_depth;
    if (sorted)
        return;
    std::stable_sort(r_instance.begin(), r_instance.end(),
                     [](const std::unique_ptr<CInstance>& a, const std::unique_ptr<CInstance>& b) {
                         return a->i_depth > b->i_depth;
                     });
    StressMove();
}

bool CInstanceLists::RemoveMarked()
{
    bool any = false;
    for (const auto& instance : r_instance)
        any = any || instance->i_marked;
    if (!any)
        return false;
    std::erase_if(r_instance, [](const std::unique_ptr<CInstance>& instance) { return instance->i_marked; });
    RebuildIdIndex();
    RebuildObjectLists();
    StressMove();
    return true;
}

void CInstanceLists::UpdateActive()
{
    size_t toDeactivate = 0, toActivate = 0;
    for (const auto& instance : r_instance)
        toDeactivate += instance->i_deactivated ? 1 : 0;
    for (const auto& instance : r_instance_deact)
        toActivate += instance->i_deactivated ? 0 : 1;
    if (toDeactivate == 0 && toActivate == 0)
        return;
    std::vector<std::unique_ptr<CInstance>> staying;
    for (auto& instance : r_instance_deact) {
        if (instance->i_deactivated) {
            staying.push_back(std::move(instance));
        } else {
            r_instance.push_back(std::move(instance));
        }
    }
    r_instance_deact = std::move(staying);
    std::vector<std::unique_ptr<CInstance>> active;
    for (auto& instance : r_instance) {
        if (instance->i_deactivated) {
            r_instance_deact.push_back(std::move(instance));
        } else {
            active.push_back(std::move(instance));
        }
    }
    r_instance = std::move(active);
    RebuildIdIndex();
    RebuildObjectLists();
    StressMove();
}

void CInstanceLists::RebuildObjectLists()
{
    ++InstanceLayoutChanges;
    r_obj_instance.clear();
    r_obj_instance_recursive.clear();
    EnsureObjectSlots();
    for (const auto& instance : r_instance)
        Enter(instance.get());
}

CInstance* CInstanceLists::FindById(int32_t id) const
{
    auto found = r_byid.find(id);
    return found == r_byid.end() ? nullptr : found->second;
}
