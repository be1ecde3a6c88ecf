#pragma once
#include <cstdint>
#include <memory>
#include "platform/text/MFont.h"

class MDeviceManager;

// The process's texture fonts, addressed by index.
class MFontSet {
public:
    static constexpr int32_t kMaxFonts = 8;

    explicit MFontSet(MDeviceManager* device) : pDevice(device) {}

    // Makes the font ready on our device: 0, or 39 when the set is full. A
    // font whose rasterising fails stays in the set and draws nothing.
    int32_t Add(const char* faceName, uint32_t size, uint32_t styleFlags);
    // Each font in turn; the first failure is returned.
    int32_t RestoreAll();
    int32_t InvalidateAll();
    // Null for an index without a font.
    MFont* GetFont(int32_t index) const;
    int32_t GetCount() const { return nFonts; }

private:
    MDeviceManager* pDevice;
    std::unique_ptr<MFont> rgFonts[kMaxFonts];
    int32_t nFonts = 0;
};

// The process-wide font set, created on first use with the device manager.
MFontSet* GetFontSet();
void DestroyFontSet();
