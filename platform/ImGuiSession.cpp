// Dear ImGui 1.86 on SDL2 and OpenGL 3.3 core. A session makes its own ImGui
// context and ends it, so sessions never share state, and the game's own
// GL state is untouched (the OpenGL backend puts back what it changes).
#include "platform/ImGuiSession.h"

#include "platform/GameWindow.h"

#include "platform/GlyphRenderer.h"
#include "platform/SdlEventRouter.h"

#include <imgui.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>

#include <string>

namespace {

class CImGuiSession : public IWidgetSession {
public:
    explicit CImGuiSession(SDL_Window* window) : w_window(window), w_id(SDL_GetWindowID(window))
    {
        w_previous = ImGui::GetCurrentContext();
        w_context = ImGui::CreateContext();
        ImGui::SetCurrentContext(w_context);
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr; // nothing is written beside the game
        io.LogFilename = nullptr;
        const std::string font = Platform_WidgetFontFile();
        if (font.empty() || !io.Fonts->AddFontFromFileTTF(font.c_str(), 15.0f))
            io.Fonts->AddFontDefault();
        ImGui::StyleColorsDark();
        ImGui_ImplSDL2_InitForOpenGL(window, SDL_GL_GetCurrentContext());
        w_ready = ImGui_ImplOpenGL3_Init("#version 330 core");
    }
    ~CImGuiSession() override
    {
        ImGui::SetCurrentContext(w_context);
        if (w_ready)
            ImGui_ImplOpenGL3_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext(w_context);
        ImGui::SetCurrentContext(w_previous);
    }

    bool BeginFrame() override
    {
        ImGui::SetCurrentContext(w_context);
        bool open = true;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (SdlEvents_Route(event))
                continue;
            const uint32_t window = SdlEvents_WindowOf(event);
            if (window != 0 && window != w_id)
                continue;
            if (event.type == SDL_QUIT ||
                (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
                open = false;
            ImGui_ImplSDL2_ProcessEvent(&event);
        }
        ImGui_ImplOpenGL3_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        ImGui::NewFrame();
        return open;
    }

    void EndFrame(IRenderDevice& device, const RPresentation& presentation) override
    {
        ImGui::Render();
        device.PresentWith(presentation, [this] {
            if (w_ready)
                ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
        });
    }

private:
    SDL_Window* w_window;
    uint32_t w_id;
    ImGuiContext* w_previous = nullptr;
    ImGuiContext* w_context = nullptr;
    bool w_ready = false;
};

} // namespace

std::unique_ptr<IWidgetSession> IGameWindow::OpenWidgets()
{
    return nullptr;
}

std::string Platform_WidgetFontFile(bool fixed)
{
    auto find = [](const char* name) {
        CGlyphFace face;
        return face.Open(name, 12, false, false, 1, true) ? face.FacePath() : std::string();
    };
    static const std::string proportional = find("DejaVu Sans"), mono = find("DejaVu Sans Mono");
    return fixed ? mono : proportional;
}

std::unique_ptr<IWidgetSession> Platform_OpenImGuiSession(SDL_Window* window)
{
    return std::make_unique<CImGuiSession>(window);
}
