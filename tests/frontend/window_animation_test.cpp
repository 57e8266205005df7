#include "frontend/window_animation.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

TEST(WindowAnimation, GrowsFromThePointAndShrinksBackIntoIt) {
    const AnimPoint point{120, -40};  // a point on a screen left of the primary one
    const ScreenRect window{300, 200, 700, 500};
    const ScreenRect dot{120, -40, 120, -40};
    EXPECT_EQ(pointRect(point), dot);
    const auto open = openingRects(point, window);
    EXPECT_EQ(open.from, dot);
    EXPECT_EQ(open.to, window);
    const auto close = closingRects(point, window);
    EXPECT_EQ(close.from, window);
    EXPECT_EQ(close.to, dot);
}

TEST(WindowAnimation, AnUnknownPointIsTheOrigin) {
    const FrontEndState state;
    EXPECT_EQ(pointRect(state.animPoint), (ScreenRect{0, 0, 0, 0}));
}

}  // namespace
}  // namespace orvelle
