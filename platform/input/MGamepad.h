#pragma once
#include <SDL.h>
#include <cstdint>
#include "base/BWindow.h"

// SDL game controllers as keys and a stick. Open starts SDL's game-controller
// subsystem and opens every pad present; pads plugged in later are opened,
// unplugged ones closed. The d-pad gives the arrow keys, A the key N, Start
// Pause and Back Escape; the left stick gives OnPadStick after a radial dead
// zone, and unplugging a pad that gave input gives OnPadLost.
class MGamepad {
public:
    // Stick position in thousandths; y is positive downward.
    struct Stick {
        int32_t x = 0;
        int32_t y = 0;
        bool operator==(const Stick&) const = default;
    };

    enum : int32_t { kDefaultDeadZone = 15, kMaxDeadZone = 90, kMaxPads = 8 };

    MGamepad() = default;
    ~MGamepad();
    MGamepad(const MGamepad&) = delete;
    MGamepad& operator=(const MGamepad&) = delete;

    // False when SDL cannot start its game controllers.
    bool Open();
    // Closes every pad and stops the subsystem again.
    void Close();

    // Turns a controller event into handler calls on the target; false for
    // other events and for pads, buttons and axes the game does not use.
    bool HandleEvent(const SDL_Event& event, BWindow* pTarget);

    // Percent of the stick's travel; outside 0..90 the default 15.
    void SetDeadZone(int32_t nPercent);
    int32_t GetDeadZone() const { return nDeadZone; }

    // Raw axis values to thousandths: nothing inside the dead zone, the rest
    // of the travel stretched to the full range, the length at most 1000.
    static Stick RescaleStick(int32_t rawX, int32_t rawY, int32_t nDeadZonePercent);

private:
    struct Pad {
        SDL_GameController* pController = nullptr;
        SDL_JoystickID id = -1;
        int32_t rawX = 0, rawY = 0;
        Stick stick;
        bool fUsed = false;
    };

    bool OpenPad(int32_t nDeviceIndex);
    bool RemovePad(SDL_JoystickID id, BWindow* pTarget);
    bool HandleButton(const SDL_ControllerButtonEvent& event, BWindow* pTarget);
    bool HandleAxis(const SDL_ControllerAxisEvent& event, BWindow* pTarget);
    Pad* Find(SDL_JoystickID id);
    Pad* FreeSlot();

    Pad rgPads[kMaxPads];
    int32_t nDeadZone = kDefaultDeadZone;
    bool fStarted = false;
};
