// The image work behind the sprite and background functions of a running
// game: pictures from files (single pictures, strips, GIF animations), the
// runner's own sprite and background files, pictures from the screen or a
// surface, plain and gradient backgrounds, merging, alpha taken from other
// images, and saving. Each works on the resource alone; the caller puts it
// into its list and builds its textures. File names are the game's own
// (ToHostPath is applied here).
#pragma once

#include "data/Background.h"
#include "data/Sprite.h"
#include "data/Stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The runner's own files: a sprite with all its images and mask settings,
// and a background.
inline constexpr const char* kSpriteFileExtension = ".brspr";
inline constexpr const char* kBackgroundFileExtension = ".brbck";

// Reading and writing the runner's own files: a magic number, then a
// compressed block that begins with the kind's version. Opening gives the
// block after the version, or nullptr for another magic number or version
// (a damaged block throws EStreamError).
inline constexpr int32_t kRunnerFileMagic = 1234321;
bool Image_ReadFile(const std::string& gameName, std::vector<uint8_t>& bytes);
std::unique_ptr<CStream> Image_OpenRunnerFile(const std::vector<uint8_t>& bytes, int32_t version);
bool Image_SaveRunnerFile(const std::string& gameName, const CStream& body);

// How an image taken from a picture is prepared: 1 (or any value other
// than those below) removes the background, 0 keeps it, -1 makes the image
// opaque, 2 keeps the picture's own alpha untested.
enum : int32_t {
    kKeepBackground = 0,
    kRemoveBackground = 1,
    kMakeOpaque = -1,
    kKeepReadAlpha = 2,
};

// Prepares a picture taken for a sprite or background as removeback says,
// after the alpha test when alphaTest is set (and removeback is not 2).
void Image_PrepareTaken(TBitmap32& picture, int32_t removeback, bool smooth, bool alphaTest);

// The masks of a sprite made or changed while a game runs: automatic box,
// precise, tolerance 0; separate masks as given.
void Sprite_ComputeDefaultMasks(CSprite& sprite, bool sepmasks);

// A picture file: a ".gif" name (any case) is read as an animation, a
// sprite file name as a sprite file, anything else as a strip of imgnumb
// images (1 when <= 0). The origin is set and the masks computed. False
// (the sprite as it was) when the file is missing or cannot be read, or
// when the strip is narrower than its image count.
bool Sprite_LoadFromFile(CSprite& sprite, const std::string& gameName, int32_t imgnumb, bool removeback, bool smooth,
                         int32_t xo, int32_t yo);
// The same over a picture file's bytes: animation chooses the GIF rule.
bool Sprite_LoadFromPictureBytes(CSprite& sprite, const uint8_t* data, size_t size, bool animation, int32_t imgnumb,
                                 bool removeback, bool smooth, int32_t xo, int32_t yo);
// A sprite file; false (the sprite as it was) when it is missing, has
// another magic number or version, or is damaged.
bool Sprite_LoadFromSpriteFile(CSprite& sprite, const std::string& gameName);
bool Sprite_LoadFromSpriteBytes(CSprite& sprite, const std::vector<uint8_t>& bytes);
bool Sprite_SaveToSpriteFile(const CSprite& sprite, const std::string& gameName);

// A one-image sprite with origin (xo, yo) from a picture (prepared as the
// removeback values above say), with its masks.
void Sprite_CreateFromBitmap(CSprite& sprite, TBitmap32 picture, int32_t removeback, bool smooth, int32_t xo,
                             int32_t yo);
// One more image, stretched to the sprite's size; the masks are rebuilt.
void Sprite_AddFromBitmap(CSprite& sprite, TBitmap32 picture, int32_t removeback, bool smooth);
// The images of other, stretched to this sprite's size, appended (other
// may be sprite itself); the masks are rebuilt.
void Sprite_AddFromSprite(CSprite& sprite, const CSprite& other);
// Image i takes its alpha from the brightness of image i mod count of other.
void Sprite_SetAlphaFromSprite(CSprite& sprite, const CSprite& other);
// All images side by side, left to right (empty without images).
TBitmap32 Sprite_StripPicture(const CSprite& sprite);

// A picture file, prepared. False (the background as it was) when it is
// missing or cannot be read.
bool Background_LoadFromFile(CBackground& background, const std::string& gameName, bool removeback, bool smooth);
// A background file; false (the background as it was) when it cannot be read.
bool Background_LoadFromBackgroundFile(CBackground& background, const std::string& gameName);
bool Background_LoadFromBackgroundBytes(CBackground& background, const std::vector<uint8_t>& bytes);
bool Background_SaveToBackgroundFile(const CBackground& background, const std::string& gameName);
void Background_CreateFromBitmap(CBackground& background, TBitmap32 picture, int32_t removeback, bool smooth);
// False (the background as it was) when the size is beyond what a picture may have.
bool Background_CreateColor(CBackground& background, int32_t w, int32_t h, int32_t color);
// Kinds 0..11: left to right, top to bottom, rectangles and ellipses from
// the border in, from both sides to the middle (vertical, horizontal), the
// two diagonals, and circles from each corner. Other kinds give col1 alone.
bool Background_CreateGradient(CBackground& background, int32_t w, int32_t h, int32_t col1, int32_t col2,
                               int32_t kind);
void Background_SetAlphaFromBackground(CBackground& background, const CBackground& other);
