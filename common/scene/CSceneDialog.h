#pragma once
#include "common/scene/CScene.h"

class CScreen;
class CSprite;
class CSpriteArray;
class CDialogModal;
struct TextDesc;
struct ButtonDesc;

// A dialog scene laid over a parent scene. Answers (buttons, hotspots, keys,
// or 0 after 10 seconds without answer actors) go to the parent's
// OnDialogResult at the next tick pass.
class CSceneDialog : public CScene {
public:
    // Called with 0 when the dialog is shown.
    class ShowHook {
    public:
        virtual ~ShowHook() = default;
        virtual void OnShow(int value) = 0;
    };

    static constexpr int kTimeOut = 2560; // ticks

    CSceneDialog(CScreen* pScreen, CScene* pParent, CSprite* background, CSpriteArray* answerImages,
                 ShowHook* onShow, TextDesc* texts, ButtonDesc* buttons, int nAnswers, int x, int y,
                 int nHotWidth, int nHotHeight);
    ~CSceneDialog() override;

    int32_t Begin() override;
    virtual void ShowDialog();
    void Tick() override;
    int32_t TicksToNextChange() override;
    int32_t OnKeyDown(uint32_t key) override;
    int32_t OnKeyUp(uint32_t key) override;

    // Answer a key code gives, or -1.
    static int AnswerForKey(uint32_t key);

    CScene* GetParent() const { return pParent; }
    CDialogModal* GetModal() const { return pdmDialog; }
    int GetTimeLeft() const { return lTimeLeft; }
    int GetOpened() const { return lOpened; }
    int IsActive() const { return fActive; }

protected:
    // The first answer waits for the tick pass.
    void Answer(int answer);

    CScene* pParent;
    CDialogModal* pdmDialog = nullptr;
    CSprite* pasBackground;
    CSpriteArray* pAnswerImages;
    ShowHook* pOnShow;
    int nAnswers;
    TextDesc* pTextDescs;
    ButtonDesc* pButtonDescs;
    int lCentreX;
    int lCentreY;
    int nHotWidth;
    int nHotHeight;
    int lTimeLeft = kTimeOut;
    int lOpened = 0;
    int fActive = 0;

private:
    // Without answer actors the dialog answers 0 every 10 seconds.
    void CountDown();

    int nAnswerDue = -1;
};
