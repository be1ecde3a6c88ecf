#pragma once

// Process-wide application clock, in seconds. Starts stopped.
// Commands: 0 reset, 1 start, 2 stop, 3 advance (0.1 s while stopped),
// 4 absolute time, 5 application time, 6 elapsed since the previous 6.
// Any other command returns -1.0.
enum AppTimerCommand : int {
    TimerReset = 0,
    TimerStart = 1,
    TimerStop = 2,
    TimerAdvance = 3,
    TimerAbsolute = 4,
    TimerAppTime = 5,
    TimerElapsed = 6,
};

double AppTimer(int command);
