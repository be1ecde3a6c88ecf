#include "platform/dialogs/MMessageDialog.h"

#include "base/BApplication.h"
#include "base/BWindow.h"
#include "platform/dialogs/MDialogScript.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void CopyText(char* out, size_t capacity, const char* text)
{
    std::strncpy(out, text ? text : "", capacity - 1);
    out[capacity - 1] = '\0';
}

bool HasStyle(uint32_t style, uint32_t bits) { return (style & bits) == bits; }

uint32_t IconFlags(uint32_t style)
{
    if (HasStyle(style, MMessageDialog::StyleIconAsterisk))
        return SDL_MESSAGEBOX_INFORMATION;
    if (HasStyle(style, MMessageDialog::StyleIconExclamation))
        return SDL_MESSAGEBOX_WARNING;
    if (HasStyle(style, MMessageDialog::StyleIconHand))
        return SDL_MESSAGEBOX_ERROR;
    return 0;
}

int32_t ScriptedAnswer(const std::string& answer, int32_t fallback)
{
    if (answer == "ok")
        return BMessageDialog::AnswerOk;
    if (answer == "cancel")
        return BMessageDialog::AnswerCancel;
    if (answer == "yes")
        return BMessageDialog::AnswerYes;
    if (answer == "no")
        return BMessageDialog::AnswerNo;
    return fallback;
}

} // namespace

// The text also goes to stderr: a box the desktop cannot show still reaches the player.
int32_t MMessageDialog::Show(BWindow* pOwner)
{
    std::fprintf(stderr, "%s: %s\n", szCaption, szText);
    nResult = MDialogScript::IsActive() ? ShowScripted() : ShowSystem(pOwner);
    return nResult;
}

int32_t MMessageDialog::ShowScripted()
{
    MDialogScript::Record(std::string("message|") + szCaption + "|" + szText);
    int32_t first = HasStyle(nStyle, StyleYesNo) ? AnswerYes : AnswerOk;
    return ScriptedAnswer(MDialogScript::NextAnswer(), first);
}

int32_t MMessageDialog::ShowSystem(BWindow* pOwner)
{
    const SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, AnswerOk, "OK"}};
    const SDL_MessageBoxButtonData okCancel[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, AnswerOk, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, AnswerCancel, "Cancel"}};
    // The second button, No, is the default.
    const SDL_MessageBoxButtonData yesNo[] = {
        {0, AnswerYes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, AnswerNo, "No"}};
    SDL_MessageBoxData data{};
    data.flags = IconFlags(nStyle);
    data.window = pOwner ? static_cast<SDL_Window*>(pOwner->GetHandle()) : nullptr;
    data.title = szCaption;
    data.message = szText;
    if (HasStyle(nStyle, StyleYesNo)) {
        data.numbuttons = 2;
        data.buttons = yesNo;
    } else if (HasStyle(nStyle, StyleOkCancel)) {
        data.numbuttons = 2;
        data.buttons = okCancel;
    } else {
        data.numbuttons = 1;
        data.buttons = ok;
    }
    int button = data.buttons[0].buttonid;
    if (SDL_ShowMessageBox(&data, &button) != 0)
        return data.buttons[0].buttonid;
    return button < 0 ? data.buttons[data.numbuttons - 1].buttonid : button;
}

int32_t MMessageDialog::SetIcon(int32_t nKind)
{
    switch (nKind) {
    case IconStop: nStyle |= StyleIconHand; return 0;
    case IconExclamation: nStyle |= StyleIconExclamation; return 0;
    case IconInformation: nStyle |= StyleIconAsterisk; return 0;
    default: return 2;
    }
}

int32_t MMessageDialog::SetButtons(int32_t nKind)
{
    switch (nKind) {
    case ButtonsOkCancel: nStyle |= StyleOkCancel; return 0;
    case ButtonsOk: return 0;
    case ButtonsYesNo: nStyle |= StyleYesNo | StyleDefaultSecond; return 0;
    default: return 2;
    }
}

int32_t MMessageDialog::SetTextFromResource(uint32_t nId)
{
    BApplication* app = GetApplication();
    if (!app || app->LoadStringResource(nId, szText, sizeof szText) == 0)
        return 2;
    return 0;
}

int32_t MMessageDialog::SetText(const char* szNewText)
{
    CopyText(szText, sizeof szText, szNewText);
    return 0;
}

void MMessageDialog::SetCaption(const char* szNewCaption) { CopyText(szCaption, sizeof szCaption, szNewCaption); }
