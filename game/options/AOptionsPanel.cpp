#include "game/options/AOptionsPanel.h"

#include <algorithm>
#include <cstdio>
#include "base/Fixed.h"
#include "common/actors/ButtonDesc.h"
#include "common/actors/CActorButton.h"
#include "common/actors/CActorSprite.h"
#include "common/actors/TextDesc.h"
#include "game/options/AOptionsRollavex.h"
#include "platform/io/MSettings.h"

namespace {

// The board's top-left corner and the rows on it, in picture pixels.
constexpr int32_t kLeft = 187, kTop = 122;
constexpr int32_t kFirstRowY = kTop + 72, kRowPitch = 30;
constexpr int32_t kLabelX = kLeft + 24, kLessX = kLeft + 232, kValueX = kLeft + 318, kMoreX = kLeft + 372;
// Nearer than everything else of the game; the rows nearer than the board.
constexpr int32_t kDepth = 60;
constexpr uint32_t kCream = 0xFFF5E6C8;
// The stick's travel, in thousandths, that counts as a push.
constexpr int32_t kStickPush = 500;

struct RowSpec {
    const char* szLabel;
    const char* szKey;     // the setting's name and section in the settings file
    const char* szSection;
    int32_t AOptionsRollavex::*pField;
    int32_t nLowest, nHighest, nStep;
    bool fSwitch; // On and Off
    bool fVolume; // Off at 0 and below, and no sound without a device
};

const RowSpec kRows[AOptionsPanel::RowCount] = {
    {"Effects volume", "SFX", "Config", &AOptionsRollavex::SFX, 0, 100, 10, false, true},
    {"Music volume", "Music", "Config", &AOptionsRollavex::Music, 0, 100, 10, false, true},
    {"Mouse sensitivity", "MouseSensitivity", "Input", &AOptionsRollavex::MouseSensitivity, 10, 1000, 10, false, false},
    {"Invert up and down", "InvertY", "Input", &AOptionsRollavex::InvertY, 0, 1, 1, true, false},
    {"Full screen", "Fullscreen", "Config", &AOptionsRollavex::Fullscreen, 0, 1, 1, true, false},
    {"Stick dead zone", "StickDeadZone", "Input", &AOptionsRollavex::StickDeadZone, 0, 90, 5, false, false},
    {"Ghost of the best run", "Ghost", "Config", &AOptionsRollavex::Ghost, 0, 1, 1, true, false},
};

CActorButton* MakeText(CScene* pScene, int32_t x, int32_t y, int32_t nAlign, uint32_t colour)
{
    char empty[1] = "";
    const TextDesc text{.pszText = empty, .nMaxLen = 24, .nHAlign = nAlign, .nVAlign = 0, .clrText = colour,
        .fTextShadow = 1};
    const ButtonDesc label{.nKind = kButtonLabel, .clrFrame = 0xFF7F0000};
    return new CActorButton(&text, &label, pScene, x * Fixed::kOne, y * Fixed::kOne, (kDepth - 10) * Fixed::kOne,
                            nullptr, 0);
}

CActorButton* MakeArrow(CScene* pScene, int32_t x, int32_t y, CSpriteArray* pImages, uint32_t nCommand)
{
    char empty[1] = "";
    const TextDesc text{.pszText = empty, .nMaxLen = 1, .nHAlign = 2, .nVAlign = 0, .clrText = 0xFFFFFFFF};
    const ButtonDesc push{.nKind = kButtonPush, .nCommand = int32_t(nCommand), .fClickable = 1,
        .clrFrame = 0xFF7F0000};
    return new CActorButton(&text, &push, pScene, x * Fixed::kOne, y * Fixed::kOne, (kDepth - 10) * Fixed::kOne,
                            pImages, 0);
}

} // namespace

AOptionsPanel::AOptionsPanel(CScene* pScene, Host* pHost, AOptionsRollavex* pOptions, CSprite* pBoard,
                             CSpriteArray* pLess, CSpriteArray* pMore)
    : pHost(pHost), pOptions(pOptions)
{
    pasBoard = new CActorSprite(pScene, kLeft * Fixed::kOne, kTop * Fixed::kOne, kDepth * Fixed::kOne, pBoard, 0);
    for (int32_t row = 0; row < RowCount; ++row) {
        const int32_t y = kFirstRowY + row * kRowPitch;
        rgpLabels[row] = MakeText(pScene, kLabelX, y, 2, kCream);
        rgpValues[row] = MakeText(pScene, kValueX, y, 0, kCream);
        rgpArrows[row][0] = MakeArrow(pScene, kLessX, y - 14, pLess, FirstCommand + 2 * uint32_t(row));
        rgpArrows[row][1] = MakeArrow(pScene, kMoreX, y - 14, pMore, FirstCommand + 2 * uint32_t(row) + 1);
    }
    Close();
}

