// The stress build (cmake -DBRINDLE_STRESS=ON) takes the rare paths of the
// runner's own containers on every change instead of now and then, so that
// code which keeps a pointer or a position across a change fails at once
// (and, under the sanitizers, is named): instance lists move to new memory
// and their id index is rebuilt, variable lists move and rehash, and the
// sprite atlas uses small pages, so new pages come often.
#pragma once

#ifdef BRINDLE_STRESS
inline constexpr bool kStressBuild = true;
#else
inline constexpr bool kStressBuild = false;
#endif
