#pragma once

class CGame;
class CActor;
class CEditBox;
class CNumber;
class CClock;

// The game's head-up layer: numbers, clocks, gauge, lives and message lines.
// Every element is optional; derived classes create the ones they need.
class CStatus {
public:
    // A level gauge: refreshed each frame, reset at each round.
    class Gauge {
    public:
        virtual ~Gauge() = default;
        virtual void Refresh() = 0;
        virtual void Reset(int fEmpty) = 0;
    };
    // Whatever answers the status's floating-point rate.
    class RateSource {
    public:
        virtual ~RateSource() = default;
        virtual double GetRate() const = 0;
    };

    static constexpr int kMaxPlayers = 4;
    static constexpr int kTableRows = 25;
    static constexpr int kBonusStep = 100000;

    explicit CStatus(CGame* pGame);
    virtual ~CStatus();

    virtual void ClearTables();
    virtual void SetCell(int row, int col, int value);
    virtual void ClearCell(int row, int col);
    virtual void ClearResults();
    virtual void SetWon(int player, int value);
    virtual double GetRate();
    virtual void PlayerWon(int player);
    virtual void PlayerLost(int player, int reason);
    virtual void ArmAuxAlarm();
    virtual void OnValue(int value);
    virtual void TimeUp();
    virtual void SetBonusBase(int score);
    virtual void OnAlarm();
    virtual void OnEvent();
    virtual void Pause(int fShow);
    virtual void Resume();
    virtual void ShowMarkA();
    // Called when a turn is won; nothing here.
    virtual void OnStartTurn();
    virtual void CheckBonus(int score);
    virtual void ShowLines(const char* a, const char* b, const char* c);
    virtual void ShowLines(const char* a, const char* b);
    virtual void ShowLine(const char* a);
    virtual void ShowCongratulations();
    virtual void ShowFailure();
    virtual void ShowWinner();
    virtual void ShowNoWinner();
    virtual void StartAuxClock();
    virtual void PrimeAuxClock();
    virtual void CountFrame(int dt);
    virtual void Update(int dt);
    // Ticks until a running clock or the frame counter is due to change.
    int TicksToNextChange() const;
    virtual void Reset(int a, int b);
    virtual int Query1();
    virtual int Query2();

    int HasWon(int player) const { return IsPlayer(player) ? rgfWon[player] : 0; }
    int HasLost(int player) const { return IsPlayer(player) ? rgfLost[player] : 0; }
    int HasPassed(int player) const { return IsPlayer(player) ? rgfPassed[player] : 0; }
    int GetCell(int row, int col) const { return IsCell(row, col) ? rglTableA[row][col] : 0; }
    int GetBonusBase() const { return lBonusBase; }
    CGame* GetGame() const { return pGame; }
    CClock* GetGameClock() const { return pclkGame; }

    // The values the game's state record keeps: first count, second count, 0,
    // a number times 256, the rate times 100.
    void CaptureValues(int out[5]);
    void SetLost(int player, int value);
    void SetAuxNumber(int value);
    void RestoreValues(const int in[5]);

    int rgfWon[kMaxPlayers] = {};
    int rgfLost[kMaxPlayers] = {};
    int rgfPassed[kMaxPlayers] = {1, 1, 1, 1};

protected:
    static int IsPlayer(int player) { return player >= 0 && player < kMaxPlayers; }
    static int IsCell(int row, int col) { return row >= 0 && row < kTableRows && col >= 0 && col < 3; }
    int CurrentPlayer() const;
    int CurrentPlayerDone() const;
    void ArmAlarm();
    void SetLine(CEditBox* line, const char* text);

    CGame* pGame;
    CClock* pclkAux = nullptr;
    CNumber* pnumAux = nullptr;
    Gauge* pGauge = nullptr;
    CNumber* pLives = nullptr;
    CNumber* pExtra = nullptr;
    CClock* pclkGame = nullptr;
    RateSource* pRate = nullptr;
    CNumber* pFps = nullptr;
    CActor* pMarkA = nullptr;
    CActor* pMarkB = nullptr;
    CEditBox* pasLine1 = nullptr;
    CEditBox* pasLine2 = nullptr;
    CEditBox* pasLine3 = nullptr;
    int fWinnerShown = 0;
    int fNoWinnerShown = 0;
    int fAuxClockRuns = 1;
    int fAuxAlarm = 1;
    int rglTableA[kTableRows][3] = {};
    int rglTableB[kTableRows][3] = {};
    int nLastPlayer = 0;
    int lAuxBase = 0;
    int lBonusBase = 0;
    int fFpsSkip = 0;
    int nFpsFrames = 0;
    int lFpsTicks = 0;
};
