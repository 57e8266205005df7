#include "frontend/command_line.h"

namespace orvelle {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Text-to-number as the platform reads it: blanks skipped, digits until the
// first other character. Only a number that fits 32 unsigned bits names a
// window; no digits read as 0, which names none either.
std::optional<uint32_t> readHandle(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    uint64_t value = 0;
    bool any = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > 0xFFFFFFFFull) return std::nullopt;
        any = true;
        ++i;
    }
    if (!any || value == 0) return std::nullopt;
    return static_cast<uint32_t>(value);
}

}  // namespace

CommandLine parseCommandLine(std::string_view arguments) {
    CommandLine line;
    if (!arguments.empty()) {
        const char c = arguments.size() >= 2 ? arguments[1] : '\0';
        switch (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) {
            case 'P':
                line.mode = StartMode::Preview;
                break;
            case 'C':
                line.mode = StartMode::Configure;
                break;
            case 'S':
                line.mode = StartMode::Run;
                break;
            default:
                line.mode = StartMode::Other;
                break;
        }
    }
    if (line.mode == StartMode::Preview) {
        line.previewHandle = arguments.size() >= 4 ? readHandle(arguments.substr(3)) : std::nullopt;
    }
    return line;
}

std::string_view argumentsOf(std::string_view full) {
    size_t i = 0;
    while (i < full.size() && isBlank(full[i])) ++i;
    if (i < full.size() && full[i] == '"') {
        const size_t close = full.find('"', i + 1);
        i = close == std::string_view::npos ? full.size() : close + 1;
    } else {
        while (i < full.size() && !isBlank(full[i])) ++i;
    }
    while (i < full.size() && isBlank(full[i])) ++i;
    std::string_view rest = full.substr(i);
    while (!rest.empty() && isBlank(rest.back())) rest.remove_suffix(1);
    return rest;
}

}  // namespace orvelle
