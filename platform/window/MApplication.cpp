#include "platform/window/MApplication.h"

#include "base/CException.h"
#include "platform/window/MFrameStats.h"
#include "platform/dialogs/MMessageDialog.h"
#include "platform/window/MWindow.h"
#include "platform/video/Image.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kDefaultRefresh = 60;
// The exit code of a start that ended with an error message.
constexpr int32_t kStartFailed = 1;

// An RGBA surface of the picture, or null when it cannot be decoded.
SDL_Surface* DecodePng(const unsigned char* png, size_t size)
{
    Image picture;
    if (!picture.LoadMemory(png, size, 0))
        return nullptr;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, int(picture.nWidth), int(picture.nHeight), 32, SDL_PIXELFORMAT_RGBA8888);
    if (surface)
        for (uint32_t y = 0; y < picture.nHeight; ++y)
            std::memcpy(static_cast<uint8_t*>(surface->pixels) + size_t(y) * size_t(surface->pitch),
                        picture.GetPixels() + size_t(y) * picture.nWidth, size_t(picture.nWidth) * 4);
    return surface;
}

std::string LockPath(const char* name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::string(runtime) + "/" + name + ".lock";
    const char* temp = std::getenv("TMPDIR");
    return std::string(temp && *temp ? temp : "/tmp") + "/" + name + "-" + std::to_string(getuid()) +
           ".lock";
}

// The end of the login session hangs up right after its SIGTERM; SDL turns
// SIGTERM into a quit event, so a hang-up asks to quit the same way.
void OnHangUp(int) { std::raise(SIGTERM); }

} // namespace

MApplication::MApplication() = default;

MApplication::~MApplication()
{
    DeleteScreen();
    if (nLockFd >= 0)
        close(nLockFd);
    SDL_Quit();
}

void MApplication::AddStringResource(uint32_t id, const char* text) { rgStrings[id] = text; }

int32_t MApplication::LoadStringResource(uint32_t id, char* buffer, int32_t size)
{
    if (!buffer || size <= 0)
        return 0;
    auto it = rgStrings.find(id);
    const std::string text = it == rgStrings.end() ? std::string() : it->second;
    size_t length = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int32_t>(length);
}

void MApplication::AddIconResource(uint32_t id, const unsigned char* png, size_t size)
{
    rgIcons[id] = {png, size};
}

void* MApplication::LoadIconResource(uint32_t id)
{
    auto it = rgIcons.find(id);
    if (it == rgIcons.end())
        return nullptr;
    IconResource& icon = it->second;
    if (!icon.surface)
        icon.surface.reset(DecodePng(icon.png, icon.size));
    return icon.surface.get();
}

// This platform has no cursor or menu resources: the window keeps the
// desktop's defaults.

void* MApplication::LoadCursorResource(uint32_t) { return nullptr; }

void* MApplication::LoadMenuResource(uint32_t) { return nullptr; }

int32_t MApplication::Initialise()
{
    // The desktop swaps the buttons itself; the events arrive as pressed.
    fButtonsSwapped = 0;
    return 1;
}

void MApplication::SetFullScreenMode(int32_t fFull, int32_t nNewWidth, int32_t nNewHeight)
{
    fFullScreen = fFull;
    nWidth = nNewWidth;
    nHeight = nNewHeight;
}

void MApplication::SetScreen(MWindow* pNewScreen)
{
    DeleteScreen();
    pScreen = pNewScreen;
}

void MApplication::DeleteScreen()
{
    delete pScreen;
    pScreen = nullptr;
}

void MApplication::SetTitle(const char* text)
{
    if (pScreen)
        pScreen->SetTitle(text);
}

void MApplication::OnIdle()
{
    if (pScreen)
        pScreen->Frame();
}

void MApplication::Quit(int32_t code)
{
    fQuitPosted = true;
    nQuitCode = code;
}

bool MApplication::IsAlreadyRunning()
{
    if (nLockFd >= 0)
        return false;
    int fd = open(LockPath(szName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return true;
    }
    nLockFd = fd;
    return false;
}

// A waiting scene change (a quit from a signal or the window manager
// among them) must not wait for the focus.
bool MApplication::RunsFrames() const
{
    return pScreen && (pScreen->IsActive() || pScreen->IsFinishPending() || pScreen->IsFrameOwed());
}

void MApplication::MarkFrame() { nLastFrame = SDL_GetPerformanceCounter(); }

uint32_t MApplication::TimeToNextFrame() const
{
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const double idle = pScreen ? pScreen->GetIdleWait() : 0.0;
    const uint64_t now = SDL_GetPerformanceCounter();
    const uint64_t due = nLastFrame + std::max(nFrameTicks, static_cast<uint64_t>(idle * double(frequency)));
    if (now >= due)
        return 0;
    return static_cast<uint32_t>(((due - now) * 1000 + frequency - 1) / frequency);
}

int32_t MApplication::Run()
{
    int refresh = kDefaultRefresh;
    SDL_DisplayMode mode{};
    if (pScreen && pScreen->GetSDLWindow() && SDL_GetWindowDisplayMode(pScreen->GetSDLWindow(), &mode) == 0 &&
        mode.refresh_rate > 0)
        refresh = mode.refresh_rate;
    nFrameTicks = SDL_GetPerformanceFrequency() / static_cast<uint64_t>(refresh);
    std::signal(SIGHUP, OnHangUp);
    MFrameStats::StartFromEnvironment();
    while (!fQuitPosted) {
        SDL_Event event;
        int got;
        if (RunsFrames()) {
            uint32_t wait = TimeToNextFrame();
            got = wait > 0 ? SDL_WaitEventTimeout(&event, static_cast<int>(wait)) : SDL_PollEvent(&event);
            if (!got && TimeToNextFrame() > 0)
                continue;
        } else if (!(got = SDL_WaitEvent(&event))) {
            SDL_Delay(1000 / kDefaultRefresh);
        }
        if (got) {
            if (pScreen)
                pScreen->HandleEvent(event);
            continue;
        }
        MarkFrame();
        OnIdle();
    }
    MFrameStats::Finish();
    return nQuitCode;
}

int32_t MApplication::Execute()
{
    if (!MWindow::OpenDisplay()) {
        std::fprintf(stderr,
                     "%s needs a graphical display: DISPLAY or WAYLAND_DISPLAY is unset or its display cannot be "
                     "reached.\n",
                     szName);
        return kStartFailed;
    }
    if (IsAlreadyRunning()) {
        std::fprintf(stderr, "%s is already running.\n", szName);
        return 0;
    }
    try {
        if (!Initialise())
            return kStartFailed;
        return Run();
    } catch (const CException& e) {
        MMessageDialog box;
        box.SetIcon(BMessageDialog::IconStop);
        box.SetText(e.Describe().c_str());
        box.Show(nullptr);
        return kStartFailed;
    }
}
