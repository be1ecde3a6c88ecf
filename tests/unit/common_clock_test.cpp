#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "common/CActorButton.h"
#include "common/CClock.h"
#include "common/CStatus.h"
#include "UiTestSupport.h"

namespace {

constexpr int kSecond = 256;
constexpr int kMaxInt = 2147483647;

// Counts the notices a clock sends to its owner.
class OwnerSpy : public CStatus {
public:
    OwnerSpy() : CStatus(nullptr) {}
    void TimeUp() override { ++nTimeUps; }
    void OnEvent() override { ++nAlarms; }
    int nTimeUps = 0;
    int nAlarms = 0;
};

class ClockTest : public testing::Test {
protected:
    CClock* Clock(int nDigits, int fCountUp, int lStart, CStatus* owner)
    {
        auto* clock = new CClock(&scene, owner, pos, &text, &behaviour, nDigits, nullptr, fCountUp, lStart);
        numbers.emplace_back(clock);
        return clock;
    }
    CClock* Clock(int nDigits, int fCountUp, int lStart) { return Clock(nDigits, fCountUp, lStart, &spy); }
    CNumber* Number(int nDigits)
    {
        numbers.push_back(std::make_unique<CNumber>(&scene, pos, &text, &behaviour, nDigits, nullptr));
        return numbers.back().get();
    }
    static void RunSeconds(CClock* clock, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            clock->Tick(kSecond);
    }
    static std::string Shown(const CNumber* number) { return number->GetLabel()->GetText(); }

    CScene scene{nullptr, 0, 0, 0, 1, 0, 1};
    OwnerSpy spy;
    TestGlyphFont font;
    TextDesc text{nullptr, 11, 0, 0, &font, 0, 0xFFFFFF00, 1, 0};
    ButtonDesc behaviour = Behaviour(kButtonLabel, 0, 1);
    const int pos[3] = {52 * 256, 70 * 256, 5000 * 256};
    std::vector<std::unique_ptr<CNumber>> numbers;
};

TEST_F(ClockTest, FormatsByDigitCountWithinItsRange)
{
    const struct { int nDigits, value; const char* text; int max; } cases[] = {
        {0, 5, ":05", 9},          {1, 12, ":09", 9},        {2, 5, ":05", 59},
        {3, 187, "03:07", 599},    {3, 700, "09:59", 599},   {5, 3725, "01:02:05", 35999},
        {6, 359999, "99:59:59", 359999}, {9, 360000, "99:59:59", 359999}, {4, -7, "00:00", 3599},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nDigits << " digits, " << c.value);
        CClock* clock = Clock(c.nDigits, 1, c.value);
        EXPECT_EQ(Shown(clock), c.text);
        EXPECT_EQ(clock->GetMax(), c.max);
        char out[12];
        CClock::FormatTime(out, c.value, c.nDigits);
        EXPECT_STREQ(out, c.text);
    }
}

TEST_F(ClockTest, CountsUpToItsLimitAndDownToTimeUpOnceWithOrWithoutOwner)
{
    CClock* up = Clock(4, 1, 3590);
    CClock* down = Clock(2, 0, 3);
    CClock* alone = Clock(2, 0, 1, nullptr);
    alone->SetAlarm(1, -5);
    for (CClock* clock : {up, down, alone})
        clock->Start();
    RunSeconds(down, 2);
    EXPECT_EQ(Shown(down), ":01");
    EXPECT_EQ(spy.nTimeUps, 0);
    RunSeconds(down, 6);
    EXPECT_EQ(spy.nTimeUps, 1);
    EXPECT_EQ(Shown(down), ":00");
    RunSeconds(up, 20);
    EXPECT_EQ(Shown(up), "59:59");
    up->Set(61);
    up->Refresh();
    EXPECT_EQ(Shown(up), "01:01") << "a refresh shows time, not a plain number";
    alone->Tick(kSecond);
    EXPECT_EQ(alone->GetValue(), 0);
}

