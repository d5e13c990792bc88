// The debug window on SDL and Dear ImGui. It has a GL context and an ImGui
// context of its own; every frame makes them current and afterwards puts
// the game's back, so the game's drawing never notices the window.
#include "platform/DebugWindowUi.h"

#include "platform/ImGuiSession.h"
#include "platform/SdlEventRouter.h"
#include "platform/TextEncoding.h"

#include <epoxy/gl.h>
#include <imgui.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace {

constexpr int kWindowW = 560, kWindowH = 640;

std::string Shown(const char* caption)
{
    std::string shown;
    for (const char* c = caption; *c; ++c)
        if (*c != '&')
            shown += *c;
    return shown;
}

// Keeps the game's GL context current outside the debug window's frames.
class CCurrentContext {
public:
    CCurrentContext() : c_window(SDL_GL_GetCurrentWindow()), c_context(SDL_GL_GetCurrentContext()) {}
    ~CCurrentContext()
    {
        if (c_window && c_context)
            SDL_GL_MakeCurrent(c_window, c_context);
    }

private:
    SDL_Window* c_window;
    SDL_GLContext c_context;
};

// A question with a text field: a caption, a prompt, and the text.
struct RPrompt {
    bool open = false;
    bool justOpened = false;
    std::string caption, prompt;
    char text[2048] = {};
    EDebugAction action = EDebugAction::AddWatch;
    int32_t row = -1;
};

class CImGuiDebugWindow : public IDebugWindowUi {
public:
    CImGuiDebugWindow(SDL_Window* window, SDL_GLContext context) : d_window(window), d_gl(context)
    {
        d_id = SDL_GetWindowID(window);
        SdlEvents_Register(d_id, [this](const SDL_Event& event) { d_events.push_back(event); });
        ImGuiContext* previous = ImGui::GetCurrentContext();
        d_imgui = ImGui::CreateContext();
        ImGui::SetCurrentContext(d_imgui);
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.LogFilename = nullptr;
        const std::string font = Platform_WidgetFontFile();
        if (font.empty() || !io.Fonts->AddFontFromFileTTF(font.c_str(), 14.0f))
            io.Fonts->AddFontDefault();
        // Variable lines are padded into columns: the views need a fixed face.
        const std::string mono = Platform_WidgetFontFile(true);
        d_mono = mono.empty() ? nullptr : io.Fonts->AddFontFromFileTTF(mono.c_str(), 13.0f);
        ImGui::StyleColorsLight();
        ImGui_ImplSDL2_InitForOpenGL(window, context);
        d_ready = ImGui_ImplOpenGL3_Init("#version 330 core");
        ImGui::SetCurrentContext(previous);
    }
    ~CImGuiDebugWindow() override
    {
        SdlEvents_Unregister(d_id);
        CCurrentContext keep;
        SDL_GL_MakeCurrent(d_window, d_gl);
        ImGuiContext* previous = ImGui::GetCurrentContext();
        ImGui::SetCurrentContext(d_imgui);
        if (d_ready)
            ImGui_ImplOpenGL3_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext(d_imgui);
        ImGui::SetCurrentContext(previous == d_imgui ? nullptr : previous);
        SDL_GL_DeleteContext(d_gl);
        SDL_DestroyWindow(d_window);
    }

    void Show(const RDebugView& view) override { Draw(view, nullptr); }

    bool Capture(const RDebugView& view, std::vector<uint8_t>& pixels, int32_t& w, int32_t& h) override
    {
        RCapture capture{&pixels, 0, 0};
        Draw(view, &capture);
        w = capture.w;
        h = capture.h;
        return w > 0 && h > 0;
    }

    struct RCapture {
        std::vector<uint8_t>* pixels;
        int32_t w, h;
    };

