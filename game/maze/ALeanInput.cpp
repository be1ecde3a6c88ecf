#include "game/maze/ALeanInput.h"

#include <algorithm>
#include <iterator>

namespace {

enum : uint32_t { Left = 1, Right = 2, Up = 4, Down = 8 };

struct LeanKey {
    uint32_t nKey;
    uint32_t nDirection;
};
// The arrows and W A S D, as virtual keys.
constexpr LeanKey kKeys[] = {{37, Left}, {39, Right}, {38, Up},   {40, Down},
                             {'A', Left}, {'D', Right}, {'W', Up}, {'S', Down}};

constexpr int32_t kFullSteps = ALeanInput::FullLean * ALeanInput::StepsPerCount;
constexpr int32_t kStickFull = 1000;

} // namespace

bool ALeanInput::Press(uint32_t nKey, bool fDown)
{
    const auto* key = std::find_if(std::begin(kKeys), std::end(kKeys),
                                   [nKey](const LeanKey& k) { return k.nKey == nKey; });
    if (key == std::end(kKeys))
        return false;
    const uint32_t nBit = 1u << (key - std::begin(kKeys));
    nHeld = fDown ? nHeld | nBit : nHeld & ~nBit;
    return true;
}

void ALeanInput::SetStick(int32_t x, int32_t y)
{
    nStickX = std::clamp(x, -kStickFull, kStickFull);
    nStickY = std::clamp(y, -kStickFull, kStickFull);
}

// Like the mouse: moving it left leans x up, moving it up leans y up.
void ALeanInput::Update(int32_t dt)
{
    nKeyX = Towards(nKeyX, Target(Left, Right), dt);
    nKeyY = Towards(nKeyY, Target(Up, Down), dt);
}

void ALeanInput::Restart() { nKeyX = nKeyY = 0; }

bool ALeanInput::IsHeld(uint32_t nDirection) const
{
    for (size_t i = 0; i < std::size(kKeys); ++i)
        if ((nHeld & 1u << i) && kKeys[i].nDirection == nDirection)
            return true;
    return false;
}

int32_t ALeanInput::Target(uint32_t nPlus, uint32_t nMinus) const
{
    return (IsHeld(nPlus) ? kFullSteps : 0) - (IsHeld(nMinus) ? kFullSteps : 0);
}

int32_t ALeanInput::Towards(int32_t nNow, int32_t nTarget, int32_t dt)
{
    const int32_t nStep = StepsPerTick * std::max(dt, 0);
    return nNow < nTarget ? std::min(nNow + nStep, nTarget) : std::max(nNow - nStep, nTarget);
}

// A stick pushed right or down leans like the mouse moved right or down.
int32_t ALeanInput::Combined(int32_t nKeySteps, int32_t nStick)
{
    const int32_t nLean = nKeySteps / StepsPerCount - nStick * FullLean / kStickFull;
    return std::clamp(nLean, -int32_t(FullLean), int32_t(FullLean));
}

int32_t ALeanInput::GetX() const { return Combined(nKeyX, nStickX); }

int32_t ALeanInput::GetY() const { return Combined(nKeyY, nStickY); }
