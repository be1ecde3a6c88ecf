#include "common/status/CClock.h"
#include "common/status/CStatus.h"
#include <algorithm>
#include "common/scene/CScene.h"

namespace {
constexpr int kTicksPerSecond = 256;
constexpr int kMaxClockDigits = 6;
constexpr int kClockMax[kMaxClockDigits] = {9, 59, 599, 3599, 35999, 359999};

// Two digits, zero-filled; returns the end of the text.
char* AppendPart(char* out, int value)
{
    CNumber::FormatDecimal(out, value, 2, 1);
    while (*out)
        ++out;
    return out;
}
} // namespace

CClock::CClock(CScene* pScene, CStatus* pOwner, const int pos[3], TextDesc* text, const ButtonDesc* behaviour,
               int nDigits, CSpriteArray* pStates, int fCountUp, int lStart)
    : CNumber(pScene, pos, text, behaviour, nDigits, pStates), pOwner(pOwner), lStart(lStart), fCountUp(fCountUp)
{
    this->nDigits = ClampDigits(nDigits, kMaxClockDigits);
    lMax = MaxForDigits(this->nDigits);
    lValue = lStart;
    Clamp();
    BuildText();
    ShowText();
}

int CClock::MaxForDigits(int nDigits)
{
    return kClockMax[ClampDigits(nDigits, kMaxClockDigits) - 1];
}

void CClock::Add(int delta)
{
    lValue = AddSaturated(lValue, delta);
    Clamp();
    BuildText();
    fDirty = 1;
    fForce = 1;
}

void CClock::Reset(int, int)
{
    if (fResettable) {
        lAccum = 0;
        lValue = lStart;
        Clamp();
        BuildText();
        fForce = 1;
        lAlarmLast = 0;
    }
    fRunning = 0;
}

void CClock::Tick(int dt)
{
    if (!fRunning)
        return;
    lAccum = AddSaturated(lAccum, dt);
    if (lAccum < kTicksPerSecond && !fForce)
        return;
    if (!fForce) {
        lAccum -= kTicksPerSecond;
        if (fCountUp) {
            ++lValue;
        } else if (lValue-- == 1 && pOwner) {
            pOwner->TimeUp();
        }
    }
    fForce = 0;
    Clamp();
    BuildText();
    if (lAlarmStep > 0 && lValue >= AddSaturated(lAlarmLast, lAlarmStep)) {
        lAlarmLast = lValue;
        if (pOwner)
            pOwner->OnEvent();
    }
    ShowText();
}

int CClock::TicksToNextChange() const
{
    if (!fRunning)
        return CScene::NoChange;
    return fForce ? 0 : std::max(kTicksPerSecond - lAccum, 0);
}

void CClock::SetAlarm(int step, int last)
{
    lAlarmStep = step;
    lAlarmLast = last;
}

void CClock::BuildText()
{
    FormatTime(szText, lValue, nDigits);
}

// Kept within range, parts never exceed two digits (hours stay below 100),
// so "hh:mm:ss" fits.
void CClock::FormatTime(char* out, int value, int nDigits)
{
    int rest = value < 0 ? 0 : (value > MaxForDigits(nDigits) ? MaxForDigits(nDigits) : value);
    if (nDigits > 4) {
        out = AppendPart(out, rest / 3600);
        *out++ = ':';
        rest %= 3600;
    }
    if (nDigits > 2) {
        out = AppendPart(out, rest / 60);
        rest %= 60;
    }
    *out++ = ':';
    AppendPart(out, rest);
}
