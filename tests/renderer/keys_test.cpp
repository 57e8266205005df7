#include "renderer/keys.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

struct KeyCase {
    uint32_t key;
    float speedBefore;
    float pullBefore;
    float speedAfter;
    float pullAfter;
};

class ArrowKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ArrowKeys, MoveTheValueAndApplyOnlyTheBoundTheyMoveTowards) {
    const KeyCase& c = GetParam();
    RendererState state;
    state.motionSpeed = c.speedBefore;
    state.pullStrength = c.pullBefore;
    handleArrowKey(state, c.key);
    EXPECT_FLOAT_EQ(state.motionSpeed, c.speedAfter);
    EXPECT_FLOAT_EQ(state.pullStrength, c.pullAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ArrowKeys,
    ::testing::Values(KeyCase{kKeyLeft, 0.4f, 600000.0f, 0.25f, 600000.0f},
                      KeyCase{kKeyLeft, 20.0f, 600000.0f, 19.75f, 600000.0f},
                      KeyCase{kKeyRight, 74.9f, 600000.0f, 75.0f, 600000.0f},
                      KeyCase{kKeyRight, 20.0f, 600000.0f, 20.25f, 600000.0f},
                      // Grown past 75 by itself: RIGHT sets it back, LEFT only subtracts.
                      KeyCase{kKeyRight, 80.0f, 600000.0f, 75.0f, 600000.0f},
                      KeyCase{kKeyLeft, 80.0f, 600000.0f, 79.75f, 600000.0f},
                      KeyCase{kKeyUp, 20.0f, 4990000.0f, 20.0f, 5000000.0f},
                      KeyCase{kKeyUp, 20.0f, 600000.0f, 20.0f, 650000.0f},
                      KeyCase{kKeyDown, 20.0f, 60000.0f, 20.0f, 50000.0f},
                      KeyCase{kKeyDown, 20.0f, 600000.0f, 20.0f, 550000.0f},
                      // Escape and other keys change nothing here.
                      KeyCase{kKeyEscape, 20.0f, 600000.0f, 20.0f, 600000.0f},
                      KeyCase{0x41, 20.0f, 600000.0f, 20.0f, 600000.0f}));

}  // namespace
}  // namespace orvelle
