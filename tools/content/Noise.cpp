#include "tools/content/Noise.h"
#include <cmath>

namespace {

uint32_t Mix(uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

int32_t Wrap(int32_t v, int32_t period)
{
    if (period <= 0)
        return v;
    int32_t m = v % period;
    return m < 0 ? m + period : m;
}

} // namespace

float Noise::Hash(int32_t x, int32_t y) const
{
    uint32_t h = Mix(uint32_t(x) * 0x9E3779B1u ^ Mix(uint32_t(y) * 0x85EBCA77u ^ nSeed));
    return float(h >> 8) / 16777216.0f;
}

float Noise::Value(float x, float y, int32_t periodX, int32_t periodY) const
{
    float fx = std::floor(x), fy = std::floor(y);
    int32_t ix = int32_t(fx), iy = int32_t(fy);
    float tx = Smooth(x - fx), ty = Smooth(y - fy);
    int32_t x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
    int32_t y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
    float top = Hash(x0, y0) + (Hash(x1, y0) - Hash(x0, y0)) * tx;
    float bottom = Hash(x0, y1) + (Hash(x1, y1) - Hash(x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

float Noise::Fractal(float x, float y, int octaves, int32_t periodX, int32_t periodY) const
{
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += Value(x, y, periodX, periodY) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}

float Noise::Next()
{
    return Hash(int32_t(nState++), 0x51ED);
}
