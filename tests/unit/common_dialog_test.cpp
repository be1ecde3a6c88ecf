#include <gtest/gtest.h>
#include <array>
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

// The parent scene: an 800 x 600 game that logs the answers it receives.
class ParentScene : public CScene {
public:
    ParentScene(int originX, int originY) : CScene(nullptr, originX, originY, 0, 1, 0, 1)
    {
        SetRect(Rect{0, 0, 800, 600}, 0, 0);
    }
    void OnDialogResult(CScene*, int32_t answer) override
    {
        answers.push_back(answer);
        onResult();
    }
    std::vector<int> answers;
    std::function<void()> onResult = [] {};
};

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
    CSceneDialog* Open(int nAnswers, int x, int y, int hotWidth = 0, int hotHeight = 0, CSpriteArray* with = nullptr)
    {
        dialog.reset();
        dialog = std::make_unique<CSceneDialog>(nullptr, &parent, &background, with ? with : &images, nullptr, texts,
                                                &buttons, nAnswers, x, y, hotWidth, hotHeight);
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
    // Clicks the answer actor i and runs the tick pass.
    void ClickAnswer(int i)
    {
        const Rect rc = dialog->GetModal()->GetAnswer(i)->GetBounds();
        Dispatch(MouseEvent::LeftDown, uint16_t(rc.left + 1), uint16_t(rc.top + 1));
        Dispatch(MouseEvent::LeftUp, uint16_t(rc.left + 1), uint16_t(rc.top + 1));
        CScene::TickAllScenes();
    }

    ParentScene parent{0, 0};
    CSprite background{};
    CSpriteArray images{0};
    TestGlyphFont font;
    char label[4] = "";
    TextDesc texts[4];
    ButtonDesc buttons = Behaviour(kButtonPush, 47);
    std::unique_ptr<CSceneDialog> dialog;
};

// -1 centres in the parent; a given centre is the middle of the background.
TEST_F(DialogTest, PlacedInTheParentAsItsTopSceneWhileOpen)
{
    for (const auto [x, y, left, top] : {std::array{-1, -1, 250, 250}, std::array{420, 200, 270, 150}}) {
        CSceneDialog* d = Open(0, x, y);
        EXPECT_EQ(d->GetModal()->GetBackground()->GetBounds(), (Rect{left, top, left + 300, top + 100}));
        EXPECT_EQ(d->GetKind(), CScene::KindDialog);
        EXPECT_EQ(d->GetModal()->GetBackground()->GetZ(), 2560);
        EXPECT_EQ(parent.GetOpenDialogs(), 1);
        EXPECT_EQ(CScene::GetTopScene(), d);
        EXPECT_FALSE(d->IsSuspended());
        dialog.reset();
        EXPECT_EQ(parent.GetOpenDialogs(), 0);
        EXPECT_EQ(CScene::GetTopScene(), &parent);
    }
    // The dialog takes the parent's origin (3, 13 pixels); bounds leave it out.
    ParentScene offset(768, 3328);
    CSceneDialog inner(nullptr, &offset, &background, nullptr, nullptr, nullptr, nullptr, 0, -1, -1, 0, 0);
    inner.Begin();
    EXPECT_EQ(inner.GetOriginX(), 768);
    EXPECT_EQ(inner.GetOriginY(), 3328);
    EXPECT_EQ(inner.GetModal()->GetBackground()->GetBounds().left, 247);
    EXPECT_EQ(inner.GetModal()->GetBackground()->GetBounds().top, 237);
}

TEST_F(DialogTest, AnswerKeysAnswerOnKeyUpAtTheTickPass)
{
    CSceneDialog* d = Open(2, -1, -1);
    const struct {
        uint32_t key;
        int answer;
    } cases[] = {{'Y', 1}, {'y', 1}, {'1', 1}, {'n', 0}, {'N', 0}, {'0', 0}, {'2', 2}, {'3', 3}};
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
    CSceneDialog* d = Open(2, -1, -1, 40, 30);
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
        CSceneDialog* d = Open(nAnswers, -1, -1, 0, 0, &none);
        parent.answers.clear();
        EXPECT_EQ(d->GetModal()->GetAnswerCount(), nAnswers == 0 ? 0 : 8);
        EXPECT_EQ(d->GetModal()->GetAnswer(0), nullptr) << "buttons need an image";
        RunFrames(kFramesPerTimeOut);
        EXPECT_TRUE(parent.answers.empty());
        RunFrames(1);
        EXPECT_EQ(parent.answers, std::vector<int>{0});
        RunFrames(kFramesPerTimeOut);
        EXPECT_EQ(parent.answers.size(), 1u);
        RunFrames(1);
        EXPECT_EQ(parent.answers, (std::vector<int>{0, 0}));
    }
}

TEST_F(DialogTest, AnswerButtonsArePinnedAlongTheBottomSendTheNextCodesAndNeverTimeOut)
{
    CSceneDialog* d = Open(2, -1, -1);
    CActor* first = d->GetModal()->GetAnswer(0);
    EXPECT_FALSE(first->IsHidden());
    // x = 250 + (i + 1) * 300 / 3, y = 250 + 100 - 20 / 2 - 35.
    EXPECT_EQ(first->GetX(), 350 * 256);
    EXPECT_EQ(d->GetModal()->GetAnswer(1)->GetX(), 450 * 256);
    EXPECT_EQ(first->GetY(), 305 * 256);
    EXPECT_EQ(first->GetZ(), 2560 - 256);
    first->OffsetBy(256, 256);
    d->GetModal()->GetBackground()->OffsetBy(256, 256);
    EXPECT_EQ(first->GetX(), 350 * 256);
    EXPECT_EQ(d->GetModal()->GetBackground()->GetX(), 250 * 256);
    EXPECT_EQ(buttons.nCommand, 47) << "the caller's behaviour is left as it was";
    RunFrames(3 * kFramesPerTimeOut);
    EXPECT_TRUE(parent.answers.empty());
    ClickAnswer(0);
    ClickAnswer(1);
    EXPECT_EQ(parent.answers, (std::vector<int>{0, 1})) << "code 48 answers 0";
}

TEST_F(DialogTest, ParentMayDeleteTheDialogWhenItAnswers)
{
    Open(2, -1, -1);
    parent.onResult = [&] { dialog.reset(); };
    ClickAnswer(0);
    EXPECT_EQ(parent.answers, std::vector<int>{0});
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(CScene::GetTopScene(), &parent);
}

} // namespace
