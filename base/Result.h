#pragma once
#include <cstdint>

// Failure codes of engine operations; 0 is success.
namespace Result {
enum Code : int32_t {
    kOk = 0,
    kArchiveNotFound = 6,
    kArchiveRejected = 7,
    kWindowClassFailed = 11,
    kDisplayModeFailed = 13,
    kDeviceFailed = 14,
    kBackBufferFailed = 16,
    kSurfaceLoadFailed = 17,
    kLoaderFailed = 18,
    kSceneFailed = 20,
    kTextureLockFailed = 25,
    kImageUnsupported = 28,
    kNoImage = 29,
    kSurfaceCreateFailed = 30,
    kTextureCreateFailed = 31,
    kSpriteCreateFailed = 32,
    kSpriteDrawFailed = 36,
    kBackBufferCopyFailed = 37,
    kFontSetFull = 39,
    kNoSoundBuffer = 61,
    kSoundChunkUnreadable = 62,
    kSoundPlayFailed = 63,
    kSoundStopFailed = 66,
    kSoundUnreadable = 68,
    kMusicStartFailed = 71,
};
} // namespace Result
