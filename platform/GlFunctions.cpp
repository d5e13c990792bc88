// The OpenGL functions of the desktop build, found through SDL once a GL
// context exists. libepoxy's header gives their types and names (every
// glName call is a call through the pointer epoxy_glName); the pointers
// themselves are ours, so libepoxy and its thousands of relocations are
// never loaded. A function missing here shows as an undefined reference
// to epoxy_glName when linking: add it to the list.
#include "platform/GlFunctions.h"

#include "platform/GlApi.h"

#include <SDL.h>

#define BRINDLE_GL_FUNCTIONS(X) \
    X(glActiveTexture) \
    X(glAttachShader) \
    X(glBindBuffer) \
    X(glBindFramebuffer) \
    X(glBindRenderbuffer) \
    X(glBindSampler) \
    X(glBindTexture) \
    X(glBindVertexArray) \
    X(glBlendFunc) \
    X(glBlitFramebuffer) \
    X(glBufferData) \
    X(glBufferSubData) \
    X(glCheckFramebufferStatus) \
    X(glClear) \
    X(glClearColor) \
    X(glClearDepth) \
    X(glColorMask) \
    X(glCompileShader) \
    X(glCreateProgram) \
    X(glCreateShader) \
    X(glCullFace) \
    X(glDeleteBuffers) \
    X(glDeleteFramebuffers) \
    X(glDeleteProgram) \
    X(glDeleteRenderbuffers) \
    X(glDeleteSamplers) \
    X(glDeleteShader) \
    X(glDeleteTextures) \
    X(glDeleteVertexArrays) \
    X(glDepthFunc) \
    X(glDepthMask) \
    X(glDisable) \
    X(glDrawArrays) \
    X(glDrawElements) \
    X(glDrawRangeElementsBaseVertex) \
    X(glEnable) \
    X(glEnableVertexAttribArray) \
    X(glFramebufferRenderbuffer) \
    X(glFramebufferTexture2D) \
    X(glFrontFace) \
    X(glGenBuffers) \
    X(glGenFramebuffers) \
    X(glGenRenderbuffers) \
    X(glGenSamplers) \
    X(glGenTextures) \
    X(glGenVertexArrays) \
    X(glGetError) \
    X(glGetIntegerv) \
    X(glGetProgramiv) \
    X(glGetShaderInfoLog) \
    X(glGetShaderiv) \
    X(glGetUniformLocation) \
    X(glLinkProgram) \
    X(glPixelStorei) \
    X(glProvokingVertex) \
    X(glReadBuffer) \
    X(glReadPixels) \
    X(glRenderbufferStorage) \
    X(glSamplerParameteri) \
    X(glScissor) \
    X(glShaderSource) \
    X(glTexImage2D) \
    X(glTexParameteri) \
    X(glTexSubImage2D) \
    X(glUniform1i) \
    X(glUniform2f) \
    X(glUniform2fv) \
    X(glUniform3f) \
    X(glUniform3fv) \
    X(glUniform4f) \
    X(glUniform4fv) \
    X(glUniformMatrix3fv) \
    X(glUniformMatrix4fv) \
    X(glUseProgram) \
    X(glVertexAttrib4f) \
    X(glVertexAttribPointer) \
    X(glViewport)

#define BRINDLE_GL_POINTER(name) decltype(epoxy_##name) epoxy_##name = nullptr;
BRINDLE_GL_FUNCTIONS(BRINDLE_GL_POINTER)

bool Platform_LoadGlFunctions(std::string& error)
{
    // The addresses are the same for every context of the process.
    static std::string missing = [] {
        std::string names;
#define BRINDLE_GL_LOAD(name)                                                                                   \
    epoxy_##name = reinterpret_cast<decltype(epoxy_##name)>(SDL_GL_GetProcAddress(#name));                    \
    if (!epoxy_##name)                                                                                          \
        names += (names.empty() ? "" : " ") + std::string(#name);
        BRINDLE_GL_FUNCTIONS(BRINDLE_GL_LOAD)
        return names;
    }();
    if (missing.empty())
        return true;
    error = "the OpenGL driver lacks " + missing;
    return false;
}

int Platform_GlVersion()
{
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    return major * 10 + minor;
}
