#include <gtest/gtest.h>
#include <string>
#include "common/ButtonDesc.h"
#include "common/CActorButton.h"
#include "common/CClock.h"
#include "common/CNumber.h"
#include "common/CScene.h"
#include "common/CStatus.h"
#include "common/TextDesc.h"
#include "UiTestSupport.h"

namespace {

constexpr int kSecond = 256;

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
    ClockTest() : scene(nullptr, 0, 0, 0, 1, 0, 1) {}

    CClock* MakeClock(int nDigits, int fCountUp, int lStart)
    {
        clocks.push_back(std::make_unique<CClock>(&scene, &owner, pos, &text, &behaviour, nDigits, nullptr,
                                                  fCountUp, lStart));
        return clocks.back().get();
    }
    CNumber* MakeNumber(int nDigits)
    {
        numbers.push_back(std::make_unique<CNumber>(&scene, pos, &text, &behaviour, nDigits, nullptr));
        return numbers.back().get();
    }
    // Runs whole seconds through the clock, one tick call per second.
    static void RunSeconds(CClock* clock, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            clock->Tick(kSecond);
    }
    static std::string Shown(const CNumber* number) { return number->GetLabel()->GetText(); }

    CScene scene;
    OwnerSpy owner;
    TestGlyphFont font;
    TextDesc text{nullptr, 11, 0, 0, &font, 0, 0xFFFFFF00, 1, 0};
    ButtonDesc behaviour{kButtonLabel, 0, 0, 0xFF7F0000, 1, 0};
    const int pos[3] = {52 * 256, 70 * 256, 5000 * 256};
    std::vector<std::unique_ptr<CClock>> clocks;
    std::vector<std::unique_ptr<CNumber>> numbers;
};

TEST_F(ClockTest, FourDigitsCountUpShowMinutesAndStopAtTheLimit)
{
    CClock* clock = MakeClock(4, 1, 0);
    EXPECT_EQ(Shown(clock), "00:00");
    clock->Start();
    RunSeconds(clock, 187);
    EXPECT_EQ(Shown(clock), "03:07");
    RunSeconds(clock, 3599 - 187 + 10);
    EXPECT_EQ(clock->GetValue(), 3599);
    EXPECT_EQ(Shown(clock), "59:59");
    clock->Set(61);
    clock->Refresh();
    EXPECT_EQ(Shown(clock), "01:01") << "a refresh shows time, not a plain number";
}

TEST_F(ClockTest, FormatsByDigitCount)
{
    struct Case {
        int nDigits;
        int value;
        const char* text;
        int max;
    } cases[] = {
        {0, 5, ":05", 9},       {1, 12, ":09", 9},          {2, 5, ":05", 59},
        {3, 187, "03:07", 599}, {3, 700, "09:59", 599},     {5, 3725, "01:02:05", 35999},
        {6, 359999, "99:59:59", 359999}, {9, 360000, "99:59:59", 359999}, {4, -7, "00:00", 3599},
    };
    for (const Case& c : cases) {
        CClock* clock = MakeClock(c.nDigits, 1, c.value);
        EXPECT_EQ(Shown(clock), c.text) << c.nDigits << " digits, " << c.value;
        EXPECT_EQ(clock->GetMax(), c.max);
        char text[12];
        CClock::FormatTime(text, c.value, c.nDigits);
        EXPECT_STREQ(text, c.text);
    }
}

TEST_F(ClockTest, CountDownReportsTimeUpExactlyOnce)
{
    CClock* clock = MakeClock(2, 0, 3);
    clock->Start();
    RunSeconds(clock, 2);
    EXPECT_EQ(owner.nTimeUps, 0);
    EXPECT_EQ(Shown(clock), ":01");
    RunSeconds(clock, 1);
    EXPECT_EQ(owner.nTimeUps, 1);
    EXPECT_EQ(Shown(clock), ":00");
    RunSeconds(clock, 5);
    EXPECT_EQ(owner.nTimeUps, 1);
    EXPECT_EQ(clock->GetValue(), 0);
}

