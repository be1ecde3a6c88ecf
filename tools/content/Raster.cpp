#include "tools/content/Raster.h"
#include <algorithm>
#include <cmath>
#include <fstream>
#include <stb_image_write.h>
#include <stdexcept>

namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

uint8_t Byte(float v) { return uint8_t(std::lround(Clamp01(v) * 255.0f)); }

// Coverage of a pixel whose centre lies `distance` outside an edge.
float EdgeCoverage(float distance) { return Clamp01(0.5f - distance); }

float RoundRectDistance(float px, float py, float x0, float y0, float x1, float y1, float radius)
{
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    float dx = std::max(std::fabs(px - cx) - hx, 0.0f);
    float dy = std::max(std::fabs(py - cy) - hy, 0.0f);
    float inside = std::min(std::max(std::fabs(px - cx) - hx, std::fabs(py - cy) - hy), 0.0f);
    return std::sqrt(dx * dx + dy * dy) + inside - radius;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void Put16(std::vector<uint8_t>& out, int value)
{
    out.push_back(uint8_t(value & 0xFF));
    out.push_back(uint8_t((value >> 8) & 0xFF));
}

} // namespace

Colour Mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Raster::Raster(int width, int height, Colour fill)
    : nWidth(width), nHeight(height), rgPixels(size_t(width) * size_t(height), fill)
{
}

void Raster::Blend(int x, int y, Colour colour, float coverage)
{
    if (x < 0 || y < 0 || x >= nWidth || y >= nHeight)
        return;
    float a = Clamp01(colour.a * coverage);
    if (a <= 0)
        return;
    Colour& dst = At(x, y);
    float out = a + dst.a * (1 - a);
    auto over = [&](float s, float d) { return out > 0 ? (s * a + d * dst.a * (1 - a)) / out : 0.0f; };
    dst = {over(colour.r, dst.r), over(colour.g, dst.g), over(colour.b, dst.b), out};
}

template <typename Coverage>
void Raster::FillBox(float x0, float y0, float x1, float y1, Colour colour, Coverage coverage)
{
    int ix0 = std::max(0, int(std::floor(x0)) - 1), iy0 = std::max(0, int(std::floor(y0)) - 1);
    int ix1 = std::min(nWidth - 1, int(std::ceil(x1)) + 1), iy1 = std::min(nHeight - 1, int(std::ceil(y1)) + 1);
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x)
            Blend(x, y, colour, coverage(float(x) + 0.5f, float(y) + 0.5f));
}

void Raster::FillRoundRect(float x0, float y0, float x1, float y1, float radius, Colour colour)
{
    FillBox(x0, y0, x1, y1, colour, [&](float px, float py) {
        return EdgeCoverage(RoundRectDistance(px, py, x0, y0, x1, y1, radius));
    });
}

void Raster::FillCircle(float cx, float cy, float radius, Colour colour)
{
    FillBox(cx - radius, cy - radius, cx + radius, cy + radius, colour,
            [&](float px, float py) { return EdgeCoverage(std::hypot(px - cx, py - cy) - radius); });
}

void Raster::FillRing(float cx, float cy, float radius, float width, Colour colour)
{
    FillBox(cx - radius - width, cy - radius - width, cx + radius + width, cy + radius + width, colour,
            [&](float px, float py) {
                return EdgeCoverage(std::fabs(std::hypot(px - cx, py - cy) - radius) - width * 0.5f);
            });
}

void Raster::DrawLine(float x0, float y0, float x1, float y1, float width, Colour colour)
{
    float dx = x1 - x0, dy = y1 - y0;
    float length2 = std::max(dx * dx + dy * dy, 1e-6f);
    FillBox(std::min(x0, x1) - width, std::min(y0, y1) - width, std::max(x0, x1) + width,
            std::max(y0, y1) + width, colour, [&](float px, float py) {
                float t = Clamp01(((px - x0) * dx + (py - y0) * dy) / length2);
                return EdgeCoverage(std::hypot(px - x0 - t * dx, py - y0 - t * dy) - width * 0.5f);
            });
}

void Raster::ShadeRoundRect(float x0, float y0, float x1, float y1, float radius, float top, float bottom)
{
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            float cover = EdgeCoverage(RoundRectDistance(px, py, x0, y0, x1, y1, radius));
            if (cover <= 0)
                continue;
            float t = Clamp01((py - y0) / std::max(y1 - y0, 1.0f));
            float factor = 1 + ((top + (bottom - top) * t) - 1) * cover;
            Colour& c = At(x, y);
            c = {Clamp01(c.r * factor), Clamp01(c.g * factor), Clamp01(c.b * factor), c.a};
        }
}

std::vector<uint8_t> Raster::ToRGBA8() const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(rgPixels.size() * 4);
    for (const Colour& c : rgPixels)
        for (float v : {c.r, c.g, c.b, c.a})
            bytes.push_back(Byte(v));
    return bytes;
}

void Raster::WritePng(const std::string& path, bool alpha) const
{
    std::vector<uint8_t> rgba = ToRGBA8();
    std::vector<uint8_t> bytes;
    int channels = alpha ? 4 : 3;
    for (size_t i = 0; i < rgba.size(); i += 4)
        bytes.insert(bytes.end(), rgba.begin() + long(i), rgba.begin() + long(i) + channels);
    if (!stbi_write_png(path.c_str(), nWidth, nHeight, channels, bytes.data(), nWidth * channels))
        throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> Raster::EncodeTga(bool rle, bool bottomUp) const
{
    std::vector<uint8_t> out = {0, 0, uint8_t(rle ? 10 : 2), 0, 0, 0, 0, 0};
    Put16(out, nOriginX);
    Put16(out, nOriginY);
    Put16(out, nWidth);
    Put16(out, nHeight);
    out.push_back(32);
    out.push_back(uint8_t(bottomUp ? 0x08 : 0x28));
    std::vector<uint8_t> rgba = ToRGBA8();
    std::vector<uint32_t> bgra;
    bgra.reserve(size_t(nWidth) * size_t(nHeight));
    for (int row = 0; row < nHeight; ++row) {
        int y = bottomUp ? nHeight - 1 - row : row;
        for (int x = 0; x < nWidth; ++x) {
            const uint8_t* p = &rgba[(size_t(y) * size_t(nWidth) + size_t(x)) * 4];
            bgra.push_back(uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16 | uint32_t(p[3]) << 24);
        }
    }
    auto pixel = [&](uint32_t v) {
        for (int k = 0; k < 4; ++k)
            out.push_back(uint8_t(v >> (8 * k)));
    };
    for (size_t i = 0; i < bgra.size();) {
        if (!rle) {
            pixel(bgra[i++]);
            continue;
        }
        size_t run = 1;
        while (i + run < bgra.size() && run < 128 && bgra[i + run] == bgra[i])
            ++run;
        if (run > 1) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            pixel(bgra[i]);
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < bgra.size() && literal < 128 &&
               (i + literal + 1 >= bgra.size() || bgra[i + literal] != bgra[i + literal + 1]))
            ++literal;
        out.push_back(uint8_t(literal - 1));
        for (size_t k = 0; k < literal; ++k)
            pixel(bgra[i + k]);
        i += literal;
    }
    return out;
}

void Raster::WriteTga(const std::string& path, bool rle, bool bottomUp) const
{
    WriteBytes(path, EncodeTga(rle, bottomUp));
}