    void Draw(const RDebugView& view, RCapture* capture)
    {
        CCurrentContext keep;
        SDL_GL_MakeCurrent(d_window, d_gl);
        ImGuiContext* previous = ImGui::GetCurrentContext();
        ImGui::SetCurrentContext(d_imgui);
        while (!d_events.empty()) {
            const SDL_Event event = d_events.front();
            d_events.pop_front();
            if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)
                Request(EDebugAction::Close);
            ImGui_ImplSDL2_ProcessEvent(&event);
        }
        if (d_ready) {
            ImGui_ImplOpenGL3_NewFrame();
            ImGui_ImplSDL2_NewFrame();
            ImGui::NewFrame();
            Build(view);
            ImGui::Render();
            int w = 0, h = 0;
            SDL_GL_GetDrawableSize(d_window, &w, &h);
            glViewport(0, 0, w, h);
            glClearColor(0.9f, 0.9f, 0.9f, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
            if (capture && w > 0 && h > 0) {
                capture->w = w;
                capture->h = h;
                capture->pixels->resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
                glReadBuffer(GL_BACK);
                glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, capture->pixels->data());
                const size_t stride = static_cast<size_t>(w) * 4;
                std::vector<uint8_t> row(stride);
                for (int32_t y = 0; y < h / 2; ++y) { // GL's rows run from the bottom
                    uint8_t* a = capture->pixels->data() + static_cast<size_t>(y) * stride;
                    uint8_t* b = capture->pixels->data() + static_cast<size_t>(h - 1 - y) * stride;
                    std::swap_ranges(a, a + stride, b);
                }
            }
            SDL_GL_SwapWindow(d_window);
        }
        ImGui::SetCurrentContext(previous == d_imgui ? nullptr : previous);
    }

    std::vector<RDebugRequest> TakeRequests() override
    {
        std::vector<RDebugRequest> requests(d_requests.begin(), d_requests.end());
        d_requests.clear();
        return requests;
    }

private:
    void Request(EDebugAction action, int32_t row = -1, std::string text = "")
    {
        d_requests.push_back({action, row, std::move(text)});
    }
    void Ask(EDebugAction action, const char* caption, const char* prompt, const std::string& prefill, int32_t row = -1)
    {
        d_prompt.open = d_prompt.justOpened = true;
        d_prompt.caption = caption;
        d_prompt.prompt = prompt;
        std::strncpy(d_prompt.text, Cp1252ToUtf8(prefill).c_str(), sizeof d_prompt.text - 1);
        d_prompt.action = action;
        d_prompt.row = row;
    }
    bool Item(const char* caption, bool enabled = true)
    {
        return ImGui::MenuItem(Shown(caption).c_str(), nullptr, false, enabled);
    }
    void Actions(const RDebugView& view, bool menu);
    void Build(const RDebugView& view);
    void PromptWindow();

    SDL_Window* d_window;
    SDL_GLContext d_gl;
    uint32_t d_id = 0;
    ImGuiContext* d_imgui = nullptr;
    ImFont* d_mono = nullptr;
    bool d_ready = false;
    std::deque<SDL_Event> d_events;
    std::deque<RDebugRequest> d_requests;
    int32_t d_selected = -1;
    RPrompt d_prompt;
};

