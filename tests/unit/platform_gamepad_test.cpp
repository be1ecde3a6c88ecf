#include "platform/input/MGamepad.h"
#include "tests/unit/QuietWindow.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

// Records the key and pad handler calls.
class PadWindow : public QuietWindow {
public:
    int32_t OnKeyDown(uint32_t k) override { return Note("down " + std::to_string(k)), 1; }
    int32_t OnKeyUp(uint32_t k) override { return Note("up " + std::to_string(k)), 1; }
    void OnPadStick(int32_t x, int32_t y) override { Note("stick " + std::to_string(x) + "," + std::to_string(y)); }
    void OnPadLost() override { Note("lost"); }

    // Hands every queued event to the window; the calls they made.
    Calls Drain()
    {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            HandleEvent(event);
        return std::exchange(calls, {});
    }

private:
    void Note(const std::string& call) { calls.push_back(call); }
    Calls calls;
};

// A game window and SDL's virtual pads, which it maps as game controllers.
// The hidden window never has the focus, which SDL's pads want by default.
class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        window.reset();
        Detach();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_VIDEO);
    }

    void CreateWindow()
    {
        window = std::make_unique<PadWindow>();
        ASSERT_EQ(window->Create("pad", 160, 120, 0), 0);
    }
    // A pad with every button and axis of a game controller, in SDL's order.
    void Attach()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "virtual pad";
        nDevice = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(nDevice, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(nDevice);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
    }
    void Detach()
    {
        if (joystick)
            SDL_JoystickClose(joystick);
        if (nDevice >= 0)
            SDL_JoystickDetachVirtual(nDevice);
        joystick = nullptr;
        nDevice = -1;
    }

    std::unique_ptr<PadWindow> window;
    SDL_Joystick* joystick = nullptr;
    int nDevice = -1;
};

// Radial dead zone: nothing inside, the rest of the travel stretched so the
// output starts near 0 at its edge; full travel is 1000 along an axis and
// on the diagonal; the setting falls back to 15 outside 0..90.
TEST(GamepadDeadZone, StickIsRescaledOutsideARadialDeadZone)
{
    const struct { int32_t rawX, rawY, nDeadZone; MGamepad::Stick expected; } cases[] = {
        {0, 0, 15, {0, 0}},          {4915, 0, 15, {0, 0}},         {-3400, 3400, 15, {0, 0}},
        {5000, 0, 15, {3, 0}},       {0, -5000, 15, {0, -3}},       {16384, 0, 15, {412, 0}},
        {32767, 0, 15, {1000, 0}},   {-32768, 0, 15, {-1000, 0}},   {0, 32767, 15, {0, 1000}},
        {32767, 32767, 15, {707, 707}}, {-32768, -32768, 15, {-707, -707}}, {16384, 32767, 15, {447, 894}},
        {4000, 4000, 15, {19, 19}},
        {16384, 0, 0, {500, 0}},     {1, 0, 0, {0, 0}},             {16384, 0, 50, {0, 0}},
        {24576, 0, 50, {500, 0}},    {31129, 0, 90, {500, 0}},      {32767, 0, 90, {1000, 0}},
    };
    for (const auto& c : cases) {
        const MGamepad::Stick stick = MGamepad::RescaleStick(c.rawX, c.rawY, c.nDeadZone);
        EXPECT_EQ(std::pair(stick.x, stick.y), std::pair(c.expected.x, c.expected.y))
            << c.rawX << "," << c.rawY << " in " << c.nDeadZone << "%";
    }
    MGamepad pad;
    const std::pair<int32_t, int32_t> settings[] = {{0, 0}, {90, 90}, {40, 40}, {-1, 15}, {91, 15}, {1000, 15}};
    for (const auto& [nSet, nExpected] : settings) {
        pad.SetDeadZone(nSet);
        EXPECT_EQ(pad.GetDeadZone(), nExpected) << nSet;
    }
}

// A pad plugged in after the window opened: its d-pad, A, Start and Back are
// keys, other buttons nothing; a disabled window takes no buttons. Unplugging
// it after use reports it lost; a pad unplugged unused goes quietly.
TEST_F(GamepadTest, PadPluggedInLaterGivesKeysAndIsLostWhenUnplugged)
{
    CreateWindow();
    Attach();
    EXPECT_EQ(window->Drain(), Calls{});
    const std::pair<SDL_GameControllerButton, const char*> buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, "38"},   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "40"},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "37"}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "39"},
        {SDL_CONTROLLER_BUTTON_A, "78"},         {SDL_CONTROLLER_BUTTON_START, "19"},
        {SDL_CONTROLLER_BUTTON_BACK, "27"},      {SDL_CONTROLLER_BUTTON_B, nullptr},
        {SDL_CONTROLLER_BUTTON_X, nullptr},      {SDL_CONTROLLER_BUTTON_GUIDE, nullptr},
    };
    for (const auto& [button, key] : buttons) {
        SDL_JoystickSetVirtualButton(joystick, button, 1);
        EXPECT_EQ(window->Drain(), key ? Calls{std::string("down ") + key} : Calls{}) << button;
        SDL_JoystickSetVirtualButton(joystick, button, 0);
        EXPECT_EQ(window->Drain(), key ? Calls{std::string("up ") + key} : Calls{}) << button;
    }
    window->Disable();
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_EQ(window->Drain(), Calls{});
    Detach();
    EXPECT_EQ(window->Drain(), Calls{"lost"});
    Attach();
    EXPECT_EQ(window->Drain(), Calls{});
    Detach();
    EXPECT_EQ(window->Drain(), Calls{});
}

// A pad present when the window opens moves the stick; only changes are
// sent. Unplugged off-centre, it centres the stick before it is lost, also
// while the window takes no input (SDL's own recentring is not seen then).
TEST_F(GamepadTest, StickOfAPadPresentAtStartIsRescaledAndCentredWhenLost)
{
    Attach();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    CreateWindow();
    EXPECT_EQ(window->Drain(), Calls{});
    const struct { SDL_GameControllerAxis axis; int16_t value; int32_t nDeadZone; Calls expected; } steps[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, 4000, 15, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 5000, 15, {"stick 3,0"}},
        {SDL_CONTROLLER_AXIS_LEFTX, 16384, 15, {"stick 412,0"}},
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, 15, {"stick 447,894"}},
        {SDL_CONTROLLER_AXIS_LEFTX, 0, 15, {"stick 0,1000"}},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, 15, {}},
        {SDL_CONTROLLER_AXIS_LEFTY, 0, 15, {"stick 0,0"}},
        {SDL_CONTROLLER_AXIS_LEFTX, 16384, 50, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 24576, 50, {"stick 500,0"}},
    };
    for (const auto& step : steps) {
        window->SetStickDeadZone(step.nDeadZone);
        SDL_JoystickSetVirtualAxis(joystick, step.axis, step.value);
        EXPECT_EQ(window->Drain(), step.expected) << step.axis << " " << step.value;
    }
    window->Disable();
    Detach();
    EXPECT_EQ(window->Drain(), (Calls{"stick 0,0", "lost"}));
}

} // namespace
