#pragma once
#include "base/BApplication.h"
#include <cstdint>
#include <SDL.h>
#include <cstddef>
#include <map>
#include <memory>
#include <string>

class MWindow;

// The SDL application: string resources, the event and frame loop, the
// single-instance lock and the application's window (the screen), which it owns.
class MApplication : public BApplication {
public:
    MApplication();
    ~MApplication() override;

    int32_t Initialise() override;
    void OnIdle() override;
    // Events are polled while the screen is active or a scene change waits,
    // and waited for otherwise; a frame runs whenever the queue is empty, at
    // most once per display refresh (about 60 a second when it is unknown),
    // and not before the screen's idle wait has passed. RVX_STATS=<file>
    // writes the frame report there when the loop ends.
    int32_t Run() override;
    void Quit(int32_t code) override;
    // Copies resource id into buffer (at most size - 1 characters); returns the length.
    int32_t LoadStringResource(uint32_t id, char* buffer, int32_t size) override;
    // The icon resource id as an SDL_Surface*, decoded on first use and kept
    // by the application; null when there is no such icon.
    void* LoadIconResource(uint32_t id) override;
    void* LoadCursorResource(uint32_t id) override;
    void* LoadMenuResource(uint32_t id) override;
    void SetTitle(const char* text) override;
    void RequestQuit() override {}
    const char* GetName() const override { return szName; }
    const char* GetCompanyName() const override { return ""; }
    const char* GetUserText() const override { return ""; }
    void Reserved16() override {}
    const char* GetDefaultFolder() const override { return "c:\\"; }
    const char* Reserved18() const override { return "0"; }
    int32_t Reserved19() const override { return 0; }

    // True when another process of this application holds the lock file
    // (named after the application, in $XDG_RUNTIME_DIR or the temp folder).
    // Otherwise this process takes the lock and keeps it until it ends.
    bool IsAlreadyRunning();
    // The entry point's work: a display, single instance, Initialise, Run;
    // an engine exception is shown in a box. Returns the exit code: Run's,
    // 0 when another instance runs (one line on stderr), 1 when the start
    // failed (without a display, Initialise refused after its message) or
    // after an engine exception.
    int32_t Execute();

    MWindow* GetScreen() const { return pScreen; }
    bool IsQuitPosted() const { return fQuitPosted; }
    int32_t IsFullScreen() const { return fFullScreen; }
    int32_t GetWidth() const { return nWidth; }
    int32_t GetHeight() const { return nHeight; }
    int32_t AreButtonsSwapped() const { return fButtonsSwapped; }

protected:
    void AddStringResource(uint32_t id, const char* text);
    // The icon resource id: PNG bytes that stay valid for the program's life.
    void AddIconResource(uint32_t id, const unsigned char* png, size_t size);
    void SetFullScreenMode(int32_t fFull, int32_t nNewWidth, int32_t nNewHeight);
    // Takes ownership of the screen.
    void SetScreen(MWindow* pNewScreen);
    void DeleteScreen();

    char szName[64] = "";
    uint16_t wIconId = 0;
    uint16_t wSmallIconId = 0;
    int32_t fInitialised = 0;

private:
    bool RunsFrames() const;
    // Milliseconds until the next frame is due, rounded up.
    uint32_t TimeToNextFrame() const;
    void MarkFrame();

    struct IconResource {
        const unsigned char* png;
        size_t size;
        std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface{nullptr, SDL_FreeSurface};
    };

    std::map<uint32_t, std::string> rgStrings;
    std::map<uint32_t, IconResource> rgIcons;
    MWindow* pScreen = nullptr;
    int32_t fButtonsSwapped = 0;
    int32_t fFullScreen = 0;
    int32_t nWidth = 794;
    int32_t nHeight = 575;
    bool fQuitPosted = false;
    int32_t nQuitCode = 0;
    int nLockFd = -1;
    uint64_t nLastFrame = 0;
    uint64_t nFrameTicks = 0;
};
