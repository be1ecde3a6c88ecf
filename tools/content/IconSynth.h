#pragma once
#include "tools/content/Raster.h"

// The game's icon: a steel ball on a wooden maze board, drawn for each size
// from the same shapes so that it stays readable at 16 px.
class IconSynth {
public:
    static constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

    static Raster Icon(int size);
};
