#include "tests/unit/QuietWindow.h"
#include "tests/unit/WindowEvents.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records every handler call as text.
class RecordingWindow : public QuietWindow {
public:
    std::vector<std::string> calls;

    void OnClose() override { Note("close"); }
    void OnSize(int32_t w, int32_t h) override { Note("size", w, h); }
    void OnMouseMove(int32_t x, int32_t y) override { Note("move", x, y); }
    void OnLeftButtonDown(int32_t x, int32_t y) override { Note("ldown", x, y); }
    void OnRightButtonDown(int32_t x, int32_t y) override { Note("rdown", x, y); }
    void OnLeftButtonUp(int32_t x, int32_t y) override { Note("lup", x, y); }
    void OnRightButtonUp(int32_t x, int32_t y) override { Note("rup", x, y); }
    int32_t OnKeyDown(uint32_t k) override { return Note("keydown", k), 5; }
    int32_t OnKeyUp(uint32_t k) override { return Note("keyup", k), 5; }
    int32_t OnSysKeyDown(uint32_t k) override { return Note("syskeydown", k), 5; }
    int32_t OnSysKeyUp(uint32_t k) override { return Note("syskeyup", k), 5; }
    void OnActivate(uint32_t s) override { Note("activate", s); }

private:
    void Note(const std::string& what, int64_t a = -1, int64_t b = -1)
    {
        calls.push_back(what + (a < 0 ? "" : " " + std::to_string(a)) + (b < 0 ? "" : "," + std::to_string(b)));
    }
};

SDL_Event Event(uint32_t type, int32_t a = 0, int32_t b = 0, int32_t c = 0)
{
    SDL_Event e{};
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        e.key.keysym.sym = a;
        e.key.keysym.mod = uint16_t(b);
    } else if (type == SDL_MOUSEMOTION) {
        e.motion.x = a, e.motion.y = b;
    } else {
        e.button.button = uint8_t(a), e.button.x = b, e.button.y = c;
    }
    return e;
}

// The game's keys; both ends of the letter, digit, function-key and keypad
// ranges; keys without a number.
TEST(VirtualKeys, KeysHaveTheirWindowsNumbers)
{
    const std::pair<SDL_Keycode, uint32_t> cases[] = {
        {SDLK_ESCAPE, 27}, {SDLK_n, 78},   {SDLK_F9, 120},   {SDLK_PAUSE, 19},   {SDLK_KP_ENTER, 13}, {SDLK_a, 65},
        {SDLK_z, 90},      {SDLK_0, 48},   {SDLK_9, 57},     {SDLK_F1, 112},     {SDLK_F13, 124},     {SDLK_KP_0, 96},
        {SDLK_KP_9, 105},  {SDLK_LEFT, 37}, {SDLK_DOWN, 40}, {SDLK_UNKNOWN, 0},  {SDLK_MENU, 0},
    };
    for (const auto& [key, nKey] : cases)
        EXPECT_EQ(MWindow::VirtualKey(key), nKey) << SDL_GetKeyName(key);
}

TEST(WindowEvents, EventsBecomeHandlerCallsAndADisabledWindowTakesNoInput)
{
    RecordingWindow w;
    const uint32_t down = SDL_MOUSEBUTTONDOWN, up = SDL_MOUSEBUTTONUP;
    const struct { SDL_Event event; int32_t nResult; } cases[] = {
        {Event(SDL_KEYDOWN, SDLK_n), 5}, {Event(SDL_KEYUP, SDLK_n), 5}, {Event(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), 1},
        {Event(SDL_KEYUP, SDLK_F10), 1}, {Event(SDL_KEYDOWN, SDLK_AUDIOPLAY), 0},
        {WindowEvent(SDL_WINDOWEVENT_MOVED, 40, 50), 1},  {WindowEvent(SDL_WINDOWEVENT_MINIMIZED), 1},
        {WindowEvent(SDL_WINDOWEVENT_RESTORED), 1},       {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), 1},
        {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), 1},   {WindowEvent(SDL_WINDOWEVENT_CLOSE), 1},
        {WindowEvent(SDL_WINDOWEVENT_EXPOSED), 1},        {Event(SDL_QUIT), 1},
        {Event(down, SDL_BUTTON_LEFT, 10, 20), 1}, {Event(down, SDL_BUTTON_RIGHT, 11, 21), 1},
        {Event(up, SDL_BUTTON_LEFT, 12, 22), 1},   {Event(up, SDL_BUTTON_RIGHT, 13, 23), 1},
        {Event(down, SDL_BUTTON_MIDDLE, 1, 1), 0}, {Event(SDL_MOUSEMOTION, 5, 6), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(w.HandleEvent(c.event), c.nResult) << c.event.type;
    EXPECT_EQ(std::pair(w.GetClientX(), w.GetClientY()), std::pair(40, 50));
    EXPECT_FALSE(w.IsIconic());
    w.Disable();
    for (const auto& c : cases)
        EXPECT_EQ(w.HandleEvent(c.event), c.event.type == SDL_WINDOWEVENT || c.event.type == SDL_QUIT ? c.nResult : 0);
    w.Enable();
    EXPECT_EQ(w.HandleEvent(Event(SDL_KEYDOWN, SDLK_ESCAPE)), 5);
    const std::vector<std::string> expected = {
        "keydown 78", "keyup 78", "syskeydown 115", "syskeyup 121", "size 0,0", "size 800,600", "activate 0",
        "activate 1", "close", "close", "ldown 10,20", "rdown 11,21", "lup 12,22", "rup 13,23", "move 5,6",
        "size 0,0", "size 800,600", "activate 0", "activate 1", "close", "close", "keydown 27"};
    EXPECT_EQ(w.calls, expected);
}

TEST(WindowState, AWindowNotCreatedIsInvisibleAndActive)
{
    RecordingWindow w;
    EXPECT_EQ(w.GetHandle(), nullptr);
    EXPECT_EQ(w.IsVisible(), 0);
    EXPECT_TRUE(w.IsActive() && w.IsPointerShown());
}

} // namespace
