#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include "GLTestWindow.h"
#include "base/Rect.h"
#include "platform/MDeviceManager.h"
#include "platform/MTexture.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000FF;

using DeviceTest = GLTestWindow;

TEST_F(DeviceTest, ClearsToOpaqueBlue)
{
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(PixelAt(0, 0), kBlue);
    EXPECT_EQ(PixelAt(159, 119), kBlue);
    EXPECT_EQ(device->EndFrame(), 0);
}

TEST_F(DeviceTest, SpriteIsDrawnAtItsPositionWithItsColour)
{
    MTexture texture(4, 4);
    ASSERT_TRUE(texture.HasTexture());
    ASSERT_EQ(texture.Fill32(0xFFFF0000), 0);
    ASSERT_EQ(device->BeginFrame(), 0);
    ASSERT_EQ(device->BeginSprites(), 0);
    const Rect dest{10, 20, 14, 24};
    EXPECT_EQ(texture.DrawSprite(&dest, nullptr, 0, 0xFFFFFFFF), 0);
    EXPECT_EQ(device->EndSprites(), 0);
    EXPECT_EQ(PixelAt(10, 20), 0xFFFF0000);
    EXPECT_EQ(PixelAt(13, 23), 0xFFFF0000);
    EXPECT_EQ(PixelAt(14, 23), kBlue);
    EXPECT_EQ(PixelAt(9, 20), kBlue);
    EXPECT_EQ(device->EndFrame(), 0);
}
}
