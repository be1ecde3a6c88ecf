#include "tests/unit/QuietWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every handler call as text.
class RecordingWindow : public QuietWindow {
public:
    std::vector<std::string> calls;
    int32_t nKeyResult = 1;

    void OnClose() override { Note("close"); }
    void OnSize(int32_t w, int32_t h) override { Note("size", w, h); }
    void OnMouseMove(int32_t x, int32_t y) override { Note("move", x, y); }
    void OnNonClientMouseMove(int32_t x, int32_t y) override { Note("ncmove", x, y); }
    void OnLeftButtonDown(int32_t x, int32_t y) override { Note("ldown", x, y); }
    void OnLeftDoubleClick(int32_t x, int32_t y) override { Note("ldbl", x, y); }
    void OnRightButtonDown(int32_t x, int32_t y) override { Note("rdown", x, y); }
    void OnRightDoubleClick(int32_t x, int32_t y) override { Note("rdbl", x, y); }
    void OnLeftButtonUp(int32_t x, int32_t y) override { Note("lup", x, y); }
    void OnRightButtonUp(int32_t x, int32_t y) override { Note("rup", x, y); }
    int32_t OnKeyDown(uint32_t k) override { return Key("keydown", k); }
    int32_t OnKeyUp(uint32_t k) override { return Key("keyup", k); }
    int32_t OnSysKeyDown(uint32_t k) override { return Key("syskeydown", k) * 0; }
    int32_t OnSysKeyUp(uint32_t k) override { return Key("syskeyup", k) * 0; }
    void OnActivate(uint32_t s) override { Note("activate", static_cast<int32_t>(s)); }

private:
    void Note(const std::string& what) { calls.push_back(what); }
    void Note(const std::string& what, int32_t a) { Note(what + " " + std::to_string(a)); }
    void Note(const std::string& what, int32_t a, int32_t b) { Note(what + " " + std::to_string(a) + "," + std::to_string(b)); }
    int32_t Key(const std::string& what, uint32_t k)
    {
        Note(what, static_cast<int32_t>(k));
        return nKeyResult;
    }
};

SDL_Event KeyEvent(uint32_t type, SDL_Keycode key, uint16_t mod = KMOD_NONE)
{
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event ButtonEvent(uint32_t type, uint8_t button, int32_t x, int32_t y)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event WindowEvent(uint8_t what, int32_t a = 0, int32_t b = 0)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    e.window.data1 = a;
    e.window.data2 = b;
    return e;
}

TEST(VirtualKeys, KeysHaveTheirWindowsNumbers)
{
    struct Case {
        SDL_Keycode key;
        uint32_t nKey;
    };
    const Case cases[] = {
        // The game's and the dialogs' keys.
        {SDLK_ESCAPE, 27}, {SDLK_n, 78}, {SDLK_F9, 120}, {SDLK_PAUSE, 19}, {SDLK_PAGEUP, 33},
        {SDLK_PAGEDOWN, 34}, {SDLK_k, 75}, {SDLK_v, 86}, {SDLK_b, 66}, {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13}, {SDLK_SPACE, 32}, {SDLK_BACKSPACE, 8},
        // Both ends of each range.
        {SDLK_a, 65}, {SDLK_z, 90}, {SDLK_0, 48}, {SDLK_9, 57}, {SDLK_F1, 112}, {SDLK_F12, 123},
        {SDLK_F13, 124}, {SDLK_KP_0, 96}, {SDLK_KP_1, 97}, {SDLK_KP_9, 105}, {SDLK_KP_MULTIPLY, 106},
        {SDLK_KP_DIVIDE, 111}, {SDLK_LEFT, 37}, {SDLK_UP, 38}, {SDLK_RIGHT, 39}, {SDLK_DOWN, 40},
        {SDLK_RSHIFT, 16}, {SDLK_BACKQUOTE, 192}, {SDLK_QUOTE, 222},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MWindow::VirtualKey(c.key), c.nKey) << SDL_GetKeyName(c.key);
}

TEST(VirtualKeys, KeysWithoutANumberGiveZero)
{
    EXPECT_EQ(MWindow::VirtualKey(SDLK_UNKNOWN), 0u);
    EXPECT_EQ(MWindow::VirtualKey(SDLK_AUDIOPLAY), 0u);
    EXPECT_EQ(MWindow::VirtualKey(SDLK_MENU), 0u);
}

TEST(WindowEvents, KeysBecomeKeyOrSystemKeyCalls)
{
    RecordingWindow w;
    w.nKeyResult = 5;
    EXPECT_EQ(w.HandleEvent(KeyEvent(SDL_KEYDOWN, SDLK_n)), 5);
    EXPECT_EQ(w.HandleEvent(KeyEvent(SDL_KEYUP, SDLK_n)), 5);
    EXPECT_EQ(w.HandleEvent(KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT)), 1);
    EXPECT_EQ(w.HandleEvent(KeyEvent(SDL_KEYUP, SDLK_F10)), 1);
    EXPECT_EQ(w.HandleEvent(KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY)), 0);
    const std::vector<std::string> expected = {"keydown 78", "keyup 78", "syskeydown 115", "syskeyup 121"};
    EXPECT_EQ(w.calls, expected);
}

TEST(WindowEvents, WindowChangesBecomeTheirHandlers)
{
    RecordingWindow w;
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_MOVED, 40, 50)), 1);
    EXPECT_EQ(w.GetClientX(), 40);
    EXPECT_EQ(w.GetClientY(), 50);
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_MINIMIZED)), 1);
    EXPECT_TRUE(w.IsIconic());
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_RESTORED)), 1);
    EXPECT_FALSE(w.IsIconic());
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)), 1);
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)), 1);
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE)), 1);
    EXPECT_EQ(w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_EXPOSED)), 0);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(w.HandleEvent(quit), 1);
    const std::vector<std::string> expected = {"size 0,0", "size 800,600", "activate 0", "activate 1", "close",
                                               "close"};
    EXPECT_EQ(w.calls, expected);
}

TEST(WindowEvents, LeftAndRightButtonsAreReportedOthersIgnored)
{
    RecordingWindow w;
    EXPECT_EQ(w.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20)), 1);
    EXPECT_EQ(w.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 11, 21)), 1);
    EXPECT_EQ(w.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 22)), 1);
    EXPECT_EQ(w.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 13, 23)), 1);
    EXPECT_EQ(w.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1)), 0);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 5;
    motion.motion.y = 6;
    EXPECT_EQ(w.HandleEvent(motion), 0);
    const std::vector<std::string> expected = {"ldown 10,20", "rdown 11,21", "lup 12,22", "rup 13,23", "move 5,6"};
    EXPECT_EQ(w.calls, expected);
}

TEST(WindowEvents, ADisabledWindowTakesNoInput)
{
    RecordingWindow w;
    w.Disable();
    w.HandleEvent(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE));
    w.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1));
    w.HandleEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    w.Enable();
    w.HandleEvent(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE));
    const std::vector<std::string> expected = {"close", "keydown 27"};
    EXPECT_EQ(w.calls, expected);
}

TEST(WindowState, AWindowNotCreatedIsInvisibleAndActive)
{
    RecordingWindow w;
    EXPECT_EQ(w.GetHandle(), nullptr);
    EXPECT_EQ(w.IsVisible(), 0);
    EXPECT_TRUE(w.IsActive());
    EXPECT_TRUE(w.IsPointerShown());
    w.SetTitle("ignored");
    w.Show();
}

} // namespace
