// Reading and writing the settings block.
#include "data/GameSettings.h"

#include "data/Stream.h"

GameSettings Settings;

void GameSettings::Reset()
{
    *this = GameSettings();
}

bool GameSettings::LoadFromStream(CStream& stream)
{
    Reset();
    if (stream.ReadInteger() != kVersion)
        return false;
    std::unique_ptr<CStream> block = stream.ReadStreamC();
    CStream& s = *block;
    FullScreen = s.ReadBoolean();
    Interpolate = s.ReadBoolean();
    NoBorder = s.ReadBoolean();
    ShowCursor = s.ReadBoolean();
    Scaling = s.ReadInteger();
    Sizeable = s.ReadBoolean();
    StayOnTop = s.ReadBoolean();
    WindowColor = s.ReadInteger();
    SetDisplayMode = s.ReadBoolean();
    ColorDepth = s.ReadInteger();
    Resolution = s.ReadInteger();
    Frequency = s.ReadInteger();
    NoCaptionButtons = s.ReadBoolean();
    VerticalSync = s.ReadBoolean();
    NoScreenSaver = s.ReadBoolean();
    KeyF4FullScreen = s.ReadBoolean();
    KeyF1Information = s.ReadBoolean();
    KeyEscEnds = s.ReadBoolean();
    KeyF5SaveF6Load = s.ReadBoolean();
    KeyF9Screenshot = s.ReadBoolean();
    CloseButtonAsEsc = s.ReadBoolean();
    Priority = s.ReadInteger();
    FreezeWhenInactive = s.ReadBoolean();
    ShowProgressBar = s.ReadBoolean();
    if (ShowProgressBar) {
        BarBackImage = s.ReadBitmap();
        BarFrontImage = s.ReadBitmap();
    }
    LoadingImage = s.ReadBitmap();
    LoadingImageTransparent = s.ReadBoolean();
    LoadingImageAlpha = s.ReadInteger();
    ScaleProgressBar = s.ReadBoolean();
    ShowErrorMessages = s.ReadBoolean();
    LogErrorMessages = s.ReadBoolean();
    AbortOnErrors = s.ReadBoolean();
    ScriptOptions = s.ReadInteger();
    UninitializedIsZero = (ScriptOptions & 1) != 0;
    CheckScriptArguments = (ScriptOptions & 2) != 0;
    return true;
}

void GameSettings::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    CStream s;
    s.WriteBoolean(FullScreen);
    s.WriteBoolean(Interpolate);
    s.WriteBoolean(NoBorder);
    s.WriteBoolean(ShowCursor);
    s.WriteInteger(Scaling);
    s.WriteBoolean(Sizeable);
    s.WriteBoolean(StayOnTop);
    s.WriteInteger(WindowColor);
    s.WriteBoolean(SetDisplayMode);
    s.WriteInteger(ColorDepth);
    s.WriteInteger(Resolution);
    s.WriteInteger(Frequency);
    s.WriteBoolean(NoCaptionButtons);
    s.WriteBoolean(VerticalSync);
    s.WriteBoolean(NoScreenSaver);
    s.WriteBoolean(KeyF4FullScreen);
    s.WriteBoolean(KeyF1Information);
    s.WriteBoolean(KeyEscEnds);
    s.WriteBoolean(KeyF5SaveF6Load);
    s.WriteBoolean(KeyF9Screenshot);
    s.WriteBoolean(CloseButtonAsEsc);
    s.WriteInteger(Priority);
    s.WriteBoolean(FreezeWhenInactive);
    s.WriteBoolean(ShowProgressBar);
    if (ShowProgressBar) {
        s.WriteBitmap(BarBackImage.get());
        s.WriteBitmap(BarFrontImage.get());
    }
    s.WriteBitmap(LoadingImage.get());
    s.WriteBoolean(LoadingImageTransparent);
    s.WriteInteger(LoadingImageAlpha);
    s.WriteBoolean(ScaleProgressBar);
    s.WriteBoolean(ShowErrorMessages);
    s.WriteBoolean(LogErrorMessages);
    s.WriteBoolean(AbortOnErrors);
    s.WriteInteger(ScriptOptions);
    stream.WriteStreamC(s);
}
