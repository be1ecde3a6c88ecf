#pragma once
#include <cstddef>

// The window's icon: the content tools' 64 px icon as PNG bytes, linked in
// from the build (rvx_icon).
extern const unsigned char kWindowIconPng[];
extern const std::size_t kWindowIconPngSize;
