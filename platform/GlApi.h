// The OpenGL of the build: desktop OpenGL 3.3 core through libepoxy, or
// OpenGL ES 3.0 (WebGL 2) in the browser. Shader sources are written once,
// without a version line, and get the build's header in front. ES has no
// BGRA pixel transfers: there pixels cross in RGBA order and the device
// swaps red and blue on the way. Internal to platform/.
#pragma once

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <epoxy/gl.h>
#endif

#include <cstddef>
#include <cstdint>

#ifdef __EMSCRIPTEN__
constexpr const char* kGlShaderHeader = "#version 300 es\nprecision highp float;\nprecision highp int;\n";
constexpr bool kGlHasBgraTransfers = false;
constexpr GLenum kGlPixelFormat = GL_RGBA;
constexpr GLenum kGlPixelType = GL_UNSIGNED_BYTE;
constexpr GLint kGlTextureFormat = GL_RGBA8;
inline void Gl_ClearDepth(float depth) { glClearDepthf(depth); }
// ES always takes the last vertex of a triangle for flat shading; the
// device turns the corners of flat triangles round instead.
constexpr bool kGlFirstVertexProvokes = false;
inline void Gl_FirstVertexProvokes() {}
#else
constexpr const char* kGlShaderHeader = "#version 330 core\n";
constexpr bool kGlHasBgraTransfers = true;
constexpr GLenum kGlPixelFormat = GL_BGRA;
constexpr GLenum kGlPixelType = GL_UNSIGNED_INT_8_8_8_8_REV;
// Textures and targets are stored in an unsized format, which lets the
// driver keep them in the layout of the transfers (blue, green, red, alpha),
// the layout of the back buffer too: copies between them are plain copies.
constexpr GLint kGlTextureFormat = GL_RGBA;
inline void Gl_ClearDepth(float depth) { glClearDepth(depth); }
constexpr bool kGlFirstVertexProvokes = true;
inline void Gl_FirstVertexProvokes() { glProvokingVertex(GL_FIRST_VERTEX_CONVENTION); }
#endif

// Swaps the red and blue bytes of count 4-byte pixels, from source into
// dest (which may be source itself).
inline void Gl_SwapRedBlue(const uint8_t* source, uint8_t* dest, size_t count)
{
    for (size_t k = 0; k < count * 4; k += 4) {
        const uint8_t b = source[k], r = source[k + 2];
        dest[k] = r;
        dest[k + 1] = source[k + 1];
        dest[k + 2] = b;
        dest[k + 3] = source[k + 3];
    }
}

// Turns each triangle of a list round, b c a for a b c: the same triangle
// with the same winding, its first corner now last, where a GL that takes
// the last corner's colour for flat shading then finds the first one's.
inline void Gl_MoveFirstCornersLast(uint32_t* indices, size_t count)
{
    for (size_t k = 0; k + 2 < count; k += 3) {
        const uint32_t first = indices[k];
        indices[k] = indices[k + 1];
        indices[k + 1] = indices[k + 2];
        indices[k + 2] = first;
    }
}
