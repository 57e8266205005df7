#include "config/number_text.h"

#include <cstdlib>

namespace orvelle {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    size_t i = 0, digits = 0;
    auto skipDigits = [&] {
        size_t n = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) ++n;
        return n;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    digits += skipDigits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += skipDigits();
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (skipDigits() == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return std::strtod(std::string(text).c_str(), nullptr);
}

std::string formatSettingNumber(int32_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace orvelle
