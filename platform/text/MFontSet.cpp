#include "platform/text/MFontSet.h"

#include "base/Result.h"
#include "platform/video/MDeviceManager.h"

namespace {

MFontSet* g_pFontSet = nullptr;

} // namespace

int32_t MFontSet::Add(const char* faceName, uint32_t size, uint32_t styleFlags)
{
    if (nFonts >= kMaxFonts)
        return Result::kFontSetFull;
    auto font = std::make_unique<MFont>(faceName, size, styleFlags);
    font->InitDeviceObjects(pDevice);
    font->RestoreDeviceObjects();
    rgFonts[nFonts++] = std::move(font);
    return 0;
}

int32_t MFontSet::RestoreAll()
{
    for (int32_t i = 0; i < nFonts; ++i)
        if (const int32_t result = rgFonts[i]->RestoreDeviceObjects())
            return result;
    return 0;
}

int32_t MFontSet::InvalidateAll()
{
    for (int32_t i = 0; i < nFonts; ++i)
        if (const int32_t result = rgFonts[i]->InvalidateDeviceObjects())
            return result;
    return 0;
}

MFont* MFontSet::GetFont(int32_t index) const
{
    return index >= 0 && index < nFonts ? rgFonts[index].get() : nullptr;
}

MFontSet* GetFontSet()
{
    if (!g_pFontSet)
        g_pFontSet = new MFontSet(GetDeviceManager());
    return g_pFontSet;
}

void DestroyFontSet()
{
    delete g_pFontSet;
    g_pFontSet = nullptr;
}
