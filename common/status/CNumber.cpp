#include "common/status/CNumber.h"
#include "common/actors/CActorButton.h"
#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
constexpr int kMaxDigits = 10;
constexpr int kNoLimit = 0x7FFFFFFF;

int MaxForDecimalDigits(int nDigits)
{
    if (nDigits >= kMaxDigits)
        return kNoLimit;
    int max = 1;
    for (int i = 0; i < nDigits; ++i)
        max *= 10;
    return max - 1;
}
} // namespace

CNumber::CNumber(CScene* pScene, const int pos[3], TextDesc* text, const ButtonDesc* behaviour, int nDigits,
                 CSpriteArray* pStates)
    : nDigits(ClampDigits(nDigits, kMaxDigits))
{
    lMax = MaxForDecimalDigits(this->nDigits);
    FormatDecimal(szText, 0, this->nDigits, 0);
    text->pszText = szText;
    pLabel = new CActorButton(text, behaviour, pScene, pos[0], pos[1], pos[2], pStates, 0);
    pLabel->SetPinned(1);
}

CNumber::~CNumber() = default;

void CNumber::Add(int delta)
{
    Set(AddSaturated(lValue, delta));
}

int CNumber::AddSaturated(int a, int b)
{
    const int64_t sum = int64_t(a) + b;
    if (sum > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return sum < std::numeric_limits<int>::min() ? std::numeric_limits<int>::min() : int(sum);
}

void CNumber::Reset(int, int) {}

void CNumber::Refresh()
{
    if (fDirty && pLabel) {
        BuildText();
        ShowText();
    }
    fDirty = 0;
}

void CNumber::Set(int value)
{
    lValue = value;
    Clamp();
    fDirty = 1;
}

void CNumber::BuildText()
{
    FormatDecimal(szText, lValue, nDigits, 0);
}

void CNumber::Clamp()
{
    lValue = std::clamp(lValue, 0, lMax);
}

short CNumber::ClampDigits(int n, int max)
{
    return static_cast<short>(std::clamp(n, 1, max));
}

void CNumber::ShowText()
{
    if (pLabel)
        pLabel->SetText(szText);
}

void CNumber::FormatDecimal(char* out, int value, int w, int fZeroFill)
{
    w = ClampDigits(w, kMaxDigits);
    unsigned rest = value < 0 ? 0u : static_cast<unsigned>(value);
    unsigned power = 1;
    for (int i = 1; i < w; ++i)
        power *= 10;
    int written = 0;
    for (; power > 0; power /= 10) {
        unsigned digit = rest / power;
        rest %= power;
        if (digit != 0 || written || fZeroFill || power == 1) {
            // Values beyond w positions keep their leading quotient whole.
            if (!written && digit > 9) {
                char tmp[12];
                int n = 0;
                for (; digit > 0; digit /= 10)
                    tmp[n++] = static_cast<char>('0' + digit % 10);
                while (n > 0)
                    out[written++] = tmp[--n];
            } else {
                out[written++] = static_cast<char>('0' + digit);
            }
        }
    }
    out[written] = '\0';
}
