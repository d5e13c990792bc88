// The retired resources, kept until a safe point of the step.
#include "data/RetiredResources.h"

#include <vector>

namespace {

std::vector<std::shared_ptr<void>> Retired;

} // namespace

void Resource_RetireThing(std::shared_ptr<void> thing)
{
    Retired.push_back(std::move(thing));
}

void Resource_FreeRetired()
{
    // Freeing a resource frees no other one, so the list cannot grow meanwhile.
    std::vector<std::shared_ptr<void>> freed;
    freed.swap(Retired);
}
