#include "renderer/scene/ppm.h"

#include <cstdio>

namespace orvelle {

bool writePpm(const char* path, const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height) {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    std::fprintf(f, "P6\n%u %u\n255\n", width, height);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    for (uint32_t y = height; y-- > 0;) {
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = (static_cast<size_t>(y) * width + x) * 4;
            row[x * 3] = rgba[at];
            row[x * 3 + 1] = rgba[at + 1];
            row[x * 3 + 2] = rgba[at + 2];
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}

}  // namespace orvelle
