// Pictures the hosts write: a binary PPM from an RGBA buffer that OpenGL
// filled, rows from the bottom up.
#pragma once

#include <cstdint>
#include <vector>

namespace orvelle {

// The top row first, colour channels only; false when the file cannot be written.
bool writePpm(const char* path, const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height);

}  // namespace orvelle
