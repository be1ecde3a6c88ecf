#pragma once

class CScene;
class CActor;
class CSprite;
class CSpriteArray;
struct TextDesc;
struct ButtonDesc;

// The actors of a dialog: a background picture and one actor per answer
// (buttons, or hotspots of a given size). The actors belong to the scene.
class CDialogModal {
public:
    static constexpr int kMaxAnswers = 8;
    // Hotspot i sends this code + i as a key-down.
    static constexpr int kFirstHotspotKey = 48;

    // x, y, z fixed values.
    CDialogModal(CScene* pScene, int x, int y, int z, CSprite* background, CSpriteArray* answerImages,
                 TextDesc* texts, ButtonDesc* buttons, int nAnswers, int nHotWidth, int nHotHeight);
    virtual ~CDialogModal();

    void ShowAll();
    void HideAll();

    CActor* GetBackground() const { return pasBackground; }
    CActor* GetAnswer(int i) const { return i >= 0 && i < nAnswers ? rgpasAnswers[i] : nullptr; }
    int GetAnswerCount() const { return nAnswers; }
    // Answers that could be made into actors.
    int CountAnswerActors() const;

private:
    CActor* MakeHotspot(int i);
    CActor* MakeButton(int i, CSprite* background, CSpriteArray* images, const TextDesc* text,
                       const ButtonDesc* behaviour);

    CActor* pasBackground = nullptr;
    CActor* rgpasAnswers[kMaxAnswers] = {};
    CScene* pScene;
    int lX, lY, lZ;
    int nAnswers;
    int nHotWidth;
    int nHotHeight;
};
