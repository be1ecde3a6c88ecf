#include "platform/window/MWindow.h"

#include <cstring>

#include "base/Result.h"
#include "platform/video/MDeviceManager.h"

namespace {

struct KeyRange {
    SDL_Keycode first;
    SDL_Keycode last;
    uint32_t nFirstKey;
};

constexpr KeyRange kRanges[] = {
    {SDLK_a, SDLK_z, 'A'},
    {SDLK_0, SDLK_9, '0'},
    {SDLK_F1, SDLK_F12, 112},
    {SDLK_F13, SDLK_F24, 124},
    {SDLK_KP_1, SDLK_KP_9, 97},
};

struct KeyPair {
    SDL_Keycode key;
    uint32_t nKey;
};

constexpr KeyPair kPairs[] = {
    {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9}, {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16}, {SDLK_RSHIFT, 16}, {SDLK_LCTRL, 17}, {SDLK_RCTRL, 17},
    {SDLK_LALT, 18}, {SDLK_RALT, 18}, {SDLK_PAUSE, 19}, {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32}, {SDLK_PAGEUP, 33}, {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35}, {SDLK_HOME, 36}, {SDLK_LEFT, 37}, {SDLK_UP, 38},
    {SDLK_RIGHT, 39}, {SDLK_DOWN, 40}, {SDLK_PRINTSCREEN, 44}, {SDLK_INSERT, 45},
    {SDLK_DELETE, 46}, {SDLK_LGUI, 91}, {SDLK_RGUI, 92}, {SDLK_APPLICATION, 93},
    {SDLK_KP_0, 96}, {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111}, {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187}, {SDLK_COMMA, 188}, {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190}, {SDLK_SLASH, 191}, {SDLK_BACKQUOTE, 192}, {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

struct StylePair {
    uint32_t nFlag;
    uint32_t nStyle;
};

constexpr StylePair kStyles[] = {
    {MWindow::FlagCaption, MWindow::StyleCaption},
    {MWindow::FlagBorder, MWindow::StyleBorder},
    {MWindow::FlagMaximizeBox, MWindow::StyleMaximizeBox},
    {MWindow::FlagMinimizeBox, MWindow::StyleMinimizeBox},
    {MWindow::FlagSysMenu, MWindow::StyleSysMenu},
    {MWindow::FlagThickFrame, MWindow::StyleThickFrame},
    {MWindow::FlagVisible, MWindow::StyleVisible},
    {MWindow::FlagMaximize, MWindow::StyleMaximize},
    {MWindow::FlagMinimize, MWindow::StyleMinimize},
    {MWindow::FlagPopup, MWindow::StylePopup},
};

uint32_t ButtonBit(uint8_t button) { return 1u << button; }

} // namespace

MWindow::~MWindow()
{
    if (!pWindow)
        return;
    ReleaseDeviceWindow(pWindow);
    SDL_DestroyWindow(pWindow);
}

uint32_t MWindow::VirtualKey(SDL_Keycode key)
{
    for (const KeyRange& range : kRanges)
        if (key >= range.first && key <= range.last)
            return range.nFirstKey + static_cast<uint32_t>(key - range.first);
    for (const KeyPair& pair : kPairs)
        if (pair.key == key)
            return pair.nKey;
    return 0;
}

bool MWindow::IsSystemKey(SDL_Keycode key, uint16_t nModifiers)
{
    return (nModifiers & KMOD_ALT) != 0 || key == SDLK_F10 || key == SDLK_LALT || key == SDLK_RALT;
}

uint32_t MWindow::StyleFromFlags(uint32_t nFlags)
{
    uint32_t style = 0;
    for (const StylePair& pair : kStyles)
        if (nFlags & pair.nFlag)
            style |= pair.nStyle;
    return style;
}

// SDL falls back to drivers that show nothing when no display answers.
bool MWindow::OpenDisplay()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
}

// Centred on the desktop, or the whole desktop for full screen.
SDL_Rect MWindow::Placement(bool fFull) const
{
    SDL_Rect desktop{0, 0, nWindowedWidth, nWindowedHeight};
    SDL_GetDisplayBounds(pWindow ? SDL_GetWindowDisplayIndex(pWindow) : 0, &desktop);
    if (fFull)
        return desktop;
    return {desktop.x + (desktop.w - nWindowedWidth) / 2, desktop.y + (desktop.h - nWindowedHeight) / 2,
            nWindowedWidth, nWindowedHeight};
}

// Placed by hand as well as marked full screen: without a window manager
// nothing else would move the window.
void MWindow::Place(bool fFull)
{
    const SDL_Rect place = Placement(fFull);
    SDL_SetWindowBordered(pWindow, fFull ? SDL_FALSE : SDL_TRUE);
    SDL_SetWindowSize(pWindow, place.w, place.h);
    SDL_SetWindowPosition(pWindow, place.x, place.y);
}

int32_t MWindow::Create(const char* szTitle, int32_t nWidth, int32_t nHeight, uint32_t nFlags)
{
    if (!OpenDisplay())
        return Result::kWindowClassFailed;
    szName = szTitle;
    nStyle = StyleFromFlags(nFlags);
    nClientWidth = nWidth;
    nClientHeight = nHeight;
    if (nWindowedWidth <= 0 || nWindowedHeight <= 0)
        SetWindowedSize(nWidth, nHeight);
    const bool full = (nStyle & StylePopup) != 0;
    const SDL_Rect place = Placement(full);
    // Shown only once it carries its icon.
    uint32_t sdlFlags = MDeviceManager::WindowFlags() | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    if (full)
        sdlFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    MDeviceManager::PrepareWindowAttributes();
    pWindow = SDL_CreateWindow(szTitle, place.x, place.y, place.w, place.h, sdlFlags);
    if (!pWindow)
        return Result::kWindowClassFailed;
    hWindow = pWindow;
    SDL_SetWindowMinimumSize(pWindow, kMinWidth, kMinHeight);
    nClientX = place.x;
    nClientY = place.y;
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(pWindow, &top, &left, &bottom, &right);
    nWindowX = nClientX - left;
    nWindowY = nClientY - top;
    nWindowWidth = place.w + left + right;
    nWindowHeight = place.h + top + bottom;
    SDL_SetWindowTitle(pWindow, szTitle);
    if (pIcon)
        SDL_SetWindowIcon(pWindow, pIcon);
    if (nStyle & StyleVisible)
        SDL_ShowWindow(pWindow);
    pad.Open();
    return 0;
}

bool MWindow::IsDesktopSize(int32_t nWidth, int32_t nHeight) const
{
    const SDL_Rect desktop = Placement(true);
    return nWidth == desktop.w && nHeight == desktop.h;
}

bool MWindow::IsFullScreenShown() const
{
    return pWindow && (SDL_GetWindowFlags(pWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void MWindow::ToggleFullScreen()
{
    if (!pWindow)
        return;
    if (IsFullScreenShown()) {
        SDL_SetWindowFullscreen(pWindow, 0);
        Place(false);
    } else {
        Place(true);
        SDL_SetWindowFullscreen(pWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    Repaint();
}

void MWindow::Show()
{
    if (pWindow)
        SDL_ShowWindow(pWindow);
}

void MWindow::Hide()
{
    if (pWindow)
        SDL_HideWindow(pWindow);
}

void MWindow::Enable() { fEnabled = true; }

void MWindow::Disable() { fEnabled = false; }

void MWindow::BringToTop()
{
    if (pWindow)
        SDL_RaiseWindow(pWindow);
}

// Every frame draws the whole client area; the screen owes one when inactive.
void MWindow::Repaint() {}

void MWindow::Close() {}

void MWindow::ToClient(int32_t wx, int32_t wy, int32_t* pX, int32_t* pY) const
{
    GetDeviceManager()->WindowToBackBuffer(wx, wy, pX, pY);
}

void MWindow::ToWindow(int32_t cx, int32_t cy, int32_t* pX, int32_t* pY) const
{
    GetDeviceManager()->BackBufferToWindow(cx, cy, pX, pY);
}

void MWindow::GetCursorPosition(Point* pPoint)
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    if (pWindow) {
        int wx = 0, wy = 0;
        SDL_GetWindowPosition(pWindow, &wx, &wy);
        ToClient(x - wx, y - wy, &x, &y);
    }
    pPoint->x = x;
    pPoint->y = y;
}

void MWindow::SetCursorPosition(int32_t x, int32_t y)
{
    if (!pWindow)
        return;
    int32_t wx = 0, wy = 0;
    ToWindow(x, y, &wx, &wy);
    SDL_WarpMouseInWindow(pWindow, wx, wy);
}

// The device cursor is the system cursor here and follows the mouse by
// itself; moving it to the reported point would warp the pointer on every move.
void MWindow::MoveDeviceCursor(int32_t, int32_t) {}

// The pointer is the system cursor in both modes; full screen also tells the device.
void MWindow::ShowPointer(int32_t fShow)
{
    if (!HasCaption())
        GetDeviceManager()->ShowDeviceCursor(fShow);
    SDL_ShowCursor(fShow ? SDL_ENABLE : SDL_DISABLE);
    fPointerShown = fShow;
}

void MWindow::SetTitle(const char* szText)
{
    if (pWindow)
        SDL_SetWindowTitle(pWindow, szText);
}

int32_t MWindow::IsVisible()
{
    return pWindow && (SDL_GetWindowFlags(pWindow) & SDL_WINDOW_SHOWN) ? 1 : 0;
}

void MWindow::OnMove(int32_t x, int32_t y)
{
    nClientX = x;
    nClientY = y;
}

int32_t MWindow::HandleWindowEvent(const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_MOVED:
        OnMove(event.data1, event.data2);
        return 1;
    case SDL_WINDOWEVENT_MINIMIZED:
        fIconic = true;
        OnSize(0, 0);
        return 1;
    case SDL_WINDOWEVENT_RESTORED:
        fIconic = false;
        OnSize(nClientWidth, nClientHeight);
        return 1;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        OnActivate(1);
        return 1;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        OnActivate(0);
        return 1;
    case SDL_WINDOWEVENT_CLOSE:
        OnClose();
        return 1;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (!IsFullScreenShown() && !IsDesktopSize(event.data1, event.data2) &&
            (event.data1 != nWindowedWidth || event.data2 != nWindowedHeight)) {
            SetWindowedSize(event.data1, event.data2);
            fResized = true;
        }
        Repaint();
        return 1;
    case SDL_WINDOWEVENT_EXPOSED:
        Repaint();
        return 1;
    default:
        return 0;
    }
}

bool MWindow::IsFullScreenKey(const SDL_Keysym& key)
{
    const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT) != 0);
}

// The switch's keys never reach the scenes.
int32_t MWindow::HandleKey(const SDL_KeyboardEvent& event)
{
    const bool down = event.type == SDL_KEYDOWN;
    if (IsFullScreenKey(event.keysym) || (!down && event.keysym.sym == nSwitchKey)) {
        if (down && !event.repeat)
            ToggleFullScreen();
        nSwitchKey = down ? event.keysym.sym : SDLK_UNKNOWN;
        return 1;
    }
    uint32_t key = VirtualKey(event.keysym.sym);
    if (key == 0)
        return 0;
    if (IsSystemKey(event.keysym.sym, event.keysym.mod)) {
        down ? OnSysKeyDown(key) : OnSysKeyUp(key);
        return 1;
    }
    return down ? OnKeyDown(key) : OnKeyUp(key);
}

int32_t MWindow::HandleButton(const SDL_MouseButtonEvent& event)
{
    if (event.button != SDL_BUTTON_LEFT && event.button != SDL_BUTTON_RIGHT)
        return 0;
    int32_t x = 0, y = 0;
    ToClient(event.x, event.y, &x, &y);
    bool left = event.button == SDL_BUTTON_LEFT;
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        if (nButtonsHeld == 0)
            SDL_CaptureMouse(SDL_TRUE);
        nButtonsHeld |= ButtonBit(event.button);
        left ? OnLeftButtonDown(x, y) : OnRightButtonDown(x, y);
        return 1;
    }
    nButtonsHeld &= ~ButtonBit(event.button);
    if (nButtonsHeld == 0)
        SDL_CaptureMouse(SDL_FALSE);
    left ? OnLeftButtonUp(x, y) : OnRightButtonUp(x, y);
    return 1;
}

int32_t MWindow::HandleEvent(const SDL_Event& event)
{
    InvalidateAllScenes();
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return HandleWindowEvent(event.window);
    case SDL_QUIT:
        OnClose();
        return 1;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return fEnabled ? HandleKey(event.key) : 0;
    case SDL_MOUSEMOTION: {
        if (!fEnabled)
            return 0;
        int32_t x = 0, y = 0;
        ToClient(event.motion.x, event.motion.y, &x, &y);
        OnMouseMove(x, y);
        return 0;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return fEnabled ? HandleButton(event.button) : 0;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
        return pad.HandleEvent(event, this) ? 1 : 0;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        return fEnabled && pad.HandleEvent(event, this) ? 1 : 0;
    default:
        return 0;
    }
}
