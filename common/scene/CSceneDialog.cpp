#include "common/scene/CSceneDialog.h"
#include <algorithm>
#include <new>
#include "base/Fixed.h"
#include "common/actors/CActor.h"
#include "common/scene/CDialogModal.h"
#include "common/screen/CScreen.h"
#include "common/assets/CSprite.h"
#include "platform/window/AppTimer.h"

namespace {
constexpr int kDialogDepth = Fixed::FromInt(10).Raw();

int SpriteWidth(const CSprite* sprite)
{
    return sprite ? sprite->nWidth : 0;
}

int SpriteHeight(const CSprite* sprite)
{
    return sprite ? sprite->nHeight : 0;
}

// Left or top edge: centred on the given centre, or in the parent's extent for -1.
int Place(int centre, int extent, int size)
{
    return centre == -1 ? (extent - size) / 2 : centre - size / 2;
}
} // namespace

CSceneDialog::CSceneDialog(CScreen* pScreen, CScene* pParent, CSprite* background, CSpriteArray* answerImages,
                           ShowHook* onShow, TextDesc* texts, ButtonDesc* buttons, int nAnswers, int x, int y,
                           int nHotWidth, int nHotHeight)
    : CScene(pScreen, pParent ? pParent->GetOriginX() : 0, pParent ? pParent->GetOriginY() : 0, 0, 1, 0, 1),
      pParent(pParent), pasBackground(background), pAnswerImages(answerImages), pOnShow(onShow),
      nAnswers(nAnswers), pTextDescs(texts), pButtonDescs(buttons), lCentreX(x), lCentreY(y), nHotWidth(nHotWidth),
      nHotHeight(nHotHeight)
{
    if (pParent)
        pParent->AddOpenDialog();
    nKind = KindDialog;
    lOpened = static_cast<int>(AppTimer(TimerAppTime) * 256.0);
}

CSceneDialog::~CSceneDialog()
{
    delete pdmDialog;
    pdmDialog = nullptr;
    if (pScreen)
        pScreen->InvalidateAllScenes();
    if (pParent)
        pParent->RemoveOpenDialog();
}

int32_t CSceneDialog::Begin()
{
    fActive = 0;
    const Rect& bounds = pParent ? pParent->GetRect() : rcScene;
    const int x = Place(lCentreX, bounds.Width(), SpriteWidth(pasBackground));
    const int y = Place(lCentreY, bounds.Height(), SpriteHeight(pasBackground));
    delete pdmDialog;
    pdmDialog = new (std::nothrow)
        CDialogModal(this, Fixed::FromInt(x).Raw(), Fixed::FromInt(y).Raw(), kDialogDepth, pasBackground,
                     pAnswerImages, pTextDescs, pButtonDescs, nAnswers, nHotWidth, nHotHeight);
    fActive = 1;
    for (CActor* actor = GetFirstActor(); actor; actor = actor->GetNext())
        actor->Restart(0, 1);
    CScene::Resume();
    ShowDialog();
    return 0;
}

void CSceneDialog::ShowDialog()
{
    if (pdmDialog)
        pdmDialog->ShowAll();
    if (pOnShow)
        pOnShow->OnShow(0);
    if (pScreen)
        pScreen->InvalidateAllScenes();
}

// The answer goes to the parent here, outside any input handler, so that
// the parent may delete the dialog: nothing of it is touched afterwards.
void CSceneDialog::Tick()
{
    CScene::Tick();
    CountDown();
    if (nAnswerDue < 0 || !pParent)
        return;
    const int answer = nAnswerDue;
    nAnswerDue = -1;
    pParent->OnDialogResult(this, answer);
}

void CSceneDialog::CountDown()
{
    if (!fActive || (pdmDialog && pdmDialog->CountAnswerActors() != 0) || lTimeLeft < 1)
        return;
    lTimeLeft -= lTickElapsed;
    if (lTimeLeft <= 0) {
        lTimeLeft = kTimeOut;
        Answer(0);
    }
}

int32_t CSceneDialog::TicksToNextChange()
{
    const int32_t lTicks = CScene::TicksToNextChange();
    return fActive && nAnswers == 0 && lTimeLeft > 0 ? std::min(lTicks, int32_t(lTimeLeft)) : lTicks;
}

int CSceneDialog::AnswerForKey(uint32_t key)
{
    switch (key) {
    case '0':
    case 'N':
    case 'n':
        return 0;
    case '1':
    case 'Y':
    case 'y':
        return 1;
    case '2':
        return 2;
    case '3':
        return 3;
    default:
        return -1;
    }
}

// In hotspot mode a hotspot's key-down answers.
int32_t CSceneDialog::OnKeyDown(uint32_t key)
{
    if (nHotWidth == 0)
        return 1;
    const int answer = static_cast<int>(key) - CDialogModal::kFirstHotspotKey;
    if (answer >= 0 && pdmDialog && pdmDialog->GetAnswer(answer))
        Answer(answer);
    return 0;
}

int32_t CSceneDialog::OnKeyUp(uint32_t key)
{
    const int answer = nHotWidth != 0 ? -1 : AnswerForKey(key);
    if (answer < 0)
        return 1;
    Answer(answer);
    return 0;
}

void CSceneDialog::Answer(int answer)
{
    if (nAnswerDue < 0)
        nAnswerDue = answer;
}
