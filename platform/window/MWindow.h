#pragma once
#include "base/BWindow.h"
#include "platform/input/MGamepad.h"
#include <SDL.h>
#include <cstdint>

// The SDL window. Constructing it opens nothing; Create opens the one window
// and the game pads, whose buttons and stick reach the handlers like keys.
// The client area is the picture's size whatever the window's: the device
// scales the picture to the window with its aspect kept, and pointer
// positions are mapped to and from the client space through the device
// manager. Windowed, the window is resizable and starts at the windowed size,
// centred on the desktop; full screen, it covers the desktop without a mode
// change. F11 and Alt+Enter switch between the two.
class MWindow : public BWindow {
public:
    // Style flags of Create.
    enum : uint32_t {
        FlagCaption = 0x1,
        FlagBorder = 0x2,
        FlagMaximizeBox = 0x4,
        FlagMinimizeBox = 0x8,
        FlagSysMenu = 0x10,
        FlagThickFrame = 0x40,
        FlagVisible = 0x100,
        FlagMaximize = 0x200,
        FlagMinimize = 0x400,
        FlagPopup = 0x800,
    };
    // The window styles they stand for.
    enum : uint32_t {
        StyleCaption = 0x00C00000,
        StyleBorder = 0x00800000,
        StyleMaximizeBox = 0x00010000,
        StyleMinimizeBox = 0x00020000,
        StyleSysMenu = 0x00080000,
        StyleThickFrame = 0x00040000,
        StyleVisible = 0x10000000,
        StyleMaximize = 0x01000000,
        StyleMinimize = 0x20000000,
        StylePopup = 0x80000000,
    };

    // The smallest window, in points.
    static constexpr int32_t kMinWidth = 320;
    static constexpr int32_t kMinHeight = 240;

    MWindow() = default;
    // The device on this window releases its GL objects and context first.
    ~MWindow() override;

    // The client area is nWidth x nHeight, full screen with FlagPopup.
    // 0, or 11 when the window cannot be created.
    int32_t Create(const char* szTitle, int32_t nWidth, int32_t nHeight, uint32_t nFlags);
    // The window's size when not full screen, set before Create; 0 (either)
    // keeps the client size.
    void SetWindowedSize(int32_t nWidth, int32_t nHeight)
    {
        nWindowedWidth = nWidth;
        nWindowedHeight = nHeight;
    }
    // True once the player changed the windowed size.
    bool IsResized() const { return fResized; }
    int32_t GetWindowedWidth() const { return nWindowedWidth; }
    int32_t GetWindowedHeight() const { return nWindowedHeight; }
    bool IsFullScreenShown() const;
    // Switches between windowed and full screen at once.
    virtual void ToggleFullScreen();

    void Show() override;
    void Hide() override;
    void Enable() override;
    void Disable() override;
    void BringToTop() override;
    void Repaint() override;
    void Close() override;
    void GetCursorPosition(Point* pPoint) override;
    void SetCursorPosition(int32_t x, int32_t y) override;
    void MoveDeviceCursor(int32_t x, int32_t y) override;
    void ShowPointer(int32_t fShow) override;
    void SetTitle(const char* szText) override;
    int32_t IsVisible() override;
    // The icon Create gives the window: an SDL_Surface* from the application's
    // LoadIconResource, or null for the desktop's default.
    void SetIcon(void* pNewIcon) { pIcon = static_cast<SDL_Surface*>(pNewIcon); }
    void OnMove(int32_t x, int32_t y) override;

    // One frame; the engine's screen runs its scenes here.
    virtual void Frame() {}
    // A scene change (the quit among them) waits for the next frame; the
    // loop then runs frames even while the window is inactive.
    virtual bool IsFinishPending() const { return false; }
    // A frame is due even though the window is inactive.
    virtual bool IsFrameOwed() const { return false; }
    // Seconds the loop may wait for an event after a frame before the next
    // one is due; 0 runs frames at the display's pace.
    virtual double GetIdleWait() const { return 0.0; }
    // Hands one event to the On... handlers; returns what the handler
    // returned (1 handled, 0 not). Any event makes the next frame draw; an
    // exposed or resized window is repainted even while inactive.
    virtual int32_t HandleEvent(const SDL_Event& event);
    // Percent of the pads' stick travel that counts as centred.
    void SetStickDeadZone(int32_t nPercent) { pad.SetDeadZone(nPercent); }

    SDL_Window* GetSDLWindow() const { return pWindow; }
    bool IsIconic() const { return fIconic; }
    bool IsEnabled() const { return fEnabled; }
    bool HasCaption() const { return (nStyle & StyleCaption) == StyleCaption; }

    // Windows virtual-key number of a key, or 0 for keys without one.
    static uint32_t VirtualKey(SDL_Keycode key);
    // Keys that arrive as system keys: any key with Alt held, and F10.
    static bool IsSystemKey(SDL_Keycode key, uint16_t nModifiers);
    static uint32_t StyleFromFlags(uint32_t nFlags);

    // Starts SDL's video on a display that shows windows; false, with the
    // video stopped again, when none can be reached.
    static bool OpenDisplay();

private:
    int32_t HandleWindowEvent(const SDL_WindowEvent& event);
    SDL_Rect Placement(bool fFull) const;
    void Place(bool fFull);
    // The size full screen gives, never kept as the windowed size.
    bool IsDesktopSize(int32_t nWidth, int32_t nHeight) const;
    int32_t HandleKey(const SDL_KeyboardEvent& event);
    // F11, or Enter with Alt held.
    static bool IsFullScreenKey(const SDL_Keysym& key);
    int32_t HandleButton(const SDL_MouseButtonEvent& event);
    void ToClient(int32_t wx, int32_t wy, int32_t* pX, int32_t* pY) const;
    void ToWindow(int32_t cx, int32_t cy, int32_t* pX, int32_t* pY) const;

    int32_t fHasMenu = 0;
    SDL_Window* pWindow = nullptr;
    SDL_Surface* pIcon = nullptr;
    bool fIconic = false;
    bool fEnabled = true;
    uint32_t nButtonsHeld = 0;
    int32_t nWindowedWidth = 0;
    int32_t nWindowedHeight = 0;
    bool fResized = false;
    // The key that switched, until it goes up: its release never reaches the
    // scenes, even when Alt was let go first.
    SDL_Keycode nSwitchKey = SDLK_UNKNOWN;
    MGamepad pad;
};
