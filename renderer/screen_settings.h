// The rule by which the renderer takes its screen size from the settings file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvelle {

struct ScreenSize {
    int32_t width;
    int32_t height;
};

// A stored size below 1 (missing, 0, garbage, or negative) means the default.
// A negative size would give a negative window and a huge unsigned view.
int32_t screenDimension(int32_t stored, int32_t defaultValue);

// The size from the two stored values as GetPrivateProfileInt would return
// them (missing value: the default).
ScreenSize screenSizeFromStored(int32_t storedWidth, int32_t storedHeight);

// Portable reader: the same rule over a settings file at path.
ScreenSize readScreenSettings(const std::string& path);

}  // namespace orvelle