TEST_F(ClockTest, StepsAtMostOneSecondPerTickAndKeepsTheRest)
{
    CClock* clock = MakeClock(4, 1, 0);
    clock->Tick(10 * kSecond);
    EXPECT_EQ(clock->GetValue(), 0) << "a stopped clock does not advance";
    EXPECT_EQ(clock->TicksToNextChange(), CScene::NoChange);
    clock->Start();
    clock->Tick(255);
    EXPECT_EQ(clock->GetValue(), 0);
    EXPECT_EQ(clock->TicksToNextChange(), 1) << "the next second is due in a tick";
    clock->Tick(1);
    EXPECT_EQ(clock->GetValue(), 1);
    EXPECT_EQ(clock->TicksToNextChange(), kSecond);
    clock->Tick(3 * kSecond);
    EXPECT_EQ(clock->GetValue(), 2);
    clock->Tick(0);
    clock->Tick(0);
    EXPECT_EQ(clock->GetValue(), 4);
    clock->Tick(0);
    EXPECT_EQ(clock->GetValue(), 4);
}

TEST_F(ClockTest, ResetReturnsToTheStartOnlyWhenResettable)
{
    CClock* clock = MakeClock(4, 1, 5);
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

TEST_F(ClockTest, AlarmRepeatsEveryStep)
{
    CClock* clock = MakeClock(4, 1, 0);
    clock->SetAlarm(3, 0);
    clock->Start();
    RunSeconds(clock, 2);
    EXPECT_EQ(owner.nAlarms, 0);
    RunSeconds(clock, 1);
    EXPECT_EQ(owner.nAlarms, 1);
    RunSeconds(clock, 6);
    EXPECT_EQ(owner.nAlarms, 3);
}

TEST_F(ClockTest, ClockWithoutOwnerCountsDownSafely)
{
    auto clock = std::make_unique<CClock>(&scene, nullptr, pos, &text, &behaviour, 2, nullptr, 0, 1);
    clock->SetAlarm(1, -5);
    clock->Start();
    clock->Tick(kSecond);
    EXPECT_EQ(clock->GetValue(), 0);
}

TEST_F(ClockTest, NumberShowsNoLeadingZerosAndClamps)
{
    CNumber* number = MakeNumber(3);
    EXPECT_EQ(Shown(number), "0");
    number->Set(7);
    EXPECT_EQ(Shown(number), "0") << "the label changes at the next refresh";
    number->Refresh();
    EXPECT_EQ(Shown(number), "7");
    number->Set(1500);
    number->Refresh();
    EXPECT_EQ(number->GetValue(), 999);
    EXPECT_EQ(Shown(number), "999");
    number->Add(-5000);
    number->Refresh();
    EXPECT_EQ(Shown(number), "0");
}

TEST_F(ClockTest, NumberDigitLimits)
{
    EXPECT_EQ(MakeNumber(0)->GetMax(), 9);
    EXPECT_EQ(MakeNumber(1)->GetMax(), 9);
    EXPECT_EQ(MakeNumber(9)->GetMax(), 999999999);
    CNumber* unlimited = MakeNumber(12);
    EXPECT_EQ(unlimited->GetMax(), 2147483647);
    unlimited->Set(2147483637);
    unlimited->Add(100);
    unlimited->Refresh();
    EXPECT_EQ(Shown(unlimited), "2147483647") << "the sum saturates";
    unlimited->Add(-2147483647 - 1);
    EXPECT_EQ(unlimited->GetValue(), 0);
}

TEST_F(ClockTest, ClockArithmeticSaturates)
{
    CClock* clock = MakeClock(4, 1, 5);
    clock->Add(2147483647);
    EXPECT_EQ(clock->GetValue(), 3599);
    clock->Add(-2147483647 - 1);
    EXPECT_EQ(clock->GetValue(), 0);
    clock->SetAlarm(2147483647, 10);
    clock->Start();
    clock->Tick(2147483647); // shows the forced value
    clock->Tick(2147483647);
    EXPECT_EQ(clock->GetValue(), 1) << "the gathered ticks saturate";
    EXPECT_EQ(owner.nAlarms, 0) << "the next alarm lies beyond any value";
}

TEST(FormatDecimal, PositionsAndZeroFill)
{
    struct Case {
        int value, positions, zeroFill;
        const char* text;
    } cases[] = {{7, 3, 0, "7"}, {7, 3, 1, "007"}, {0, 2, 0, "0"}, {105, 3, 0, "105"},
                 {1234, 2, 1, "1234"}}; // values beyond the positions are not cut
    for (const Case& c : cases) {
        char out[12];
        CNumber::FormatDecimal(out, c.value, c.positions, c.zeroFill);
        EXPECT_STREQ(out, c.text);
    }
}

} // namespace
