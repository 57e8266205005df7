#include "controls/access_key.h"

namespace orvelle {

std::string accessKeyOf(std::string_view caption) {
    size_t p = 0;
    while (p < caption.size()) {
        const size_t amp = caption.find('&', p);
        if (amp == std::string_view::npos || amp + 1 >= caption.size()) return {};
        const char next = caption[amp + 1];
        if (next == '&') {
            p = amp + 2;  // a doubled "&" shows one "&"
            continue;
        }
        // One UTF-8 character, in lower case when it is an ASCII letter.
        const auto lead = static_cast<unsigned char>(next);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        std::string key(caption.substr(amp + 1, length));
        if (next >= 'A' && next <= 'Z') key[0] = static_cast<char>(next - 'A' + 'a');
        return key;
    }
    return {};
}

std::string withoutAccessKeyMarks(std::string_view caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        // A mark: the next character stands, whatever it is ("&&" is one "&").
        if (caption[i] == '&' && ++i == caption.size()) break;
        out += caption[i];
    }
    return out;
}

}  // namespace orvelle
