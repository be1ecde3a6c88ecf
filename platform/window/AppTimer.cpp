#include "platform/window/AppTimer.h"
#include <chrono>

namespace {

struct TimerState {
    double dBase = 0.0;
    double dStop = 0.0;
    double dLastElapsed = 0.0;
    bool fStopped = true;
};

TimerState& State()
{
    static TimerState state;
    return state;
}

double Now()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

} // namespace

double AppTimer(int command)
{
    TimerState& s = State();
    const double now = Now();
    const double instant = s.fStopped ? s.dStop : now;
    switch (command) {
    case TimerReset:
        s.dBase = s.dLastElapsed = now;
        s.dStop = 0.0;
        s.fStopped = false;
        return 0.0;
    case TimerStart:
        if (s.fStopped)
            s.dBase += now - s.dStop;
        s.dStop = 0.0;
        s.dLastElapsed = now;
        s.fStopped = false;
        return 0.0;
    case TimerStop:
        s.dStop = s.dLastElapsed = now;
        s.fStopped = true;
        return 0.0;
    case TimerAdvance:
        s.dStop += 0.1;
        return 0.0;
    case TimerAbsolute:
        return now;
    case TimerAppTime:
        return instant - s.dBase;
    case TimerElapsed: {
        const double elapsed = instant - s.dLastElapsed;
        s.dLastElapsed = instant;
        return elapsed;
    }
    default:
        return -1.0;
    }
}
