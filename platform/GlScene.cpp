// The 3D program: its sources and uniforms.
#include "platform/GlScene.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kVertexShader = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in vec3 aNormal;
layout(location = 4) in float aDrawColor;
uniform mat4 uTransform;
uniform mat4 uWorld;
uniform mat3 uNormalMatrix;
uniform vec4 uEyeDepth;
uniform vec3 uOffset;
uniform vec4 uDrawColor;
uniform int uLighting;
uniform vec3 uAmbient;
uniform int uLightCount;
uniform vec4 uLightPlace[8]; // w 0: xyz points towards the light; w 1: xyz is where it is
uniform vec3 uLightColor[8];
uniform vec2 uLightReach[8]; // range, attenuation per unit of distance
out vec4 vColor;
flat out vec4 vFlatColor;
out vec2 vTexCoord;
out float vEyeDepth;
void main()
{
    vec4 position = vec4(aPosition + uOffset, 1.0);
    gl_Position = uTransform * position;
    gl_PointSize = 1.0;
    vec4 color = aDrawColor > 0.5 ? uDrawColor : aColor.bgra;
    if (uLighting != 0) {
        // The ambient light is not tinted by the vertex colour; the lights are.
        vec3 place = (uWorld * position).xyz;
        vec3 normal = uNormalMatrix * aNormal;
        vec3 lit = uAmbient;
        for (int k = 0; k < uLightCount; ++k) {
            vec3 towards = uLightPlace[k].xyz;
            float strength = 1.0;
            if (uLightPlace[k].w > 0.5) {
                vec3 d = uLightPlace[k].xyz - place;
                float distance = length(d);
                if (distance > uLightReach[k].x)
                    continue;
                towards = distance > 0.0 ? d / distance : vec3(0.0);
                strength = 1.0 / (1.0 + uLightReach[k].y * distance);
            }
            lit += uLightColor[k] * color.rgb * (max(dot(normal, towards), 0.0) * strength);
        }
        color = vec4(min(lit, vec3(1.0)), color.a);
    }
    vColor = color;
    vFlatColor = color;
    vTexCoord = aTexCoord;
    vEyeDepth = dot(uEyeDepth, position);
}
)";

constexpr const char* kFragmentShader = R"(
in vec4 vColor;
flat in vec4 vFlatColor;
in vec2 vTexCoord;
in float vEyeDepth;
uniform sampler2D uTexture;
uniform int uMode;
uniform int uFlat;
uniform int uAlphaTest;
uniform int uFog;
uniform vec3 uFogColor;
uniform vec2 uFogLine; // end, 1 / (end - start)
out vec4 fragColor;
void main()
{
    vec4 color = uFlat != 0 ? vFlatColor : vColor;
    if (uMode != 0) {
        vec4 texel = texture(uTexture, vTexCoord);
        color = uMode == 1 ? texel * color : texel;
    }
    // As an 8-bit alpha compared with 0: what would store as 0 is left out.
    if (uAlphaTest != 0 && color.a * 255.0 < 0.5)
        discard;
    if (uFog != 0) {
        float clear = clamp((uFogLine.x - vEyeDepth) * uFogLine.y, 0.0, 1.0);
        color.rgb = mix(uFogColor, color.rgb, clear);
    }
    fragColor = color;
}
)";

GLuint CompileShader(GLenum kind, const char* source, std::string& error)
{
    GLuint shader = glCreateShader(kind);
    const char* parts[] = {kGlShaderHeader, source};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        error = std::string("shader: ") + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// The inverse of the upper 3 × 3 of a column-major matrix, transposed: what
// turns normals as the matrix turns surfaces. A flat matrix (determinant 0)
// gives zeros, so its surfaces take the ambient light alone. Normals are not
// made unit length afterwards, so a scaled model is lit more weakly: games
// are made to look right that way.
void NormalMatrix(const float m[16], float out[9])
{
    auto at = [&](int row, int col) { return static_cast<double>(m[col * 4 + row]); };
    double c00 = at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1);
    double c01 = at(1, 2) * at(2, 0) - at(1, 0) * at(2, 2);
    double c02 = at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0);
    double det = at(0, 0) * c00 + at(0, 1) * c01 + at(0, 2) * c02;
    if (!(std::fabs(det) > 1e-30)) {
        for (int k = 0; k < 9; ++k)
            out[k] = 0;
        return;
    }
    double c10 = at(0, 2) * at(2, 1) - at(0, 1) * at(2, 2);
    double c11 = at(0, 0) * at(2, 2) - at(0, 2) * at(2, 0);
    double c12 = at(0, 1) * at(2, 0) - at(0, 0) * at(2, 1);
    double c20 = at(0, 1) * at(1, 2) - at(0, 2) * at(1, 1);
    double c21 = at(0, 2) * at(1, 0) - at(0, 0) * at(1, 2);
    double c22 = at(0, 0) * at(1, 1) - at(0, 1) * at(1, 0);
    // The cofactor matrix over the determinant is the inverse transposed;
    // stored column-major for GL.
    const double cof[3][3] = {{c00, c01, c02}, {c10, c11, c12}, {c20, c21, c22}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            out[col * 3 + row] = static_cast<float>(cof[row][col] / det);
}

} // namespace

