#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CScene;

// Records each frame's ticks and each mouse and key event of a game to a text
// file (RVX_RECORD=<file>) and plays such a file back (RVX_REPLAY=<file>).
//
// File: first line "RVXREC 3" ("RVXREC 1" and "RVXREC 2" files, without S
// or L records, play too), then one record a line, in the order they happened:
//   U <ticks>          elapsed ticks of the game's update pass (0..25)
//   T <ticks>          elapsed ticks of the game's tick pass (0..25)
//   M <type> <x> <y>   mouse event (types 1..8, client pixels)
//   K <kind> <key>     key event (1 down, 2 up, 3 system down, 4 system up)
//   L <x> <y>          the keys' and the pad's lean from this update pass on
//                      (-100..100 each), written when it changes
//   S <stage>          the game plays stage (maze) n from here (1..9999); the
//                      first record of a game; files without one play stage 1
// Lines starting with '#' and empty lines are skipped.
//
// The screen calls PassMouse / PassKey before it hands window input to the
// scene engine, so events an actor makes of a click (a button's key) are
// neither recorded nor dropped. Each scene calls Ticks where it takes its
// elapsed ticks. During a replay, live input is dropped and the events
// recorded before an update pass are delivered through the sink just
// before that pass, through the game's DeliverMouse / DeliverKey.
class CInputRecorder {
public:
    enum Mode { kOff, kRecording, kReplaying };
    enum Pass { kUpdatePass = 0, kTickPass = 1 };
    enum KeyKind { kKeyDown = 1, kKeyUp = 2, kSysKeyDown = 3, kSysKeyUp = 4 };

    // Where replayed events go (the game scene).
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void DeliverMouse(uint32_t type, uint16_t x, uint16_t y) = 0;
        virtual int DeliverKey(int kind, int key) = 0;
        // A replay moves on to the stage it recorded.
        virtual void DeliverStage(int32_t nStage) = 0;
    };

    struct Record {
        char cKind;     // 'U', 'T', 'M', 'K', 'L', 'S'
        int32_t lValue; // ticks, mouse type, key kind, lean x or stage
        uint16_t wX;    // mouse x or key code
        uint16_t wY;
        int32_t lY;     // lean y
    };

    CInputRecorder() = default;
    ~CInputRecorder();
    CInputRecorder(const CInputRecorder&) = delete;
    CInputRecorder& operator=(const CInputRecorder&) = delete;

    // Starts recording or replaying as RVX_RECORD / RVX_REPLAY say (replay wins).
    // Throws CFileException ("common/CInputRecorder") when a file cannot be used;
    // GetError() then tells why.
    void StartFromEnvironment();
    void StartRecording(const char* path);
    void StartReplay(const char* path);
    void Stop();

    Mode GetMode() const { return nMode; }
    const std::string& GetError() const { return strError; }
    // A recording could not be written (told on standard error when it happened).
    bool HasWriteFailed() const { return fWriteFailed; }

    // The scene whose ticks are recorded and replayed, and where events go.
    void Attach(const CScene* scene, Sink* sink);
    void Detach(const CScene* scene);

    // Input hooks: 1 to go on with the event, 0 to drop it (live input while replaying).
    int PassMouse(uint32_t type, uint16_t x, uint16_t y);
    int PassKey(int kind, int key);
    // Elapsed-ticks hook: records or replaces the measured ticks of the attached scene.
    int Ticks(const CScene* scene, int pass, int measured);
    // Lean hook of the attached scene's update pass: records the lean when it
    // changes, or replaces it with the replayed one.
    void Lean(const CScene* scene, int32_t* x, int32_t* y);
    // The attached scene starts stage n: recorded; a replay gives its stages
    // through the sink instead.
    void Stage(const CScene* scene, int32_t nStage);
    // The stage a replay starts on: 1 unless its first record names one.
    int32_t GetReplayStartStage() const;

    size_t GetReplayPosition() const { return nNext; }
    size_t GetReplayLength() const { return rgRecords.size(); }

    // Parses a whole replay text; returns 0, or the 1-based line number of the first bad line.
    static size_t Parse(const std::string& text, std::vector<Record>& out, std::string& error);

    static constexpr size_t kMaxFileBytes = 16u << 20;

private:
    void Fail(const char* path, const std::string& why, uint32_t line);
    void DeliverPending();
    void Append(const char* fmt, ...);
    void Flush();
    void WriteFailed(int nError);

    Mode nMode = kOff;
    FILE* pFile = nullptr;
    std::vector<char> rgBuffer;
    size_t nUsed = 0;
    std::vector<Record> rgRecords;
    size_t nNext = 0;
    const CScene* pScene = nullptr;
    Sink* pSink = nullptr;
    int fDelivering = 0;
    int32_t lLeanX = 0; // the lean last recorded or replayed
    int32_t lLeanY = 0;
    std::string strError;
    std::string strPath;       // the recording's file
    bool fWriteFailed = false;
};

// The process-wide recorder (created on first use).
CInputRecorder* GetInputRecorder();
void DestroyInputRecorder();
