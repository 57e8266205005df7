#include <gtest/gtest.h>

#include "renderer/host_offscreen.h"

namespace orvelle {
namespace {

TEST(Placeholder, Builds) { SUCCEED(); }

}  // namespace
}  // namespace orvelle
