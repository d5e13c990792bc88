// TResourceList: one kind of resource, indexed from 0, with holes (no
// resource) and a parallel list of names. Every stored resource index refers
// into such a list; -1 means no resource. Finding a resource by name is a hash
// lookup that gives the first index with that name, as a scan in index order
// would.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

template <typename T>
class TResourceList {
public:
    int Count() const { return static_cast<int>(r_items.size()); }
    bool Exists(int index) const { return index >= 0 && index < Count() && r_items[static_cast<size_t>(index)]; }
    // The resource at index, or nullptr for a hole or an index out of range.
    T* Get(int index) const { return Exists(index) ? r_items[static_cast<size_t>(index)].get() : nullptr; }
    // The stored name; empty for holes and indices out of range.
    const std::string& Name(int index) const
    {
        static const std::string empty;
        return index >= 0 && index < Count() ? r_names[static_cast<size_t>(index)] : empty;
    }

    // The first index whose resource exists and has this name, or -1.
    int Find(std::string_view name) const
    {
        if (!r_lookupValid)
            RebuildLookup();
        auto found = r_lookup.find(std::string(name));
        return found == r_lookup.end() ? -1 : found->second;
    }

    // Puts item (or a hole, for nullptr) at index, growing the list with holes.
    void Set(int index, std::unique_ptr<T> item, std::string name)
    {
        if (index < 0)
            return;
        if (index >= Count()) {
            r_items.resize(static_cast<size_t>(index) + 1);
            r_names.resize(static_cast<size_t>(index) + 1);
        }
        r_items[static_cast<size_t>(index)] = std::move(item);
        r_names[static_cast<size_t>(index)] = std::move(name);
        r_lookupValid = false;
    }
    // Appends item and returns its index.
    int Add(std::unique_ptr<T> item, std::string name)
    {
        int index = Count();
        Set(index, std::move(item), std::move(name));
        return index;
    }
    void Rename(int index, std::string name)
    {
        if (index >= 0 && index < Count()) {
            r_names[static_cast<size_t>(index)] = std::move(name);
            r_lookupValid = false;
        }
    }
    // Leaves a hole; the name goes with the resource.
    void Delete(int index) { Set(index, nullptr, std::string()); }
    // Leaves a hole as Delete does and hands the resource over, so that the
    // caller decides when it is freed (nullptr for a hole or out of range).
    std::unique_ptr<T> Take(int index)
    {
        if (!Exists(index))
            return nullptr;
        std::unique_ptr<T> taken = std::move(r_items[static_cast<size_t>(index)]);
        Delete(index);
        return taken;
    }
    // Puts item in place of the resource at an index within the list,
    // keeping the name, and hands the one it replaces over (nullptr for a
    // hole); out of range nothing changes and item comes back.
    std::unique_ptr<T> Exchange(int index, std::unique_ptr<T> item)
    {
        if (index < 0 || index >= Count())
            return item;
        std::swap(r_items[static_cast<size_t>(index)], item);
        r_lookupValid = false;
        return item;
    }
    // Same names and equal resources at every index, holes at the same places.
    bool Equals(const TResourceList& other) const
    {
        if (r_names != other.r_names)
            return false;
        for (size_t k = 0; k < r_items.size(); ++k) {
            const T* a = r_items[k].get();
            const T* b = other.r_items[k].get();
            if ((a == nullptr) != (b == nullptr) || (a && !(*a == *b)))
                return false;
        }
        return true;
    }
    void Clear()
    {
        r_items.clear();
        r_names.clear();
        r_lookupValid = false;
    }

private:
    void RebuildLookup() const
    {
        r_lookup.clear();
        for (int k = Count() - 1; k >= 0; --k)
            if (r_items[static_cast<size_t>(k)])
                r_lookup[r_names[static_cast<size_t>(k)]] = k;
        r_lookupValid = true;
    }

    std::vector<std::unique_ptr<T>> r_items;
    std::vector<std::string> r_names;
    mutable std::unordered_map<std::string, int> r_lookup;
    mutable bool r_lookupValid = false;
};
