#pragma once

class CScene;
class CActorButton;
class CSpriteArray;
struct TextDesc;
struct ButtonDesc;

// A decimal number shown through a label actor.
class CNumber {
public:
    // pos: x, y, depth as fixed values. Writes the address of the number's text into text->pszText.
    CNumber(CScene* pScene, const int pos[3], TextDesc* text, const ButtonDesc* behaviour, int nDigits,
            CSpriteArray* pStates);
    virtual ~CNumber(); // the label stays with the scene

    virtual void Add(int delta);
    virtual void Reset(int a, int b);
    virtual void Refresh();
    virtual void Set(int value);

    int GetValue() const { return lValue; }
    int GetMax() const { return lMax; }
    const char* GetText() const { return szText; }
    CActorButton* GetLabel() const { return pLabel; }

    // Writes value with w positions; leading zeros only with fZeroFill (the last digit always).
    static void FormatDecimal(char* out, int value, int w, int fZeroFill);
    // a + b held to the int range.
    static int AddSaturated(int a, int b);

protected:
    // A digit count held to 1..max.
    static short ClampDigits(int n, int max);
    // Rebuilds szText from lValue.
    virtual void BuildText();
    void Clamp();
    void ShowText();

    CActorButton* pLabel = nullptr;
    char szText[12] = {};
    int lValue = 0;
    int lMax = 0;
    short nDigits = 0;
    int fDirty = 0;
};
