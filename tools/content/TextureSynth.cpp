#include "tools/content/TextureSynth.h"
#include "tools/content/Noise.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Grain running along x: growth rings gently bent, fibre streaks on top.
// Coordinates in texels; the pattern tiles across a square of `period`.
Colour Grain(const Noise& noise, float x, float y, int period, float rings, Colour light, Colour dark)
{
    float u = x / float(period), v = y / float(period);
    float bend = (noise.Fractal(u * 2, v * 3, 2, 2, 3) - 0.5f) * 2.5f;
    float ring = 0.5f + 0.5f * std::sin((v * rings + bend) * 2 * kPi);
    ring = std::pow(ring, 4.0f);
    float fibre = noise.Fractal(u * 6, y * 0.5f, 2, 6, period / 2) - 0.5f;
    return Mix(light, dark, std::clamp(ring * 0.65f + fibre * 0.45f + 0.12f, 0.0f, 1.0f));
}

Raster Tile(int size, const auto& colourAt)
{
    Raster raster(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            raster.At(x, y) = colourAt(float(x), float(y));
    return raster;
}

} // namespace

Raster TextureSynth::Board(const Maze& maze, int size)
{
    Noise noise(0xB0A2u);
    const Colour light{0.93f, 0.80f, 0.58f}, dark{0.74f, 0.54f, 0.32f};
    Raster raster = Tile(size, [&](float x, float y) { return Grain(noise, x, y, size, 22.0f, light, dark); });
    float width = maze.PlateRight() - maze.PlateLeft();
    float height = maze.PlateTop() - maze.PlateBottom();
    auto px = [&](float x) { return (x - maze.PlateLeft()) / width * float(size); };
    auto py = [&](float y) { return (maze.PlateTop() - y) / height * float(size); };
    float unit = float(size) / width;
    // Scorched edges round the holes.
    for (const HoleSpot& hole : maze.Holes()) {
        raster.FillCircle(px(hole.x), py(hole.y), (maze.fHoleRadius + 0.09f) * unit, {0.35f, 0.2f, 0.1f, 0.45f});
        raster.FillCircle(px(hole.x), py(hole.y), (maze.fHoleRadius + 0.04f) * unit, {0.2f, 0.1f, 0.05f, 0.7f});
    }
    // Start: a brass ring the size of the ball.
    raster.FillCircle(px(maze.fStartX), py(maze.fStartY), maze.fBallRadius * unit, {0.2f, 0.45f, 0.85f, 0.35f});
    raster.FillRing(px(maze.fStartX), py(maze.fStartY), maze.fBallRadius * unit, 0.05f * unit,
                    {0.85f, 0.65f, 0.2f, 1});
    // Goal: a chequered inlay with a gold border.
    float half = maze.fGoalHalf * unit;
    float gx = px(maze.fGoalX), gy = py(maze.fGoalY);
    raster.FillRoundRect(gx - half - 0.06f * unit, gy - half - 0.06f * unit, gx + half + 0.06f * unit,
                         gy + half + 0.06f * unit, 0.05f * unit, {0.9f, 0.7f, 0.2f, 1});
    float cell = half * 0.5f;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            Colour c = (i + j) % 2 ? Colour{0.95f, 0.95f, 0.9f, 1} : Colour{0.1f, 0.35f, 0.15f, 1};
            float x0 = gx - half + float(i) * cell, y0 = gy - half + float(j) * cell;
            raster.FillRoundRect(x0, y0, x0 + cell, y0 + cell, 0, c);
        }
    return raster;
}

Raster TextureSynth::Walnut(int size)
{
    Noise noise(0x3A1Du);
    return Tile(size, [&](float x, float y) {
        return Grain(noise, x, y, size, 6.0f, {0.5f, 0.32f, 0.19f}, {0.26f, 0.15f, 0.08f});
    });
}

Raster TextureSynth::Oak(int size)
{
    Noise noise(0x0A4Bu);
    const int planks = 4;
    return Tile(size, [&](float x, float y) {
        int plank = int(y) * planks / size;
        float shade = 0.9f + 0.2f * noise.Hash(plank, 7);
        Colour c = Grain(noise, x + float(plank) * 97.0f, y, size, 12.0f, {0.78f, 0.6f, 0.4f}, {0.55f, 0.38f, 0.22f});
        float seam = std::fmod(y, float(size) / planks);
        if (seam < 1.5f)
            shade *= 0.55f;
        return Colour{c.r * shade, c.g * shade, c.b * shade, 1};
    });
}

Raster TextureSynth::Felt(int size)
{
    Noise noise(0xFE17u);
    return Tile(size, [&](float x, float y) {
        float fuzz = noise.Fractal(x / 4, y / 4, 3, size / 4, size / 4);
        float weave = 0.5f + 0.5f * std::sin(x * kPi / 2) * std::sin(y * kPi / 2);
        float v = 0.78f + 0.18f * fuzz + 0.05f * weave;
        return Colour{v, v, v, 1};
    });
}

Raster TextureSynth::Metal(int size)
{
    Noise noise(0x3E7Au);
    return Tile(size, [&](float x, float y) {
        float brush = noise.Fractal(x / 32, y, 3, size / 32, size);
        float v = 0.72f + 0.22f * brush;
        return Colour{v, v * 0.98f, v * 0.95f, 1};
    });
}

Raster TextureSynth::Ball(int width, int height)
{
    Raster raster(width, height);
    Noise noise(0xBA11u);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float lon = float(x) / float(width) * 2 * kPi;
            float lat = (float(y) / float(height) - 0.5f) * kPi;
            // Two painted great circles: the equator and one through the poles.
            float band1 = std::fabs(lat);
            float band2 = std::fabs(std::asin(std::cos(lat) * std::sin(lon)));
            float polish = 0.8f + 0.15f * noise.Fractal(float(x) / 8, float(y) / 8, 3, width / 8);
            Colour c{polish, polish, polish * 1.02f, 1};
            if (band1 < 0.12f)
                c = {0.75f, 0.12f, 0.1f, 1};
            else if (band2 < 0.12f)
                c = {0.12f, 0.2f, 0.7f, 1};
            raster.At(x, y) = c;
        }
    return raster;
}
