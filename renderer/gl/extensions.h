// Whether a space-separated extension list (as the GL, WGL and GLX
// extension strings are) names an extension; whole tokens only.
#pragma once

#include <string_view>

namespace orvelle {

inline bool hasExtension(std::string_view list, std::string_view name) {
    while (!list.empty()) {
        const size_t end = list.find(' ');
        if (list.substr(0, end) == name) return true;
        if (end == std::string_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace orvelle
