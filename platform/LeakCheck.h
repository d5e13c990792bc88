// Sanitizer builds: what system libraries keep for the life of the process
// (the video driver, the message bus connection, the font configuration) is
// not a leak of ours. The libraries loaded once the drawing device exists
// are kept loaded to the end, so that what they keep shows under their own
// names in the leak report, where the suppressions below name them. Every
// program of a sanitizer build also fails at the first undefined behaviour
// instead of printing and going on. In other builds this does nothing.
#pragma once

void Platform_KeepLoadedLibraries();
