#include "screen_settings.h"

#include "platform/ini_file.h"
#include "platform/settings_keys.h"

namespace orvelle {

int32_t screenDimension(int32_t stored, int32_t defaultValue) {
    return stored < 1 ? defaultValue : stored;
}

ScreenSize screenSizeFromStored(int32_t storedWidth, int32_t storedHeight) {
    return {screenDimension(storedWidth, settings::kDefaultWidth),
            screenDimension(storedHeight, settings::kDefaultHeight)};
}

ScreenSize readScreenSettings(const std::string& path) {
    const auto width = profileInt(readIniValue(path, settings::kSection, settings::kWidth),
                                  settings::kDefaultWidth);
    const auto height = profileInt(readIniValue(path, settings::kSection, settings::kHeight),
                                   settings::kDefaultHeight);
    return screenSizeFromStored(width, height);
}

}  // namespace orvelle
