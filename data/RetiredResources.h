// Resources and action lists that a script has deleted or replaced while
// code inside them may still run: deleting the object whose event is
// running, clearing that very event, changing the time line whose moment is
// running. They are kept here, untouched, until the step loop reaches a
// point where no event runs, and freed there.
#pragma once

#include <memory>
#include <utility>

void Resource_RetireThing(std::shared_ptr<void> thing);

// Keeps thing alive until Resource_FreeRetired; nothing for nullptr.
template <typename T>
void Resource_Retire(std::unique_ptr<T> thing)
{
    if (thing)
        Resource_RetireThing(std::shared_ptr<void>(std::move(thing)));
}

// Frees everything retired; called where no code runs.
void Resource_FreeRetired();