TEST_F(ClockTest, StepsAtMostOneSecondPerTickKeepsTheRestAndRepeatsItsAlarm)
{
    CClock* clock = Clock(4, 1, 0);
    clock->SetAlarm(3, 0);
    clock->Tick(10 * kSecond);
    EXPECT_EQ(clock->GetValue(), 0) << "a stopped clock does not advance";
    EXPECT_EQ(clock->TicksToNextChange(), CScene::NoChange);
    clock->Start();
    clock->Tick(255);
    EXPECT_EQ(clock->TicksToNextChange(), 1);
    clock->Tick(1);
    EXPECT_EQ(clock->GetValue(), 1);
    EXPECT_EQ(clock->TicksToNextChange(), kSecond);
    clock->Tick(3 * kSecond);
    EXPECT_EQ(clock->GetValue(), 2);
    for (int i = 0; i < 3; ++i)
        clock->Tick(0);
    EXPECT_EQ(clock->GetValue(), 4);
    EXPECT_EQ(spy.nAlarms, 1);
    RunSeconds(clock, 5);
    EXPECT_EQ(spy.nAlarms, 3) << "every three seconds";
}

TEST_F(ClockTest, ResetReturnsToTheStartOnlyWhenResettable)
{
    CClock* clock = Clock(4, 1, 5);
    clock->Start();
    RunSeconds(clock, 10);
    clock->Reset(0, 0);
    EXPECT_EQ(clock->GetValue(), 5);
    EXPECT_FALSE(clock->IsRunning());
    clock->Start();
    clock->Tick(0);
    EXPECT_EQ(Shown(clock), "00:05") << "the forced rebuild shows the reset value without advancing";
    RunSeconds(clock, 3);
    clock->SetResettable(0);
    clock->Reset(0, 0);
    EXPECT_EQ(clock->GetValue(), 8);
    EXPECT_FALSE(clock->IsRunning());
}

TEST_F(ClockTest, NumbersShowNoLeadingZerosAtTheNextRefreshAndSaturate)
{
    CNumber* number = Number(3);
    number->Set(7);
    EXPECT_EQ(Shown(number), "0");
    number->Refresh();
    EXPECT_EQ(Shown(number), "7");
    number->Set(1500);
    number->Refresh();
    EXPECT_EQ(Shown(number), "999");
    number->Add(-5000);
    EXPECT_EQ(number->GetValue(), 0);
    EXPECT_EQ(Number(0)->GetMax(), 9);
    EXPECT_EQ(Number(9)->GetMax(), 999999999);
    CNumber* unlimited = Number(12);
    unlimited->Set(kMaxInt - 10);
    unlimited->Add(100);
    unlimited->Refresh();
    EXPECT_EQ(Shown(unlimited), "2147483647");
    unlimited->Add(-kMaxInt - 1);
    EXPECT_EQ(unlimited->GetValue(), 0);
    const struct { int value, zeroFill; const char* text; } cases[] = {{7, 0, "7"}, {7, 1, "007"}, {1234, 1, "1234"}};
    for (const auto& c : cases) {
        char out[12];
        CNumber::FormatDecimal(out, c.value, 3, c.zeroFill);
        EXPECT_STREQ(out, c.text) << "never cut";
    }
}

TEST_F(ClockTest, ClockArithmeticSaturates)
{
    CClock* clock = Clock(4, 1, 5);
    clock->Add(kMaxInt);
    EXPECT_EQ(clock->GetValue(), 3599);
    clock->Add(-kMaxInt - 1);
    EXPECT_EQ(clock->GetValue(), 0);
    clock->SetAlarm(kMaxInt, 10);
    clock->Start();
    clock->Tick(kMaxInt); // shows the forced value
    clock->Tick(kMaxInt);
    EXPECT_EQ(clock->GetValue(), 1) << "the gathered ticks saturate";
    EXPECT_EQ(spy.nAlarms, 0) << "the next alarm lies beyond any value";
}

} // namespace