void AOptionsPanel::Open()
{
    fOpen = true;
    pasBoard->Show();
    for (int32_t row = 0; row < RowCount; ++row) {
        for (CActorButton* actor : {rgpLabels[row], rgpValues[row], rgpArrows[row][0], rgpArrows[row][1]})
            actor->Show();
        ShowRow(row);
    }
}

void AOptionsPanel::Close()
{
    fOpen = false;
    pasBoard->Hide();
    for (int32_t row = 0; row < RowCount; ++row)
        for (CActorButton* actor : {rgpLabels[row], rgpValues[row], rgpArrows[row][0], rgpArrows[row][1]})
            actor->Hide();
}

bool AOptionsPanel::OnKey(uint32_t nKey, bool fDown)
{
    if (!fOpen)
        return false;
    if (nKey >= FirstCommand && nKey < FirstCommand + 2 * RowCount) {
        if (!fDown)
            Change(int32_t(nKey - FirstCommand) / 2, (nKey - FirstCommand) % 2 ? 1 : -1);
        return true;
    }
    if (!fDown) {
        if (nKey == KeyEscape || nKey == KeyO)
            Close();
        return true;
    }
    if (nKey == KeyUp || nKey == KeyDown)
        Select((nSelected + (nKey == KeyUp ? RowCount - 1 : 1)) % RowCount);
    else if (nKey == KeyLeft || nKey == KeyRight)
        Change(nSelected, nKey == KeyLeft ? -1 : 1);
    else if (nKey == KeyEnter || nKey == KeyN)
        Change(nSelected, kRows[nSelected].fSwitch && pOptions->*kRows[nSelected].pField ? -1 : 1);
    return true;
}

// A push of the stick past half its travel counts once, like a key press.
void AOptionsPanel::OnStick(int32_t x, int32_t y)
{
    auto direction = [](int32_t v) { return v > kStickPush ? 1 : v < -kStickPush ? -1 : 0; };
    const int32_t dx = direction(x), dy = direction(y);
    if (dy != 0 && dy != nStickY)
        OnKey(dy < 0 ? KeyUp : KeyDown, true);
    if (dx != 0 && dx != nStickX)
        OnKey(dx < 0 ? KeyLeft : KeyRight, true);
    nStickX = dx;
    nStickY = dy;
}

void AOptionsPanel::Select(int32_t nRow)
{
    const int32_t was = nSelected;
    nSelected = nRow;
    ShowRow(was);
    ShowRow(nRow);
}

void AOptionsPanel::Change(int32_t nRow, int32_t nDirection)
{
    const RowSpec& setting = kRows[nRow];
    int32_t& value = pOptions->*setting.pField;
    const int32_t changed = std::clamp(std::max(value, setting.nLowest) + nDirection * setting.nStep, setting.nLowest,
                                       setting.nHighest);
    Select(nRow);
    if (changed == value)
        return;
    value = changed;
    ShowRow(nRow);
    pHost->ApplyOption(nRow);
}

void AOptionsPanel::Keep(const AOptionsRollavex& options, int32_t nRow)
{
    const RowSpec& setting = kRows[nRow];
    GetSettings()->WriteDword(setting.szKey, options.*setting.pField, setting.szSection);
}

const char* AOptionsPanel::GetValueText(int32_t nRow) const
{
    static char text[16];
    const RowSpec& setting = kRows[nRow];
    const int32_t value = pOptions->*setting.pField;
    if (setting.fVolume && !pHost->HasSound())
        return "no sound";
    if (setting.fSwitch)
        return value ? "On" : "Off";
    if (setting.fVolume && value <= 0)
        return "Off";
    std::snprintf(text, sizeof text, "%d%%", static_cast<int>(value));
    return text;
}

void AOptionsPanel::ShowRow(int32_t nRow)
{
    char label[32];
    std::snprintf(label, sizeof label, "%s%s", nRow == nSelected ? "\xB7 " : "", kRows[nRow].szLabel);
    rgpLabels[nRow]->SetText(label);
    rgpValues[nRow]->SetText(GetValueText(nRow));
}
