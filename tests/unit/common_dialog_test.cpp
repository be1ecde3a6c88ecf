#include <gtest/gtest.h>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "base/MouseEvent.h"
#include "common/ButtonDesc.h"
#include "common/CActor.h"
#include "common/CDialogModal.h"
#include "common/CSceneDialog.h"
#include "common/CSprite.h"
#include "common/CSpriteArray.h"
#include "common/TextDesc.h"
#include "platform/AppTimer.h"
#include "UiTestSupport.h"

namespace {

constexpr int kStep = 25; // ticks a stopped timer advances per 0.1 s, clamped

// The parent scene: an 800 x 600 game that logs the answers it receives.
class ParentScene : public CScene {
public:
    ParentScene(int originX, int originY) : CScene(nullptr, originX, originY, 0, 1, 0, 1)
    {
        SetRect(Rect{0, 0, 800, 600}, 0, 0);
    }
    void OnDialogResult(CScene* dialog, int32_t answer) override
    {
        EXPECT_NE(dialog, nullptr);
        answers.push_back(answer);
        onResult();
    }
    std::vector<int> answers;
    std::function<void()> onResult = [] {};
};

CSprite* MakeSprite(int width, int height)
{
    auto* sprite = new CSprite();
    sprite->nWidth = width;
    sprite->nHeight = height;
    return sprite;
}

class DialogTest : public testing::Test {
protected:
    DialogTest() : images(0)
    {
        for (int i = 0; i < 2; ++i)
            images.Store(i, MakeSprite(60, 20));
        images.nCount = 2;
        for (TextDesc& text : texts)
            text = TextDesc{label, 8, 0, 0, &font, 0, 0xFFFFFFFF, 0, 0};
    }
    ~DialogTest() override
    {
        dialog.reset();
        AppTimer(TimerStart);
    }