void CImGuiDebugWindow::Actions(const RDebugView& view, bool menu)
{
    const bool running = view.running, paused = view.paused;
    const int32_t rows = static_cast<int32_t>(view.watches.size());
    auto act = [&](const char* caption, bool enabled) {
        if (menu)
            return Item(caption, enabled);
        ImGui::BeginDisabled(!enabled);
        const bool pressed = ImGui::Button(Shown(caption).c_str());
        ImGui::EndDisabled();
        ImGui::SameLine();
        return pressed;
    };
    if (!menu || ImGui::BeginMenu("Run")) {
        if (act("&Run", running && paused))
            Request(EDebugAction::Run);
        if (act("&Pause", running && !paused))
            Request(EDebugAction::Pause);
        if (act("&Step", running && paused))
            Request(EDebugAction::Step);
        if (act("R&estart", running))
            Request(EDebugAction::Restart);
        if (act("Stop", running))
            Request(EDebugAction::Stop);
        if (!menu && ImGui::IsItemHovered())
            ImGui::SetTooltip("End the game");
        if (menu)
            ImGui::EndMenu();
    }
    if (!menu || ImGui::BeginMenu("Watches")) {
        if (act("&Add", true))
            Ask(EDebugAction::AddWatch, "Provide an expression.", "Please type in the expression", "");
        if (act("C&hange", true)) {
            if (d_selected >= 0 && d_selected < rows)
                Ask(EDebugAction::ChangeWatch, "Provide an expression.", "Please type in the expression",
                    view.watches[static_cast<size_t>(d_selected)].first, d_selected);
            else
                Ask(EDebugAction::AddWatch, "Provide an expression.", "Please type in the expression", "");
        }
        if (act("&Delete", true) && d_selected >= 0 && d_selected < rows)
            Request(EDebugAction::DeleteWatch, d_selected);
        if (act("&Clear", true))
            Request(EDebugAction::ClearWatches);
        if (menu && Item("&Load ..."))
            Ask(EDebugAction::LoadWatches, "Load watches", "Text Files|*.txt|All Files|*.*", "watches.txt");
        if (menu && Item("Sa&ve ..."))
            Ask(EDebugAction::SaveWatches, "Save watches", "Text Files|*.txt|All Files|*.*", "watches.txt");
        if (menu)
            ImGui::EndMenu();
    }
    if (menu && ImGui::BeginMenu("Tools")) {
        if (Item("&Execute Code ..."))
            Ask(EDebugAction::ExecuteCode, "Execute some code.", "Please type in the code", view.lastCode);
        if (Item("&Set Speed ..."))
            Ask(EDebugAction::SetSpeed, "Changing Game Speed.", "Please provide the new speed",
                std::to_string(view.roomSpeed));
        if (Item("Show &Global Variables"))
            Request(EDebugAction::ShowView, 0);
        if (Item("Show &Instances"))
            Request(EDebugAction::ShowView, 1);
        if (Item("Show &Messages"))
            Request(EDebugAction::ShowView, 2);
        if (Item("Show &Local Variables"))
            Ask(EDebugAction::ShowLocals, "Showing Local Variables.", "Please provide the instance id or object name.",
                "");
        ImGui::EndMenu();
    }
    if (!menu)
        ImGui::NewLine();
}

