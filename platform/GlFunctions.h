// The desktop build's OpenGL functions, looked up once a GL context is
// current (the browser build links its GL directly). Internal to platform/.
#pragma once

#include <string>

// False with error naming the functions the driver does not have.
bool Platform_LoadGlFunctions(std::string& error);
// The version of the current context, major × 10 + minor (33 for 3.3);
// below 30 the context cannot say, and the answer is 0.
int Platform_GlVersion();
