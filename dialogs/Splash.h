// Splash screens: a picture, a rich-text page or a video shown inside the
// game window or in a window of its own, until the player or a timer closes
// it; a web page goes to the system's browser. The splash_set_ functions
// set how the next one looks.
#pragma once

#include "dialogs/ModalDialog.h"
#include "dialogs/RichTextLayout.h"
#include "platform/VideoFile.h"

#include <memory>

struct RSplashSettings {
    bool main = true;       // inside the game window
    double scale = -1;      // of the picture or video; 0 or less: the largest that fits
    int32_t color = 0;      // 0xBBGGRR behind the content
    bool fullscreen = false;
    bool border = true;
    std::string caption;
    bool top = true;
    bool interrupt = true;  // the own window holds the game
    bool cursor = true;
    int32_t x = -1, y = -1; // the own window's place; negative: centred
    int32_t width = 640, height = 480;
    bool adapt = true;      // the own window takes the content's size
    bool stopKey = true;    // Escape closes it
    bool stopMouse = true;  // a click closes it
    bool closeButton = true;
};
extern RSplashSettings SplashSettings;

constexpr int32_t kSplashCloseButton = 24;

// Where content of w × h goes in a panel of pw × ph at the given scale.
RCanvasRect Splash_Place(int32_t w, int32_t h, int32_t pw, int32_t ph, double scale);
// Booleans of the splash functions: rounded (ties to even), then true from 1.
bool Splash_Bool(double value);

enum class ESplashKind { Image, Text, Video };

class CSplash : public IModalDialog {
public:
    CSplash(ESplashKind kind, std::string describe, int32_t delayMs, const RSplashSettings& settings);

    void SetImage(TBitmap32 image) { s_image = std::move(image); }
    void SetText(RRichDocument document) { s_document = std::move(document); }
    void SetVideo(std::unique_ptr<IVideoFile> video, std::string name, bool loop);
    // The content's size before any scaling (0 for text).
    void NaturalSize(int32_t& w, int32_t& h) const;

    std::string Describe() const override { return s_describe; }
    bool Apply(const RDialogAnswer& answer) override;
    std::string TakeDefault() override;
    RDialogAnswer Answer() const override { return RDialogAnswer(); }
    bool IsClosed() const override { return s_closed; }
    int64_t ClosesAfter() const override;
    void CloseByTime() override { Close(); }
    void KeyDown(int32_t key, bool ctrl) override;
    void MouseDown(int32_t button, int32_t x, int32_t y) override;
    void CloseButton() override { Close(); }
    void Paint(CCanvas& canvas) override;

private:
    void Close();
    void StartSound();

    ESplashKind s_kind;
    std::string s_describe;
    int32_t s_delay;
    RSplashSettings s_settings;
    TBitmap32 s_image;
    RRichDocument s_document;
    CRichLayout s_layout;
    int32_t s_layoutWidth = -1;
    std::unique_ptr<IVideoFile> s_video;
    std::string s_videoName;
    bool s_loop = false;
    bool s_soundStarted = false;
    int64_t s_videoStart = -1;
    std::vector<uint8_t> s_frame;
    int32_t s_panelW = 0;
    bool s_closed = false;
};

// The splash functions' work; function and fname for messages.
void Splash_ShowImage(const char* function, const std::string& fname, int32_t delayMs);
void Splash_ShowText(const char* function, const std::string& fname, int32_t delayMs);
void Splash_ShowVideo(const char* function, const std::string& fname, bool loop);
void Splash_ShowWeb(const char* function, const std::string& url, int32_t delayMs);
