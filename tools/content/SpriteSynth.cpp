#include "tools/content/SpriteSynth.h"
#include "tools/content/FontPainter.h"
#include "tools/content/Noise.h"
#include <cmath>
#include <initializer_list>

namespace {

constexpr const char* kFont = "Arial:bold";
constexpr const char* kTextFont = "Arial";

const Colour kBrass{0.86f, 0.66f, 0.28f, 1};
const Colour kWalnut{0.36f, 0.21f, 0.11f, 1};
const Colour kCream{1.0f, 0.95f, 0.82f, 1};
const Colour kShadow{0, 0, 0, 0.55f};

// A plaque of dark wood with a brass edge; `depth` > 0 raised, < 0 sunken.
void Plaque(Raster& r, float inset, float radius, Colour face, float depth)
{
    float w = float(r.Width()), h = float(r.Height());
    r.FillRoundRect(inset + 1, inset + 2, w - inset + 1, h - inset + 2, radius, {0, 0, 0, 0.35f});
    r.FillRoundRect(inset, inset, w - inset, h - inset, radius, kBrass);
    r.FillRoundRect(inset + 2.5f, inset + 2.5f, w - inset - 2.5f, h - inset - 2.5f, radius - 2, face);
    r.ShadeRoundRect(inset, inset, w - inset, h - inset, radius, 1 + 0.35f * depth, 1 - 0.35f * depth);
}

Raster Button(const std::string& word, int width, int height, int state)
{
    Raster r(width, height);
    const Colour faces[] = {kWalnut, {0.24f, 0.13f, 0.06f, 1}, {0.42f, 0.38f, 0.35f, 1}};
    Plaque(r, 2, 9, faces[state], state == 1 ? -1.0f : 1.0f);
    FontPainter font(kFont, height / 2);
    float shift = state == 1 ? 1.0f : 0.0f;
    float cx = float(width) * 0.5f + shift, cy = float(height) * 0.5f + shift;
    if (state == 2) {
        font.DrawCentred(r, word, cx, cy, {0.68f, 0.66f, 0.64f, 1});
        return r;
    }
    font.DrawCentred(r, word, cx + 1.5f, cy + 1.5f, kShadow);
    font.DrawCentred(r, word, cx, cy, state == 1 ? kBrass : kCream);
    return r;
}

// The board seen from above: a few walls, a hole, the goal and the ball.
void MazeDrawing(Raster& r, float x0, float y0, float size)
{
    Noise noise(0x1A7Eu);
    r.FillRoundRect(x0 - 6, y0 - 6, x0 + size + 6, y0 + size + 6, 6, kWalnut);
    for (int y = int(y0); y < int(y0 + size); ++y)
        for (int x = int(x0); x < int(x0 + size); ++x) {
            float grain = 0.5f + 0.5f * std::sin((float(y) * 0.35f + noise.Fractal(float(x) / 20, float(y) / 6, 3) * 5));
            r.At(x, y) = Mix({0.93f, 0.8f, 0.58f, 1}, {0.78f, 0.6f, 0.38f, 1}, grain * 0.6f);
        }
    float cell = size / 6;
    const float walls[][4] = {{1, 0, 1, 4}, {2, 2, 5, 2}, {3, 4, 3, 6}, {4, 0, 4, 1}, {5, 3, 5, 5}, {0, 5, 2, 5}};
    for (const auto& w : walls)
        r.DrawLine(x0 + w[0] * cell, y0 + w[1] * cell, x0 + w[2] * cell, y0 + w[3] * cell, 7, kWalnut);
    r.FillCircle(x0 + 4.5f * cell, y0 + 4.5f * cell, cell * 0.33f, {0.08f, 0.05f, 0.03f, 1});
    r.FillCircle(x0 + 1.5f * cell, y0 + 3.5f * cell, cell * 0.33f, {0.08f, 0.05f, 0.03f, 1});
    r.FillRoundRect(x0 + 2.2f * cell, y0 + 5.2f * cell, x0 + 2.8f * cell, y0 + 5.8f * cell, 2, {0.1f, 0.4f, 0.15f, 1});
    float bx = x0 + 0.5f * cell, by = y0 + 0.5f * cell, radius = cell * 0.34f;
    r.FillCircle(bx + 3, by + 4, radius, {0, 0, 0, 0.35f});
    for (int k = 0; k < 12; ++k) {
        float t = float(k) / 12;
        float v = 0.35f + 0.6f * t;
        r.FillCircle(bx - radius * 0.35f * t, by - radius * 0.35f * t, radius * (1 - 0.75f * t), {v, v, v * 1.03f, 1});
    }
    r.FillCircle(bx - radius * 0.4f, by - radius * 0.4f, radius * 0.18f, {1, 1, 1, 0.9f});
}

// A wooden panel with a brass edge and a shadowed brass title.
Raster Panel(int width, int height, float radius, const char* title, int titleSize, float titleY)
{
    Raster r(width, height);
    Plaque(r, 0, radius, {0.30f, 0.17f, 0.09f, 1}, 0.4f);
    FontPainter font(kFont, titleSize);
    float cx = float(width) * 0.5f;
    font.DrawCentred(r, title, cx + 2, titleY + 2, kShadow);
    font.DrawCentred(r, title, cx, titleY, kBrass);
    return r;
}

// Centred cream lines of text from `firstY`, `spacing` pixels apart.
void Lines(Raster& r, std::initializer_list<const char*> lines, int size, float firstY, float spacing)
{
    FontPainter font(kTextFont, size);
    float y = firstY;
    for (const char* line : lines) {
        font.DrawCentred(r, line, float(r.Width()) * 0.5f, y, kCream);
        y += spacing;
    }
}

} // namespace

std::vector<Raster> SpriteSynth::ButtonStates(const std::string& word, int width, int height)
{
    return {Button(word, width, height, 0), Button(word, width, height, 1), Button(word, width, height, 2)};
}

Raster SpriteSynth::Intro()
{
    Raster r = Panel(258, 364, 14, "Rollavex", 44, 50);
    MazeDrawing(r, 29, 98, 200);
    Lines(r, {"Lean the board,", "roll the ball home."}, 15, 326, 18);
    return r;
}

Raster SpriteSynth::OptionsPanel()
{
    Raster r = Panel(420, 330, 12, "Options", 26, 31);
    Lines(r, {"Up, Down: choose    Left, Right: change", "O or Escape: back to the game"}, 13, 290, 18);
    return r;
}

Raster SpriteSynth::AboutBox()
{
    Raster r = Panel(320, 200, 12, "About Rollavex", 26, 31);
    Lines(r, {"A wooden labyrinth and a steel ball.", "Hold a mouse button and move the mouse",
              "to lean the board.  Mind the holes!"},
          14, 68, 20);
    return r;
}