void CImGuiDebugWindow::PromptWindow()
{
    if (d_prompt.justOpened) {
        ImGui::OpenPopup("##prompt");
        d_prompt.justOpened = false;
    }
    if (!ImGui::BeginPopupModal("##prompt", nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    ImGui::TextUnformatted(Cp1252ToUtf8(d_prompt.caption).c_str());
    ImGui::TextUnformatted(Cp1252ToUtf8(d_prompt.prompt).c_str());
    if (ImGui::IsWindowAppearing())
        ImGui::SetKeyboardFocusHere();
    const bool entered = d_prompt.action == EDebugAction::ExecuteCode
                             ? ImGui::InputTextMultiline("##text", d_prompt.text, sizeof d_prompt.text, ImVec2(420, 160))
                             : ImGui::InputText("##text", d_prompt.text, sizeof d_prompt.text,
                                                ImGuiInputTextFlags_EnterReturnsTrue);
    if (ImGui::Button("OK") || (entered && d_prompt.action != EDebugAction::ExecuteCode)) {
        Request(d_prompt.action, d_prompt.row, Utf8ToCp1252(d_prompt.text));
        d_prompt.open = false;
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) {
        d_prompt.open = false;
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

void CImGuiDebugWindow::Build(const RDebugView& view)
{
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(size);
    ImGui::Begin("Debug Information", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_MenuBar | ImGuiWindowFlags_NoBringToFrontOnFocus);
    if (ImGui::BeginMenuBar()) {
        Actions(view, true);
        ImGui::EndMenuBar();
    }
    Actions(view, false);
    const float status = ImGui::GetFrameHeightWithSpacing();
    if (ImGui::BeginTable("watches", 2, ImGuiTableFlags_Borders | ImGuiTableFlags_RowBg | ImGuiTableFlags_ScrollY,
                          ImVec2(0, ImGui::GetContentRegionAvail().y - status))) {
        ImGui::TableSetupScrollFreeze(0, 1);
        ImGui::TableSetupColumn("Expression");
        ImGui::TableSetupColumn("Value");
        ImGui::TableHeadersRow();
        const int32_t rows = static_cast<int32_t>(view.watches.size());
        for (int32_t k = 0; k <= rows; ++k) { // always one empty row at the end
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::PushID(k);
            const std::string expression = k < rows ? Cp1252ToUtf8(view.watches[static_cast<size_t>(k)].first) : "";
            if (ImGui::Selectable((expression + "##row").c_str(), d_selected == k,
                                  ImGuiSelectableFlags_SpanAllColumns | ImGuiSelectableFlags_AllowDoubleClick)) {
                d_selected = k;
                if (ImGui::IsMouseDoubleClicked(0)) {
                    if (k < rows)
                        Ask(EDebugAction::ChangeWatch, "Provide an expression.", "Please type in the expression",
                            view.watches[static_cast<size_t>(k)].first, k);
                    else
                        Ask(EDebugAction::AddWatch, "Provide an expression.", "Please type in the expression", "");
                }
            }
            ImGui::TableNextColumn();
            if (k < rows)
                ImGui::TextUnformatted(Cp1252ToUtf8(view.watches[static_cast<size_t>(k)].second).c_str());
            ImGui::PopID();
        }
        ImGui::EndTable();
    }
    ImGui::Text("%s", view.status[0].c_str());
    ImGui::SameLine(140);
    ImGui::Text("%s", view.status[1].c_str());
    ImGui::SameLine(280);
    ImGui::Text("%s", Cp1252ToUtf8(view.status[2]).c_str());
    PromptWindow();
    ImGui::End();

    for (size_t k = 0; k < view.views.size(); ++k) {
        const RDebugTextView& text = view.views[k];
        if (!text.shown)
            continue;
        bool open = true;
        ImGui::SetNextWindowSize(ImVec2(360, 300), ImGuiCond_FirstUseEver);
        ImGui::SetNextWindowPos(ImVec2(180.0f + 16.0f * (k % 8), 120.0f + 24.0f * (k % 8)), ImGuiCond_FirstUseEver);
        const std::string title = Cp1252ToUtf8(text.caption) + "##view" + std::to_string(k);
        if (ImGui::Begin(title.c_str(), &open)) {
            std::string shown = Cp1252ToUtf8(text.text);
            shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());
            // A view read to its end follows new lines while it is not the active window.
            const bool atEnd = ImGui::GetScrollY() >= ImGui::GetScrollMaxY();
            if (d_mono)
                ImGui::PushFont(d_mono);
            ImGui::TextUnformatted(shown.c_str());
            if (d_mono)
                ImGui::PopFont();
            if (atEnd && !ImGui::IsWindowFocused())
                ImGui::SetScrollHereY(1.0f);
        }
        ImGui::End();
        if (!open)
            Request(EDebugAction::HideView, static_cast<int32_t>(k));
    }
}

bool HasEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

std::unique_ptr<IDebugWindowUi> Platform_OpenDebugWindow()
{
    if (!HasEnvironment("SDL_VIDEODRIVER") && !HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY"))
        return nullptr;
    SDL_Window* game = SDL_GL_GetCurrentWindow();
    if (!game || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    CCurrentContext keep;
    SDL_Window* window = SDL_CreateWindow("Debug Information", 10, 10, kWindowW, kWindowH,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALWAYS_ON_TOP);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_GL_MakeCurrent(window, context);
    // The game's steps draw this window: it must never wait for the screen.
    SDL_GL_SetSwapInterval(0);
    return std::make_unique<CImGuiDebugWindow>(window, context);
}
