#include "tools/content/IconSynth.h"

namespace {

const Colour kFrame{0.45f, 0.27f, 0.14f, 1};
const Colour kSurface{0.91f, 0.76f, 0.52f, 1};
const Colour kWall{0.36f, 0.21f, 0.10f, 1};
const Colour kHole{0.07f, 0.04f, 0.02f, 1};
const Colour kShadow{0.2f, 0.1f, 0.02f, 0.3f};
const Colour kSteel{0.38f, 0.40f, 0.44f, 1};
const Colour kSteelLit{0.70f, 0.72f, 0.76f, 0.9f};
const Colour kGleam{1, 1, 1, 0.95f};

// Shapes in units of the icon's size.
constexpr float kWallWidth = 0.08f;
constexpr float kBallX = 0.65f, kBallY = 0.65f, kBallRadius = 0.2f;

} // namespace

Raster IconSynth::Icon(int size)
{
    Raster icon(size, size);
    const float s = float(size);
    icon.FillRoundRect(0.03f * s, 0.03f * s, 0.97f * s, 0.97f * s, 0.14f * s, kFrame);
    icon.FillRoundRect(0.12f * s, 0.12f * s, 0.88f * s, 0.88f * s, 0.05f * s, kSurface);
    icon.ShadeRoundRect(0.12f * s, 0.12f * s, 0.88f * s, 0.88f * s, 0.05f * s, 1.06f, 0.88f);
    icon.DrawLine(0.12f * s, 0.36f * s, 0.56f * s, 0.36f * s, kWallWidth * s, kWall);
    icon.DrawLine(0.36f * s, 0.88f * s, 0.36f * s, 0.56f * s, kWallWidth * s, kWall);
    icon.FillCircle(0.72f * s, 0.25f * s, 0.085f * s, kHole);
    const float x = kBallX * s, y = kBallY * s, r = kBallRadius * s;
    icon.FillCircle(x + 0.03f * s, y + 0.04f * s, 0.95f * r, kShadow);
    icon.FillCircle(x, y, r, kSteel);
    icon.FillCircle(x - 0.035f * s, y - 0.035f * s, 0.72f * r, kSteelLit);
    icon.FillCircle(x - 0.07f * s, y - 0.07f * s, 0.26f * r, kGleam);
    return icon;
}
