#pragma once
#include "common/status/CNumber.h"

class CStatus;

// A time in whole seconds shown as ":ss", "mm:ss" or "hh:mm:ss", counting up or down.
class CClock : public CNumber {
public:
    CClock(CScene* pScene, CStatus* pOwner, const int pos[3], TextDesc* text, const ButtonDesc* behaviour,
           int nDigits, CSpriteArray* pStates, int fCountUp, int lStart);

    void Add(int delta) override;
    void Reset(int a, int b) override;

    void Start() { fRunning = 1; }
    void Stop() { fRunning = 0; }
    int IsRunning() const { return fRunning; }
    // Advances by at most one second per call; dt in ticks.
    void Tick(int dt);
    // Ticks until the shown time is due to change; CScene::NoChange when stopped.
    int TicksToNextChange() const;
    void SetAlarm(int step, int last);
    void SetResettable(int f) { fResettable = f; }
    void ClearAccum() { lAccum = 0; }

    static int MaxForDigits(int nDigits);
    // The clock's text for value seconds (kept within the digits' range) into
    // out, which holds at least 9 characters.
    static void FormatTime(char* out, int value, int nDigits);

protected:
    void BuildText() override;

    CStatus* pOwner;
    int lAccum = 0;
    int lAlarmStep = 0;
    int lAlarmLast = 0;
    int lStart;
    int fRunning = 0;
    int fForce = 0;
    int fResettable = 1;
    int fCountUp;
};
