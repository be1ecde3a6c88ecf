#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>
#include "common/scene/CDialogModal.h"
#include "common/scene/CSceneDialog.h"
#include "common/scene/CSceneStack.h"
#include "common/assets/CSprite.h"
#include "common/assets/CSpriteArray.h"
#include "platform/window/AppTimer.h"
#include "UiTestSupport.h"

namespace {

constexpr int kFramesPerTimeOut = 2560 / 25; // a stopped timer advances 0.1 s, 25 ticks clamped, per frame

// The parent: an 800 x 600 game that logs the answers it receives.
class ParentScene : public CScene {
public:
    ParentScene() : CScene(nullptr, 0, 0, 0, 1, 0, 1) { SetRect(Rect{0, 0, 800, 600}, 0, 0); }
    void OnDialogResult(CScene*, int32_t answer) override
    {
        answers.push_back(answer);
        onResult();
    }
    std::vector<int> answers;
    std::function<void()> onResult = [] {};
};

// A 300 x 100 dialog over the parent; without answer images its answers are keys or hotspots.
class DialogTest : public testing::Test {
protected:
    DialogTest()
    {
        background.nWidth = 300;
        background.nHeight = 100;
    }
    ~DialogTest() override
    {
        dialog.reset();
        AppTimer(TimerStart);
    }
    CSceneDialog* Open(int nAnswers, int hotWidth = 0, int hotHeight = 0)
    {
        dialog.reset();
        dialog = std::make_unique<CSceneDialog>(nullptr, &parent, &background, &none, nullptr, nullptr, &buttons,
                                                nAnswers, -1, -1, hotWidth, hotHeight);
        dialog->Begin();
        AppTimer(TimerStop);
        return dialog.get();
    }
    void RunFrames(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            AppTimer(TimerAdvance);
            dialog->Tick();
        }
    }

    ParentScene parent;
    CSprite background{};
    CSpriteArray none{0};
    ButtonDesc buttons = Behaviour(kButtonPush, 47);
    std::unique_ptr<CSceneDialog> dialog;
};

TEST_F(DialogTest, AnswerKeysAnswerOnKeyUpAtTheTickPass)
{
    CSceneDialog* d = Open(2);
    const struct { uint32_t key; int answer; } cases[] = {{'Y', 1}, {'y', 1}, {'1', 1}, {'n', 0},
                                                          {'N', 0}, {'0', 0}, {'2', 2}, {'3', 3}};
    for (const auto& c : cases) {
        parent.answers.clear();
        EXPECT_EQ(d->OnKeyUp(c.key), 0) << c.key;
        EXPECT_TRUE(parent.answers.empty());
        RunFrames(1);
        EXPECT_EQ(parent.answers, std::vector<int>{c.answer}) << c.key;
    }
    parent.answers.clear();
    EXPECT_EQ(d->OnKeyUp('5'), 1);
    EXPECT_EQ(d->OnKeyUp('A'), 1);
    EXPECT_EQ(d->OnKeyDown('Y'), 1);
    RunFrames(1);
    EXPECT_TRUE(parent.answers.empty());
}

// Hotspots are answer actors: no time-out. The parent may delete the dialog when it answers.
TEST_F(DialogTest, HotspotModeAnswersOnlyOnAHotspotsKeyDownAtTheTickPass)
{
    CSceneDialog* d = Open(2, 40, 30);
    EXPECT_EQ(d->OnKeyDown('Y'), 0);
    EXPECT_EQ(d->OnKeyDown('2'), 0) << "no third hotspot";
    EXPECT_EQ(d->OnKeyUp('Y'), 1);
    EXPECT_EQ(d->OnKeyUp('0'), 1);
    RunFrames(3 * kFramesPerTimeOut);
    EXPECT_TRUE(parent.answers.empty());
    const Rect rc = d->GetModal()->GetAnswer(1)->GetBounds();
    EXPECT_EQ(rc.Width() * rc.Height(), 40 * 30);
    parent.onResult = [&] { dialog.reset(); };
    Dispatch(MouseEvent::LeftDown, uint16_t(rc.left + 1), uint16_t(rc.top + 1)); // the last made is in front
    Dispatch(MouseEvent::LeftUp, uint16_t(rc.left + 1), uint16_t(rc.top + 1));
    EXPECT_TRUE(parent.answers.empty());
    CScene::TickAllScenes();
    EXPECT_EQ(parent.answers, std::vector<int>{1});
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(CSceneStack::GetTop(), &parent);
}

// Answer buttons need an image; there are at most eight answers.
TEST_F(DialogTest, WithoutAnswerActorsAnswersZeroEveryTenSeconds)
{
    for (const int nAnswers : {0, 12}) {
        CSceneDialog* d = Open(nAnswers);
        parent.answers.clear();
        EXPECT_EQ(d->GetModal()->GetAnswerCount(), nAnswers == 0 ? 0 : 8);
        EXPECT_EQ(d->GetModal()->GetAnswer(0), nullptr);
        RunFrames(kFramesPerTimeOut);
        EXPECT_TRUE(parent.answers.empty());
        RunFrames(1);
        RunFrames(kFramesPerTimeOut);
        EXPECT_EQ(parent.answers, std::vector<int>{0});
        RunFrames(1);
        EXPECT_EQ(parent.answers, (std::vector<int>{0, 0}));
    }
}

} // namespace
