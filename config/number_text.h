// The one grammar of decimal numbers that the settings file and the
// settings dialog accept, and the way the front end writes whole numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvelle {

// Blanks (spaces, tabs) around it allowed, an optional sign, digits with an
// optional fraction (at least one digit in all), an optional exponent with
// digits. Nothing when the text is anything else, or empty.
std::optional<double> parseDecimal(std::string_view text);

// A whole number as the settings file holds it: one leading blank when zero
// or positive, a "-" when negative.
std::string formatSettingNumber(int32_t value);

}  // namespace orvelle
