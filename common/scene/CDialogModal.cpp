#include "common/scene/CDialogModal.h"
#include "base/Fixed.h"
#include "common/actors/ButtonDesc.h"
#include "common/actors/CActorButton.h"
#include "common/actors/CActorHotspot.h"
#include "common/actors/CActorSprite.h"
#include "common/assets/CSprite.h"
#include "common/assets/CSpriteArray.h"
#include "common/actors/TextDesc.h"

namespace {
constexpr int kButtonLift = 35;
} // namespace

CDialogModal::CDialogModal(CScene* pScene, int x, int y, int z, CSprite* background, CSpriteArray* answerImages,
                           TextDesc* texts, ButtonDesc* buttons, int nAnswers, int nHotWidth, int nHotHeight)
    : pScene(pScene), lX(x), lY(y), lZ(z), nAnswers(nAnswers < 0 ? 0 : (nAnswers > kMaxAnswers ? kMaxAnswers : nAnswers)),
      nHotWidth(nHotWidth), nHotHeight(nHotHeight)
{
    pasBackground = new CActorSprite(pScene, x, y, z, background, 0);
    pasBackground->SetPinned(1);
    // The caller's behaviour stays as given; each answer sends the next command code.
    ButtonDesc behaviour = buttons ? *buttons : ButtonDesc{};
    for (int i = 0; i < this->nAnswers; ++i) {
        if (nHotWidth != 0)
            rgpasAnswers[i] = MakeHotspot(i);
        else if (texts && buttons && answerImages && answerImages->Get(0)) {
            ++behaviour.nCommand;
            rgpasAnswers[i] = MakeButton(i, background, answerImages, &texts[i + 1], &behaviour);
        }
        if (rgpasAnswers[i])
            rgpasAnswers[i]->SetPinned(1);
    }
    HideAll();
}

CDialogModal::~CDialogModal() = default;

CActor* CDialogModal::MakeHotspot(int i)
{
    const int left = Fixed::FromRaw(lX).Whole();
    const int top = Fixed::FromRaw(lY).Whole();
    return new CActorHotspot(pScene, left, top, left + nHotWidth, top + nHotHeight, lZ - Fixed::kOne,
                             kFirstHotspotKey + i);
}

CActor* CDialogModal::MakeButton(int i, CSprite* background, CSpriteArray* images, const TextDesc* text,
                                 const ButtonDesc* behaviour)
{
    const int width = background ? background->nWidth : 0;
    const int height = background ? background->nHeight : 0;
    const int bx = lX + (i + 1) * width * Fixed::kOne / (nAnswers + 1);
    const int by = lY + (height - images->Get(0)->nHeight / 2 - kButtonLift) * Fixed::kOne;
    const int stateBase = images->nCount > 3 ? 2 * i : 0;
    return new CActorButton(text, behaviour, pScene, bx, by, lZ - Fixed::kOne, images, stateBase);
}

int CDialogModal::CountAnswerActors() const
{
    int count = 0;
    for (const CActor* answer : rgpasAnswers)
        count += answer ? 1 : 0;
    return count;
}

void CDialogModal::ShowAll()
{
    for (CActor* answer : rgpasAnswers)
        if (answer)
            answer->Show();
}

void CDialogModal::HideAll()
{
    for (CActor* answer : rgpasAnswers)
        if (answer)
            answer->Hide();
}
