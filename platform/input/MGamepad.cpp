#include "platform/input/MGamepad.h"

#include <algorithm>
#include <cmath>

namespace {

struct ButtonKey {
    uint8_t button;
    uint32_t nKey;
};

constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 38}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 40},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 37}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 39},
    {SDL_CONTROLLER_BUTTON_A, 78}, {SDL_CONTROLLER_BUTTON_START, 19}, {SDL_CONTROLLER_BUTTON_BACK, 27},
};

// Virtual key of a button, or 0 for buttons the game does not use.
uint32_t KeyOfButton(uint8_t button)
{
    for (const ButtonKey& pair : kButtonKeys)
        if (pair.button == button)
            return pair.nKey;
    return 0;
}

double AxisFraction(int32_t raw) { return std::clamp(raw / 32767.0, -1.0, 1.0); }

} // namespace

MGamepad::~MGamepad() { Close(); }

bool MGamepad::Open()
{
    if (fStarted)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return false;
    fStarted = true;
    for (int32_t i = 0; i < SDL_NumJoysticks(); ++i)
        OpenPad(i);
    return true;
}

void MGamepad::Close()
{
    for (Pad& pad : rgPads) {
        if (pad.pController)
            SDL_GameControllerClose(pad.pController);
        pad = Pad{};
    }
    if (fStarted)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    fStarted = false;
}

void MGamepad::SetDeadZone(int32_t nPercent)
{
    nDeadZone = nPercent >= 0 && nPercent <= kMaxDeadZone ? nPercent : kDefaultDeadZone;
}

MGamepad::Stick MGamepad::RescaleStick(int32_t rawX, int32_t rawY, int32_t nDeadZonePercent)
{
    const double x = AxisFraction(rawX), y = AxisFraction(rawY);
    const double length = std::hypot(x, y);
    const double deadZone = nDeadZonePercent / 100.0;
    if (length <= deadZone)
        return {};
    const double scale = std::min((length - deadZone) / (1.0 - deadZone), 1.0) / length;
    return {static_cast<int32_t>(std::lround(x * scale * 1000.0)),
            static_cast<int32_t>(std::lround(y * scale * 1000.0))};
}

MGamepad::Pad* MGamepad::Find(SDL_JoystickID id)
{
    for (Pad& pad : rgPads)
        if (pad.pController && pad.id == id)
            return &pad;
    return nullptr;
}

MGamepad::Pad* MGamepad::FreeSlot()
{
    for (Pad& pad : rgPads)
        if (!pad.pController)
            return &pad;
    return nullptr;
}

// SDL also announces the pads present at start; those are open already.
bool MGamepad::OpenPad(int32_t nDeviceIndex)
{
    if (!fStarted || !SDL_IsGameController(nDeviceIndex))
        return false;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(nDeviceIndex);
    Pad* pad = Find(id) ? nullptr : FreeSlot();
    if (!pad)
        return false;
    pad->pController = SDL_GameControllerOpen(nDeviceIndex);
    pad->id = id;
    return pad->pController != nullptr;
}

bool MGamepad::RemovePad(SDL_JoystickID id, BWindow* pTarget)
{
    Pad* pad = Find(id);
    if (!pad)
        return false;
    if (pad->stick != Stick{})
        pTarget->OnPadStick(0, 0);
    if (pad->fUsed)
        pTarget->OnPadLost();
    SDL_GameControllerClose(pad->pController);
    *pad = Pad{};
    return true;
}

bool MGamepad::HandleButton(const SDL_ControllerButtonEvent& event, BWindow* pTarget)
{
    Pad* pad = Find(event.which);
    const uint32_t key = KeyOfButton(event.button);
    if (!pad || key == 0)
        return false;
    pad->fUsed = true;
    if (event.type == SDL_CONTROLLERBUTTONDOWN)
        pTarget->OnKeyDown(key);
    else
        pTarget->OnKeyUp(key);
    return true;
}

bool MGamepad::HandleAxis(const SDL_ControllerAxisEvent& event, BWindow* pTarget)
{
    Pad* pad = Find(event.which);
    if (!pad || (event.axis != SDL_CONTROLLER_AXIS_LEFTX && event.axis != SDL_CONTROLLER_AXIS_LEFTY))
        return false;
    (event.axis == SDL_CONTROLLER_AXIS_LEFTX ? pad->rawX : pad->rawY) = event.value;
    const Stick stick = RescaleStick(pad->rawX, pad->rawY, nDeadZone);
    if (stick == pad->stick)
        return true;
    pad->stick = stick;
    pad->fUsed = true;
    pTarget->OnPadStick(stick.x, stick.y);
    return true;
}

bool MGamepad::HandleEvent(const SDL_Event& event, BWindow* pTarget)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        return OpenPad(event.cdevice.which);
    case SDL_CONTROLLERDEVICEREMOVED:
        return RemovePad(event.cdevice.which, pTarget);
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        return HandleButton(event.cbutton, pTarget);
    case SDL_CONTROLLERAXISMOTION:
        return HandleAxis(event.caxis, pTarget);
    default:
        return false;
    }
}
