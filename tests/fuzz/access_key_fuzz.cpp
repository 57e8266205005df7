// The access-key rule on any caption: empty, or one character that follows
// a single "&" in it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/button.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string caption(reinterpret_cast<const char*>(data), size);
    const std::string key = orvelle::accessKeyOf(caption);
    if (key.empty()) return 0;
    if (key.size() > 4 || key[0] == '&' || (key[0] >= 'A' && key[0] <= 'Z')) __builtin_trap();
    if (caption.find('&') == std::string::npos) __builtin_trap();
    return 0;
}
