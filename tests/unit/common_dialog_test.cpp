#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>
#include "common/CDialogModal.h"
#include "common/CSceneDialog.h"
#include "common/CSprite.h"
#include "common/CSpriteArray.h"
#include "platform/AppTimer.h"
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

// A 300 x 100 dialog over the parent with answer images of 60 x 20.
class DialogTest : public testing::Test {
protected:
    DialogTest()
    {
        background.nWidth = 300;
        background.nHeight = 100;
        for (int i = 0; i < 2; ++i) {
            images.Store(i, new CSprite());
            images.Get(i)->nWidth = 60;
            images.Get(i)->nHeight = 20;
        }
        images.nCount = 2;
        for (TextDesc& text : texts)
            text = GlyphText(label, &font);
    }
    ~DialogTest() override
    {
        dialog.reset();
        AppTimer(TimerStart);
    }
    CSceneDialog* Open(int nAnswers, int hotWidth = 0, int hotHeight = 0, CSpriteArray* with = nullptr)
    {
        dialog.reset();
        dialog = std::make_unique<CSceneDialog>(nullptr, &parent, &background, with ? with : &images, nullptr, texts,
                                                &buttons, nAnswers, -1, -1, hotWidth, hotHeight);
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
    // Clicks answer actor i; the answer waits for the tick pass.
    void ClickAnswer(int i)
    {
        const Rect rc = dialog->GetModal()->GetAnswer(i)->GetBounds();
        Dispatch(MouseEvent::LeftDown, uint16_t(rc.left + 1), uint16_t(rc.top + 1));
        Dispatch(MouseEvent::LeftUp, uint16_t(rc.left + 1), uint16_t(rc.top + 1));
    }

    ParentScene parent;
    CSprite background{};
    CSpriteArray images{0};
    TestGlyphFont font;
    char label[4] = "";
    TextDesc texts[4];
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

TEST_F(DialogTest, HotspotModeAnswersOnlyOnAHotspotsKeyDownAndNeverTimesOut)
{
    CSceneDialog* d = Open(2, 40, 30);
    EXPECT_EQ(d->OnKeyDown('Y'), 0);
    EXPECT_EQ(d->OnKeyDown('2'), 0) << "no third hotspot";
    EXPECT_EQ(d->OnKeyUp('Y'), 1);
    EXPECT_EQ(d->OnKeyUp('0'), 1);
    RunFrames(1);
    EXPECT_TRUE(parent.answers.empty());
    EXPECT_EQ(d->GetModal()->GetAnswer(1)->GetBounds().Width(), 40);
    EXPECT_EQ(d->GetModal()->GetAnswer(1)->GetBounds().Height(), 30);
    ClickAnswer(1); // the front-most hotspot is the last made
    RunFrames(3 * kFramesPerTimeOut);
    EXPECT_EQ(parent.answers, std::vector<int>{1});
}

TEST_F(DialogTest, WithoutAnswerActorsAnswersZeroEveryTenSeconds)
{
    CSpriteArray none(0);
    for (const int nAnswers : {0, 12}) {
        CSceneDialog* d = Open(nAnswers, 0, 0, &none);
        parent.answers.clear();
        EXPECT_EQ(d->GetModal()->GetAnswerCount(), nAnswers == 0 ? 0 : 8);
        EXPECT_EQ(d->GetModal()->GetAnswer(0), nullptr) << "buttons need an image";
        RunFrames(kFramesPerTimeOut);
        EXPECT_TRUE(parent.answers.empty());
        RunFrames(1);
        RunFrames(kFramesPerTimeOut);
        EXPECT_EQ(parent.answers, std::vector<int>{0});
        RunFrames(1);
        EXPECT_EQ(parent.answers, (std::vector<int>{0, 0}));
    }
}

// x = 250 + (i + 1) * 300 / 3, y = 250 + 100 - 20 / 2 - 35; code 48 answers 0.
TEST_F(DialogTest, AnswerButtonsAlongTheBottomNeverTimeOutAndTheParentMayDeleteTheDialogAtTheAnswer)
{
    CSceneDialog* d = Open(2);
    EXPECT_EQ(d->GetModal()->GetBackground()->GetBounds(), (Rect{250, 250, 550, 350}));
    EXPECT_EQ(d->GetModal()->GetAnswer(0)->GetX(), 350 * 256);
    EXPECT_EQ(d->GetModal()->GetAnswer(1)->GetX(), 450 * 256);
    EXPECT_EQ(d->GetModal()->GetAnswer(0)->GetY(), 305 * 256);
    EXPECT_EQ(buttons.nCommand, 47) << "the caller's behaviour is left as it was";
    RunFrames(3 * kFramesPerTimeOut);
    EXPECT_TRUE(parent.answers.empty());
    ClickAnswer(1);
    RunFrames(1);
    parent.onResult = [&] { dialog.reset(); };
    ClickAnswer(0);
    EXPECT_EQ(parent.answers, std::vector<int>{1}) << "the answer waits for the tick pass";
    CScene::TickAllScenes();
    EXPECT_EQ(parent.answers, (std::vector<int>{1, 0}));
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(CScene::GetTopScene(), &parent);
}

} // namespace
