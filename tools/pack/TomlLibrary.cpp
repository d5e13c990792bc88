// The TOML reader's own code, compiled here once. Linking the shared library
// instead would load a second C++ standard library into every run of the
// runner (which reads project folders), costing about a millisecond of
// start-up for a game that never reads one.
#define TOML_IMPLEMENTATION
#include <toml++/toml.h>
