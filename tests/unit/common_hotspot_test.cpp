#include <gtest/gtest.h>
#include "UiTestSupport.h"
#include "common/CActorHotspot.h"

namespace {

class HotspotTest : public ::testing::Test {
protected:
    UiTestScreen screen;
    KeyScene scene{&screen, Fix(3), Fix(13)};
};

TEST_F(HotspotTest, CoversItsRectangleLessTheOrigin)
{
    auto* hotspot = new CActorHotspot(&scene, 10, 20, 50, 60, Fix(50), 48);
    EXPECT_EQ(hotspot->GetBounds(), (Rect{7, 7, 47, 47}));
    int32_t x = 0;
    int32_t y = 0;
    hotspot->GetCentre(&x, &y);
    EXPECT_EQ(x, Fix(30 - 3));
    EXPECT_EQ(y, Fix(40 - 13));
}

TEST_F(HotspotTest, LeftPressSendsItsCommandAsKeyDown)
{
    new CActorHotspot(&scene, 10, 20, 50, 60, Fix(50), 49);
    EXPECT_EQ(Dispatch(MouseEvent::LeftDown, 7, 7), 1);
    EXPECT_EQ(Dispatch(MouseEvent::LeftUp, 7, 7), 1); // the scene's own release
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+49"}));
    Dispatch(MouseEvent::LeftDown, 47, 47); // outside
    EXPECT_EQ(scene.rgKeys.size(), 1u);
}

TEST_F(HotspotTest, DisabledHotspotTakesNothing)
{
    auto* hotspot = new CActorHotspot(&scene, 10, 20, 50, 60, Fix(50), 49);
    hotspot->SetEnabled(0);
    const MouseEvent press = Mouse(MouseEvent::LeftDown, 20, 20);
    EXPECT_FALSE(hotspot->WantsMouse(&press));
    EXPECT_EQ(hotspot->OnMouse(&press), 0);
    const MouseEvent right = Mouse(MouseEvent::RightDown, 20, 20);
    hotspot->SetEnabled(1);
    EXPECT_FALSE(hotspot->WantsMouse(&right));
    EXPECT_TRUE(scene.rgKeys.empty());
}

} // namespace
