#pragma once
#include "tools/content/Raster.h"
#include <string>
#include <vector>

// The 2D pictures of the game: push-button states, the intro picture and the
// about box, with their words drawn in.
class SpriteSynth {
public:
    static constexpr int kButtonWidth = 100;
    static constexpr int kButtonHeight = 40;

    // Normal, pressed and disabled looks of a button labelled `word`.
    static std::vector<Raster> ButtonStates(const std::string& word, int width, int height);
    static Raster Intro();
    static Raster AboutBox();
    // The options panel's board, its rows drawn over it by the game.
    static Raster OptionsPanel();
};