    CSceneDialog* Open(int nAnswers, int x, int y, int hotWidth = 0, int hotHeight = 0)
    {
        dialog = std::make_unique<CSceneDialog>(nullptr, &parent, &background, &images, nullptr, texts, &buttons,
                                                nAnswers, x, y, hotWidth, hotHeight);
        dialog->Begin();
        AppTimer(TimerStop);
        return dialog.get();
    }
    // Stopped application time advanced by 0.1 s per frame: 25 ticks each.
    void RunFrames(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            AppTimer(TimerAdvance);
            dialog->Tick();
        }
    }
    static void Click(int x, int y)
    {
        Dispatch(MouseEvent::LeftDown, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        Dispatch(MouseEvent::LeftUp, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }

    ParentScene parent{0, 0};
    CSprite background{};
    CSpriteArray images;
    TestGlyphFont font;
    char label[4] = "";
    TextDesc texts[4];
    ButtonDesc buttons{kButtonPush, 47, 1, 0xFF7F0000, 0, 0};
    std::unique_ptr<CSceneDialog> dialog;
};

TEST_F(DialogTest, MinusOneCentresInTheParentAGivenCentreIsTheMiddleOfTheBackground)
{
    background.nWidth = 300;
    background.nHeight = 100;
    for (const auto [x, y, left, top] : {std::array{-1, -1, 250, 250}, std::array{420, 200, 270, 150}}) {
        CSceneDialog* d = Open(0, x, y);
        const Rect& rc = d->GetModal()->GetBackground()->GetBounds();
        EXPECT_EQ(rc.left, left);
        EXPECT_EQ(rc.top, top);
        EXPECT_EQ(rc.right, left + 300);
        EXPECT_EQ(d->GetKind(), CScene::KindDialog);
        EXPECT_EQ(d->GetModal()->GetBackground()->GetZ(), 2560);
    }
}

TEST_F(DialogTest, ParentCountsOpenDialogs)
{
    EXPECT_EQ(parent.GetOpenDialogs(), 0);
    Open(0, -1, -1);
    EXPECT_EQ(parent.GetOpenDialogs(), 1);
    EXPECT_EQ(CScene::GetTopScene(), dialog.get());
    EXPECT_FALSE(dialog->IsSuspended());
    dialog.reset();
    EXPECT_EQ(parent.GetOpenDialogs(), 0);
    EXPECT_EQ(CScene::GetTopScene(), &parent);
}

TEST_F(DialogTest, AnswerKeys)
{
    CSceneDialog* d = Open(2, -1, -1);
    struct Case {
        uint32_t key;
        int answer;
    } cases[] = {{'Y', 1}, {'y', 1}, {'1', 1}, {'n', 0}, {'N', 0}, {'0', 0}, {'2', 2}, {'3', 3}};
    for (const Case& c : cases) {
        parent.answers.clear();
        EXPECT_EQ(d->OnKeyUp(c.key), 0) << c.key;
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

TEST_F(DialogTest, HotspotModeAnswersOnlyOnAHotspotsKeyDown)
{
    CSceneDialog* d = Open(2, -1, -1, 40, 30);
    EXPECT_EQ(d->OnKeyDown('Y'), 0);
    EXPECT_EQ(d->OnKeyDown('2'), 0) << "no third hotspot";
    EXPECT_EQ(d->OnKeyUp('Y'), 1);
    EXPECT_EQ(d->OnKeyUp('0'), 1);
    RunFrames(1);
    EXPECT_TRUE(parent.answers.empty());
    const Rect& rc = d->GetModal()->GetAnswer(1)->GetBounds();
    EXPECT_EQ(rc.right - rc.left, 40);
    EXPECT_EQ(rc.bottom - rc.top, 30);
    Click(rc.left + 1, rc.top + 1); // the front-most hotspot is the last made
    RunFrames(1);
    EXPECT_EQ(parent.answers, std::vector<int>{1});
    RunFrames(3 * 2560 / kStep);
    EXPECT_EQ(parent.answers.size(), 1u) << "hotspots are answer actors: no time-out";
}

TEST_F(DialogTest, WithoutAnswerButtonsAnswersZeroEveryTenSeconds)
{
    Open(0, -1, -1);
    RunFrames(2560 / kStep);
    EXPECT_TRUE(parent.answers.empty());
    RunFrames(1);
    EXPECT_EQ(parent.answers, std::vector<int>{0});
    RunFrames(2560 / kStep);
    EXPECT_EQ(parent.answers.size(), 1u);
    RunFrames(1);
    EXPECT_EQ(parent.answers, (std::vector<int>{0, 0}));
}

TEST_F(DialogTest, AnswerButtonsArePlacedAlongTheBottomAndSendTheNextCodes)
{
    background.nWidth = 300;
    background.nHeight = 100;
    CSceneDialog* d = Open(2, -1, -1);
    CActor* first = d->GetModal()->GetAnswer(0);
    CActor* second = d->GetModal()->GetAnswer(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(first->IsHidden()) << "shown when the dialog opens";
    // x = 250 + (i + 1) * 300 / 3, y = 250 + 100 - 20 / 2 - 35.
    EXPECT_EQ(first->GetX(), 350 * 256);
    EXPECT_EQ(second->GetX(), 450 * 256);
    EXPECT_EQ(first->GetY(), 305 * 256);
    EXPECT_EQ(first->GetZ(), 2560 - 256);
    first->OffsetBy(256, 256);
    d->GetModal()->GetBackground()->OffsetBy(256, 256);
    EXPECT_EQ(first->GetX(), 350 * 256) << "answers are pinned";
    EXPECT_EQ(d->GetModal()->GetBackground()->GetX(), 250 * 256) << "the background is pinned";
    EXPECT_EQ(buttons.nCommand, 47) << "the caller's behaviour is left as it was";
    RunFrames(3 * 2560 / kStep);
    EXPECT_TRUE(parent.answers.empty()) << "answer buttons never time out";
    const Rect& rc = first->GetBounds();
    Click(rc.left + 1, rc.top + 1);
    RunFrames(1);
    EXPECT_EQ(parent.answers, std::vector<int>{0}) << "code 48 answers 0";
    const Rect& rc2 = second->GetBounds();
    Click(rc2.left + 1, rc2.top + 1);
    RunFrames(1);
    EXPECT_EQ(parent.answers, (std::vector<int>{0, 1}));
}

TEST_F(DialogTest, ParentMayDeleteTheDialogWhenItAnswers)
{
    background.nWidth = 300;
    background.nHeight = 100;
    CSceneDialog* d = Open(2, -1, -1);
    parent.onResult = [&] { dialog.reset(); };
    const Rect rc = d->GetModal()->GetAnswer(0)->GetBounds();
    Click(rc.left + 1, rc.top + 1);
    EXPECT_TRUE(parent.answers.empty()) << "the answer waits for the tick pass, outside the button";
    CScene::TickAllScenes();
    EXPECT_EQ(parent.answers, std::vector<int>{0});
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(CScene::GetTopScene(), &parent);
}

TEST(DialogOrigin, DialogTakesTheParentOriginAndPlacesInSceneCoordinates)
{
    ParentScene parent(768, 3328);
    CSprite background;
    background.nWidth = 300;
    background.nHeight = 100;
    CSceneDialog dialog(nullptr, &parent, &background, nullptr, nullptr, nullptr, nullptr, 0, -1, -1, 0, 0);
    dialog.Begin();
    EXPECT_EQ(dialog.GetOriginX(), 768);
    EXPECT_EQ(dialog.GetOriginY(), 3328);
    // Bounds exclude the scene origin (3, 13 pixels).
    EXPECT_EQ(dialog.GetModal()->GetBackground()->GetBounds().left, 247);
    EXPECT_EQ(dialog.GetModal()->GetBackground()->GetBounds().top, 237);
}

TEST_F(DialogTest, ButtonsNeedAnImageAndAtMostEightAnswersAndWithoutThemTimeOut)
{
    CSpriteArray none(0);
    dialog = std::make_unique<CSceneDialog>(nullptr, &parent, &background, &none, nullptr, texts, &buttons, 12, -1,
                                            -1, 0, 0);
    dialog->Begin();
    AppTimer(TimerStop);
    EXPECT_EQ(dialog->GetModal()->GetAnswerCount(), 8);
    EXPECT_EQ(dialog->GetModal()->GetAnswer(0), nullptr);
    EXPECT_EQ(dialog->OnKeyUp('y'), 0);
    RunFrames(1);
    EXPECT_EQ(parent.answers, std::vector<int>{1});
    RunFrames(2560 / kStep);
    EXPECT_EQ(parent.answers, (std::vector<int>{1, 0}));
}

} // namespace
