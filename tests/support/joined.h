// Logged lines as one readable text.
#pragma once

#include <string>
#include <vector>

namespace orvelle::testing {

inline std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : ", ") + line;
    return text;
}

}  // namespace orvelle::testing