GLuint Gl_BuildProgram(const char* vertexSource, const char* fragmentSource, std::string& error)
{
    GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexSource, error);
    GLuint fragment = vertex ? CompileShader(GL_FRAGMENT_SHADER, fragmentSource, error) : 0;
    if (!vertex || !fragment) {
        if (vertex)
            glDeleteShader(vertex);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        error = "shader program does not link";
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

bool CGlSceneProgram::Build(std::string& error)
{
    s_program = Gl_BuildProgram(kVertexShader, kFragmentShader, error);
    if (!s_program)
        return false;
    auto at = [&](const char* name) { return glGetUniformLocation(s_program, name); };
    s_transform = at("uTransform");
    s_world = at("uWorld");
    s_normalMatrix = at("uNormalMatrix");
    s_eyeDepth = at("uEyeDepth");
    s_offset = at("uOffset");
    s_drawColor = at("uDrawColor");
    s_lighting = at("uLighting");
    s_ambient = at("uAmbient");
    s_lightCount = at("uLightCount");
    s_lightPlace = at("uLightPlace");
    s_lightColor = at("uLightColor");
    s_lightReach = at("uLightReach");
    s_mode = at("uMode");
    s_flat = at("uFlat");
    s_alphaTest = at("uAlphaTest");
    s_fog = at("uFog");
    s_fogColor = at("uFogColor");
    s_fogLine = at("uFogLine");
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    glUseProgram(s_program);
    glUniform1i(at("uTexture"), 0);
    ClearMesh();
    glUseProgram(static_cast<GLuint>(previous));
    return true;
}

void CGlSceneProgram::Release()
{
    if (s_program)
        glDeleteProgram(s_program);
    s_program = 0;
}

void CGlSceneProgram::SetTransforms(const float full[16], const float world[16], const float view[16])
{
    glUniformMatrix4fv(s_transform, 1, GL_FALSE, full);
    glUniformMatrix4fv(s_world, 1, GL_FALSE, world);
    float normal[9];
    NormalMatrix(world, normal);
    glUniformMatrix3fv(s_normalMatrix, 1, GL_FALSE, normal);
    // The eye's depth of a model point: row 2 of view × world.
    float row[4];
    for (int col = 0; col < 4; ++col) {
        float sum = 0;
        for (int k = 0; k < 4; ++k)
            sum += view[k * 4 + 2] * world[col * 4 + k];
        row[col] = sum;
    }
    glUniform4fv(s_eyeDepth, 1, row);
}

void CGlSceneProgram::SetScene(const RSceneState& scene)
{
    glUniform1i(s_lighting, scene.lighting ? 1 : 0);
    glUniform3fv(s_ambient, 1, scene.ambient);
    const int32_t count = scene.lighting ? std::min(scene.lightCount, RSceneState::kMaxLights) : 0;
    float place[RSceneState::kMaxLights * 4] = {};
    float color[RSceneState::kMaxLights * 3] = {};
    float reach[RSceneState::kMaxLights * 2] = {};
    for (int32_t k = 0; k < count; ++k) {
        const RLight& light = scene.lights[k];
        float x = light.x, y = light.y, z = light.z;
        if (!light.point) {
            // Towards the light, as a unit vector; a light without a
            // direction lights nothing.
            const float length = std::sqrt(x * x + y * y + z * z);
            const float scale = length > 0 ? -1.0f / length : 0.0f;
            x *= scale;
            y *= scale;
            z *= scale;
        }
        place[k * 4 + 0] = x;
        place[k * 4 + 1] = y;
        place[k * 4 + 2] = z;
        place[k * 4 + 3] = light.point ? 1.0f : 0.0f;
        color[k * 3 + 0] = light.r;
        color[k * 3 + 1] = light.g;
        color[k * 3 + 2] = light.b;
        reach[k * 2 + 0] = light.range;
        reach[k * 2 + 1] = light.attenuation;
    }
    glUniform1i(s_lightCount, count);
    glUniform4fv(s_lightPlace, RSceneState::kMaxLights, place);
    glUniform3fv(s_lightColor, RSceneState::kMaxLights, color);
    glUniform2fv(s_lightReach, RSceneState::kMaxLights, reach);
    glUniform1i(s_flat, scene.flat ? 1 : 0);
    glUniform1i(s_alphaTest, scene.hidden ? 1 : 0);
    glUniform1i(s_fog, scene.fog ? 1 : 0);
    const uint32_t c = scene.fogColor;
    glUniform3f(s_fogColor, static_cast<float>((c >> 16) & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
                static_cast<float>(c & 0xFF) / 255.0f);
    // Where start and end meet, everything short of them is clear and
    // everything past them fogged.
    const float span = scene.fogEnd - scene.fogStart;
    glUniform2f(s_fogLine, scene.fogEnd, span != 0 ? 1.0f / span : 1e30f);
}

void CGlSceneProgram::SetMode(GLint mode)
{
    if (s_modeNow != mode) {
        glUniform1i(s_mode, mode);
        s_modeNow = mode;
    }
}

void CGlSceneProgram::SetMesh(const float offset[3], uint32_t c)
{
    glUniform3fv(s_offset, 1, offset);
    glUniform4f(s_drawColor, static_cast<float>((c >> 16) & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
                static_cast<float>(c & 0xFF) / 255.0f, static_cast<float>((c >> 24) & 0xFF) / 255.0f);
    s_meshSet = true;
}

void CGlSceneProgram::ClearMesh()
{
    if (!s_meshSet)
        return;
    glUniform3f(s_offset, 0, 0, 0);
    s_meshSet = false;
}
