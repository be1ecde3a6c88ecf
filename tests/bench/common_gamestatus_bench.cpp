#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include "common/actors/ButtonDesc.h"
#include "common/status/CClock.h"
#include "common/scene/CGame.h"
#include "common/status/CGlyphFont.h"
#include "common/screen/CInputRecorder.h"
#include "common/status/CStatus.h"
#include "common/actors/TextDesc.h"

namespace {

// A status with a running 4-digit game clock, as the game has.
class ClockStatus : public CStatus {
public:
    explicit ClockStatus(CGame* game) : CStatus(game)
    {
        font.nAdvance = 10;
        font.nLineHeight = 12;
        font.fFixedPitch = 1;
        TextDesc text{empty, 11, 0, 0, &font, 0, 0xFFFFFF00, 1, 0};
        const ButtonDesc label{kButtonLabel, 0, 0, 0xFF7F0000, 1, 0};
        const int pos[3] = {52 * 256, 70 * 256, 5000 * 256};
        pclkGame = new CClock(game, this, pos, &text, &label, 4, nullptr, 1, 0);
        pclkGame->Start();
    }

private:
    CGlyphFont font{0};
    char empty[1] = "";
};

// One frame of the status display at 60 frames a second: the clock changes every ~60 calls.
void BM_StatusFrame(benchmark::State& state)
{
    CGame game(nullptr, 0, 0, 0, 1, 0, 1);
    auto* status = new ClockStatus(&game);
    game.SetStatus(status);
    for (auto _ : state) {
        status->CountFrame(4);
        status->Update(4);
    }
    benchmark::DoNotOptimize(status->GetGameClock()->GetValue());
}
BENCHMARK(BM_StatusFrame);

const CScene* const kScene = reinterpret_cast<const CScene*>(0x1000);

// What recording costs a frame: a mouse move and both passes' ticks.
void BM_RecordFrame(benchmark::State& state)
{
    const std::string path = "/tmp/rvx-bench-record.rec";
    CInputRecorder rec;
    rec.StartRecording(path.c_str());
    rec.Attach(kScene, nullptr);
    for (auto _ : state) {
        rec.PassMouse(1, 120, 340);
        benchmark::DoNotOptimize(rec.Ticks(kScene, CInputRecorder::kUpdatePass, 4));
        benchmark::DoNotOptimize(rec.Ticks(kScene, CInputRecorder::kTickPass, 4));
    }
    rec.Stop();
    std::remove(path.c_str());
}
BENCHMARK(BM_RecordFrame);

// Parsing a replay of about ten minutes at 60 frames a second.
void BM_ParseReplay(benchmark::State& state)
{
    std::string text = "RVXREC 1\n";
    for (int i = 0; i < 36000; ++i)
        text += "M 1 " + std::to_string(i % 800) + " 300\nU 4\nT 4\n";
    std::vector<CInputRecorder::Record> records;
    std::string why;
    for (auto _ : state)
        benchmark::DoNotOptimize(CInputRecorder::Parse(text, records, why));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParseReplay)->Unit(benchmark::kMillisecond);

} // namespace
